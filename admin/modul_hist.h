#pragma once

#include "formwindow.h"
#include "programstate.h"
#include "record.h"
#include "seams.h"

class QLabel;
class QPushButton;
class QTimer;

// The launch history record, Admini\historia.dat: the date, time and counter of the last run
// that ended in an orderly way.
namespace historia {
constexpr qsizetype kSize = storage::LaunchValues::kSize;
constexpr storage::StringField date{0, 15};
constexpr storage::StringField time{16, 15};
constexpr storage::StringField counter{32, 15};
// Bytes 48 to 78 are reserved: zero in a new file, written back as read.
QString path(const QString &root);
} // namespace historia

// Prepares this run's launch values in `state.launch`: reads the working directory's history
// (creating it all zero when missing), takes today's date and the current time, and counts this
// run as the stored counter plus one. The file is not changed. Throws FileError.
void PobierzDane(storage::ProgramState &state, storage::Seams &seams);

// Writes the history record as read at start with this run's date, time and counter into the
// working directory's history. Throws FileError.
void ZapiszUruchomienia(const storage::ProgramState &state);

// "Historia": the last orderly run as the base directory's history holds it, and the base
// directory in use.
class Thisto_f : public FormWindow
{
    Q_OBJECT

public:
    Thisto_f(storage::ProgramState &state, storage::Seams &seams, QWidget *parent = nullptr);
    Q_DISABLE_COPY(Thisto_f)

    bool FormCreate() override;
    void Timer1Timer();
    void SpeedButton1Click(); // "Powrót"

private:
    storage::ProgramState &m_state;
    storage::Seams &m_seams;

    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label13 = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QTimer *Timer1 = nullptr;
};
