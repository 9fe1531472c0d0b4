#pragma once

#include "page.h"

#include <QColor>
#include <QFont>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace printing {

// A font as the font dialog shows it: face, size in points, bold, italic, underline and
// strike-out in the QFont, and the colour of the text.
struct FontChoice {
    QFont font;
    QColor colour;
};

// The dialogs of printing. Production shows Qt dialogs; tests answer from a script.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // The print dialog: the chosen printer and copies go into `printer`. False when cancelled.
    // When printing to a file, the dialog proposes `proposedFile` (a full path); an empty one
    // leaves the dialog's own proposal.
    virtual bool print(QPrinter &printer, const QString &proposedFile) = 0;
    // The font dialog with effects, opened on `initial`. Nothing when cancelled.
    virtual std::optional<FontChoice> font(const FontChoice &initial) = 0;
    // Shows the pages that `draw` draws in a print preview, fitted to the page width, and returns
    // when it is closed.
    // `draw` may run several times, once for each repaint of the preview.
    virtual void preview(const std::function<void(Page &)> &draw) = 0;
};

class QtPrintDialogs : public PrintDialogs
{
public:
    bool print(QPrinter &printer, const QString &proposedFile) override;
    std::optional<FontChoice> font(const FontChoice &initial) override;
    void preview(const std::function<void(Page &)> &draw) override;
};

} // namespace printing
