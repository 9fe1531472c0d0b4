#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace printing {

// The style set of the print font: the bits of the settings record's style byte.
enum FontStyle : quint8 {
    Bold = 0x01,
    Italic = 0x02,
    Underline = 0x04,
    StrikeOut = 0x08,
};

// Device pixels per print unit (1/25 inch) at a resolution in dots per inch.
int PrintUnit(int dotsPerInch);

// The font height that asks for `points` at a vertical resolution: negative, so that it names
// the character height without internal leading; 0 points give 0 (the device's default).
int FontHeight(int points, int dotsPerInch);

// The font of a page as the primitives leave it.
struct PageFont {
    QString face;       // empty: the device's default face
    int points = 0;     // 0: the device's default height
    quint8 style = 0;   // FontStyle bits
    quint32 colour = 0; // red in the low byte, then green, then blue

    // UstawCzcionke: an empty face keeps the face set before.
    void setFaceAndSize(const QString &newFace, int newPoints);
    // Pogrubienie: 1 makes the style bold alone, 0 plain; other flags change nothing.
    void setBold(quint8 flag);
};

// The surface every printout is drawn on, in print units from the top-left corner of the
// printable area. The printer, a PDF file and the preview share one implementation; tests
// record the calls.
class Page
{
public:
    virtual ~Page() = default;

    // Takes the page's resolutions; called once before any other drawing.
    virtual void UstawStrone() = 0;
    // Face and size of the font; colour and style stay.
    virtual void UstawCzcionke(const QString &face, int points) = 0;
    // A rectangle with a one-pixel black outline and a white interior, which hides whatever
    // was drawn there before.
    virtual void RysujRamke(int x, int y, int width, int height) = 0;
    // The text with the top-left corner of its first character cell at the point, on a white
    // background; nothing is clipped or wrapped.
    virtual void PiszTekst(int x, int y, const QString &text) = 0;
    // 1: the style becomes bold alone; 0: plain; any other flag changes nothing.
    virtual void Pogrubienie(quint8 flag) = 0;
    // The whole style set (FontStyle bits).
    virtual void setFontStyle(quint8 style) = 0;
    // The colour of texts, red in the low byte, then green, then blue.
    virtual void setFontColour(quint32 colour) = 0;
    // Ends the current sheet and starts the next one.
    virtual void newPage() = 0;
};

// Draws on a painter that is active on a printer, a PDF printer, a preview or an image. The
// painter's device gives the resolutions; a device that has no pages ignores newPage().
class PainterPage : public Page
{
public:
    explicit PainterPage(QPainter &painter);
    Q_DISABLE_COPY(PainterPage)

    void UstawStrone() override;
    void UstawCzcionke(const QString &face, int points) override;
    void RysujRamke(int x, int y, int width, int height) override;
    void PiszTekst(int x, int y, const QString &text) override;
    void Pogrubienie(quint8 flag) override;
    void setFontStyle(quint8 style) override;
    void setFontColour(quint32 colour) override;
    void newPage() override;

    int horizontalUnit() const { return m_unitX; }
    int verticalUnit() const { return m_unitY; }

private:
    void applyFont();

    QPainter &m_painter;
    QFont m_defaultFont;
    PageFont m_font;
    int m_dpiY = 72;
    int m_unitX = 1;
    int m_unitY = 1;
};

// Runs one print job on `printer`: begins it, lets `draw` fill its pages and ends it. False
// when the job could not begin (the printer or the output file refused it).
bool PrintPages(QPrinter &printer, const std::function<void(Page &)> &draw);

} // namespace printing
