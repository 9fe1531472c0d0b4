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

Program::Program(const QString &workingDir) : m_production(std::make_unique<Production>())
{
    m_state.workingDir = QDir::toNativeSeparators(workingDir);
    compose(m_production->services());
    m_production->dialogs.setMainWindow(m_baza.get());
}

Program::Program(const QString &workingDir, const Services &services)
{
    m_state.workingDir = QDir::toNativeSeparators(workingDir);
    compose(services);
}

Program::~Program() = default;

void Program::compose(const Services &services)
{
    storage::Seams &seams = services.seams;
    m_state.baseDir = m_state.workingDir;
    m_fonts = std::make_unique<printing::PrintFontStore>(m_state, services.printDialogs);

    // A fresh installation gets its data folders before anything else.
    storage::Guarded(seams.dialogs, [&] { storage::EnsureDataTree(m_state.workingDir); });

    m_baza = std::make_unique<Tbaza_f>(m_state, seams, m_windows, m_clientWindows, *m_fonts);
    m_baza->FormCreate();
    m_rozliczenie = std::make_unique<Trozliczeniesamochodu_f>(m_state, seams, m_windows);
    m_rozliczenie->FormCreate();
    m_eksploatacja = std::make_unique<Teksploatacja_f>(m_state, seams);
    m_eksploatacja->FormCreate();
    m_przebieg = std::make_unique<Tprzebieg_f>(m_state, seams);
    m_przebieg->FormCreate();
    m_wydruk = std::make_unique<printing::Twydruk_f>(m_state, seams, services.printDialogs);
    m_wydruk->FormCreate();
    m_wyliczenie = std::make_unique<Twyliczenie_f>(m_state, seams, m_windows);
    m_wyliczenie->FormCreate();
    m_numerator = std::make_unique<Tnumerator_f>(m_state, seams);
    m_numerator->FormCreate();
    m_wizytowka = std::make_unique<Tform3>(services.openUrl);
    m_histo = std::make_unique<Thisto_f>(m_state, seams);
    m_histo->FormCreate();
    m_narzedzia = std::make_unique<Tnarzedzia_f>(m_state, seams, services.network);
    m_narzedzia->FormCreate();
    m_logowania = std::make_unique<printing::Tlogowania_f>(m_state, seams, services.printDialogs);
    m_logowania->FormCreate();
    m_siec = std::make_unique<Tsiec_f>(m_state, seams);
    m_siec->FormCreate();

    m_windows.add(WindowId::Settlement, m_rozliczenie.get());
    // The settlement window's buttons bring an open working window back as it stands.
    m_windows.add(WindowId::Mileage, m_przebieg.get(), ui::Reopening::BringBack);
    m_windows.add(WindowId::OperatingCosts, m_eksploatacja.get(), ui::Reopening::BringBack);
    m_windows.add(WindowId::Numerator, m_numerator.get(), ui::Reopening::BringBack);
    m_windows.add(WindowId::Calculation, m_wyliczenie.get(), ui::Reopening::BringBack);
    // Every "Wydruk" hands the print panel the calculation as it stands, so the panel's set-up
    // runs each time to take it over.
    m_windows.add(WindowId::PrintPanel, m_wydruk.get(), ui::Reopening::SetUpAgain);
    m_windows.add(WindowId::Tools, m_narzedzia.get());
    m_windows.add(WindowId::Location, m_siec.get());
    m_windows.add(WindowId::History, m_histo.get());
    m_windows.add(WindowId::Notepad, m_logowania.get());
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
