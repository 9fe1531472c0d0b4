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

    // Qt's texts in Polish; the program composes its own production seams.
    seams::setUpApplication(application);

    Program program(QDir::currentPath());
    // The end of the desktop session ends the program as "Koniec" does, without asking.
    const SessionEnd sessionEnd([&program] { program.mainWindow().ZakonczBezPytania(); });
    program.mainWindow().show();
    return QApplication::exec();
}
