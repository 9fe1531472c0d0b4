#pragma once

#include "clientwindows.h"
#include "clientyears.h"
#include "seams.h"
#include "uruchomienia.h"
#include "windowopener.h"
#include "yearwindows.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;
namespace seams {
struct ProductionSeams;
}
class Tbaza_f;
class Tform3;
class Thisto_f;
class Tlogowania_f;
class Tnarzedzia_f;
class Tnumerator_f;
class Teksploatacja_f;
class Tprzebieg_f;
class Trozliczeniesamochodu_f;
class Tsiec_f;
class Twydruk_f;
class Twyliczenie_f;
namespace admin {
class Network;
}
namespace printing {
class PrintDialogs;
class PrintFontStore;
} // namespace printing

// The program as one object: the seams its windows talk to the platform through, the client's
// years the windows share, this run's launch record, and the thirteen windows, wired so that they
// open one another and hand each other what they need. The main window's set-up (the start-up
// sequence) runs first, before any other window exists; then the file steps of the other
// windows' set-ups run in their order of creation (startup::PrepareWindowFiles). A window other
// than the main one is built when it is first opened (or asked for through windowsInOrder()), so
// that nothing but the main window is laid out and given its fonts before the main window shows;
// its whole set-up runs as it opens, as it always did.
class Program
{
public:
    // What the windows need from the platform.
    struct Services {
        seams::Seams &seams;
        printing::PrintDialogs &printDialogs;
        admin::Network &network;
        // Hands a web or mail address to the desktop's default program.
        std::function<bool(const QUrl &)> openUrl;
    };

    // The production program in `workingDir` on the production seams (Qt dialogs, the system
    // clock and locale; ending the program ends the process), Qt's print dialogs and the real
    // network.
    Program(const QString &workingDir, std::unique_ptr<seams::ProductionSeams> production);
    Program(const QString &workingDir, const Services &services);
    ~Program();
    Q_DISABLE_COPY(Program)

    Tbaza_f &mainWindow() { return *m_baza; }
    const QString &workingDir() const { return m_workingDir; }
    ui::WindowOpener &windows() { return m_windows; }
    // The windows in their order of creation: the twelve that have one (the print font, created
    // thirteenth, is the font store, which has no window). Builds those not built yet.
    QList<QWidget *> windowsInOrder();

private:
    struct Production;

    void compose();
    // Each window, built on first use.
    Trozliczeniesamochodu_f &rozliczenie();
    Teksploatacja_f &eksploatacja();
    Tprzebieg_f &przebieg();
    Twydruk_f &wydruk();
    Twyliczenie_f &wyliczenie();
    Tnumerator_f &numerator();
    Tform3 &wizytowka();
    Thisto_f &histo();
    Tnarzedzia_f &narzedzia();
    Tlogowania_f &logowania();
    Tsiec_f &siec();

    // Declared first, so that the windows go before the seams they hold.
    std::unique_ptr<Production> m_production;
    // The process's directory at start, never changed: root of the settlement files.
    QString m_workingDir;
    LaunchValues m_launch;
    // What the windows are built with.
    Services m_services;
    // Declared before the windows, which hold the years it hands out.
    settlement::ClientYears m_years;
    ui::WindowTable m_windows;
    settlement::YearWindowTable m_yearWindows;
    // The settlement window and the windows opened from it, closed before another client is
    // opened and before the program ends.
    ui::ClientWindowList m_clientWindows;
    std::unique_ptr<printing::PrintFontStore> m_fonts;

    std::unique_ptr<Tbaza_f> m_baza;
    std::unique_ptr<Trozliczeniesamochodu_f> m_rozliczenie;
    std::unique_ptr<Teksploatacja_f> m_eksploatacja;
    std::unique_ptr<Tprzebieg_f> m_przebieg;
    std::unique_ptr<Twydruk_f> m_wydruk;
    std::unique_ptr<Twyliczenie_f> m_wyliczenie;
    std::unique_ptr<Tnumerator_f> m_numerator;
    std::unique_ptr<Tform3> m_wizytowka;
    std::unique_ptr<Thisto_f> m_histo;
    std::unique_ptr<Tnarzedzia_f> m_narzedzia;
    std::unique_ptr<Tlogowania_f> m_logowania;
    std::unique_ptr<Tsiec_f> m_siec;
};
