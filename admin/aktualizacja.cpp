#include "aktualizacja.h"

#include "fileerror.h"
#include "guard.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"
#include "textcodec.h"

#include <QFileInfo>

using namespace seams;
using namespace storage;

namespace admin {

namespace {

const QString kCaption = QStringLiteral("Informacja");

// Reads a whole file of text as it is on disk. Throws FileError.
QByteArray readWhole(const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    Record contents(size);
    ReadRecord(path, contents);
    return contents.bytes();
}

} // namespace

const QUrl &DefaultUpdateAddress()
{
    static const QUrl address(QStringLiteral("https://mirtal.pl/aktualizacje/24.txt"));
    return address;
}

UpdateAnswer DecideUpdate(const QString &installed, const QString &latest, const QString &code)
{
    if (installed != latest)
        return UpdateAnswer::NewVersion;
    if (code == QLatin1String("k"))
        return UpdateAnswer::Current;
    if (code == QLatin1String("d"))
        return UpdateAnswer::NewVersion;
    return UpdateAnswer::Silent;
}

QString Announcement(const QString &where)
{
    return QStringLiteral("Na stronie internetowej programu jest dostępna nowa aktualizacja "
                          "programu.\nPobierz aktualną wersje programu ") +
           where;
}

QStringList FirstLines(const QByteArray &text, int count)
{
    QStringList lines = TextLines(DecodeText(text)).mid(0, count);
    while (lines.size() < count)
        lines << QString();
    return lines;
}

QString ReadInstalledVersion(const QString &workingDir)
{
    Record record(versionfile::kSize);
    ReadRecord(PathIn(workingDir, versionfile::kName), record);
    return record.text(versionfile::identifier);
}

UpdateCheck::UpdateCheck(const QString &workingDir, Seams &seams, Network &network, QObject *parent)
    : QObject(parent), m_workingDir(workingDir), m_seams(seams), m_network(network)
{
}

QString UpdateCheck::target() const
{
    return PathIn(m_workingDir, updateinfo::kName);
}

void UpdateCheck::start()
{
    if (m_running)
        return;
    if (m_network.connection() == Connection::Disconnected) {
        Q_EMIT finished();
        return;
    }
    m_running = true;
    Q_EMIT started();
    // Only a file that arrived whole in this check is ever read: an earlier copy goes first.
    DeleteFile(target());
    m_network.download(address, target(), this, [this](bool downloaded) { conclude(downloaded); });
}

void UpdateCheck::conclude(bool downloaded)
{
    m_running = false;
    if (!downloaded) {
        m_seams.dialogs.notice(kCaption,
                               QStringLiteral("Brak informacji o nowych wersjach tego programu."));
        Q_EMIT finished();
        return;
    }
    Guarded(m_seams.dialogs, [this] {
        const QString installed = ReadInstalledVersion(m_workingDir);
        const QStringList lines = FirstLines(readWhole(target()), 3);
        switch (DecideUpdate(installed, lines[0], lines[1])) {
        case UpdateAnswer::Current:
            m_seams.dialogs.notice(kCaption, QStringLiteral("Posiadasz aktualną wersje programu."));
            break;
        case UpdateAnswer::NewVersion:
            m_seams.dialogs.notice(kCaption, Announcement(lines[2]));
            break;
        case UpdateAnswer::Silent:
            break;
        }
    });
    Q_EMIT finished();
}

} // namespace admin
