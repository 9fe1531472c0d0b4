#include "clientwindows.h"

#include "formwindow.h"

namespace ui {

bool ClientWindowList::closeAll()
{
    for (const std::function<FormWindow *()> &windowOf : m_windows) {
        FormWindow *window = windowOf();
        if (window && window->isVisible() && !window->leaveAutomatically())
            return false;
    }
    return true;
}

} // namespace ui
