// A plain Qt window holding a 500-line list. It quits as soon as it has been shown, so that its
// run time is the start-up cost of Qt itself.
#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *list = new QListWidget(&window);
    for (int position = 1; position <= 500; ++position)
        list->addItem(QStringLiteral("%1").arg(position, 3, 10, QLatin1Char('0')));
    layout->addWidget(list);
    window.resize(800, 600);
    window.show();

    QTimer::singleShot(0, &application, [] { QApplication::exit(0); });
    return QApplication::exec();
}
