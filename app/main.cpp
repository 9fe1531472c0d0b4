#include "bazafirm.h"
#include "program.h"
#include "sessionend.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    // The main window asks before the program ends; closing it must not quit behind its back.
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons ("Tak", "Nie", "Anuluj") in Polish.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    Program program(QDir::currentPath());
    // The end of the desktop session ends the program as "Koniec" does, without asking.
    const SessionEnd sessionEnd([&program] { program.mainWindow().ZakonczBezPytania(); });
    program.mainWindow().show();
    return QApplication::exec();
}
