#pragma once

#include <memory>

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"

class QPlainTextEdit;
class QPushButton;
class QRadioButton;
namespace Ui {
class Tnarzedzia_f;
}

namespace admin {
class Network;
class UpdateCheck;
} // namespace admin

// "Narzędzia administratora": clean-up operations, each run after a confirmation, and the
// update check.
class Tnarzedzia_f : public FormWindow
{
    Q_OBJECT

public:
    Tnarzedzia_f(storage::ProgramState &state, storage::Seams &seams, admin::Network &network,
                 QWidget *parent = nullptr);
    ~Tnarzedzia_f() override;
    Q_DISABLE_COPY(Tnarzedzia_f)

    // Opens with no operation chosen, so that nothing is deleted by an unconsidered click.
    bool FormCreate() override;
    void op3Click();
    void op4Click();
    void op5Click();
    void SpeedButton2Click(); // "Wykonaj operację"
    void SpeedButton3Click(); // "Sprawdź aktualizację"
    void SpeedButton1Click(); // "Powrót"

    admin::UpdateCheck &updateCheck() { return *m_update; }

private:
    void run();

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    admin::UpdateCheck *m_update = nullptr;

    std::unique_ptr<Ui::Tnarzedzia_f> m_ui;
    QRadioButton *op3 = nullptr;
    QRadioButton *op4 = nullptr;
    QRadioButton *op5 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
};
