#pragma once

#include <QLabel>

namespace ui {

// The status line of a window: a short note after an action (saved, exported, printed, a date
// checked). Every status line of the program shows the latest note, so that the note of a window
// that has just closed stands in the window the user is back in. A new note is announced to
// screen readers; no box needs to be clicked away.
class StatusNote : public QLabel
{
    Q_OBJECT

public:
    explicit StatusNote(QWidget *parent = nullptr);
    ~StatusNote() override;
    Q_DISABLE_COPY(StatusNote)

    // Shows `text` in every status line of the program and announces it.
    static void post(const QString &text);
    // The latest note posted; empty before the first.
    static QString latest();

private:
    void display(const QString &text);
};

} // namespace ui
