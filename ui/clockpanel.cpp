#include "clockpanel.h"

namespace ui {

ClockPanel::ClockPanel(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAccessibleName(QStringLiteral("Zegar"));
}

} // namespace ui
