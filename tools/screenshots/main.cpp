// Pictures of the program for the README, taken from a working directory made from the demo:
// the main window, the settlement window with the calculation of March, and the statement of
// March printed to a PDF file. Run by scripts/screenshots under a virtual X screen, in the
// working directory it is given:  screenshots OUTPUT-DIRECTORY

#include "bazafirm.h"
#include "czcionki.h"
#include "datatree.h"
#include "eksploatacja.h"
#include "guard.h"
#include "logowania.h"
#include "modul_hist.h"
#include "narzedzia_admini.h"
#include "network.h"
#include "numerator.h"
#include "printdialogs.h"
#include "programstate.h"
#include "przebieg.h"
#include "qtseams.h"
#include "rozliczenie.h"
#include "siec.h"
#include "windowopener.h"
#include "wizytowka.h"
#include "wydruk.h"
#include "wyliczenie.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace
{

// Prints to a PDF file instead of asking for a printer; the preview is not used here.
class PdfPrintDialogs : public printing::QtPrintDialogs
{
public:
    explicit PdfPrintDialogs(QString file) : m_file(std::move(file)) {}
    bool print(QPrinter &printer) override
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

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    // The composition of the program, as its entry builds it, with printing into a file.
    storage::ProgramState state;
    state.workingDir = QDir::toNativeSeparators(QDir::currentPath());
    state.baseDir = state.workingDir;
    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    storage::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
    PdfPrintDialogs printDialogs(output.filePath(QStringLiteral("zestawienie.pdf")));
    admin::QtNetwork network;
    storage::Guarded(dialogs, [&] { storage::EnsureDataTree(state.workingDir); });

    ui::WindowTable windowTable;
    Tbaza_f baza(state, seams);
    baza.FormCreate();
    Trozliczeniesamochodu_f rozliczenie(state, seams, windowTable);
    rozliczenie.FormCreate();
    Teksploatacja_f eksploatacja(state, seams);
    eksploatacja.FormCreate();
    Tprzebieg_f przebieg(state, seams);
    przebieg.FormCreate();
    printing::Twydruk_f wydruk(state, seams, printDialogs);
    wydruk.FormCreate();
    Twyliczenie_f wyliczenie(state, seams, windowTable);
    wyliczenie.FormCreate();
    Tnumerator_f numerator(state, seams);
    numerator.FormCreate();
    Tform3 wizytowka([](const QUrl &url) { return QDesktopServices::openUrl(url); });
    Thisto_f histo(state, seams);
    histo.FormCreate();
    Tnarzedzia_f narzedzia(state, seams, network);
    narzedzia.FormCreate();
    printing::Tlogowania_f logowania(state, seams, printDialogs);
    logowania.FormCreate();
    Tsiec_f siec(state, seams);
    siec.FormCreate();
    printing::Tfont_f font(state, seams, printDialogs);
    font.FormCreate();

    windowTable.add(ui::WindowId::Mileage, &przebieg);
    windowTable.add(ui::WindowId::OperatingCosts, &eksploatacja);
    windowTable.add(ui::WindowId::Numerator, &numerator);
    windowTable.add(ui::WindowId::Calculation, &wyliczenie);
    windowTable.add(ui::WindowId::PrintPanel, &wydruk);
    Tbaza_f::Windows windows;
    windows.settlement = &rozliczenie;
    windows.tools = &narzedzia;
    windows.location = &siec;
    windows.history = &histo;
    windows.notepad = &logowania;
    windows.businessCard = &wizytowka;
    windows.font = &font;
    baza.setWindows(windows);

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
    return QFileInfo::exists(output.filePath(QStringLiteral("zestawienie.pdf"))) ? 0 : 1;
}
