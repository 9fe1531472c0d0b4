#pragma once

#include <QWidget>

// A fixed-size window without system buttons, left only through its own "Powrót" button
// (leave()); a close request from the window manager is refused.
class FormWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Placement { Default, StayOnTop };
    explicit FormWindow(Placement placement = Placement::Default, QWidget *parent = nullptr);

    // The window's set-up, run at program start and again each time it is opened; it re-reads
    // the window's files. Returns false when a step failed (its error box has been shown): the
    // opener then leaves the window hidden.
    virtual bool FormCreate() { return true; }

    // Runs the set-up and, when it succeeded, enables and shows the window without blocking
    // its opener.
    bool prepareAndOpen();
    // Disables, hides and closes the window.
    void leave();
    // Leaves the window as its "Powrót" does: a window that keeps what was typed saves it first.
    // Returns false, with the window left open and the error box shown, when that save failed.
    // The default just leaves.
    virtual bool leaveAsReturn();
    // Leaves the window when the program, not the user, closes it (another client opened, the
    // end of the program, the window opened again on other data): a window writes only what
    // its user changed in it. Returns false as leaveAsReturn() does. The default is
    // leaveAsReturn().
    virtual bool leaveAutomatically() { return leaveAsReturn(); }
    // Restores, raises and activates the open window as it stands, without a set-up.
    void bringBack();
    // Enables the window and shows it without blocking its opener.
    void open();

protected:
    // Call at the end of the constructor, once the layout is complete.
    void fixSize();
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_leaving = false;
};
