#include "program.h"

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
#include "przebieg.h"
#include "qtseams.h"
#include "rozliczenie.h"
#include "siec.h"
#include "wizytowka.h"
#include "wydruk.h"
#include "wyliczenie.h"

#include <QDesktopServices>
#include <QDir>

#include <cstdlib>

using ui::WindowId;

// The platform side of the production program.
struct Program::Production {
    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    storage::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
    printing::QtPrintDialogs printDialogs;
    admin::QtNetwork network;

    Services services()
    {
        return {seams, printDialogs, network,
                [](const QUrl &url) { return QDesktopServices::openUrl(url); }};
    }
};

Program::Program(const QString &workingDir)
    : m_production(std::make_unique<Production>()),
      m_workingDir(QDir::toNativeSeparators(workingDir)), m_years(m_workingDir)
{
    compose(m_production->services());
    m_production->dialogs.setMainWindow(m_baza.get());
}

Program::Program(const QString &workingDir, const Services &services)
    : m_workingDir(QDir::toNativeSeparators(workingDir)), m_years(m_workingDir)
{
    compose(services);
}

Program::~Program() = default;

void Program::compose(const Services &services)
{
    storage::Seams &seams = services.seams;
    m_fonts = std::make_unique<printing::PrintFontStore>(m_workingDir, services.printDialogs);

    // A fresh installation gets its data folders before anything else.
    storage::Guarded(seams.dialogs, [&] { storage::EnsureDataTree(m_workingDir); });

    const Tbaza_f::Openers openers{
        [this](const QString &client) { return m_rozliczenie->openClient(client); },
        [this](const printing::NotepadRequest &request) { return m_logowania->openWith(request); }};
    m_baza = std::make_unique<Tbaza_f>(m_workingDir, m_launch, seams, m_windows, openers,
                                       m_clientWindows, *m_fonts);
    m_baza->FormCreate();
    m_rozliczenie = std::make_unique<Trozliczeniesamochodu_f>(m_years, seams, m_yearWindows);
    m_rozliczenie->FormCreate();
    // The working windows' set-ups at start show the year the settlement window has just read.
    const settlement::YearHandOver startYear = m_rozliczenie->handOver();
    m_eksploatacja = std::make_unique<Teksploatacja_f>(m_workingDir, seams);
    m_eksploatacja->setYear(startYear);
    m_eksploatacja->FormCreate();
    m_przebieg = std::make_unique<Tprzebieg_f>(seams);
    m_przebieg->setYear(startYear);
    m_przebieg->FormCreate();
    m_wydruk = std::make_unique<printing::Twydruk_f>(seams, services.printDialogs, *m_fonts);
    m_wydruk->FormCreate();
    m_wyliczenie = std::make_unique<Twyliczenie_f>(
        seams, [this](const settlement::StatementHandOver &statement) {
            return m_wydruk->openWith(statement);
        });
    m_wyliczenie->setYear(startYear);
    m_wyliczenie->FormCreate();
    m_numerator = std::make_unique<Tnumerator_f>(seams);
    m_numerator->setYear(startYear);
    m_numerator->FormCreate();
    m_wizytowka = std::make_unique<Tform3>(services.openUrl);
    m_histo = std::make_unique<Thisto_f>(m_workingDir, seams);
    m_histo->FormCreate();
    m_narzedzia = std::make_unique<Tnarzedzia_f>(
        m_workingDir, m_launch,
        Tnarzedzia_f::Register{[this] { return m_baza->baseDir(); },
                               [this] { return m_baza->heldLockPath(); }},
        seams, services.network);
    m_narzedzia->FormCreate();
    m_logowania = std::make_unique<printing::Tlogowania_f>(m_workingDir, seams,
                                                           services.printDialogs, *m_fonts);
    m_logowania->FormCreate();
    m_siec = std::make_unique<Tsiec_f>(m_workingDir, seams);
    m_siec->FormCreate();

    // The settlement window's buttons: a register with unsaved entries of the same year comes
    // back as it stands; any other window is set up afresh on the year chosen now.
    m_yearWindows.add(WindowId::Mileage, m_przebieg.get());
    m_yearWindows.add(WindowId::OperatingCosts, m_eksploatacja.get());
    m_yearWindows.add(WindowId::Numerator, m_numerator.get());
    m_yearWindows.add(WindowId::Calculation, m_wyliczenie.get());
    m_windows.add(WindowId::Tools, m_narzedzia.get());
    m_windows.add(WindowId::Location, m_siec.get());
    m_windows.add(WindowId::History, m_histo.get());
    // Each window goes before the one it was opened from: the print panel before the
    // calculation, the working windows before the settlement window.
    m_clientWindows.add(m_wydruk.get());
    m_clientWindows.add(m_wyliczenie.get());
    m_clientWindows.add(m_numerator.get());
    m_clientWindows.add(m_eksploatacja.get());
    m_clientWindows.add(m_przebieg.get());
    m_clientWindows.add(m_rozliczenie.get());
    // The business card has no set-up: it is only shown.
    m_windows.add(WindowId::BusinessCard, [this] {
        m_wizytowka->open();
        return true;
    });
}

QList<QWidget *> Program::windowsInOrder() const
{
    return {m_baza.get(),   m_rozliczenie.get(), m_eksploatacja.get(), m_przebieg.get(),
            m_wydruk.get(), m_wyliczenie.get(),  m_numerator.get(),    m_wizytowka.get(),
            m_histo.get(),  m_narzedzia.get(),   m_logowania.get(),    m_siec.get()};
}
