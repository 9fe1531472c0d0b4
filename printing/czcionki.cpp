#include "czcionki.h"

#include "paths.h"
#include "recordfile.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

using namespace storage;

namespace printing {

namespace {

using Settings = PrintFontSettings;

QColor QColorOf(quint32 colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

quint32 RecordColour(const QColor &colour)
{
    const QColor rgb = colour.isValid() ? colour.toRgb() : QColor(Qt::black);
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

void ApplyStyle(QFont &font, quint8 style)
{
    font.setBold(style & Bold);
    font.setItalic(style & Italic);
    font.setUnderline(style & Underline);
    font.setStrikeOut(style & StrikeOut);
}

quint8 StyleOfFont(const QFont &font)
{
    return quint8((font.bold() ? Bold : 0) | (font.italic() ? Italic : 0) |
                  (font.underline() ? Underline : 0) | (font.strikeOut() ? StrikeOut : 0));
}

void SetCurrent(PrintFontSettings &settings)
{
    settings.currentFace = settings.record.text(Settings::face);
    settings.currentSize = PointsOf(settings.record);
}

} // namespace

QString PrintFontPath(const QString &workingDir, const QString &fileName)
{
    return PathIn(workingDir, storage::printfont::relativePath(fileName));
}

void CzytajFonty(PrintFontSettings &settings, const QString &workingDir, const QString &fileName)
{
    const QString path = PrintFontPath(workingDir, fileName);
    if (!FileExists(path))
        return;
    // Read into a copy, so that a short file leaves the shared settings as they were.
    Record record(Settings::kSize);
    ReadRecord(path, record);
    settings.record = record;
    SetCurrent(settings);
}

qint32 PointsOf(const Record &record)
{
    const qint32 points = record.int32(Settings::kPoints);
    return points >= 1 && points <= kMaxPrintPoints ? points : 0;
}

quint8 StyleOf(const Record &record)
{
    return record.byte(Settings::kStyle) & (Bold | Italic | Underline | StrikeOut);
}

quint32 ColourOf(const Record &record)
{
    return quint32(record.int32(Settings::kColour)) & 0x00FFFFFFu;
}

FontChoice FontOfSettings(const Record &record)
{
    FontChoice choice;
    const QString face = record.text(Settings::face);
    if (!face.isEmpty())
        choice.font.setFamily(face);
    if (const qint32 points = PointsOf(record); points > 0)
        choice.font.setPointSize(points);
    ApplyStyle(choice.font, StyleOf(record));
    choice.colour = QColorOf(ColourOf(record));
    return choice;
}

void ApplyPrintFont(QWidget *widget, const PrintFontSettings &settings)
{
    const FontChoice choice = FontOfSettings(settings.record);
    QFont font = widget->font();
    if (!settings.record.text(Settings::face).isEmpty())
        font.setFamily(choice.font.family());
    if (PointsOf(settings.record) > 0)
        font.setPointSize(choice.font.pointSize());
    ApplyStyle(font, StyleOf(settings.record));
    widget->setFont(font);

    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, choice.colour);
    palette.setColor(QPalette::WindowText, choice.colour);
    widget->setPalette(palette);
}

PrintFontStore::PrintFontStore(const QString &workingDir, PrintDialogs &dialogs)
    : m_workingDir(workingDir), m_dialogs(dialogs)
{
    m_dialogFont.font = QFont(QStringLiteral("Tahoma"), 8);
    m_dialogFont.colour = QApplication::palette().color(QPalette::WindowText);
}

void PrintFontStore::CzytajFonty(const QString &fileName)
{
    printing::CzytajFonty(m_settings, m_workingDir, fileName);
}

bool PrintFontStore::ZapiszFonty(const QString &fileName)
{
    const QString path = PrintFontPath(m_workingDir, fileName);
    if (FileExists(path)) {
        Record stored(Settings::kSize);
        ReadRecord(path, stored);
        m_settings.record = stored;
        m_dialogFont = FontOfSettings(stored);
    }

    const std::optional<FontChoice> choice = m_dialogs.font(m_dialogFont);
    if (!choice)
        return false;

    // The padding bytes go back to the file as they stand in the shared record.
    Record record = m_settings.record;
    record.setInt32(Settings::kColour, qint32(RecordColour(choice->colour)));
    record.setText(Settings::face, choice->font.family().left(Settings::face.capacity));
    record.setInt32(Settings::kPoints, std::max(choice->font.pointSize(), 0));
    record.setByte(Settings::kStyle, StyleOfFont(choice->font));
    WriteRecord(path, record);

    m_settings.record = record;
    SetCurrent(m_settings);
    m_dialogFont = *choice;
    return true;
}

} // namespace printing
