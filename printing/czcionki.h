#pragma once

#include "printdialogs.h"
#include "printfontrecord.h"
#include "printfontsettings.h"
#include "seams.h"

#include <QString>

class QWidget;

namespace printing {

// The name of the print font settings file under FONT in the working directory.
inline constexpr QLatin1String kPrintFontFile = storage::printfont::kName;

// The settings file FONT\ + fileName under the working directory.
QString PrintFontPath(const QString &workingDir, const QString &fileName);

// Loads the print font settings FONT\ + fileName under the working directory: the file's record
// into `settings`, and the current face and size from it. A missing file changes nothing.
// Throws FileError (a file shorter than the record gives "Read beyond end of file"), leaving
// `settings` as they were.
void CzytajFonty(PrintFontSettings &settings, const QString &workingDir, const QString &fileName);

// What a settings record stands for, whatever its bytes: a size outside 1 to 200 points counts
// as no size (0, the default height, as before any file was read); only the four style bits are
// taken and the colour's unused high byte is dropped. A face no installed font matches is left to
// Qt, which falls back to a font it has.
constexpr qint32 kMaxPrintPoints = 200;
qint32 PointsOf(const storage::Record &record);
quint8 StyleOf(const storage::Record &record);
quint32 ColourOf(const storage::Record &record);

// The font and colour the settings record describes.
FontChoice FontOfSettings(const storage::Record &record);

// Gives a widget the colour, face, size and style of the settings record. An empty face or no
// size (nothing read yet) keeps the widget's own.
void ApplyPrintFont(QWidget *widget, const printing::PrintFontSettings &settings);

// The print font settings of the program: reads them for the windows that show or print with
// them, and lets the user choose a new print font through the font dialog.
class PrintFontStore
{
public:
    PrintFontStore(const QString &workingDir, PrintDialogs &dialogs);
    Q_DISABLE_COPY(PrintFontStore)

    // The settings as last loaded or stored.
    const PrintFontSettings &settings() const { return m_settings; }

    // Loads the settings file into settings() (see the free function).
    void CzytajFonty(const QString &fileName);

    // Lets the user choose the print font, the dialog pre-set from the settings file when there
    // is one, and stores the choice in the file and in settings(). Cancel stores nothing.
    // Returns whether a choice was stored. Throws FileError; a failed write leaves the
    // settings as they were.
    bool ZapiszFonty(const QString &fileName);

private:
    QString m_workingDir;
    PrintDialogs &m_dialogs;
    PrintFontSettings m_settings;
    // The dialog opens on the font it showed last when there is no settings file to pre-set it.
    FontChoice m_dialogFont;
};

} // namespace printing
