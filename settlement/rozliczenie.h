#pragma once

#include "clientyears.h"
#include "formwindow.h"
#include "seams.h"
#include "yearwindows.h"

#include <memory>

class QTimer;

namespace Ui {
class Trozliczeniesamochodu_f;
}

// The settlement of one client: owner and car, the settlement year, the year totals, and the
// buttons of the four working windows of the year.
class Trozliczeniesamochodu_f : public FormWindow
{
    Q_OBJECT

public:
    // The working windows the buttons open are created after this one; `windows` opens them.
    // `years` holds the client's years that the windows share.
    Trozliczeniesamochodu_f(settlement::ClientYears &years, seams::Seams &seams,
                            settlement::YearWindowOpener &windows, QWidget *parent = nullptr);
    ~Trozliczeniesamochodu_f() override;

    // Sets the window up on `client` (the number the main window opened under its lock) and shows
    // it; false when the set-up failed.
    bool openClient(const QString &client);
    // Reads the client's owner record and the default year afresh (client "1" before any client
    // has been opened).
    bool FormCreate() override;
    void Timer1Timer();
    void listarokClick();
    void SpeedButton1Click(); // "Zapisz"
    void SpeedButton5Click(); // "Przebieg"
    void SpeedButton4Click(); // "Eksploatacja"
    void SpeedButton3Click(); // "Numerator"
    void SpeedButton2Click(); // "Wyliczenie kosztów"
    void SpeedButton6Click(); // "Powrót"
    bool leaveAsReturn() override;

    // The default settlement year for a date: its year, or 2000 outside 1996 to 2012.
    static int DefaultYear(const QDate &today);
    // Whether the working buttons may be used: all fields but the tax number filled.
    static bool OwnerComplete(const QString &nazwa1, const QString &nazwa2, const QString &nazwa3,
                              const QString &marka, const QString &rejestracja);

    const QString &yearText() const { return m_year; }
    QString stem() const { return m_rok ? m_rok->stem() : QString(); }
    // The chosen year with the header lines as the window shows them now: what a working window
    // is handed when it is opened.
    settlement::YearHandOver handOver() const;

private:
    void openWorkingWindow(ui::WindowId window);

    settlement::ClientYears &m_years;
    seams::Seams &m_seams;
    settlement::YearWindowOpener &m_windows;
    QString m_client = QStringLiteral("1");
    // The client whose years the windows were last handed.
    QString m_readClient;
    QString m_year;
    // The chosen year of the client; the totals panel shows its records as they stand.
    std::shared_ptr<settlement::ClientYear> m_rok;

    std::unique_ptr<Ui::Trozliczeniesamochodu_f> m_ui;
    QTimer *Timer1 = nullptr;
};
