#include "windowopener.h"

#include "formwindow.h"

namespace ui {

void WindowTable::add(WindowId id, FormWindow *window)
{
    m_openers[id] = [window] { return window->prepareAndOpen(); };
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
