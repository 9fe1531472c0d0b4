#pragma once

#include <functional>
#include <memory>

#include "formwindow.h"
#include "seams.h"
#include "uruchomienia.h"

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
    // The register's folder (the base directory) and the lock this copy of the program holds
    // are asked for when an operation runs: both change while the program works.
    struct Register {
        std::function<QString()> baseDir;
        std::function<QString()> heldLock;
    };
    Tnarzedzia_f(const QString &workingDir, LaunchValues &launch, Register registerFolder,
                 seams::Seams &seams, admin::Network &network, QWidget *parent = nullptr);
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

    QString m_workingDir;
    LaunchValues &m_launch;
    Register m_register;
    seams::Seams &m_seams;
    admin::UpdateCheck *m_update = nullptr;

    std::unique_ptr<Ui::Tnarzedzia_f> m_ui;
};
