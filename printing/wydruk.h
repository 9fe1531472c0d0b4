#pragma once

#include "formwindow.h"
#include "printdialogs.h"
#include "record.h"
#include "seams.h"
#include "statementhandover.h"

#include <functional>
#include <memory>

class QLineEdit;
class QPrinter;
class QPushButton;
namespace Ui {
class Twydruk_f;
}

namespace printing {

class PrintFontStore;
struct StatementInput;

} // namespace printing

// The print control panel: prints the settlement statement of the calculated month and
// advances the document numerator. It prints what the calculation handed it at its opening
// until it is opened again.
class Twydruk_f : public FormWindow
{
    Q_OBJECT

public:
    Twydruk_f(seams::Seams &seams, printing::PrintDialogs &dialogs, printing::PrintFontStore &fonts,
              QWidget *parent = nullptr);
    ~Twydruk_f() override;
    Q_DISABLE_COPY(Twydruk_f)

    // Opens the panel on `statement`. A panel that is open already is first left as the program
    // leaves it (leaveAutomatically()); false when that or the set-up failed.
    bool openWith(const settlement::StatementHandOver &statement);

    // Creates the panel memory and the numerator of the statement's year when missing, reads
    // both and fills the edits. Without a statement (none handed over yet) only the date is
    // filled.
    bool FormCreate() override;

    void SpeedButton1Click(); // "Drukuj dokument"
    void SpeedButton2Click(); // "Powrót"
    bool leaveAsReturn() override;
    // Remembers the place name only when the user has edited it.
    bool leaveAutomatically() override;
    void SpeedButton3Click(); // "Podgląd wydruku"

private:
    // The file the print dialog proposes: <stem>_<MM>.pdf in the working directory.
    QString proposedPdf() const;
    // Loads the print font and draws the statement with what the edits say.
    void withStatement(const std::function<void(const printing::StatementInput &)> &use);
    void advanceNumerator();

    seams::Seams &m_seams;
    printing::PrintDialogs &m_dialogs;
    printing::PrintFontStore &m_fonts;
    // What the calculation handed over at the opening.
    settlement::StatementHandOver m_statement;
    storage::Record m_memory{storage::mie::kSize};
    // The number and the place name as the panel last showed or stored them: a number the user
    // changed stays as typed when the stored one moves on, and a changed place name is
    // remembered by an automatic leave.
    QString m_shownNumber;
    QString m_shownPlace;
    std::unique_ptr<Ui::Twydruk_f> m_ui;
};
