#include "aktualizacja.h"
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
#include <QDesktopServices>
#include <QDir>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdlib>

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

    storage::ProgramState state;
    state.workingDir = QDir::toNativeSeparators(QDir::currentPath());
    state.baseDir = state.workingDir;

    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    storage::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
    printing::QtPrintDialogs printDialogs;
    admin::QtNetwork network;

    // A fresh installation gets its data folders before anything else.
    storage::Guarded(dialogs, [&] { storage::EnsureDataTree(state.workingDir); });

    ui::WindowTable windowTable;

    // The windows in their order of creation; each one's set-up runs once as it is created.
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

    baza.show();
    // For the start-up benchmark: end as soon as the main window is on screen.
    if (qEnvironmentVariableIntValue("MIRTAL_BENCH_EXIT_AFTER_SHOW") == 1)
        QTimer::singleShot(0, [] { std::exit(0); });
    return QApplication::exec();
}
