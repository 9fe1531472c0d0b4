#pragma once

#include "formwindow.h"
#include "printdialogs.h"
#include "programstate.h"
#include "seams.h"

#include <QString>

class QWidget;

namespace printing
{

// The name of the print font settings file under FONT in the working directory.
inline constexpr QLatin1String kPrintFontFile("font_kanto_2007.dat");

// The settings file FONT\ + fileName under the working directory.
QString PrintFontPath(const QString &workingDir, const QString &fileName);

// Loads the print font settings: the file's record into state.printFont, and the current face
// and size from it. A missing file changes nothing. Throws FileError (a file shorter than the
// record gives "Read beyond end of file").
void CzytajFonty(storage::ProgramState &state, const QString &fileName);

// The font and colour the settings record describes.
FontChoice FontOfSettings(const storage::Record &record);

// Gives a widget the colour, face, size and style of the settings record. An empty face or a
// size of 0 (nothing read yet) keeps the widget's own.
void ApplyPrintFont(QWidget *widget, const storage::PrintFontSettings &settings);

// The owner of the font dialog, created at start and never shown.
class Tfont_f : public FormWindow
{
    Q_OBJECT

public:
    Tfont_f(storage::ProgramState &state, storage::Seams &seams, PrintDialogs &dialogs,
            QWidget *parent = nullptr);
    Q_DISABLE_COPY(Tfont_f)

    // Lets the user choose the print font, the dialog pre-set from the settings file when there
    // is one, and stores the choice in the file and in state.printFont. Cancel stores nothing.
    // Returns whether a choice was stored. Throws FileError; a failed write leaves the shared
    // settings as they were.
    bool ZapiszFonty(const QString &fileName);

private:
    storage::ProgramState &m_state;
    PrintDialogs &m_dialogs;
    // The dialog keeps the font it showed last, as a dialog that lives for the whole run does.
    FontChoice m_dialogFont;
};

} // namespace printing
