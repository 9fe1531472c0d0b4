#include "fileerror.h"

#include <QFileInfo>

#include <cerrno>

namespace storage {

FileError::FileError(int code, QString text)
    : m_code(code), m_text(std::move(text)), m_utf8(m_text.toUtf8())
{
}

FileError FileError::fromErrno(int err, const QString &path)
{
    switch (err) {
    case ENOENT:
        // A missing file in an existing directory is "not found"; a missing directory on the
        // way to it makes the whole name invalid.
        if (QFileInfo(QFileInfo(path).absolutePath()).isDir())
            return {FileNotFound, QStringLiteral("File not found")};
        return {InvalidFilename, QStringLiteral("Invalid filename")};
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return {InvalidFilename, QStringLiteral("Invalid filename")};
    case EMFILE:
    case ENFILE:
        return {TooManyOpenFiles, QStringLiteral("Too many open files")};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return {AccessDenied, QStringLiteral("File access denied")};
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return {DiskFull, QStringLiteral("Disk full")};
    default:
        return {err, QStringLiteral("I/O error %1").arg(err)};
    }
}

FileError FileError::readBeyondEnd()
{
    return {ReadBeyondEnd, QStringLiteral("Read beyond end of file")};
}

} // namespace storage
