#pragma once

#include "calculationresults.h"
#include "seams.h"
#include "statementhandover.h"
#include "yearwindow.h"

#include <functional>
#include <memory>

class QTimer;

namespace Ui {
class Twyliczenie_f;
}

// The monthly cost calculation of one client and year: works out the month of the clock and any
// month chosen afterwards from the year's mileage and cost records as they stand (a register
// saved meanwhile is worked in at once), and hands the results with the owner and cost records
// they came from to the print panel when it opens it. Another year chosen in the settlement
// window does not reach an open calculation: it keeps the year it was set up with.
class Twyliczenie_f : public settlement::YearWindow
{
    Q_OBJECT

public:
    // Opens the print panel for "Wydruk" with what it is to print.
    using PrintPanelOpener = std::function<bool(const settlement::StatementHandOver &)>;
    Twyliczenie_f(seams::Seams &seams, PrintPanelOpener openPrintPanel, QWidget *parent = nullptr);
    ~Twyliczenie_f() override;
    Q_DISABLE_COPY(Twyliczenie_f)

    // Creates the year's numerator when missing, takes over the year and headers, and works out
    // the month of the clock. False when a file step failed (its error box has been shown).
    bool FormCreate() override;

    // The calculation of the chosen month, as the print panel is handed it.
    const settlement::CalculationResults &results() const { return m_results; }

    // Handlers, public so that tests can drive them as a user would.
    void listamClick();
    void WyliczKoszty();
    void Timer1Timer();
    void SpeedButton1Click(); // "Powrót" of the help panel
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton3Click(); // "Wydruk"
    void SpeedButton4Click(); // "Powrót"
    void SpeedButton5Click(); // "Eksport CSV"

protected:
    void watchYear(settlement::ClientYear &year) override;

private:
    void selectMonth(int month);

    seams::Seams &m_seams;
    PrintPanelOpener m_openPrintPanel;
    int m_month = 1;
    // Whether the set-up has worked out a month of the year it holds.
    bool m_calculated = false;
    settlement::CalculationResults m_results;

    std::unique_ptr<Ui::Twyliczenie_f> m_ui;
    QTimer *Timer1 = nullptr;
};
