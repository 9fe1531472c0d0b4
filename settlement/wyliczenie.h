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
// at set-up into the shared records and into a copy of its own, works out the month of the clock
// and any month chosen afterwards from that copy, and hands the results with the records they
// came from to the print panel when it opens it. What other windows do meanwhile (another year
// chosen, another client opened, a register saved) does not reach an open calculation.
class Twyliczenie_f : public FormWindow
{
    Q_OBJECT

public:
    // `windows` opens the print panel for "Wydruk".
    Twyliczenie_f(storage::ProgramState &state, storage::Seams &seams, ui::WindowOpener &windows,
                  QWidget *parent = nullptr);
    ~Twyliczenie_f() override;
    Q_DISABLE_COPY(Twyliczenie_f)

    // Re-reads the year files named by the state's stem into the shared records and the
    // window's copy, takes over the year, stem, owner record and headers, and works out the
    // month of the clock. False when a file step failed (its error box has been shown).
    bool FormCreate() override;

    // The calculation of the chosen month, as the print panel is handed it.
    const storage::CalculationResults &results() const { return m_results; }

    // Handlers, public so that tests can drive them as a user would.
    void listamClick();
    void WyliczKoszty();
    void Timer1Timer();
    void SpeedButton1Click(); // "Powrót" of the help panel
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton3Click(); // "Wydruk"
    void SpeedButton4Click(); // "Powrót"
    void SpeedButton5Click(); // "Eksport CSV"

private:
    void selectMonth(int month);

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    ui::WindowOpener &m_windows;
    int m_month = 1;
    // What the set-up took over; every month chosen later is worked out from it.
    QString m_yearText;
    QString m_stem;
    storage::Record m_owner{storage::owner::kSize};
    storage::Record m_mileage{storage::mileage::kSize};
    storage::Record m_costs{storage::cost::kSize};
    storage::CalculationResults m_results;

    std::unique_ptr<Ui::WyliczenieForm> m_ui;
    QTimer *Timer1 = nullptr;
};
