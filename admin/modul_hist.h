#pragma once

#include <memory>

#include "formwindow.h"
#include "seams.h"
#include "uruchomienia.h"

class QTimer;
namespace Ui {
class Thisto_f;
}

// "Historia": the last orderly run as the base directory's history holds it, and the base
// directory in use.
class Thisto_f : public FormWindow
{
    Q_OBJECT

public:
    Thisto_f(const QString &workingDir, seams::Seams &seams, QWidget *parent = nullptr);
    ~Thisto_f() override;
    Q_DISABLE_COPY(Thisto_f)

    bool FormCreate() override;
    void Timer1Timer();
    void SpeedButton1Click(); // "Powrót"

private:
    QString m_workingDir;
    seams::Seams &m_seams;

    std::unique_ptr<Ui::Thisto_f> m_ui;
    QTimer *Timer1 = nullptr;
};
