#pragma once

#include <QLabel>

namespace ui {

// The clock of a working window: a sunken panel with the time centred in it, read as the time it
// shows and described as "Zegar" for assistive technologies. The window's timer writes the time
// into it.
class ClockPanel : public QLabel
{
    Q_OBJECT

public:
    explicit ClockPanel(QWidget *parent = nullptr);
};

} // namespace ui
