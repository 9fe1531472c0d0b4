#include "archiwum.h"

#include "blad.h"
#include "descriptor.h"
#include "fileerror.h"
#include "paths.h"
#include "postep.h"
#include "programfiles.h"
#include "zip.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace archiwizator {

namespace {

using storage::Descriptor;

constexpr size_t kChunk = 65536;

const QString kPrefix = QStringLiteral("mirtal-");
const QString kExtension = QStringLiteral(".zip");
const QString kTempPrefix = QStringLiteral(".mirtal-");

// What was put into the archive, to be compared with what is read back.
struct Written {
    QString name;
    bool directory = false;
    qint64 size = 0;
    quint32 crc = 0;
};

Failure cannotRead(const QString &name, int err, const QString &path)
{
    const storage::FileError error = storage::FileError::fromErrno(err, path);
    return Failure(QStringLiteral("Nie można odczytać pliku %1: %2")
                       .arg(QDir::toNativeSeparators(name), error.text()),
                   error.code());
}

Failure cannotWrite(const QString &destinationDir, archive *a, int err = 0)
{
    if (err == 0 && a)
        err = zip::ErrorNumber(a);
    const storage::FileError error = storage::FileError::fromErrno(err, destinationDir);
    const QString why =
        err != 0 ? error.text() : zip::ErrorText(a, QStringLiteral("nieznany błąd"));
    return Failure(QStringLiteral("Nie udało się zapisać archiwum w folderze %1: %2")
                       .arg(QDir::toNativeSeparators(destinationDir), why),
                   err != 0 ? error.code() : 0);
}

Failure notVerified(const QString &why)
{
    return Failure(QStringLiteral("Archiwum nie przeszło sprawdzenia po zapisaniu (%1), więc "
                                  "zostało usunięte.")
                       .arg(why));
}

void setName(archive_entry *entry, const QString &name)
{
    archive_entry_copy_pathname(entry, name.toUtf8().constData());
}

QString entryName(archive_entry *entry)
{
    if (const char *utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    const char *plain = archive_entry_pathname(entry);
    return plain ? QString::fromUtf8(plain) : QString();
}

void addDirectory(archive *a, const Zrodlo &source, const QString &destinationDir,
                  QList<Written> &written)
{
    archive_entry *entry = archive_entry_new();
    setName(entry, source.name);
    archive_entry_set_filetype(entry, AE_IFDIR);
    archive_entry_set_perm(entry, 0755);
    archive_entry_set_mtime(entry, QFileInfo(source.path).lastModified().toSecsSinceEpoch(), 0);
    const int result = archive_write_header(a, entry);
    archive_entry_free(entry);
    if (result != ARCHIVE_OK)
        throw cannotWrite(destinationDir, a);
    written.append({source.name, true, 0, 0});
}

void addFile(archive *a, const Zrodlo &source, const QString &destinationDir,
             QList<Written> &written)
{
    Descriptor fd(::open(QFile::encodeName(source.path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw cannotRead(source.name, errno, source.path);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        throw cannotRead(source.name, errno, source.path);

    archive_entry *entry = archive_entry_new();
    setName(entry, source.name);
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, st.st_size);
    archive_entry_set_mtime(entry, st.st_mtime, 0);
    const int result = archive_write_header(a, entry);
    archive_entry_free(entry);
    if (result != ARCHIVE_OK)
        throw cannotWrite(destinationDir, a);

    Written item{source.name, false, 0, static_cast<quint32>(::crc32(0L, Z_NULL, 0))};
    std::vector<char> chunk(kChunk);
    char *buffer = chunk.data();
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, chunk.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw cannotRead(source.name, errno, source.path);
        }
        if (n == 0)
            break;
        if (item.size + n > st.st_size)
            break;
        item.crc = static_cast<quint32>(
            ::crc32(item.crc, reinterpret_cast<const Bytef *>(buffer), static_cast<uInt>(n)));
        if (archive_write_data(a, buffer, static_cast<size_t>(n)) != n)
            throw cannotWrite(destinationDir, a);
        item.size += n;
    }
    if (item.size != st.st_size)
        throw Failure(QStringLiteral("Plik %1 zmienił się w trakcie archiwizacji; zamknij "
                                     "programy, które go zmieniają, i spróbuj ponownie.")
                          .arg(QDir::toNativeSeparators(source.name)));
    written.append(item);
}

Przerwano stopped()
{
    return Przerwano(QStringLiteral("Archiwizację przerwano; archiwum nie zostało zapisane."), {});
}

// Reads the archive back and compares every entry with what was written.
void verify(const QString &path, const QList<Written> &written, int files, const Postep &postep)
{
    zip::Reader reader = [&] {
        try {
            return zip::OpenForReading(path);
        } catch (const Failure &failure) {
            throw notVerified(failure.message());
        }
    }();
    archive *a = reader.get();
    std::vector<char> chunk(kChunk);
    char *buffer = chunk.data();
    qsizetype index = 0;
    int checked = 0;
    archive_entry *entry = nullptr;
    int result;
    while ((result = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        if (index >= written.size())
            throw notVerified(QStringLiteral("nadmiarowy wpis %1").arg(entryName(entry)));
        const Written &expected = written[index++];
        const QString name = entryName(entry);
        if (name != expected.name)
            throw notVerified(QStringLiteral("wpis %1 w miejscu %2").arg(name, expected.name));
        const bool directory = archive_entry_filetype(entry) == AE_IFDIR;
        if (directory != expected.directory)
            throw notVerified(QStringLiteral("zły rodzaj wpisu %1").arg(name));
        if (directory)
            continue;
        if (postep && !postep({Krok::Etap::Sprawdzenie, checked, files, name}))
            throw stopped();
        ++checked;
        quint32 crc = static_cast<quint32>(::crc32(0L, Z_NULL, 0));
        qint64 size = 0;
        for (;;) {
            const la_ssize_t n = archive_read_data(a, buffer, chunk.size());
            if (n < 0)
                throw notVerified(QStringLiteral("%1: %2").arg(name, zip::ErrorText(a)));
            if (n == 0)
                break;
            crc = static_cast<quint32>(
                ::crc32(crc, reinterpret_cast<const Bytef *>(buffer), static_cast<uInt>(n)));
            size += n;
        }
        if (size != expected.size)
            throw notVerified(QStringLiteral("plik %1 ma %2 bajtów zamiast %3")
                                  .arg(name)
                                  .arg(size)
                                  .arg(expected.size));
        if (crc != expected.crc)
            throw notVerified(QStringLiteral("suma kontrolna pliku %1 się nie zgadza").arg(name));
    }
    if (result != ARCHIVE_EOF)
        throw notVerified(zip::ErrorText(a, QStringLiteral("nieczytelny wpis")));
    if (index != written.size())
        throw notVerified(QStringLiteral("brak %1 wpisów").arg(written.size() - index));
}

// The first name of the form base[-N].zip that no file in `dir` has yet.
QString freeName(const QString &dir, const QString &base)
{
    for (int n = 1;; ++n) {
        const QString name =
            n == 1 ? base + kExtension : base + QStringLiteral("-%1").arg(n) + kExtension;
        if (!QFileInfo::exists(dir + QLatin1Char('/') + name))
            return name;
    }
}

} // namespace

QString NazwaArchiwum(const QDateTime &when, const QString &suffix)
{
    QString name = kPrefix + when.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    if (!suffix.isEmpty())
        name += QLatin1Char('-') + suffix;
    return name + kExtension;
}

bool JestArchiwum(const QString &fileName)
{
    return (fileName.startsWith(kPrefix) && fileName.endsWith(kExtension)) ||
           fileName.startsWith(kTempPrefix);
}

bool PlikArchiwizatora(const QString &relativeName)
{
    static const QStringList own = [] {
        QStringList names = storage::archiveregister::Files();
        names << storage::archivefolder::kName << storage::archiverconfig::kName;
        return names.replaceInStrings(QStringLiteral("\\"), QStringLiteral("/"));
    }();
    QString name = relativeName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return own.contains(name, Qt::CaseInsensitive);
}

QList<Zrodlo> ZbierzPliki(const Konfiguracja &config, const QString &destinationDir)
{
    const QString destination = QFileInfo(destinationDir).canonicalFilePath();
    auto excluded = [&](const QFileInfo &info) {
        return !destination.isEmpty() && JestArchiwum(info.fileName()) &&
               QFileInfo(info.absolutePath()).canonicalFilePath() == destination;
    };
    // Broken links are listed too (QDir::System): they are files that cannot be read, and an
    // archive that silently lacks them would not be a copy of the data.
    const QDir::Filters files = QDir::Files | QDir::Hidden | QDir::System;

    QList<Zrodlo> sources;
    const QFileInfoList rootFiles =
        QDir(config.root).entryInfoList(files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : rootFiles) {
        if (!info.isDir() && !excluded(info) && !PlikArchiwizatora(info.fileName()))
            sources.append({info.fileName(), info.filePath(), false});
    }

    QStringList seen;
    for (const QString &folder : config.folders) {
        const QString path = storage::PathIn(config.root, folder);
        const QFileInfo folderInfo(path);
        if (!folderInfo.isDir())
            continue; // an add-on that is not installed has no folder
        const QString relative =
            QDir(QDir::fromNativeSeparators(config.root)).relativeFilePath(folderInfo.filePath());
        if (seen.contains(relative, Qt::CaseInsensitive))
            continue;
        seen.append(relative);

        sources.append({relative + QLatin1Char('/'), path, true});
        QList<Zrodlo> below;
        QDirIterator it(path, files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            const QString name =
                relative + QLatin1Char('/') + QDir(path).relativeFilePath(info.filePath());
            if (excluded(info) || PlikArchiwizatora(name))
                continue;
            if (info.isDir() && !info.isSymLink())
                below.append({name + QLatin1Char('/'), info.filePath(), true});
            else if (!info.isDir())
                below.append({name, info.filePath(), false});
        }
        std::sort(below.begin(), below.end(),
                  [](const Zrodlo &a, const Zrodlo &b) { return a.name < b.name; });
        sources.append(below);
    }
    return sources;
}

Archiwum Archiwizuj(const Konfiguracja &config, const QString &destinationDir,
                    const QDateTime &when, const QString &suffix, const Postep &postep)
{
    const QString dir = QDir::fromNativeSeparators(destinationDir);
    if (dir.trimmed().isEmpty())
        throw Failure(QStringLiteral("Wskaż folder, w którym mają być zapisywane archiwa."));
    if (!QFileInfo(dir).isDir())
        throw Failure(QStringLiteral("Folder archiwów %1 nie istnieje.")
                          .arg(QDir::toNativeSeparators(destinationDir)));
    return ZapiszArchiwum(ZbierzPliki(config, dir), destinationDir, when, suffix, postep);
}

Archiwum ZapiszArchiwum(const QList<Zrodlo> &sources, const QString &destinationDir,
                        const QDateTime &when, const QString &suffix, const Postep &postep)
{
    const QString dir = QDir::fromNativeSeparators(destinationDir);
    const int files = static_cast<int>(std::count_if(sources.cbegin(), sources.cend(),
                                                     [](const Zrodlo &s) { return !s.directory; }));
    const QString base = NazwaArchiwum(when, suffix).chopped(kExtension.size());

    zip::Utf8Names utf8;
    QByteArray tempName = QFile::encodeName(dir + QLatin1Char('/') + kTempPrefix +
                                            base.mid(kPrefix.size()) + QStringLiteral(".XXXXXX"));
    Descriptor fd(::mkstemp(tempName.data()));
    if (fd.get() < 0)
        throw cannotWrite(destinationDir, nullptr, errno);
    const QString tempPath = QFile::decodeName(tempName);

    try {
        QList<Written> written;
        {
            zip::Writer writer(archive_write_new());
            archive *a = writer.get();
            if (!a || archive_write_set_format_zip(a) != ARCHIVE_OK ||
                archive_write_set_options(a, "zip:compression=deflate,zip:hdrcharset=UTF-8") !=
                    ARCHIVE_OK ||
                archive_write_set_bytes_in_last_block(a, 1) != ARCHIVE_OK ||
                archive_write_open_fd(a, fd.get()) != ARCHIVE_OK)
                throw cannotWrite(destinationDir, a);
            int done = 0;
            for (const Zrodlo &source : sources) {
                if (source.directory) {
                    addDirectory(a, source, destinationDir, written);
                    continue;
                }
                if (postep && !postep({Krok::Etap::Zapis, done, files, source.name}))
                    throw stopped();
                addFile(a, source, destinationDir, written);
                ++done;
            }
            if (archive_write_close(a) != ARCHIVE_OK)
                throw cannotWrite(destinationDir, a);
        }
        if (::fsync(fd.get()) != 0 || fd.close() != 0)
            throw cannotWrite(destinationDir, nullptr, errno);

        verify(tempPath, written, files, postep);

        const QString finalName = freeName(dir, base);
        const QString finalPath = dir + QLatin1Char('/') + finalName;
        if (::rename(tempName.constData(), QFile::encodeName(finalPath).constData()) != 0)
            throw cannotWrite(destinationDir, nullptr, errno);
        Descriptor dirFd(
            ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() >= 0)
            (void)::fsync(dirFd.get());

        Archiwum result;
        result.path = QDir::toNativeSeparators(finalPath);
        result.fileName = finalName;
        result.size = QFileInfo(finalPath).size();
        result.made = when;
        result.files = static_cast<int>(std::count_if(
            written.cbegin(), written.cend(), [](const Written &w) { return !w.directory; }));
        return result;
    } catch (...) {
        ::unlink(tempName.constData());
        throw;
    }
}

} // namespace archiwizator
