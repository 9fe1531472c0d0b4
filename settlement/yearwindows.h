#pragma once

#include "windowopener.h"
#include "yearwindow.h"

#include <functional>
#include <map>

namespace settlement {

// How the settlement window opens a working window of a client's year.
class YearWindowOpener
{
public:
    virtual ~YearWindowOpener() = default;
    // Whether the window is open afterwards; false when leaving its earlier state or its set-up
    // failed (the error box has been shown) or no such window is known.
    virtual bool open(ui::WindowId id, const YearHandOver &handOver) = 0;
};

// A YearWindowOpener over a table that the composition (or a test) fills. A window that is open
// (shown or minimised) on the same year with unsaved entries is brought back as it stands; any
// other open window is first left automatically (see FormWindow::leaveAutomatically()), then
// set up afresh on what it is handed now.
class YearWindowTable final : public YearWindowOpener
{
public:
    void add(ui::WindowId id, YearWindow *window)
    {
        m_windows[id] = [window] { return window; };
    }
    // A window that is built when it is first opened: `window` builds it then, and gives the
    // same window every time.
    void add(ui::WindowId id, std::function<YearWindow *()> window)
    {
        m_windows[id] = std::move(window);
    }
    bool open(ui::WindowId id, const YearHandOver &handOver) override;

private:
    std::map<ui::WindowId, std::function<YearWindow *()>> m_windows;
};

} // namespace settlement
