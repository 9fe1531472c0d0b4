// A helper for the file-fault tests. Started inside a private user and mount namespace
// (unshare -rm), it mounts a tmpfs on the given directory and runs record-file operations on it,
// one output line per command:
//   write:NAME:SIZE:BYTE   WriteRecord of SIZE bytes of BYTE (hex)  -> OK | ERR code text
//   rebuild:NAME:SIZE:BYTE the same, not waited for on the disk (Flush::Rebuilt)
//   read:NAME:SIZE         ReadRecord                               -> OK | ERR code text
//   dump:NAME              the file's size and whether all bytes equal the first -> DUMP ...
//   fill                   fills the medium to the last byte        -> FILLED
//   readonly               remounts the medium read-only            -> READONLY | FAILED
//   nofile                 lowers the open-file limit to the files open now -> NOFILE
//   ls[:NAME]              the names in the directory (or its folder NAME), sorted -> LS names
//   rm:NAME                deletes a file                           -> OK | FAILED
//   mkdir:NAME             creates a directory                      -> OK | FAILED
//   lock:NAME              takes a client lock, as one copy of the program -> TAKEN | BUSY | ERR
//   register:POS:OLD:NEW   changes register line POS from OLD to NEW, the medium as base
//                          directory                          -> SAVED line | CHANGED line | ERR
#include "blokada.h"
#include "fileerror.h"
#include "recordfile.h"
#include "rejestr.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace storage;

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString errorLine(const FileError &error)
{
    return QStringLiteral("ERR %1 %2").arg(error.code()).arg(error.text());
}

} // namespace

int main(int argc, char *argv[])
{
    rlimit openFiles{};
    ::getrlimit(RLIMIT_NOFILE, &openFiles);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (::mount("tmpfs", argv[1], "tmpfs", 0, argv[2]) != 0) {
        std::perror("mount");
        return 1;
    }
    say(QStringLiteral("MOUNTED"));
    QString heldLock;

    for (int i = 3; i < argc; ++i) {
        const QStringList parts = QString::fromLocal8Bit(argv[i]).split(QLatin1Char(':'));
        const QString &command = parts[0];
        const QString path = dir + QLatin1Char('/') + parts.value(1);
        try {
            if (command == QLatin1String("write") || command == QLatin1String("rebuild")) {
                Record record(parts.value(2).toLongLong());
                record.bytes().fill(static_cast<char>(parts.value(3).toInt(nullptr, 16)));
                WriteRecord(path, record,
                            command == QLatin1String("write") ? Flush::ToDisk : Flush::Rebuilt);
                say(QStringLiteral("OK"));
            } else if (command == QLatin1String("read")) {
                Record record(parts.value(2).toLongLong());
                ReadRecord(path, record);
                say(QStringLiteral("OK"));
            } else if (command == QLatin1String("dump")) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    say(QStringLiteral("DUMP missing"));
                    continue;
                }
                const QByteArray bytes = file.readAll();
                const bool uniform = !bytes.isEmpty() && bytes.count(bytes[0]) == bytes.size();
                say(QStringLiteral("DUMP %1 %2 %3")
                        .arg(bytes.size())
                        .arg(bytes.isEmpty() ? 0 : static_cast<quint8>(bytes[0]), 2, 16,
                             QLatin1Char('0'))
                        .arg(uniform ? QStringLiteral("uniform") : QStringLiteral("mixed")));
            } else if (command == QLatin1String("fill")) {
                const int fd = ::open((dir + QStringLiteral("/filler")).toLocal8Bit().constData(),
                                      O_WRONLY | O_CREAT, 0644);
                char block[512] = {};
                while (fd >= 0 && ::write(fd, block, sizeof block) > 0) {
                }
                while (fd >= 0 && ::write(fd, block, 1) > 0) {
                }
                if (fd >= 0)
                    ::close(fd);
                say(QStringLiteral("FILLED"));
            } else if (command == QLatin1String("readonly")) {
                const bool ok =
                    ::mount(nullptr, argv[1], nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
                say(ok ? QStringLiteral("READONLY") : QStringLiteral("FAILED"));
            } else if (command == QLatin1String("nofile")) {
                // Under the undefined-behaviour sanitizer the first check of an object's dynamic
                // type needs a pipe, which the limit leaves no descriptor for: the errors to come
                // are checked once now, while descriptors are free.
                try {
                    throw FileError::fromErrno(EMFILE, path);
                } catch (const FileError &sample) {
                    if (sample.code() != FileError::TooManyOpenFiles || sample.text().isEmpty())
                        say(QStringLiteral("FAILED"));
                }
                // Only the soft limit, so that it can be lifted again before the end.
                const rlimit limit{3, openFiles.rlim_max};
                ::setrlimit(RLIMIT_NOFILE, &limit);
                say(QStringLiteral("NOFILE"));
            } else if (command == QLatin1String("mkdir")) {
                say(QDir().mkdir(path) ? QStringLiteral("OK") : QStringLiteral("FAILED"));
            } else if (command == QLatin1String("lock")) {
                const LockOutcome outcome = TakeClientLock(path, heldLock);
                say(outcome == LockOutcome::Taken ? QStringLiteral("TAKEN")
                                                  : QStringLiteral("BUSY"));
            } else if (command == QLatin1String("rm")) {
                say(QFile::remove(path) ? QStringLiteral("OK") : QStringLiteral("FAILED"));
            } else if (command == QLatin1String("register")) {
                const int position = parts.value(1).toInt();
                const RegisterChange change =
                    ChangeRegisterLine(dir, position, parts.value(2), parts.value(3));
                const bool saved = change.outcome == RegisterChange::Outcome::Saved;
                say((saved ? QStringLiteral("SAVED ") : QStringLiteral("CHANGED ")) +
                    change.record.text(registerfile::line(position)));
            } else if (command == QLatin1String("ls")) {
                const QDir listed(parts.size() > 1 ? path : dir);
                say(QStringLiteral("LS ") +
                    listed
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name)
                        .join(QLatin1Char(' ')));
            } else {
                say(QStringLiteral("UNKNOWN ") + command);
            }
        } catch (const FileError &error) {
            say(errorLine(error));
        }
    }
    // The leak check at exit (sanitizer builds) needs descriptors of its own.
    ::setrlimit(RLIMIT_NOFILE, &openFiles);
    return 0;
}
