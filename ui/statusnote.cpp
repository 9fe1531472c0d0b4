#include "statusnote.h"

#include <QAccessible>
#include <QList>

namespace ui {

namespace {

QList<StatusNote *> &lines()
{
    static QList<StatusNote *> all;
    return all;
}

QString &latestText()
{
    static QString text;
    return text;
}

} // namespace

StatusNote::StatusNote(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("StatusNote"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setAccessibleDescription(QStringLiteral("Pasek stanu"));
    setText(latestText());
    lines().append(this);
}

StatusNote::~StatusNote()
{
    lines().removeAll(this);
}

void StatusNote::post(const QString &text)
{
    latestText() = text;
    for (StatusNote *line : std::as_const(lines()))
        line->display(text);
}

QString StatusNote::latest()
{
    return latestText();
}

void StatusNote::display(const QString &text)
{
    // The same note again (a second save) is announced again.
    setText(text);
    setToolTip(text);
    if (isVisible()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

} // namespace ui
