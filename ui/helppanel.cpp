#include "helppanel.h"

#include "widgets.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

HelpPanel::HelpPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto *lines = new QVBoxLayout(this);
    m_memo = ui::memo(this, "Memo1", {});
    m_memo->setAccessibleName(QStringLiteral("Pomoc"));
    lines->addWidget(m_memo, 1);
    m_back = ui::button(this, "SpeedButton1", QStringLiteral("Powrót"));
    lines->addWidget(m_back, 0, Qt::AlignRight);
    hide();
}

void HelpPanel::setLines(const QStringList &lines)
{
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
}

void HelpPanel::showOver(const QRect &area)
{
    setGeometry(area);
    raise();
    show();
}

} // namespace ui
