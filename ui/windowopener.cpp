#include "windowopener.h"

#include "formwindow.h"

namespace ui {

void WindowTable::add(WindowId id, FormWindow *window, Reopening reopening)
{
    m_openers[id] = [window, reopening] {
        // A minimised window still counts as visible; left through leave() it is hidden.
        if (reopening == Reopening::BringBack && (window->isVisible() || window->isMinimized())) {
            if (window->isMinimized())
                window->showNormal();
            else
                window->show();
            window->raise();
            window->activateWindow();
            return true;
        }
        return window->prepareAndOpen();
    };
}

void WindowTable::add(WindowId id, std::function<bool()> opener)
{
    m_openers[id] = std::move(opener);
}

bool WindowTable::open(WindowId id)
{
    const auto found = m_openers.find(id);
    return found != m_openers.end() && found->second();
}

} // namespace ui
