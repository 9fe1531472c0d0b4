#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"

#include <memory>

namespace Ui {
class NumeratorForm;
}
namespace ui {
class HelpPanel;
}

// The number and suffix of the next statement of one client and year.
class Tnumerator_f : public FormWindow
{
    Q_OBJECT

public:
    Tnumerator_f(storage::ProgramState &state, storage::Seams &seams, QWidget *parent = nullptr);
    ~Tnumerator_f() override;

    bool FormCreate() override;
    void SpeedButton3Click(); // "Powrót": save and close
    bool leaveAsReturn() override;
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton1Click(); // "Powrót" of the help panel

protected:
    QString returnNote() const override;

private:
    QString numeratorFile() const;

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    QString m_stem;

    std::unique_ptr<Ui::NumeratorForm> m_ui;
    ui::HelpPanel *Panel1 = nullptr;
};
