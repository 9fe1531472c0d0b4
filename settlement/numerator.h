#pragma once

#include "record.h"
#include "seams.h"
#include "yearwindow.h"

#include <memory>

namespace Ui {
class Tnumerator_f;
}
namespace ui {
class HelpPanel;
}

// The number and suffix of the next statement of one client and year. While it is open it
// shows the number as stored, also after a print has advanced it, until the user edits it.
class Tnumerator_f : public settlement::YearWindow
{
    Q_OBJECT

public:
    explicit Tnumerator_f(seams::Seams &seams, QWidget *parent = nullptr);
    ~Tnumerator_f() override;

    bool FormCreate() override;
    void SpeedButton3Click(); // "Powrót": save and close
    bool leaveAsReturn() override;
    // Writes only what the user edited; a window left unedited writes nothing, so a number
    // advanced by a print meanwhile stays advanced.
    bool leaveAutomatically() override;
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton1Click(); // "Powrót" of the help panel

protected:
    void watchYear(settlement::ClientYear &year) override;
    QString returnNote() const override;

private:
    void showRecord(const storage::Record &record);
    // Whether the number or the suffix differs from what the window last showed or saved,
    // however it was changed (typed, pasted, set through the accessibility interface).
    bool edited() const;

    seams::Seams &m_seams;
    QString m_shownNumber;
    QString m_shownSuffix;

    std::unique_ptr<Ui::Tnumerator_f> m_ui;
    ui::HelpPanel *Panel1 = nullptr;
};
