#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The number and suffix of the next statement of one client and year.
class Tnumerator_f : public FormWindow
{
    Q_OBJECT

public:
    Tnumerator_f(storage::ProgramState &state, storage::Seams &seams, QWidget *parent = nullptr);

    bool FormCreate() override;
    void SpeedButton3Click(); // "Powrót": save and close
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton1Click(); // "Powrót" of the help panel

private:
    QString numeratorFile() const;

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    QString m_stem;

    QLineEdit *numerator = nullptr;
    QLineEdit *rozszerzenie = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QFrame *Panel1 = nullptr;
};
