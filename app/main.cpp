#include "application.h"
#include "bazafirm.h"
#include "program.h"
#include "sessionend.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    // The main window asks before the program ends; closing it must not quit behind its back.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's texts in Polish and the production seams, as every program of the package starts.
    Program program(QDir::currentPath(), seams::setUpApplication(application));
    // The end of the desktop session ends the program as "Koniec" does, without asking.
    const SessionEnd sessionEnd([&program] { program.mainWindow().ZakonczBezPytania(); });
    program.mainWindow().show();
    return QApplication::exec();
}
