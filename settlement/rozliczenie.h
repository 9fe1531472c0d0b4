#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"
#include "windowopener.h"

#include <memory>

class QTimer;

namespace Ui {
class RozliczenieForm;
}

// The settlement of one client: owner and car, the settlement year, the year totals, and the
// buttons of the four working windows of the year.
class Trozliczeniesamochodu_f : public FormWindow
{
    Q_OBJECT

public:
    // The working windows the buttons open are created after this one; `windows` opens them.
    Trozliczeniesamochodu_f(storage::ProgramState &state, storage::Seams &seams,
                            ui::WindowOpener &windows, QWidget *parent = nullptr);
    ~Trozliczeniesamochodu_f() override;

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
    const QString &stem() const { return m_stem; }

private:
    void loadYearFiles();
    void openWorkingWindow(ui::WindowId window);

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    QString m_client;
    QString m_year;
    QString m_stem;
    ui::WindowOpener &m_windows;

    std::unique_ptr<Ui::RozliczenieForm> m_ui;
    QTimer *Timer1 = nullptr;
};
