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
    explicit Failure(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace archiwizator
