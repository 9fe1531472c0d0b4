#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "seams.h"
#include "windowopener.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The settlement of one client: owner and car, the settlement year, the year totals, and the
// buttons of the four working windows of the year.
class Trozliczeniesamochodu_f : public FormWindow
{
    Q_OBJECT

public:
    // The working windows the buttons open are created after this one; `windows` opens them.
    Trozliczeniesamochodu_f(storage::ProgramState &state, storage::Seams &seams,
                            ui::WindowOpener &windows, QWidget *parent = nullptr);

    bool FormCreate() override;
    void Timer1Timer();
    void listarokClick();
    void SpeedButton1Click(); // "Zapisz"
    void SpeedButton5Click(); // "Przebieg"
    void SpeedButton4Click(); // "Eksploatacja"
    void SpeedButton3Click(); // "Numerator"
    void SpeedButton2Click(); // "Wyliczenie kosztów"
    void SpeedButton6Click(); // "Powrót"

    // The default settlement year for a date: its year, or 2000 outside 1996 to 2012.
    static int DefaultYear(const QDate &today);
    // Whether the working buttons may be used: all fields but the tax number filled.
    static bool OwnerComplete(const QString &nazwa1, const QString &nazwa2, const QString &nazwa3,
                              const QString &marka, const QString &rejestracja);

    const QString &yearText() const { return m_year; }
    const QString &stem() const { return m_stem; }

private:
    void loadYearFiles();
    void openWorkingWindow(ui::WindowId window);

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    QString m_client;
    QString m_year;
    QString m_stem;
    ui::WindowOpener &m_windows;

    QLineEdit *nazwa1 = nullptr;
    QLineEdit *nazwa2 = nullptr;
    QLineEdit *nazwa3 = nullptr;
    QLineEdit *nip = nullptr;
    QLineEdit *rejestracja = nullptr;
    QLineEdit *marka = nullptr;
    QLineEdit *id = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QPushButton *SpeedButton4 = nullptr;
    QPushButton *SpeedButton5 = nullptr;
    QPushButton *SpeedButton6 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label15 = nullptr;
    QComboBox *listarok = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTimer *Timer1 = nullptr;
};
