#include "bazafirm.h"
#include "datatree.h"
#include "guard.h"
#include "programstate.h"
#include "qtseams.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));

    // Standard buttons ("Tak", "Nie", "Anuluj") in Polish.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    storage::ProgramState state;
    state.workingDir = QDir::toNativeSeparators(QDir::currentPath());
    state.baseDir = state.workingDir;

    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    storage::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};

    storage::Guarded(dialogs, [&] { storage::EnsureDataTree(state.workingDir); });

    Tbaza_f mainWindow(state, seams);
    mainWindow.FormCreate();
    mainWindow.show();
    return QApplication::exec();
}
