// One copy of the program opening the same client over and over: takes the client lock, notes
// its entry and exit in a shared log, releases the lock. Two of these running at once must never
// be inside at the same time.
//   locktaker BASEDIR ID ITERATIONS LOGFILE
#include "blokada.h"
#include "fileerror.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc != 5)
        return 2;
    const QString lock = storage::LockPath(QString::fromLocal8Bit(argv[1]), QStringLiteral("005"));
    const QByteArray id = argv[2];
    const int iterations = std::atoi(argv[3]);
    const int log = ::open(argv[4], O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (log < 0)
        return 3;
    const QByteArray enter = "E " + id + '\n';
    const QByteArray leave = "L " + id + '\n';
    int taken = 0;
    QString held;
    for (int i = 0; i < iterations; ++i) {
        try {
            if (storage::TakeClientLock(lock, held) == storage::LockOutcome::Taken) {
                ++taken;
                if (::write(log, enter.constData(), enter.size()) != enter.size())
                    return 4;
                sched_yield();
                if (::write(log, leave.constData(), leave.size()) != leave.size())
                    return 4;
                storage::ReleaseHeldLock(held);
            }
        } catch (const storage::FileError &error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 5;
        }
        sched_yield();
    }
    std::printf("%d\n", taken);
    ::close(log);
    return 0;
}
