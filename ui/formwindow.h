#pragma once

#include <QWidget>

// A fixed-size window with a close button only, left through its own "Powrót" button. A close
// request from the window manager (the title-bar button, Alt+F4) and Escape outside a cell editor
// or list leave it as "Powrót" does; when that save fails the window stays open with the error
// box. With a help panel open, Escape leaves the panel only.
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
    // "Powrót" with its note: leaves as leaveAsReturn() does and, when the window was left, puts
    // returnNote() into the status lines.
    bool returnWithNote();

protected:
    // Call at the end of the constructor, once the layout is complete.
    void fixSize();
    // Adds the status line (ui::StatusNote) under the window's content; call before fixSize().
    void addStatusLine();
    // What the status lines say after the window was left through returnWithNote(); nothing by
    // default.
    virtual QString returnNote() const { return {}; }
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_leaving = false;
};
