#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace archiwizator {

// A failed archiving or restoring step, with the whole message the user sees: what was being
// done, on which file, and why it failed.
class Failure : public std::exception
{
public:
    // `code` is storage::FileError's code of the file operation behind it, 0 when there is none.
    explicit Failure(QString message, int code = 0)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()), m_code(code)
    {
    }

    const QString &message() const { return m_message; }
    int code() const { return m_code; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    int m_code = 0;
};

} // namespace archiwizator
