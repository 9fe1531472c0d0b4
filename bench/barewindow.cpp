// A plain Qt window holding a 500-line list: the floor the program is measured against. It links
// the same Qt modules as the program (Widgets, PrintSupport, Network), so that the loading of
// their libraries counts on both sides.
//
//   barewindow             quits as soon as the window has been shown
//   barewindow --stay      stays until it is killed (for mapprobe)
//   barewindow --actions   the floor of what actionbench measures: a second window with a
//                          12-row grid shown, a third one shown, one page of 60 text lines
//                          printed to a PDF file; prints "open_us=… calculation_us=… pdf_us=…"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

bool waitExposed(QWidget *window)
{
    QElapsedTimer timer;
    timer.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        if (timer.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A window about the size of a working window: a title line, a 12-row grid and two buttons.
std::unique_ptr<QWidget> formWindow()
{
    auto window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    layout->addWidget(new QLabel(QStringLiteral("Rok obliczeniowy 2000"), window.get()));
    auto *grid = new QTableWidget(12, 4, window.get());
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 4; ++column)
            grid->setItem(row, column, new QTableWidgetItem(QString::number(row * column)));
    }
    layout->addWidget(grid);
    layout->addWidget(new QPushButton(QStringLiteral("Wydruk"), window.get()));
    layout->addWidget(new QPushButton(QStringLiteral("Powrót"), window.get()));
    window->show();
    return window;
}

int actions()
{
    QElapsedTimer timer;
    timer.start();
    const std::unique_ptr<QWidget> second = formWindow();
    if (!waitExposed(second.get()))
        return 1;
    const qint64 open = timer.nsecsElapsed() / 1000;
    timer.start();
    const std::unique_ptr<QWidget> third = formWindow();
    if (!waitExposed(third.get()))
        return 1;
    const qint64 calculation = timer.nsecsElapsed() / 1000;

    const QString pdf = QDir::temp().filePath(
        QStringLiteral("barewindow-%1.pdf").arg(QApplication::applicationPid()));
    timer.start();
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&printer);
        for (int line = 0; line < 60; ++line)
            painter.drawText(40, 40 + line * 20, QStringLiteral("Wiersz %1 zestawienia").arg(line));
    }
    const qint64 printed = timer.nsecsElapsed() / 1000;
    QFile::remove(pdf);
    std::printf("open_us=%lld calculation_us=%lld pdf_us=%lld\n", static_cast<long long>(open),
                static_cast<long long>(calculation), static_cast<long long>(printed));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *list = new QListWidget(&window);
    for (int position = 1; position <= 500; ++position)
        list->addItem(QStringLiteral("%1").arg(position, 3, 10, QLatin1Char('0')));
    layout->addWidget(list);
    window.resize(800, 600);
    window.show();

    if (arguments.contains(QStringLiteral("--actions"))) {
        if (!waitExposed(&window))
            return 1;
        const int code = actions();
        std::_Exit(code);
    }
    if (!arguments.contains(QStringLiteral("--stay")))
        QTimer::singleShot(0, &application, [] { QApplication::exit(0); });
    return QApplication::exec();
}
