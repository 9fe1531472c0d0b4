#include "sessionend.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the signal handler, [1] read by the event loop.
int g_pipe[2] = {-1, -1};

constexpr int kSignals[] = {SIGTERM, SIGHUP};

void onSignal(int number)
{
    const int saved = errno;
    const char byte = static_cast<char>(number);
    // Only async-signal-safe calls here. A full socket already holds a wake-up; one is enough.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(std::function<void()> end, QObject *parent)
    : QObject(parent), m_end(std::move(end))
{
    Q_ASSERT(g_pipe[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
        qWarning("SessionEnd: no socket pair (errno %d); SIGTERM and SIGHUP end the program at "
                 "once",
                 errno);
        g_pipe[0] = g_pipe[1] = -1;
    } else {
        m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::signalArrived);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int number : kSignals)
            ::sigaction(number, &action, nullptr);
    }
#ifndef QT_NO_SESSIONMANAGER
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager &) { signalArrived(); });
#endif
}

SessionEnd::~SessionEnd()
{
    if (g_pipe[0] < 0)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : kSignals)
        ::sigaction(number, &action, nullptr);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SessionEnd::signalArrived()
{
    if (g_pipe[1] >= 0) {
        char bytes[16];
        while (::read(g_pipe[1], bytes, sizeof bytes) > 0) {
        }
    }
    // A second request while the first is still ending (a save error box open) changes nothing.
    if (m_ending)
        return;
    m_ending = true;
    m_end();
    m_ending = false;
}
