#pragma once

#include <QFrame>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace ui {

// The help overlay of a working window: a raised panel holding the read-only help text `Memo1`
// and its own "Powrót" (`SpeedButton1`), which the window connects to hide it. Hidden at first; it
// paints its own background, so nothing of the window shows through while it is shown.
class HelpPanel : public QFrame
{
    Q_OBJECT

public:
    explicit HelpPanel(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    QPlainTextEdit *memo() const { return m_memo; }
    QPushButton *backButton() const { return m_back; }

    // Shows the panel over `area` of its parent, above the other controls.
    void showOver(const QRect &area);

private:
    QPlainTextEdit *m_memo = nullptr;
    QPushButton *m_back = nullptr;
};

} // namespace ui
