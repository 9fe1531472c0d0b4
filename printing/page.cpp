#include "page.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <cstdlib>

namespace printing {

namespace {

// numerator / denominator to the nearest integer, ties to the even neighbour; denominator > 0.
qint64 RoundHalfEven(qint64 numerator, qint64 denominator)
{
    qint64 quotient = numerator / denominator;
    qint64 remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

QColor RecordColour(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

int PrintUnit(int dotsPerInch)
{
    return static_cast<int>(RoundHalfEven(dotsPerInch, 25));
}

int FontHeight(int points, int dotsPerInch)
{
    return static_cast<int>(-RoundHalfEven(qint64(points) * dotsPerInch, 72));
}

void PageFont::setFaceAndSize(const QString &newFace, int newPoints)
{
    if (!newFace.isEmpty())
        face = newFace;
    points = newPoints;
}

void PageFont::setBold(quint8 flag)
{
    if (flag == 1)
        style = Bold;
    else if (flag == 0)
        style = 0;
}

PainterPage::PainterPage(QPainter &painter) : m_painter(painter), m_defaultFont(painter.font())
{
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(Qt::white);
}

void PainterPage::UstawStrone()
{
    const QPaintDevice *device = m_painter.device();
    m_dpiY = device->logicalDpiY();
    m_unitX = PrintUnit(device->logicalDpiX());
    m_unitY = PrintUnit(m_dpiY);
    applyFont();
}

void PainterPage::applyFont()
{
    QFont font = m_defaultFont;
    if (!m_font.face.isEmpty())
        font.setFamily(m_font.face);
    // A negative height asks for the character height (the em square, Qt's pixel size); a
    // positive one, which only a negative size in points gives, is taken as the same.
    const int pixels = std::abs(FontHeight(m_font.points, m_dpiY));
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(m_font.style & Bold);
    font.setItalic(m_font.style & Italic);
    font.setUnderline(m_font.style & Underline);
    font.setStrikeOut(m_font.style & StrikeOut);
    m_painter.setFont(font);
}

void PainterPage::UstawCzcionke(const QString &face, int points)
{
    m_font.setFaceAndSize(face, points);
    applyFont();
}

void PainterPage::RysujRamke(int x, int y, int width, int height)
{
    const int left = x * m_unitX;
    const int top = y * m_unitY;
    const int right = (x + width) * m_unitX;
    const int bottom = (y + height) * m_unitY;
    // A cosmetic pen is one device pixel wide on a printer and the thinnest visible line in
    // a PDF file or a preview. Stroked, the rectangle covers one pixel more than its size, so
    // the outline runs from the first corner to the last pixel before the far corner.
    QPen outline(Qt::black, 0);
    outline.setCosmetic(true);
    m_painter.setPen(outline);
    m_painter.setBrush(Qt::white);
    m_painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void PainterPage::PiszTekst(int x, int y, const QString &text)
{
    m_painter.setPen(RecordColour(m_font.colour));
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    m_painter.drawText(QPoint(x * m_unitX, y * m_unitY + metrics.ascent()), text);
}

void PainterPage::Pogrubienie(quint8 flag)
{
    m_font.setBold(flag);
    applyFont();
}

void PainterPage::setFontStyle(quint8 style)
{
    m_font.style = style;
    applyFont();
}

void PainterPage::setFontColour(quint32 colour)
{
    m_font.colour = colour;
}

void PainterPage::newPage()
{
    if (auto *paged = dynamic_cast<QPagedPaintDevice *>(m_painter.device()))
        paged->newPage();
}

bool PrintPages(QPrinter &printer, const std::function<void(Page &)> &draw)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PainterPage page(painter);
    draw(page);
    return painter.end();
}

} // namespace printing
