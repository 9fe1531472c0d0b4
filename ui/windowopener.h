#pragma once

#include <functional>
#include <map>

class FormWindow;

namespace ui {

// The windows that other windows open. The program's composition knows each one; a window only
// names the one it wants.
enum class WindowId {
    Settlement,
    Mileage,
    OperatingCosts,
    Numerator,
    Calculation,
    PrintPanel,
    Tools,
    Location,
    History,
    Notepad,
    BusinessCard,
};

// How one window opens another: run the other's set-up and show it when that succeeded.
class WindowOpener
{
public:
    virtual ~WindowOpener() = default;
    // Whether the window opened; false when its set-up failed or no such window is known.
    virtual bool open(WindowId id) = 0;
};

// How a window that is already open (shown or minimised) answers another request to open it.
enum class Reopening {
    // Its set-up runs again: it shows what its opener handed it this time.
    SetUpAgain,
    // It is restored, raised and made active as it stands, with what was typed in it; its
    // set-up runs only when it is closed.
    BringBack,
};

// A WindowOpener over a table that the composition (or a test) fills.
class WindowTable final : public WindowOpener
{
public:
    // The window opens through FormWindow::prepareAndOpen(); when it is open already, as
    // `reopening` says.
    void add(WindowId id, FormWindow *window, Reopening reopening = Reopening::SetUpAgain);
    void add(WindowId id, std::function<bool()> opener);
    bool open(WindowId id) override;

private:
    std::map<WindowId, std::function<bool()>> m_openers;
};

} // namespace ui
