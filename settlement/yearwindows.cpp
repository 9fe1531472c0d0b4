#include "yearwindows.h"

namespace settlement {

bool YearWindowTable::open(ui::WindowId id, const YearHandOver &handOver)
{
    const auto found = m_windows.find(id);
    if (found == m_windows.end())
        return false;
    YearWindow *window = found->second();
    // A minimised window still counts as visible; left through leave() it is hidden.
    if (window->isVisible() || window->isMinimized()) {
        if (window->year() == handOver.year && window->holdsUnsavedEntries()) {
            window->bringBack();
            return true;
        }
        if (!window->leaveAutomatically())
            return false;
    }
    window->setYear(handOver);
    return window->prepareAndOpen();
}

} // namespace settlement
