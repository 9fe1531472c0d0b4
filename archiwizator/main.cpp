#include "archiwizator.h"
#include "qtseams.h"
#include "qtwybor.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal – ochrona danych"));

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    storage::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
    archiwizator::QtWybor wybor;

    // Started by the program in its working directory, which the configuration lies in.
    archiwizator::Tarchiwizator_f window(QDir::toNativeSeparators(QDir::currentPath()), seams,
                                         wybor);
    window.show();
    window.FormCreate();
    return QApplication::exec();
}
