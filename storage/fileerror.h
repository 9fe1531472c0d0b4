#pragma once

#include <QString>

#include <exception>

namespace storage {

// The one error type of every checked file operation: a platform-neutral code and the text the
// user sees in the error box.
class FileError : public std::exception
{
public:
    enum Code : int {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
    };

    FileError(int code, QString text);

    // Maps a failed system call on `path` to its code and text.
    static FileError fromErrno(int err, const QString &path);
    static FileError readBeyondEnd();

    int code() const { return m_code; }
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    int m_code;
    QString m_text;
    QByteArray m_utf8;
};

} // namespace storage
