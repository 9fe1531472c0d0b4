// A helper for the disk-full test. Started inside a private user and mount namespace
// (unshare -rm), it mounts a tmpfs of the given options on the destination folder, archives the
// working directory there and prints:
//   MOUNTED
//   OK archive-name | FAIL message
//   LS the names left on the medium
#include "archiwum.h"
#include "blad.h"
#include "konfiguracja.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <sys/mount.h>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    if (::mount("tmpfs", argv[1], "tmpfs", 0, argv[2]) != 0) {
        std::perror("mount");
        return 1;
    }
    say(QStringLiteral("MOUNTED"));
    const QString destination = QString::fromLocal8Bit(argv[1]);
    try {
        const archiwizator::Konfiguracja config =
            archiwizator::CzytajKonfiguracje(QString::fromLocal8Bit(argv[3]));
        const archiwizator::Archiwum made = archiwizator::Archiwizuj(
            config, destination, QDateTime(QDate(2026, 12, 10), QTime(15, 30)));
        say(QStringLiteral("OK ") + made.fileName);
    } catch (const archiwizator::Failure &failure) {
        say(QStringLiteral("FAIL ") + failure.message());
    }
    say(QStringLiteral("LS ") +
        QDir(destination)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
            .join(QLatin1Char(' ')));
    return 0;
}
