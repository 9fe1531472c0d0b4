// The program's start until its main window is shown: the composition main creates, in the
// current directory, after which the process ends at once.
#include "application.h"
#include "bazafirm.h"
#include "program.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(QDir::currentPath(), seams::setUpApplication(application));
    program.mainWindow().show();
    // Ends as the program itself ends: at once, without tearing the windows down.
    QTimer::singleShot(0, [] { std::exit(0); });
    return QApplication::exec();
}
