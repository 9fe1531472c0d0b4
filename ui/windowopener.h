#pragma once

#include <functional>
#include <map>

class FormWindow;

namespace ui {

// The windows that other windows open by name alone: the settlement window's working windows and
// the main window's auxiliary windows. The program's composition knows each one. The windows that
// are handed something when they open (the settlement window its client, the print panel its
// statement, the notepad its text) are opened through a typed opener instead.
enum class WindowId {
    Mileage,
    OperatingCosts,
    Numerator,
    Calculation,
    Tools,
    Location,
    History,
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

// A WindowOpener over a table that the composition (or a test) fills.
class WindowTable final : public WindowOpener
{
public:
    // The window opens through FormWindow::prepareAndOpen(), which sets it up again when it is
    // open already.
    void add(WindowId id, FormWindow *window);
    void add(WindowId id, std::function<bool()> opener);
    bool open(WindowId id) override;

private:
    std::map<WindowId, std::function<bool()>> m_openers;
};

} // namespace ui
