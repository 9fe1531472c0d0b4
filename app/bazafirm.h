#pragma once

#include "programstate.h"
#include "record.h"
#include "seams.h"

#include <QMainWindow>

class FormWindow;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The main window: the client register of 500 positions.
class Tbaza_f : public QMainWindow
{
    Q_OBJECT

public:
    Tbaza_f(storage::ProgramState &state, storage::Seams &seams, QWidget *parent = nullptr);
    Q_DISABLE_COPY(Tbaza_f)

    // Start-up of the window; runs once, before it is first shown.
    void FormCreate();

    // The settlement window that a double-click opens.
    void setSettlementWindow(FormWindow *window) { m_settlement = window; }

    // Handlers, public so that tests can drive them as a user would.
    void lista_kClick();
    void lista_kDblClick();
    void SpeedButton4Click(); // "Dodaj do listy"
    void SpeedButton3Click(); // "Popraw wpis"
    void SpeedButton2Click(); // "Usuń z listy"
    void Timer1Timer();

    // The client number of the selected position ("001" … "500"), empty when none is selected.
    QString currentClientNumber() const;

private:
    void loadRegister();
    void saveRegister();
    void refreshOwnerHint();
    QString registerPath() const;

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    // The register file as read at start-up; its unused tail is written back unchanged.
    storage::Record m_klienci;
    // The owner record of the client last shown in the hint.
    storage::Record m_owner;
    FormWindow *m_settlement = nullptr;

    QLabel *Label2 = nullptr;
    QListWidget *lista_k = nullptr;
    QLabel *Panel1 = nullptr;
    QPushButton *SpeedButton4 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTimer *Timer1 = nullptr;
};
