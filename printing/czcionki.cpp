#include "czcionki.h"

#include "paths.h"
#include "recordfile.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

using namespace storage;

namespace printing
{

namespace
{

using Settings = PrintFontSettings;

QColor ColourOf(quint32 colour)
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

quint8 StyleOf(const QFont &font)
{
    return quint8((font.bold() ? Bold : 0) | (font.italic() ? Italic : 0) |
                  (font.underline() ? Underline : 0) | (font.strikeOut() ? StrikeOut : 0));
}

void SetCurrent(PrintFontSettings &settings)
{
    settings.currentFace = settings.record.text(Settings::face);
    settings.currentSize = settings.record.int32(Settings::kPoints);
}

} // namespace

QString PrintFontPath(const QString &workingDir, const QString &fileName)
{
    return PathIn(workingDir, QStringLiteral("FONT\\") + fileName);
}

void CzytajFonty(ProgramState &state, const QString &fileName)
{
    const QString path = PrintFontPath(state.workingDir, fileName);
    if (!FileExists(path))
        return;
    // Read into a copy, so that a short file leaves the shared settings as they were.
    Record record(Settings::kSize);
    ReadRecord(path, record);
    state.printFont.record = record;
    SetCurrent(state.printFont);
}

FontChoice FontOfSettings(const Record &record)
{
    FontChoice choice;
    const QString face = record.text(Settings::face);
    if (!face.isEmpty())
        choice.font.setFamily(face);
    if (const qint32 points = record.int32(Settings::kPoints); points > 0)
        choice.font.setPointSize(points);
    ApplyStyle(choice.font, record.byte(Settings::kStyle));
    choice.colour = ColourOf(quint32(record.int32(Settings::kColour)));
    return choice;
}

void ApplyPrintFont(QWidget *widget, const PrintFontSettings &settings)
{
    const FontChoice choice = FontOfSettings(settings.record);
    QFont font = widget->font();
    if (!settings.record.text(Settings::face).isEmpty())
        font.setFamily(choice.font.family());
    if (settings.record.int32(Settings::kPoints) > 0)
        font.setPointSize(choice.font.pointSize());
    ApplyStyle(font, settings.record.byte(Settings::kStyle));
    widget->setFont(font);

    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, choice.colour);
    palette.setColor(QPalette::WindowText, choice.colour);
    widget->setPalette(palette);
}

Tfont_f::Tfont_f(ProgramState &state, Seams & /*seams*/, PrintDialogs &dialogs, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("font_f"));
    setWindowTitle(QStringLiteral("Fonty"));
    m_dialogFont.font = QFont(QStringLiteral("Tahoma"), 8);
    m_dialogFont.colour = QApplication::palette().color(QPalette::WindowText);
    fixSize();
}

bool Tfont_f::ZapiszFonty(const QString &fileName)
{
    const QString path = PrintFontPath(m_state.workingDir, fileName);
    if (FileExists(path)) {
        Record stored(Settings::kSize);
        ReadRecord(path, stored);
        m_state.printFont.record = stored;
        m_dialogFont = FontOfSettings(stored);
    }

    const std::optional<FontChoice> choice = m_dialogs.font(m_dialogFont);
    if (!choice)
        return false;

    // The padding bytes go back to the file as they stand in the shared record.
    Record record = m_state.printFont.record;
    record.setInt32(Settings::kColour, qint32(RecordColour(choice->colour)));
    record.setText(Settings::face, choice->font.family().left(Settings::face.capacity));
    record.setInt32(Settings::kPoints, std::max(choice->font.pointSize(), 0));
    record.setByte(Settings::kStyle, StyleOf(choice->font));
    WriteRecord(path, record);

    m_state.printFont.record = record;
    SetCurrent(m_state.printFont);
    m_dialogFont = *choice;
    return true;
}

} // namespace printing
