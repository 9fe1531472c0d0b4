#include "recordingpage.h"

#include <QColor>
#include <QRegularExpression>

using printing::PageFont;

namespace {

QString ColourName(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF).name();
}

} // namespace

void RecordingPage::UstawStrone()
{
    calls << QStringLiteral("UstawStrone");
}

void RecordingPage::UstawCzcionke(const QString &face, int points)
{
    m_font.setFaceAndSize(face, points);
    calls << QStringLiteral("UstawCzcionke \"%1\" %2").arg(face).arg(points);
}

void RecordingPage::RysujRamke(int x, int y, int width, int height)
{
    calls << QStringLiteral("RysujRamke %1 %2 %3 %4").arg(x).arg(y).arg(width).arg(height);
}

void RecordingPage::PiszTekst(int x, int y, const QString &text)
{
    calls << QStringLiteral("PiszTekst %1 %2 \"%3\" %4").arg(x).arg(y).arg(text, describe(m_font));
}

void RecordingPage::Pogrubienie(quint8 flag)
{
    m_font.setBold(flag);
    calls << QStringLiteral("Pogrubienie %1").arg(flag);
}

void RecordingPage::setFontStyle(quint8 style)
{
    m_font.style = style;
    calls << QStringLiteral("Styl ") + styleNames(style);
}

void RecordingPage::setFontColour(quint32 colour)
{
    m_font.colour = colour;
    calls << QStringLiteral("Kolor ") + ColourName(colour);
}

void RecordingPage::newPage()
{
    calls << QStringLiteral("NowaStrona");
}

QString RecordingPage::styleNames(quint8 style)
{
    QStringList names;
    if (style & printing::Bold)
        names << QStringLiteral("bold");
    if (style & printing::Italic)
        names << QStringLiteral("italic");
    if (style & printing::Underline)
        names << QStringLiteral("underline");
    if (style & printing::StrikeOut)
        names << QStringLiteral("strikeout");
    return names.isEmpty() ? QStringLiteral("plain") : names.join(QLatin1Char('+'));
}

QString RecordingPage::describe(const PageFont &font)
{
    return QStringLiteral("[%1 %2 %3 %4]")
        .arg(font.face)
        .arg(font.points)
        .arg(styleNames(font.style))
        .arg(ColourName(font.colour));
}

namespace {

QRegularExpressionMatch TextCall(const QStringList &calls, int x, int y)
{
    static const QRegularExpression pattern(
        QStringLiteral("^PiszTekst (-?\\d+) (-?\\d+) \"(.*)\" (\\[.*\\])$"));
    for (const QString &call : calls) {
        const QRegularExpressionMatch match = pattern.match(call);
        if (match.hasMatch() && match.captured(1).toInt() == x && match.captured(2).toInt() == y)
            return match;
    }
    return {};
}

} // namespace

QString TextAt(const QStringList &calls, int x, int y)
{
    return TextCall(calls, x, y).captured(3);
}

QString FontAt(const QStringList &calls, int x, int y)
{
    return TextCall(calls, x, y).captured(4);
}
