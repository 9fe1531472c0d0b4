#include "program.h"

#include "application.h"
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
#include "rozliczenie.h"
#include "siec.h"
#include "startup.h"
#include "wizytowka.h"
#include "wydruk.h"
#include "wyliczenie.h"

#include <QDesktopServices>
#include <QDir>

#include <cstdlib>

using ui::WindowId;

// The platform side of the production program.
struct Program::Production {
    explicit Production(std::unique_ptr<seams::ProductionSeams> base) : base(std::move(base)) {}

    std::unique_ptr<seams::ProductionSeams> base;
    printing::QtPrintDialogs printDialogs;
    admin::QtNetwork network;

    Services services()
    {
        return {base->seams, printDialogs, network,
                [](const QUrl &url) { return QDesktopServices::openUrl(url); }};
    }
};

Program::Program(const QString &workingDir, std::unique_ptr<seams::ProductionSeams> production)
    : m_production(std::make_unique<Production>(std::move(production))),
      m_workingDir(QDir::toNativeSeparators(workingDir)), m_services(m_production->services()),
      m_years(m_workingDir)
{
    compose();
    m_production->base->dialogs.setMainWindow(m_baza.get());
}

Program::Program(const QString &workingDir, const Services &services)
    : m_workingDir(QDir::toNativeSeparators(workingDir)), m_services(services),
      m_years(m_workingDir)
{
    compose();
}

Program::~Program() = default;

void Program::compose()
{
    seams::Seams &seams = m_services.seams;
    m_fonts = std::make_unique<printing::PrintFontStore>(m_workingDir, m_services.printDialogs);

    // A fresh installation gets its data folders before anything else.
    seams::Guarded(seams.dialogs, [&] { storage::EnsureDataTree(m_workingDir); });

    const Tbaza_f::Openers openers{
        [this](const QString &client) { return rozliczenie().openClient(client); },
        [this](const printing::NotepadRequest &request) { return logowania().openWith(request); }};
    m_baza = std::make_unique<Tbaza_f>(m_workingDir, m_launch, seams, m_windows, openers,
                                       m_clientWindows, *m_fonts);
    m_baza->FormCreate();
    // What the other windows' set-ups create and read at start, in their order; the windows
    // follow when they are first opened.
    startup::PrepareWindowFiles(m_workingDir, m_years, seams);

    // The settlement window's buttons: a register with unsaved entries of the same year comes
    // back as it stands; any other window is set up afresh on the year chosen now.
    m_yearWindows.add(WindowId::Mileage, [this] { return &przebieg(); });
    m_yearWindows.add(WindowId::OperatingCosts, [this] { return &eksploatacja(); });
    m_yearWindows.add(WindowId::Numerator, [this] { return &numerator(); });
    m_yearWindows.add(WindowId::Calculation, [this] { return &wyliczenie(); });
    m_windows.add(WindowId::Tools, [this] { return narzedzia().prepareAndOpen(); });
    m_windows.add(WindowId::Location, [this] { return siec().prepareAndOpen(); });
    m_windows.add(WindowId::History, [this] { return histo().prepareAndOpen(); });
    // Each window goes before the one it was opened from: the print panel before the
    // calculation, the working windows before the settlement window. A window not built yet
    // has never been open.
    m_clientWindows.add([this]() -> FormWindow * { return m_wydruk.get(); });
    m_clientWindows.add([this]() -> FormWindow * { return m_wyliczenie.get(); });
    m_clientWindows.add([this]() -> FormWindow * { return m_numerator.get(); });
    m_clientWindows.add([this]() -> FormWindow * { return m_eksploatacja.get(); });
    m_clientWindows.add([this]() -> FormWindow * { return m_przebieg.get(); });
    m_clientWindows.add([this]() -> FormWindow * { return m_rozliczenie.get(); });
    // The business card has no set-up: it is only shown.
    m_windows.add(WindowId::BusinessCard, [this] {
        wizytowka().open();
        return true;
    });
}

namespace {

template <typename Window, typename Build>
Window &built(std::unique_ptr<Window> &window, Build build)
{
    if (!window)
        window = build();
    return *window;
}

} // namespace

Trozliczeniesamochodu_f &Program::rozliczenie()
{
    return built(m_rozliczenie, [this] {
        return std::make_unique<Trozliczeniesamochodu_f>(m_years, m_services.seams, m_yearWindows);
    });
}

Teksploatacja_f &Program::eksploatacja()
{
    return built(m_eksploatacja, [this] {
        return std::make_unique<Teksploatacja_f>(m_workingDir, m_services.seams);
    });
}

Tprzebieg_f &Program::przebieg()
{
    return built(m_przebieg, [this] {
        auto window = std::make_unique<Tprzebieg_f>(m_services.seams);
        // The mileage log it opens prints through the program's print dialogs, as the statement
        // does.
        window->setPrintDialogs(m_services.printDialogs);
        return window;
    });
}

Twydruk_f &Program::wydruk()
{
    return built(m_wydruk, [this] {
        return std::make_unique<Twydruk_f>(m_services.seams, m_services.printDialogs, *m_fonts);
    });
}

Twyliczenie_f &Program::wyliczenie()
{
    return built(m_wyliczenie, [this] {
        return std::make_unique<Twyliczenie_f>(
            m_services.seams, [this](const settlement::StatementHandOver &statement) {
                return wydruk().openWith(statement);
            });
    });
}

Tnumerator_f &Program::numerator()
{
    return built(m_numerator, [this] { return std::make_unique<Tnumerator_f>(m_services.seams); });
}

Tform3 &Program::wizytowka()
{
    return built(m_wizytowka, [this] { return std::make_unique<Tform3>(m_services.openUrl); });
}

Thisto_f &Program::histo()
{
    return built(m_histo,
                 [this] { return std::make_unique<Thisto_f>(m_workingDir, m_services.seams); });
}

Tnarzedzia_f &Program::narzedzia()
{
    return built(m_narzedzia, [this] {
        return std::make_unique<Tnarzedzia_f>(
            m_workingDir, m_launch,
            Tnarzedzia_f::Register{[this] { return m_baza->baseDir(); },
                                   [this] { return m_baza->heldLockPath(); }},
            m_services.seams, m_services.network);
    });
}

Tlogowania_f &Program::logowania()
{
    return built(m_logowania, [this] {
        return std::make_unique<Tlogowania_f>(m_workingDir, m_services.seams,
                                              m_services.printDialogs, *m_fonts);
    });
}

Tsiec_f &Program::siec()
{
    return built(m_siec,
                 [this] { return std::make_unique<Tsiec_f>(m_workingDir, m_services.seams); });
}

QList<QWidget *> Program::windowsInOrder()
{
    return {m_baza.get(), &rozliczenie(), &eksploatacja(), &przebieg(),
            &wydruk(),    &wyliczenie(),  &numerator(),    &wizytowka(),
            &histo(),     &narzedzia(),   &logowania(),    &siec()};
}
