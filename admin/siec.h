#pragma once

#include <memory>

#include "formwindow.h"
#include "seams.h"

#include <functional>

class QLineEdit;
class QTimer;
namespace Ui {
class Tsiec_f;
}

// "Definiowanie baz danych": local or network mode and the two paths of the database location
// record. Saving ends the program; the new location takes effect at the next start.
class Tsiec_f : public FormWindow
{
    Q_OBJECT

public:
    Tsiec_f(const QString &workingDir, seams::Seams &seams, QWidget *parent = nullptr);
    ~Tsiec_f() override;
    Q_DISABLE_COPY(Tsiec_f)

    bool FormCreate() override;
    void Timer1Timer();
    void SpeedButton2Click(); // "Zapisz"
    void SpeedButton1Click(); // "Rezygnuj"
    void przegladajClick();   // folder for the network path
    void przegladaj_lClick(); // folder for the local path

    // Asks for a folder (parent, caption, starting folder); an empty result means cancelled.
    using FolderChooser = std::function<QString(QWidget *, const QString &, const QString &)>;
    FolderChooser chooseFolder;

private:
    void browseInto(QLineEdit *edit, const QString &caption);

    QString m_workingDir;
    seams::Seams &m_seams;
    // The mode as read at set-up; saved again when neither radio button is checked.
    int m_mode = 1;

    std::unique_ptr<Ui::Tsiec_f> m_ui;
    QTimer *Timer1 = nullptr;
};
