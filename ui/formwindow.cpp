#include "formwindow.h"

#include "helppanel.h"
#include "statusnote.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

FormWindow::FormWindow(Placement placement, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    if (placement == Placement::StayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint);
}

void FormWindow::fixSize()
{
    adjustSize();
    setFixedSize(sizeHint().expandedTo(size()));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FormWindow::leave()
{
    setEnabled(false);
    m_leaving = true;
    hide();
    close();
    m_leaving = false;
}

bool FormWindow::leaveAsReturn()
{
    leave();
    return true;
}

bool FormWindow::prepareAndOpen()
{
    setEnabled(true);
    if (!FormCreate()) {
        hide();
        return false;
    }
    open();
    return true;
}

void FormWindow::bringBack()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void FormWindow::open()
{
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

bool FormWindow::returnWithNote()
{
    if (!leaveAsReturn())
        return false;
    const QString note = returnNote();
    if (!note.isEmpty())
        ui::StatusNote::post(note);
    return true;
}

void FormWindow::addStatusLine()
{
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->addWidget(new ui::StatusNote(this));
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // The window's own leave() closes it; any other close request leaves it as "Powrót" does,
    // and that leave() has hidden the window when it succeeded.
    event->ignore();
    if (m_leaving || !isVisible()) {
        event->accept();
        return;
    }
    returnWithNote();
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys reach the window only when the control that had them did not use them: an open cell
    // editor, a list or a drop-down takes its Escape itself.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && isEnabled()) {
        event->accept();
        // An open help panel is left first, through its own "Powrót".
        for (ui::HelpPanel *help : findChildren<ui::HelpPanel *>()) {
            if (help->isVisible()) {
                help->backButton()->click();
                return;
            }
        }
        returnWithNote();
        return;
    }
    QWidget::keyPressEvent(event);
}
