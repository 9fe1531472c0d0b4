#pragma once

#include "network.h"
#include "seams.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace admin {

// Where the maker publishes the version information file.
const QUrl &DefaultUpdateAddress();

enum class UpdateAnswer {
    Current,    // "Posiadasz aktualną wersje programu."
    NewVersion, // the announcement
    Silent,     // no message
};

// Compares the installed identifier with the first two lines of the version information file,
// exactly: whole lines, case-sensitive.
UpdateAnswer DecideUpdate(const QString &installed, const QString &latest, const QString &code);

// The message of a newer version; `where` (the file's third line) follows it directly.
QString Announcement(const QString &where);

// The first `count` lines of a plain text file's bytes, decoded as storage::DecodeText does
// (UTF-8 or Windows-1250); lines end with CR LF, LF or CR, and lines the text does not have are
// empty.
QStringList FirstLines(const QByteArray &text, int count);

// Reads the installed version identifier. Throws FileError.
QString ReadInstalledVersion(const QString &workingDir);

// Asks the maker's server whether a newer version exists and tells the user. Runs without
// blocking: start() returns at once, and the answer comes from the event loop.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    UpdateCheck(const QString &workingDir, seams::Seams &seams, Network &network,
                QObject *parent = nullptr);
    Q_DISABLE_COPY(UpdateCheck)

    // Starts a check unless one is running. Without a connection nothing happens.
    void start();
    bool running() const { return m_running; }

    QUrl address = DefaultUpdateAddress();

Q_SIGNALS:
    void started();
    // Every check ends with this, also one that found no connection.
    void finished();

private:
    void conclude(bool downloaded);
    QString target() const;

    QString m_workingDir;
    seams::Seams &m_seams;
    Network &m_network;
    bool m_running = false;
};

} // namespace admin
