#include "formwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

FormWindow::FormWindow(Placement placement, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
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

void FormWindow::closeEvent(QCloseEvent *event)
{
    if (m_leaving || !isVisible())
        event->accept();
    else
        event->ignore();
}
