#pragma once

#include "formwindow.h"
#include "printdialogs.h"
#include "programstate.h"
#include "record.h"
#include "seams.h"

#include <functional>
#include <memory>

class QLineEdit;
class QPrinter;
class QPushButton;
namespace Ui {
class Twydruk_f;
}

namespace printing {

struct StatementInput;

// The print panel's memory of one client and year: DANE\<stem>.mie, the place name.
namespace mie {
constexpr qsizetype kSize = 63;
constexpr storage::StringField miejscowosc{0, 50};
// Three reserved numbers, read with the record and used for nothing.
constexpr qsizetype kReserved1 = 51;
constexpr qsizetype kReserved2 = 55;
constexpr qsizetype kReserved3 = 59;
// Empty place name, reserved numbers 0, 100, 100.
storage::Record defaultRecord();
} // namespace mie

// The print control panel: prints the settlement statement of the calculated month and
// advances the document numerator. At its opening it takes over what the calculation handed it
// in the program state (the results, their stem, the owner and cost records) and prints from
// that copy until it is opened again.
class Twydruk_f : public FormWindow
{
    Q_OBJECT

public:
    Twydruk_f(storage::ProgramState &state, storage::Seams &seams, PrintDialogs &dialogs,
              QWidget *parent = nullptr);
    ~Twydruk_f() override;
    Q_DISABLE_COPY(Twydruk_f)

    // Takes over the calculation handed to it, creates the panel memory and the numerator of its
    // stem when missing, reads both and fills the edits. Without a year file stem (no
    // calculation yet) only the date is filled.
    bool FormCreate() override;

    void SpeedButton1Click(); // "Drukuj dokument"
    void SpeedButton2Click(); // "Powrót"
    bool leaveAsReturn() override;
    void SpeedButton3Click(); // "Podgląd wydruku"

private:
    QString filePath(const QString &extension) const;
    // The file the print dialog proposes: <stem>_<MM>.pdf in the working directory.
    QString proposedPdf() const;
    // Loads the print font and draws the statement with what the edits say.
    void withStatement(const std::function<void(const StatementInput &)> &use);
    void advanceNumerator();

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    PrintDialogs &m_dialogs;
    // The calculation as handed over at the opening.
    storage::CalculationResults m_results;
    storage::Record m_owner{storage::owner::kSize};
    storage::Record m_costs{storage::cost::kSize};
    storage::Record m_memory{mie::kSize};
    // The numerator as read at the preparation; its number goes up by one with every page.
    storage::Record m_numerator;
    std::unique_ptr<Ui::Twydruk_f> m_ui;

    QLineEdit *num = nullptr;
    QLineEdit *roz = nullptr;
    QLineEdit *data = nullptr;
    QLineEdit *miejscowosc = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
};

} // namespace printing
