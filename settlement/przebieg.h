#pragma once

#include "mileagerules.h"
#include "seams.h"
#include "yearwindow.h"

#include <memory>

class QTableWidget;
class QTimer;
class Tewidencja_f;

namespace printing {
class PrintDialogs;
}
namespace storage {
struct Trip;
}

namespace Ui {
class Tprzebieg_f;
}
namespace ui {
class HelpPanel;
class RegisterGrid;
} // namespace ui

// The mileage register of one settlement year: kilometres, rate and amount of each
// month, saved to the year's ".prz" file by "Powrót".
class Tprzebieg_f : public settlement::YearWindow
{
    Q_OBJECT

public:
    explicit Tprzebieg_f(seams::Seams &seams, QWidget *parent = nullptr);
    ~Tprzebieg_f() override;
    Q_DISABLE_COPY(Tprzebieg_f)

    bool FormCreate() override;

    // Handlers, public so that tests can drive them as a user would.
    void p1Click(); // "Tak"
    void p2Click(); // "Nie"
    void Timer1Timer();
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton1Click(); // "Powrót" of the help panel
    void SpeedButton3Click(); // "Powrót": save and close
    void SpeedButton4Click(); // "Ewidencja przebiegu": the log of the register's year

    // The print dialogs of the log window; without them it shows Qt's own.
    void setPrintDialogs(printing::PrintDialogs &dialogs) { m_printDialogs = &dialogs; }
    // The log window once it has been opened.
    Tewidencja_f *tripLog() const { return m_tripLog.get(); }
    // What the log's "Powrót" hands over: every month with trips takes their kilometres, rate and
    // amount (settlement::FeedMileage), and the register saves as its "Powrót" does, staying
    // open. A log of a year other than the one shown here goes straight into that year's record.
    void takeTrips(settlement::ClientYear &year, const QList<storage::Trip> &trips);
    bool leaveAsReturn() override;
    // Saves only when the user has changed something since the set-up.
    bool leaveAutomatically() override;
    bool holdsUnsavedEntries() const override { return m_edited; }

    // The year and the year file stem taken at the last set-up; "Powrót" saves into them even
    // when the settlement window has chosen another year meanwhile.
    QString yearText() const { return year() ? year()->year() : QString(); }
    QString yearStem() const { return year() ? year()->stem() : QString(); }

protected:
    QString returnNote() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void watchYear(settlement::ClientYear &year) override;

private:
    settlement::MileageGrid grid() const;
    // Shows the cells as the program computed or read them: not an entry of the user's.
    void setGrid(const settlement::MileageGrid &grid);
    void setCell(int row, int column, const QString &text);
    void setAutomatic(settlement::MileageAmounts amounts);
    void showRecord(const storage::Record &record);

    seams::Seams &m_seams;
    settlement::MileageAmounts m_amounts = settlement::MileageAmounts::ByHand;
    // Something typed or switched by the user since the set-up or the last save.
    bool m_edited = false;
    // The set-up is filling the window: its changes are not the user's.
    bool m_filling = false;

    // The grid `przebieg` holds the months in rows 0 to 11 and the columns "Kilometry",
    // "Przelicznik", "Kwota" in columns 0 to 2; the month names and the captions are its headers.
    std::unique_ptr<Ui::Tprzebieg_f> m_ui;
    ui::HelpPanel *Panel1 = nullptr;
    ui::RegisterGrid *m_registerGrid = nullptr;
    QTimer *Timer1 = nullptr;
    printing::PrintDialogs *m_printDialogs = nullptr;
    std::unique_ptr<printing::PrintDialogs> m_ownPrintDialogs;
    std::unique_ptr<Tewidencja_f> m_tripLog;
};
