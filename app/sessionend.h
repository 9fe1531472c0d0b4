#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// The end of the desktop session reaching the program: SIGTERM (the session or the system going
// down), SIGHUP (the terminal or the remote session gone) and the session manager's request to
// save before logout. Each calls `end` once, from the event loop, never from inside the signal
// handler: the handler only writes a byte into a socket pair whose other end the event loop
// watches, the pattern Qt documents for Unix signals. One object at a time; the default handling
// of the signals returns when it is destroyed.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(std::function<void()> end, QObject *parent = nullptr);
    ~SessionEnd() override;
    Q_DISABLE_COPY(SessionEnd)

private:
    void signalArrived();

    std::function<void()> m_end;
    QSocketNotifier *m_notifier = nullptr;
    bool m_ending = false;
};
