#include "odtwarzanie.h"

#include "archiwum.h"
#include "blad.h"
#include "blokada.h"
#include "fileerror.h"
#include "konfiguracja.h"
#include "paths.h"
#include "record.h"
#include "recordfile.h"
#include "zip.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <archive.h>
#include <archive_entry.h>

#include <vector>

namespace archiwizator {

namespace {

QString entryName(archive_entry *entry)
{
    if (const char *utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    const char *plain = archive_entry_pathname(entry);
    return plain ? QString::fromUtf8(plain) : QString();
}

Failure damaged(const QString &fileName, const QString &why)
{
    return Failure(QStringLiteral("Archiwum %1 jest uszkodzone (%2) i nie zostanie odtworzone. "
                                  "Dane nie zostały zmienione.")
                       .arg(fileName, why));
}

Failure refused(const QString &fileName, const QString &entry, const QString &why)
{
    return Failure(QStringLiteral("Archiwum %1 zawiera wpis „%2”, %3, i nie zostanie "
                                  "odtworzone. Dane nie zostały zmienione.")
                       .arg(fileName, entry, why));
}

// Reads the current entry's data whole; `size` is the size the entry declares, or -1.
QByteArray readData(archive *a, qint64 size, const QString &fileName, const QString &name)
{
    QByteArray data;
    if (size > 0)
        data.reserve(size);
    std::vector<char> chunk(65536);
    for (;;) {
        const la_ssize_t n = archive_read_data(a, chunk.data(), chunk.size());
        if (n < 0)
            throw damaged(fileName, name + QStringLiteral(": ") + zip::ErrorText(a));
        if (n == 0)
            break;
        data.append(chunk.data(), n);
    }
    if (size >= 0 && data.size() != size)
        throw damaged(
            fileName,
            QStringLiteral("%1: %2 bajtów zamiast %3").arg(name).arg(data.size()).arg(size));
    return data;
}

QDateTime madeAt(const QFileInfo &info)
{
    static const QRegularExpression stamp(QStringLiteral("^mirtal-(\\d{4}-\\d{2}-\\d{2}-\\d{4})"));
    const QRegularExpressionMatch match = stamp.match(info.fileName());
    if (match.hasMatch()) {
        const QDateTime when =
            QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd-HHmm"));
        if (when.isValid())
            return when;
    }
    return info.lastModified();
}

QStringList locksIn(const QString &root)
{
    const QString kosz = storage::LockFolder(root);
    QStringList locks;
    const QFileInfoList found = QDir(kosz).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : found) {
        if (info.suffix().compare(storage::kLockSuffix, Qt::CaseInsensitive) == 0)
            locks.append(QDir::toNativeSeparators(info.filePath()));
    }
    return locks;
}

QString polishFiles(int n)
{
    if (n == 1)
        return QStringLiteral("1 plik");
    const int tens = n % 100;
    const int units = n % 10;
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 pliki").arg(n);
    return QStringLiteral("%1 plików").arg(n);
}

} // namespace

std::optional<QString> BezpiecznaSciezka(const QString &entryName)
{
    if (entryName.isEmpty() || entryName.startsWith(QLatin1Char('/')) ||
        entryName.startsWith(QLatin1Char('\\')))
        return std::nullopt;
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList kept;
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return std::nullopt;
        for (const QChar c : part) {
            if (c == QLatin1Char(':') || c.unicode() < 0x20)
                return std::nullopt;
        }
        kept.append(part);
    }
    if (kept.isEmpty())
        return std::nullopt;
    return kept.join(QLatin1Char('/'));
}

PlanOdtworzenia SprawdzArchiwum(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    PlanOdtworzenia plan;
    plan.archive = archivePath;
    plan.fileName = info.fileName();
    plan.archiveSize = info.size();
    plan.made = madeAt(info);

    zip::Utf8Names utf8;
    zip::Reader reader = [&] {
        try {
            return zip::OpenForReading(archivePath);
        } catch (const Failure &failure) {
            throw damaged(plan.fileName, failure.message());
        }
    }();
    archive *a = reader.get();
    archive_entry *entry = nullptr;
    int result;
    while ((result = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        const QString name = entryName(entry);
        const std::optional<QString> safe = BezpiecznaSciezka(name);
        if (!safe)
            throw refused(plan.fileName, name,
                          QStringLiteral("który wskazuje miejsce poza katalogiem danych"));
        const auto type = archive_entry_filetype(entry);
        if (type != AE_IFDIR && type != AE_IFREG)
            throw refused(plan.fileName, name,
                          QStringLiteral("który nie jest ani plikiem, ani folderem"));
        PozycjaArchiwum item{*safe, type == AE_IFDIR, 0};
        if (!item.directory) {
            const qint64 declared =
                archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1;
            item.size = readData(a, declared, plan.fileName, name).size();
            ++plan.files;
            plan.bytes += item.size;
        }
        plan.entries.append(item);
    }
    if (result != ARCHIVE_EOF)
        throw damaged(plan.fileName, zip::ErrorText(a, QStringLiteral("nieczytelny wpis")));
    if (plan.entries.isEmpty())
        throw damaged(plan.fileName, QStringLiteral("archiwum jest puste"));
    return plan;
}

QString OpisArchiwum(const PlanOdtworzenia &plan, const QString &dateSeparator)
{
    const QString dateFormat = QStringLiteral("dd%1MM%1yyyy").arg(dateSeparator);
    QString text = QStringLiteral("Archiwum: %1\nUtworzone: %2, godz. %3\nZawiera: %4, %5 "
                                  "bajtów\n")
                       .arg(plan.fileName, plan.made.toString(dateFormat),
                            plan.made.toString(QStringLiteral("HH:mm")), polishFiles(plan.files))
                       .arg(plan.bytes);
    QMap<QString, int> perFolder;
    int inRoot = 0;
    for (const PozycjaArchiwum &item : plan.entries) {
        const qsizetype slash = item.name.indexOf(QLatin1Char('/'));
        if (slash < 0 && item.directory)
            perFolder[item.name];
        else if (slash < 0)
            ++inRoot;
        else if (!item.directory)
            ++perFolder[item.name.left(slash)];
        else
            perFolder[item.name.left(slash)];
    }
    if (inRoot > 0)
        text += QStringLiteral("\n  katalog danych: %1").arg(polishFiles(inRoot));
    for (auto it = perFolder.cbegin(); it != perFolder.cend(); ++it)
        text += QStringLiteral("\n  %1: %2").arg(it.key(), polishFiles(it.value()));
    return text;
}

QStringList BlokadyKlientow(const QString &root)
{
    QStringList locks = locksIn(root);
    if (const QString network = FolderSieciowy(root); !network.isEmpty())
        locks += locksIn(network);
    return locks;
}

int Odtworz(const PlanOdtworzenia &plan, const QString &root, const Postep &postep)
{
    zip::Utf8Names utf8;
    zip::Reader reader = [&] {
        try {
            return zip::OpenForReading(plan.archive);
        } catch (const Failure &failure) {
            throw damaged(plan.fileName, failure.message());
        }
    }();
    archive *a = reader.get();
    archive_entry *entry = nullptr;
    int written = 0;
    QStringList done;
    qsizetype index = 0;
    int result;
    while ((result = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        const std::optional<QString> safe = BezpiecznaSciezka(entryName(entry));
        if (index >= plan.entries.size() || !safe || *safe != plan.entries[index].name)
            throw Failure(QStringLiteral("Archiwum %1 zmieniło się po sprawdzeniu; odtwarzanie "
                                         "przerwano.")
                              .arg(plan.fileName));
        const PozycjaArchiwum &item = plan.entries[index++];
        if (PlikArchiwizatora(item.name))
            continue;
        const QString target = storage::PathIn(root, item.name);
        const QString folder = item.directory ? target : QFileInfo(target).path();
        if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
            throw Failure(QStringLiteral("Nie udało się utworzyć folderu %1.")
                              .arg(QDir::toNativeSeparators(folder)));
        if (item.directory)
            continue;
        if (postep && !postep({Krok::Etap::Odtwarzanie, written, plan.files, item.name}))
            throw Przerwano(
                QStringLiteral("Odtwarzanie z archiwum %1 przerwano.").arg(plan.fileName), done);
        const QByteArray data = readData(a, item.size, plan.fileName, item.name);
        storage::Record record(data.size());
        record.bytes() = data;
        try {
            storage::WriteRecord(target, record);
        } catch (const storage::FileError &error) {
            throw Failure(QStringLiteral("Nie udało się odtworzyć pliku %1: %2")
                              .arg(QDir::toNativeSeparators(item.name), error.text()),
                          error.code());
        }
        ++written;
        done.append(item.name);
    }
    if (result != ARCHIVE_EOF)
        throw damaged(plan.fileName, zip::ErrorText(a, QStringLiteral("nieczytelny wpis")));
    return written;
}

} // namespace archiwizator
