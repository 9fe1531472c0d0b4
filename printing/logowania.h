#pragma once

#include "formwindow.h"
#include "notepadrequest.h"
#include "page.h"
#include "printdialogs.h"
#include "printfontsettings.h"
#include "seams.h"

#include <QStringList>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
namespace Ui {
class Tlogowania_f;
}

namespace printing {

// Lines a notepad page holds; the first page has the caption above them.
constexpr int kNotepadLinesPerPage = 51;

// Draws the notepad printout: the caption in bold, 5 points larger than the print font, on the
// first page, then the lines in the print font, at most 51 a page.
void DrawNotepad(Page &page, const QString &caption, const QStringList &lines,
                 const printing::PrintFontSettings &font);

class PrintFontStore;

} // namespace printing

// The notepad: shows a text file of the base directory and prints it. What is typed into it is
// printed but never saved.
class Tlogowania_f : public FormWindow
{
    Q_OBJECT

public:
    Tlogowania_f(const QString &workingDir, seams::Seams &seams, printing::PrintDialogs &dialogs,
                 printing::PrintFontStore &fonts, QWidget *parent = nullptr);
    ~Tlogowania_f() override;
    Q_DISABLE_COPY(Tlogowania_f)

    // Opens the notepad on `request`; false when the set-up failed.
    bool openWith(const printing::NotepadRequest &request);
    // Takes the caption from the request and the base directory from the database location,
    // then loads the text, creating an empty file when there is none. Without a file name only
    // the caption and the base directory are set.
    bool FormCreate() override;

    void SpeedButton3Click(); // "Drukuj"
    void SpeedButton4Click(); // "Powrót"

private:
    // The memo's lines as it shows them: a paragraph wrapped at the memo's width gives one line
    // for each line on screen.
    QStringList memoLines() const;

    QString m_workingDir;
    seams::Seams &m_seams;
    printing::PrintDialogs &m_dialogs;
    printing::PrintFontStore &m_fonts;
    printing::NotepadRequest m_request;
    QString m_baseDir;
    std::unique_ptr<Ui::Tlogowania_f> m_ui;
};
