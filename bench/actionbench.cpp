// What a user waits for after the start, in the current directory (a copy of the demo data):
// opening client 001 (a double-click to the settlement window shown), opening its calculation,
// and printing its statement to a PDF file. Prints "open_us=… calculation_us=… pdf_us=…".
//
//   actionbench            measures once
//   actionbench fill       first makes the register full: 500 clients, and client 001's year
//                          with 20 invoices in every month
//   actionbench stay       then opens every other working window too (mileage, operating costs,
//                          numerator) and stays until it is killed (for the idle CPU)
//   actionbench share DIR  only makes the current directory work on the register in DIR, a
//                          network share, as the database location window would
// Every run ends with a change of the register line of client 002 ("Popraw wpis"), timed as
// change_us. On a share, a look-up of a file named ".bench-<step>" in the register's folder marks
// where each step begins, so that the share's server can tell the steps' file operations apart.
#include "bazafirm.h"
#include "clientrecords.h"
#include "lokalizacja.h"
#include "network.h"
#include "paths.h"
#include "printdialogs.h"
#include "program.h"
#include "programfiles.h"
#include "qtseams.h"
#include "recordfile.h"
#include "rejestr.h"
#include "rozliczenie.h"
#include "wydruk.h"
#include "wyliczenie.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

using namespace storage;

namespace {

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

// The program's dialogs, with the name typed into the input box given at once.
class BenchDialogs : public QtDialogs
{
public:
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("Klient zmieniony");
    }
};

// The register's folder on a share and the current directory's database location set to it in
// network mode, with the register, locks and history of the demo moved there.
void useShare(const QString &dir, const QString &share)
{
    QDir().mkpath(share);
    for (const char *folder : {"DANE", "KOSZ", "Admini"})
        QDir(share).mkpath(QString::fromLatin1(folder));
    const QString local = RegisterPath(dir);
    const QString shared = RegisterPath(share);
    QFile::remove(shared);
    QFile::copy(local, shared);
    WriteLocation(dir, lokalizacja::Network, dir, share);
    WriteLocation(share, lokalizacja::Network, dir, share);
}

// Marks on the share where a step begins: a look-up of a file that never exists.
void mark(const QString &baseDir, const char *step)
{
    QFileInfo::exists(PathIn(baseDir, QStringLiteral(".bench-") + QString::fromLatin1(step)));
}

// Runs the event loop until `window` is on the screen; false after 10 s.
bool waitExposed(QWidget *window)
{
    QElapsedTimer timer;
    timer.start();
    while (!(window && window->isVisible() && window->windowHandle() &&
             window->windowHandle()->isExposed())) {
        if (timer.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The program's top-level window of the given class, once it has been built by its opening.
template <typename Window> Window *shown()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<Window *>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// 500 named clients; client 001's year 2000 (the year a client opens on while the clock is past
// 2012) with 20 invoices in every month.
void fillRegister(const QString &dir)
{
    Record lines(registerfile::kSize);
    for (int position = 1; position <= registerfile::kPositions; ++position)
        lines.setText(registerfile::line(position),
                      QStringLiteral("%1 Klient numer %1").arg(position, 3, 10, QLatin1Char('0')));
    WriteRecord(RegisterPath(dir), lines);

    Record owner(owner::kSize);
    ReadRecord(OwnerFile(dir, QStringLiteral("001")), owner);
    const QString stem = YearStem(owner.text(owner::id), QStringLiteral("2000"));
    Record costs(cost::kSize);
    for (int month = 1; month <= 12; ++month) {
        for (int row = 1; row <= cost::kRows; ++row) {
            costs.setText(cost::entry(month, cost::kDate, row),
                          QStringLiteral("%1.%2.2000")
                              .arg(row, 2, 10, QLatin1Char('0'))
                              .arg(month, 2, 10, QLatin1Char('0')));
            costs.setText(cost::entry(month, cost::kKind, row), QStringLiteral("Paliwo"));
            costs.setText(cost::entry(month, cost::kDocument, row),
                          QStringLiteral("FV %1/%2").arg(row).arg(month));
            costs.setText(cost::entry(month, cost::kNet, row), QStringLiteral("  123.45"));
            costs.setText(cost::entry(month, cost::kVat, row), QStringLiteral("   27.16"));
        }
    }
    WriteRecord(YearFile(dir, stem, QStringLiteral(".eks")), costs);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QString dir = QDir::toNativeSeparators(QDir::currentPath());
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("fill")))
        fillRegister(dir);
    if (arguments.size() == 3 && arguments.at(1) == QStringLiteral("share")) {
        useShare(dir, arguments.at(2));
        return 0;
    }

    BenchDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    seams::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
    const QString pdf = QDir::temp().filePath(
        QStringLiteral("actionbench-%1.pdf").arg(QApplication::applicationPid()));
    PdfPrintDialogs printDialogs(pdf);
    admin::QtNetwork network;
    Program program(dir, Program::Services{seams, printDialogs, network, [](const QUrl &url) {
                                               return QDesktopServices::openUrl(url);
                                           }});
    Tbaza_f &baza = program.mainWindow();
    baza.show();
    if (!waitExposed(&baza))
        return 1;

    QElapsedTimer timer;
    auto *list = baza.findChild<QListWidget *>(QStringLiteral("lista_k"));
    list->setCurrentRow(0);
    mark(baza.baseDir(), "open");
    timer.start();
    baza.lista_kDblClick();
    auto *rozliczenie = shown<Trozliczeniesamochodu_f>();
    if (!waitExposed(rozliczenie))
        return 1;
    const qint64 open = timer.nsecsElapsed() / 1000;

    mark(baza.baseDir(), "calculation");
    timer.start();
    rozliczenie->SpeedButton2Click(); // "Wyliczenie kosztów"
    auto *wyliczenie = shown<Twyliczenie_f>();
    if (!waitExposed(wyliczenie))
        return 1;
    const qint64 calculation = timer.nsecsElapsed() / 1000;

    wyliczenie->SpeedButton3Click(); // "Wydruk"
    auto *wydruk = shown<Twydruk_f>();
    if (!waitExposed(wydruk))
        return 1;
    mark(baza.baseDir(), "print");
    timer.start();
    wydruk->SpeedButton1Click(); // "Drukuj dokument"
    const qint64 printed = timer.nsecsElapsed() / 1000;

    baza.activateWindow();
    list->setCurrentRow(1);
    mark(baza.baseDir(), "change");
    timer.start();
    baza.SpeedButton3Click(); // "Popraw wpis"
    const qint64 changed = timer.nsecsElapsed() / 1000;
    mark(baza.baseDir(), "end");
    const bool written = QFileInfo(pdf).size() > 0;
    QFile::remove(pdf);
    if (!written)
        return 1;

    if (arguments.contains(QStringLiteral("stay"))) {
        rozliczenie->SpeedButton5Click(); // "Przebieg"
        rozliczenie->SpeedButton4Click(); // "Eksploatacja"
        rozliczenie->SpeedButton3Click(); // "Numerator i rozszerzenie"
        return QApplication::exec();
    }
    std::printf("open_us=%lld calculation_us=%lld pdf_us=%lld change_us=%lld\n",
                static_cast<long long>(open), static_cast<long long>(calculation),
                static_cast<long long>(printed), static_cast<long long>(changed));
    std::fflush(stdout);
    // Ends as "Koniec" does without the question: the client's lock is released for the next run.
    baza.ZakonczBezPytania();
    return 1;
}
