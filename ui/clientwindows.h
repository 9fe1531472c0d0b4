#pragma once

#include <functional>
#include <vector>

class FormWindow;

namespace ui {

// The windows that work on the client that is open, closed together before another client is
// opened or the program ends, so that nothing is written after the client's lock is released.
class ClientWindows
{
public:
    virtual ~ClientWindows() = default;
    // Leaves each open window as FormWindow::leaveAutomatically() says: what its user typed is
    // saved, nothing else is written. Stops at the first one that cannot be
    // left (its save failed and its error box has been shown) and returns false; that window
    // and the ones after it stay open.
    virtual bool closeAll() = 0;
};

// ClientWindows over a list of windows, left in the order they were added; the composition (or
// a test) fills it.
class ClientWindowList final : public ClientWindows
{
public:
    void add(FormWindow *window)
    {
        m_windows.push_back([window] { return window; });
    }
    // A window that is built when it is first opened: `window` gives it, or nullptr while it has
    // not been built (and so cannot be open).
    void add(std::function<FormWindow *()> window) { m_windows.push_back(std::move(window)); }
    bool closeAll() override;

private:
    std::vector<std::function<FormWindow *()>> m_windows;
};

} // namespace ui
