// Pictures of the program for the README, taken from a working directory made from the demo:
// the main window, the settlement window with the calculation of March, and the statement of
// March printed to a PDF file. Run by scripts/screenshots under a virtual X screen, in the
// working directory it is given:  screenshots OUTPUT-DIRECTORY

#include "application.h"
#include "bazafirm.h"
#include "ewidencja.h"
#include "network.h"
#include "printdialogs.h"
#include "program.h"
#include "przebieg.h"
#include "rozliczenie.h"
#include "wydruk.h"
#include "wyliczenie.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace {

// Prints to a PDF file instead of asking for a printer; the preview is not used here.
class PdfPrintDialogs : public printing::QtPrintDialogs
{
public:
    explicit PdfPrintDialogs(QString file) : m_file(std::move(file)) {}
    bool print(QPrinter &printer, const QString &) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }

private:
    QString m_file;
};

// Lets the windows map and paint, and the clocks tick once.
void Settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The given windows as the screen shows them, on a plain desktop colour in place of the bare
// screen around them.
bool GrabWindows(const QList<QWidget *> &windows, const QString &file)
{
    QRect area;
    for (QWidget *window : windows)
        area |= window->frameGeometry();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    QPixmap picture(area.size());
    picture.fill(QColor(0x5a, 0x6e, 0x7f));
    QPainter painter(&picture);
    for (QWidget *window : windows) {
        const QRect frame = window->frameGeometry();
        painter.drawPixmap(frame.topLeft() - area.topLeft(), screen.copy(frame));
    }
    painter.end();
    return picture.save(file);
}

// The program's window of the given class.
template <typename Window> Window *windowOf(Program &program)
{
    for (QWidget *window : program.windowsInOrder()) {
        if (auto *found = qobject_cast<Window *>(window))
            return found;
    }
    std::fprintf(stderr, "screenshots: a window is missing\n");
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: screenshots OUTPUT-DIRECTORY\n");
        return 2;
    }
    const QDir output(arguments.at(1));

    // The program as its entry composes it, with printing into a file.
    const auto production = seams::setUpApplication(application);
    PdfPrintDialogs printDialogs(output.filePath(QStringLiteral("zestawienie.pdf")));
    admin::QtNetwork network;
    Program program(
        QDir::toNativeSeparators(QDir::currentPath()),
        Program::Services{production->seams, printDialogs, network,
                          [](const QUrl &url) { return QDesktopServices::openUrl(url); }});
    Tbaza_f &baza = program.mainWindow();
    auto &rozliczenie = *windowOf<Trozliczeniesamochodu_f>(program);
    auto &wyliczenie = *windowOf<Twyliczenie_f>(program);
    auto &wydruk = *windowOf<Twydruk_f>(program);

    baza.move(0, 0);
    baza.show();
    Settle();
    if (!GrabWindows({&baza}, output.filePath(QStringLiteral("okno-glowne.png"))))
        return 1;

    // Client 001, opened as a double click on the first line opens it.
    auto *list = baza.findChild<QListWidget *>(QStringLiteral("lista_k"));
    list->setCurrentRow(0);
    baza.lista_kDblClick();
    baza.hide();
    rozliczenie.move(0, 0);
    Settle();
    if (!rozliczenie.isVisible())
        return 1;
    rozliczenie.SpeedButton2Click(); // "Wyliczenie kosztów"
    auto *months = wyliczenie.findChild<QComboBox *>(QStringLiteral("listam"));
    months->setCurrentIndex(2); // March
    wyliczenie.listamClick();
    Settle();
    if (!wyliczenie.isVisible() ||
        !GrabWindows({&rozliczenie, &wyliczenie},
                     output.filePath(QStringLiteral("rozliczenie-wyliczenie.png"))))
        return 1;

    wyliczenie.SpeedButton3Click(); // "Wydruk"
    Settle();
    if (!wydruk.isVisible())
        return 1;
    // The date of the statement typed as the user would for a settlement of March 2000.
    wydruk.findChild<QLineEdit *>(QStringLiteral("data"))->setText(QStringLiteral("31.03.2000"));
    wydruk.SpeedButton1Click(); // "Drukuj dokument"
    if (!QFileInfo::exists(output.filePath(QStringLiteral("zestawienie.pdf"))))
        return 1;
    wydruk.SpeedButton2Click();
    wyliczenie.SpeedButton4Click();

    // The mileage log of March, opened from the mileage register, and its printed month.
    auto &przebieg = *windowOf<Tprzebieg_f>(program);
    PdfPrintDialogs logPrint(output.filePath(QStringLiteral("ewidencja.pdf")));
    przebieg.setPrintDialogs(logPrint);
    rozliczenie.SpeedButton5Click(); // "Przebieg"
    Settle();
    przebieg.SpeedButton4Click(); // "Ewidencja przebiegu"
    Tewidencja_f *log = przebieg.tripLog();
    if (!log || !log->isVisible())
        return 1;
    log->miesiacClick(3);
    log->move(0, 0);
    Settle();
    if (!GrabWindows({log}, output.filePath(QStringLiteral("ewidencja.png"))))
        return 1;
    log->drukujMiesiacClick();
    return QFileInfo::exists(output.filePath(QStringLiteral("ewidencja.pdf"))) ? 0 : 1;
}
