#include "rejestr.h"

#include "fileerror.h"
#include "paths.h"
#include "recordfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

qint64 modifiedMs(const struct stat &st)
{
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

// The first bytes of a small file, or nothing when it cannot be read.
std::optional<QByteArray> readSmallFile(const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n < 0)
        return std::nullopt;
    return QByteArray(buffer, n);
}

// Held while one copy re-reads and rewrites the register. The lock file holds a text unique to
// this holder (computer, process, random number), so that only the holder deletes it.
//
// A lock older than kStaleRegisterLockAge was left by a copy that ended while holding it. It is
// taken over by renaming it to a name of this holder's own: when two copies find it stale at the
// same moment, only one rename succeeds, and the other copy simply tries to create the lock
// again. Between looking at the lock and renaming it, the winner may already have created a live
// lock in its place; so the renamed file is looked at again, deleted only when it is itself
// stale, and otherwise renamed back at once. (A third copy creating the lock during the instant
// the live one is away would share it with its owner; the lock is held for milliseconds and
// stale ones are rare, so this is accepted.)
//
// Ages are measured on the clock of the file system that holds the lock (the modification time
// of a file created there just now), not on this computer's, so a workstation whose clock runs
// ahead of the file server's does not take a live lock for a dead one.
class RegisterLock
{
public:
    RegisterLock(const QString &path, std::chrono::milliseconds patience)
        : m_path(path), m_name(QFile::encodeName(path)), m_dir(QFileInfo(path).path())
    {
        m_token = QSysInfo::machineHostName().toUtf8() + ' ' + QByteArray::number(::getpid()) +
                  ' ' + QByteArray::number(QRandomGenerator::system()->generate64(), 16);
        Record content(m_token.size());
        content.bytes() = m_token;

        const QDeadlineTimer deadline(patience);
        int pauseMs = 2;
        for (;;) {
            if (CreateRecordExclusive(m_path, content))
                return;
            if (takeOverIfStale())
                continue;
            if (deadline.hasExpired())
                throw FileError(FileError::AccessDenied, QStringLiteral("File access denied"));
            // Random pauses keep two waiting copies from retrying in step.
            QThread::msleep(pauseMs + QRandomGenerator::global()->bounded(pauseMs));
            pauseMs = qMin(pauseMs * 2, 40);
        }
    }

    ~RegisterLock()
    {
        // After a hold far beyond the stale age another copy may have taken the lock over; its
        // lock is then not ours to delete.
        if (readSmallFile(m_name) == m_token)
            ::unlink(m_name.constData());
    }

    Q_DISABLE_COPY(RegisterLock)

private:
    // True when the lock file was gone or a stale one was removed, so that creating it is worth
    // trying again at once.
    bool takeOverIfStale()
    {
        struct stat st;
        if (::stat(m_name.constData(), &st) != 0)
            return errno == ENOENT;
        if (!isStale(modifiedMs(st)))
            return false;

        const QByteArray aside = QFile::encodeName(
            m_dir + QLatin1String("/.") + QFileInfo(m_path).fileName() + QLatin1Char('.') +
            QString::number(QRandomGenerator::system()->generate64(), 16));
        if (::rename(m_name.constData(), aside.constData()) != 0) {
            if (errno == ENOENT)
                return true; // another copy took it over first
            throw FileError::fromErrno(errno, m_path);
        }
        if (::stat(aside.constData(), &st) == 0 && !isStale(modifiedMs(st))) {
            if (::rename(aside.constData(), m_name.constData()) != 0)
                ::unlink(aside.constData());
            return false;
        }
        ::unlink(aside.constData());
        return true;
    }

    bool isStale(qint64 modified)
    {
        if (!m_clockOffsetMs)
            m_clockOffsetMs = fileSystemNowMs() - QDateTime::currentMSecsSinceEpoch();
        const qint64 now = QDateTime::currentMSecsSinceEpoch() + *m_clockOffsetMs;
        return now - modified >
               std::chrono::duration_cast<std::chrono::milliseconds>(kStaleRegisterLockAge).count();
    }

    qint64 fileSystemNowMs() const
    {
        QByteArray probe =
            QFile::encodeName(m_dir + QLatin1String("/.") + QFileInfo(m_path).fileName() +
                              QLatin1String(".now.XXXXXX"));
        const int fd = ::mkstemp(probe.data());
        if (fd < 0)
            throw FileError::fromErrno(errno, m_path);
        struct stat st;
        const bool ok = ::fstat(fd, &st) == 0;
        const int err = errno;
        ::close(fd);
        ::unlink(probe.constData());
        if (!ok)
            throw FileError::fromErrno(err, m_path);
        return modifiedMs(st);
    }

    QString m_path;
    QByteArray m_name;
    QString m_dir;
    QByteArray m_token;
    // The file system's clock minus this computer's, measured once per hold.
    std::optional<qint64> m_clockOffsetMs;
};

// A line as it reads back once stored: cut to the capacity, characters that Windows-1250 lacks
// turned to "?".
QString asStored(const QString &line)
{
    const StringField field{0, registerfile::kLineCapacity};
    Record scratch(field.size());
    scratch.setText(field, line);
    return scratch.text(field);
}

} // namespace

QString RegisterPath(const QString &baseDir)
{
    return PathIn(baseDir, QStringLiteral("\\DANE\\klienci.dat"));
}

QString RegisterLockPath(const QString &baseDir)
{
    return PathIn(baseDir, QStringLiteral("\\DANE\\klienci.blk"));
}

RegisterChange ChangeRegisterLine(const QString &baseDir, int position, const QString &expectedLine,
                                  const QString &newLine, std::chrono::milliseconds patience)
{
    Q_ASSERT(position >= 1 && position <= registerfile::kPositions);
    const RegisterLock lock(RegisterLockPath(baseDir), patience);
    const QString path = RegisterPath(baseDir);
    RegisterChange change;
    CreateIfMissing(path, registerfile::defaultRecord());
    ReadRecord(path, change.record);
    const StringField line = registerfile::line(position);
    if (change.record.text(line) != asStored(expectedLine)) {
        change.outcome = RegisterChange::Outcome::ChangedElsewhere;
        return change;
    }
    change.record.setText(line, newLine);
    WriteRecord(path, change.record);
    change.outcome = RegisterChange::Outcome::Saved;
    return change;
}

} // namespace storage
