#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"
#include "windowopener.h"

#include <memory>

class QTimer;

namespace Ui {
class WyliczenieForm;
}

// The monthly cost calculation of one client and year: reads the year's mileage and cost files
// at set-up, works out the month of the clock and any month chosen afterwards, and leaves the
// results in the program state for the print panel.
class Twyliczenie_f : public FormWindow
{
    Q_OBJECT

public:
    // `windows` opens the print panel for "Wydruk".
    Twyliczenie_f(storage::ProgramState &state, storage::Seams &seams, ui::WindowOpener &windows,
                  QWidget *parent = nullptr);
    ~Twyliczenie_f() override;
    Q_DISABLE_COPY(Twyliczenie_f)

    // Re-reads the year files named by the state's stem into the shared records and works out
    // the month of the clock. False when a file step failed (its error box has been shown).
    bool FormCreate() override;

    // Handlers, public so that tests can drive them as a user would.
    void listamClick();
    void WyliczKoszty();
    void Timer1Timer();
    void SpeedButton1Click(); // "Powrót" of the help panel
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton3Click(); // "Wydruk"
    void SpeedButton4Click(); // "Powrót"

private:
    void selectMonth(int month);

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    ui::WindowOpener &m_windows;
    int m_month = 1;
    // The year the loaded records belong to, for the title of every month chosen later.
    QString m_yearText;

    std::unique_ptr<Ui::WyliczenieForm> m_ui;
    QTimer *Timer1 = nullptr;
};
