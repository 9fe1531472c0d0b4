#pragma once

#include "costrules.h"
#include "record.h"
#include "seams.h"
#include "yearwindow.h"

#include <memory>

class QListWidget;
class QTimer;

namespace Ui {
class Teksploatacja_f;
}
namespace ui {
class HelpPanel;
class RegisterGrid;
} // namespace ui

// The operating-cost register of one settlement year: up to 20 invoices a month with
// automatic VAT, kept in the year's ".eks" file, and the VAT setting in the ".vat" file.
class Teksploatacja_f : public settlement::YearWindow
{
    Q_OBJECT

public:
    // The phrase list is the working directory's DANE\eksptresc.dat.
    Teksploatacja_f(const QString &workingDir, seams::Seams &seams, QWidget *parent = nullptr);
    ~Teksploatacja_f() override;
    Q_DISABLE_COPY(Teksploatacja_f)

    bool FormCreate() override;

    // Handlers, public so that tests can drive them as a user would.
    void listaClick();         // a month chosen in `lista`
    void ekspKeyDown(int key); // 13: Enter in the grid
    void Timer1Timer();
    void Button2Click(); // "&Data"
    void Button3Click(); // "&Wstaw treść"
    void Button4Click(); // "&Edytor treści"
    void listaTrDblClick();
    void listaTrKeyDown(int key); // 27: Escape in the phrase list
    void SpeedButton3Click();     // "Pomoc"
    void SpeedButton1Click();     // "Powrót" of the help panel
    void SpeedButton2Click();     // "Powrót": save and close
    bool leaveAsReturn() override;
    // Saves only when the user has changed something since the set-up.
    bool leaveAutomatically() override;
    bool holdsUnsavedEntries() const override { return m_edited; }
    // Ctrl+Delete in the grid: after a question, removes the invoice of the current row; the rows
    // below move up.
    void removeCurrentRow();

    // The year and the year file stem taken at the last set-up; the window saves into them even
    // when the settlement window has chosen another year meanwhile.
    QString yearText() const { return year() ? year()->year() : QString(); }
    QString yearStem() const { return year() ? year()->stem() : QString(); }
    // The month shown in the grid, 1..12.
    int shownMonth() const { return m_month; }

protected:
    QString returnNote() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString cell(int row, int column) const; // row 0..19, column 0..4
    void setCell(int row, int column, const QString &text);
    settlement::CostMonth rows() const;
    void setRows(const settlement::CostMonth &rows);
    int currentRow() const; // 0..19
    void loadGrid();
    void storeGrid(const settlement::CostMonth &rows);
    settlement::VatMode vatMode() const;
    QString phrasePath() const;
    void markEdited();
    // The keyboard back on the grid's current cell after a button or list did its work.
    void backToGrid();

    QString m_workingDir;
    seams::Seams &m_seams;
    int m_month = 1;
    // Something typed, chosen or switched by the user since the set-up or the last save.
    bool m_edited = false;
    // The program is filling the window: its changes are not the user's.
    bool m_filling = false;
    // The year's cost record, read at set-up; written at every month change and by "Powrót".
    storage::Record m_record;

    // The grid `eksp` holds entry rows 1 to 20 in rows 0 to 19; the captions are its header.
    std::unique_ptr<Ui::Teksploatacja_f> m_ui;
    // The phrase list and the help panel lie over the window while they are shown.
    QListWidget *listaTr = nullptr;
    ui::HelpPanel *Panel2 = nullptr;
    ui::RegisterGrid *m_registerGrid = nullptr;
    QTimer *Timer1 = nullptr;
};
