#include "recordfile.h"

#include "descriptor.h"
#include "fileerror.h"
#include "textcodec.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A link is replaced through its target, as a plain overwrite would.
QString writeTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return path;
}

void writeAll(int fd, const QByteArray &bytes, const QString &path)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(errno, path);
        }
        if (written == 0)
            throw FileError::fromErrno(ENOSPC, path);
        data += written;
        left -= written;
    }
}

} // namespace

void ReadRecord(const QString &path, Record &record)
{
    record.clear();
    Descriptor fd(::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError::fromErrno(errno, path);
    char *data = record.bytes().data();
    qsizetype got = 0;
    while (got < record.size()) {
        const ssize_t n = ::read(fd.get(), data + got, static_cast<size_t>(record.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(errno, path);
        }
        if (n == 0)
            throw FileError::readBeyondEnd();
        got += n;
    }
    if (fd.close() != 0)
        throw FileError::fromErrno(errno, path);
}

QByteArray ReadTextFile(const QString &path)
{
    Descriptor fd(::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError::fromErrno(errno, path);
    QByteArray content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(errno, path);
        }
        if (n == 0)
            break;
        content.append(buffer, n);
    }
    return content;
}

QStringList ReadTextLines(const QString &path)
{
    return TextLines(DecodeText(ReadTextFile(path)));
}

void WriteRecord(const QString &path, const Record &record, Flush flush)
{
    const QString target = writeTarget(path);
    const QByteArray targetName = nativeName(target);

    mode_t mode = newFileMode();
    struct stat st;
    if (::stat(targetName.constData(), &st) == 0) {
        // The replacement must not bypass what forbids writing the file itself.
        Descriptor probe(::open(targetName.constData(), O_WRONLY | O_CLOEXEC));
        if (probe.get() < 0)
            throw FileError::fromErrno(errno, target);
        mode = st.st_mode & 07777;
    }

    const QFileInfo info(target);
    QByteArray tempName =
        nativeName(info.path() + QLatin1String("/.") + info.fileName() + QLatin1String(".XXXXXX"));
    Descriptor fd(::mkstemp(tempName.data()));
    if (fd.get() < 0)
        throw FileError::fromErrno(errno, target);
    try {
        if (::fchmod(fd.get(), mode) != 0)
            throw FileError::fromErrno(errno, target);
        writeAll(fd.get(), record.bytes(), target);
        if (flush == Flush::ToDisk && ::fsync(fd.get()) != 0)
            throw FileError::fromErrno(errno, target);
        if (fd.close() != 0)
            throw FileError::fromErrno(errno, target);
        if (::rename(tempName.constData(), targetName.constData()) != 0)
            throw FileError::fromErrno(errno, target);
    } catch (...) {
        ::unlink(tempName.constData());
        throw;
    }

    if (flush == Flush::Rebuilt)
        return;
    // Makes the rename itself durable; some network file systems refuse to sync a directory,
    // and the data is complete in the file either way, so a refusal is not an error here.
    Descriptor dir(::open(nativeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
}

namespace {

enum class Presence { Present, Absent, Unknown };

// Whether a file of that name exists, as the file system's server sees it. The name is opened for
// reading rather than looked up: a network file system's client answers a lookup from its cache
// of names, which may still hold a name deleted on another computer seconds ago, while an open
// asks the server (and a "no such file" answer clears the stale name from the cache). A name
// that may not be opened is looked up after all.
Presence presence(const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return Presence::Present;
    }
    if (errno == ENOENT || errno == ENOTDIR)
        return Presence::Absent;
    if (errno != EACCES && errno != EPERM)
        return Presence::Unknown;
    struct stat st;
    if (::stat(name.constData(), &st) == 0)
        return Presence::Present;
    return errno == ENOENT || errno == ENOTDIR ? Presence::Absent : Presence::Unknown;
}

// How often a create whose name turns out to be absent is tried again.
constexpr int kCreateAttempts = 5;

} // namespace

bool CreateRecordExclusive(const QString &path, const Record &record)
{
    const QByteArray name = nativeName(path);
    // A failed create is judged by whether the name exists afterwards, not by its code: over a
    // network file system a create that lost the race may fail with "access denied" (the
    // protocol can only say "failure"), and one whose name the cache still remembers fails with
    // "exists" although the server has none. A name that exists is busy, whatever the code; an
    // absent one is tried again, since another copy may have deleted it just after it made the
    // create fail; only a failure that persists with the name absent is an error.
    for (int attempt = 1;; ++attempt) {
        Descriptor fd(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            const int err = errno;
            const Presence found = presence(name);
            if (found == Presence::Present)
                return false;
            if (found == Presence::Absent && attempt < kCreateAttempts)
                continue;
            if (err == EEXIST)
                return false;
            throw FileError::fromErrno(err, path);
        }
        try {
            writeAll(fd.get(), record.bytes(), path);
            if (::fsync(fd.get()) != 0)
                throw FileError::fromErrno(errno, path);
            if (fd.close() != 0)
                throw FileError::fromErrno(errno, path);
        } catch (...) {
            ::unlink(name.constData());
            throw;
        }
        return true;
    }
}

void CreateIfMissing(const QString &path, const Record &defaultRecord)
{
    if (!FileExists(path))
        WriteRecord(path, defaultRecord);
}

bool FileExists(const QString &path)
{
    struct stat st;
    return ::stat(nativeName(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void DeleteFile(const QString &path)
{
    (void)::unlink(nativeName(path).constData());
}

} // namespace storage
