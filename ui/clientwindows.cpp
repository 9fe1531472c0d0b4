#include "clientwindows.h"

#include "formwindow.h"

namespace ui {

bool ClientWindowList::closeAll()
{
    for (FormWindow *window : m_windows) {
        if (window->isVisible() && !window->leaveAutomatically())
            return false;
    }
    return true;
}

} // namespace ui
