#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Small builders that give each control its component name (objectName) and an accessible name.
namespace ui {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text);
QPushButton *button(QWidget *parent, const char *name, const QString &caption);
// An edit with its caption label as buddy, so its accessible name is the caption.
QLineEdit *edit(QWidget *parent, const char *name, QLabel *caption, int maxLength = 32767);
// A read-only text of lines.
QPlainTextEdit *memo(QWidget *parent, const char *name, const QStringList &lines);
// The heading of a window: its label's font bold and `scale` times its size.
void makeHeading(QLabel *label, qreal scale);

} // namespace ui
