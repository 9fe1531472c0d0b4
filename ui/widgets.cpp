#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ui {

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    return named(new QLabel(text, parent), name);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *result = named(new QPushButton(caption, parent), name);
    result->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return result;
}

QLineEdit *edit(QWidget *parent, const char *name, QLabel *caption, int maxLength)
{
    auto *result = named(new QLineEdit(parent), name);
    result->setMaxLength(maxLength);
    if (caption) {
        caption->setBuddy(result);
        result->setAccessibleName(caption->text());
    }
    return result;
}

QPlainTextEdit *memo(QWidget *parent, const char *name, const QStringList &lines)
{
    auto *result = named(new QPlainTextEdit(parent), name);
    result->setReadOnly(true);
    result->setPlainText(lines.join(QLatin1Char('\n')));
    return result;
}

void makeHeading(QLabel *label, qreal scale)
{
    QFont heading = label->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * scale);
    label->setFont(heading);
}

} // namespace ui
