#include "application.h"
#include "archiwizator.h"
#include "qtwybor.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal – ochrona danych"));

    const auto production = seams::setUpApplication(application);
    archiwizator::QtWybor wybor;

    // Started by the program in its working directory, which the configuration lies in.
    Tarchiwizator_f window(QDir::toNativeSeparators(QDir::currentPath()), production->seams, wybor);
    window.show();
    window.FormCreate();
    return QApplication::exec();
}
