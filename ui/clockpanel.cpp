#include "clockpanel.h"

namespace ui {

ClockPanel::ClockPanel(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    // The time itself is what a screen reader reads; "Zegar" says what it is.
    setAccessibleDescription(QStringLiteral("Zegar"));
}

} // namespace ui
