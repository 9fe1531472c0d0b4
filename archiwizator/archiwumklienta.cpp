#include "archiwumklienta.h"

#include "blad.h"
#include "clientrecords.h"
#include "fileerror.h"
#include "konfiguracja.h"
#include "paths.h"
#include "record.h"
#include "recordfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace archiwizator {

namespace {

const QString kAdmini = QStringLiteral("Admini");

QRegularExpressionMatch matchName(const QString &fileName)
{
    static const QRegularExpression name(
        QStringLiteral("^mirtal-(\\d{4}-\\d{2}-\\d{2}-\\d{4})-klient-(\\d{3})(?:-\\d+)?\\.zip$"));
    return name.match(fileName);
}

// The client archives lying in the Admini folder of `root`.
void collect(const QString &root, QList<ArchiwumKlienta> &found)
{
    const QString admini = storage::PathIn(root, kAdmini);
    const QFileInfoList files = QDir(admini).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        const QRegularExpressionMatch match = matchName(info.fileName());
        if (!match.hasMatch())
            continue;
        ArchiwumKlienta archive;
        archive.path = info.filePath();
        archive.fileName = info.fileName();
        archive.root = QDir::fromNativeSeparators(root);
        archive.client = match.captured(2);
        archive.made = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd-HHmm"));
        archive.size = info.size();
        found.append(archive);
    }
}

} // namespace

std::optional<QString> KlientArchiwum(const QString &fileName)
{
    const QRegularExpressionMatch match = matchName(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(2);
}

QList<Zrodlo> PlikiKlienta(const QString &root, const QString &number)
{
    const QDir rootDir(QDir::fromNativeSeparators(root));
    QList<Zrodlo> sources;
    for (const QString &file : storage::RemovedClientFiles(root, number)) {
        const QFileInfo info(file);
        // Whatever lies under a client's name and is not a plain file (a folder, a broken link)
        // is listed too: the archive then fails on it rather than leave it out unnoticed.
        if (!info.exists() && !info.isSymLink())
            continue;
        sources.append({rootDir.relativeFilePath(info.filePath()), info.filePath(), false});
    }
    return sources;
}

std::optional<Archiwum> ArchiwizujKlienta(const QString &root, const QString &number,
                                          const QDateTime &when, const Postep &postep)
{
    const QList<Zrodlo> sources = PlikiKlienta(root, number);
    if (sources.isEmpty())
        return std::nullopt;
    const QString admini = storage::PathIn(root, kAdmini);
    if (!QFileInfo(admini).isDir() && !QDir().mkpath(admini))
        throw Failure(QStringLiteral("Nie udało się utworzyć folderu %1.")
                          .arg(QDir::toNativeSeparators(admini)));
    return ZapiszArchiwum(sources, admini, when, QStringLiteral("klient-") + number, postep);
}

QList<ArchiwumKlienta> ArchiwaKlientow(const QString &root)
{
    QList<ArchiwumKlienta> found;
    collect(root, found);
    // The network folder may be the root itself; its archives are listed once.
    if (const QString network = FolderSieciowy(root);
        !network.isEmpty() &&
        QFileInfo(network).canonicalFilePath() != QFileInfo(root).canonicalFilePath())
        collect(network, found);
    std::stable_sort(found.begin(), found.end(),
                     [](const ArchiwumKlienta &a, const ArchiwumKlienta &b) {
                         return a.made != b.made ? a.made > b.made : a.fileName > b.fileName;
                     });
    return found;
}

PlanOdtworzenia SprawdzArchiwumKlienta(const ArchiwumKlienta &archive)
{
    PlanOdtworzenia plan = SprawdzArchiwum(archive.path);
    const QDir rootDir(archive.root);
    QStringList allowed;
    for (const QString &file : storage::RemovedClientFiles(archive.root, archive.client))
        allowed.append(rootDir.relativeFilePath(file));
    for (const PozycjaArchiwum &item : plan.entries) {
        if (item.directory || allowed.contains(item.name, Qt::CaseInsensitive))
            continue;
        throw Failure(
            QStringLiteral("Archiwum %1 zawiera plik %2, który nie należy do klienta "
                           "%3, i nie zostanie odtworzone. Dane nie zostały zmienione.")
                .arg(archive.fileName, QDir::toNativeSeparators(item.name), archive.client));
    }
    return plan;
}

} // namespace archiwizator
