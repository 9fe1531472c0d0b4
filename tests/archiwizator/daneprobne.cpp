#include "daneprobne.h"

#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

namespace daneprobne {

namespace {

bool write(const QString &root, const QString &relative, const QByteArray &bytes)
{
    const QString path = root + QLatin1Char('/') + relative;
    return QDir().mkpath(QFileInfo(path).path()) && testfiles::writeBytes(path, bytes);
}

} // namespace

QStringList ConfiguredFolders()
{
    return {QStringLiteral("Add_dok"),  QStringLiteral("Add_zad"),    QStringLiteral("Admini"),
            QStringLiteral("Dane"),     QStringLiteral("Komentarze"), QStringLiteral("Notatki"),
            QStringLiteral("Terminarz")};
}

bool WriteConfig(const QString &root)
{
    QByteArray bytes;
    bytes += testfiles::shortString(root + QLatin1Char('/'), 200);
    for (const QString &folder : ConfiguredFolders())
        bytes +=
            testfiles::shortString(root + QLatin1Char('/') + folder + QStringLiteral("/*.*"), 200);
    bytes += QByteArray(43 * 201, '\0');
    bytes += testfiles::shortString(root, 200);
    return bytes.size() == 10452 &&
           testfiles::writeBytes(root + QStringLiteral("/archiwizator_config.dat"), bytes);
}

QByteArray Noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

bool MakeOffice(const QString &root)
{
    if (!testfiles::makeDataTree(root) || !WriteConfig(root))
        return false;
    bool ok = write(root, QStringLiteral("DANE/klienci.dat"), Noise(36000, 1));
    for (int n = 1; n <= 500 && ok; ++n)
        ok = write(root, QStringLiteral("DANE/%1.dat").arg(n, 3, 10, QLatin1Char('0')),
                   Noise(237, 100 + n));
    for (const char *client : {"001", "005", "500"}) {
        for (const char *year : {"2006", "2007"}) {
            const QString stem =
                QStringLiteral("DANE/%1_%2").arg(QLatin1String(client), QLatin1String(year));
            ok = ok && write(root, stem + QStringLiteral(".prz"), Noise(413, 7)) &&
                 write(root, stem + QStringLiteral(".eks"), Noise(73232, 8)) &&
                 write(root, stem + QStringLiteral(".vat"), QByteArray("\x01\0\0\0\x01", 5)) &&
                 write(root, stem + QStringLiteral(".num"), Noise(15, 9));
        }
    }
    return ok && write(root, QStringLiteral("DANE/eksptresc.dat"), "paliwo\r\nnaprawa\r\n") &&
           write(root, QStringLiteral("Admini/historia.dat"), Noise(79, 10)) &&
           write(root, QStringLiteral("Admini/wer.dat"),
                 testfiles::shortString(QStringLiteral("24502"), 10)) &&
           write(root, QStringLiteral("Add_dok/Umowa źdźbło ŻÓŁW.txt"),
                 QStringLiteral("Umowa użyczenia samochodu").toUtf8()) &&
           write(root, QStringLiteral("Add_dok/Faktury/Faktura nr 1 – ąęćłńóśźż.pdf"),
                 Noise(5000, 11)) &&
           write(root, QStringLiteral("Notatki/Zażółć gęślą jaźń.txt"), "notatka") &&
           write(root, QStringLiteral("Notatki/pusty.txt"), QByteArray()) &&
           write(root, QStringLiteral("Uwagi księgowej.txt"), "uwagi") &&
           QDir(root).mkpath(QStringLiteral("Komentarze"));
}

QMap<QString, QByteArray> Snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), testfiles::readBytes(path));
    }
    return files;
}

QString Differences(const QMap<QString, QByteArray> &actual,
                    const QMap<QString, QByteArray> &expected)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key()))
            lines << it.key() + QStringLiteral(": missing");
        else if (actual.value(it.key()) != it.value())
            lines << it.key() + QStringLiteral(": differs");
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key()))
            lines << it.key() + QStringLiteral(": not expected");
    }
    return lines.join(QLatin1Char('\n'));
}

bool WriteZip(const QString &path, const QList<Entry> &entries)
{
    locale_t utf8 = ::newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    const locale_t previous = utf8 ? ::uselocale(utf8) : nullptr;
    archive *a = archive_write_new();
    bool ok = archive_write_set_format_zip(a) == ARCHIVE_OK &&
              archive_write_set_bytes_in_last_block(a, 1) == ARCHIVE_OK &&
              archive_write_open_filename(a, QFile::encodeName(path).constData()) == ARCHIVE_OK;
    for (const Entry &item : entries) {
        if (!ok)
            break;
        archive_entry *entry = archive_entry_new();
        archive_entry_copy_pathname(entry, item.name.toUtf8().constData());
        switch (item.kind) {
        case Entry::Kind::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, item.data.size());
            break;
        case Entry::Kind::Directory:
            archive_entry_set_filetype(entry, AE_IFDIR);
            break;
        case Entry::Kind::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_copy_symlink(entry, item.data.constData());
            break;
        }
        archive_entry_set_perm(entry, 0644);
        ok = archive_write_header(a, entry) == ARCHIVE_OK;
        if (ok && item.kind == Entry::Kind::File && !item.data.isEmpty())
            ok = archive_write_data(a, item.data.constData(),
                                    static_cast<size_t>(item.data.size())) == item.data.size();
        archive_entry_free(entry);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    if (utf8) {
        ::uselocale(previous);
        ::freelocale(utf8);
    }
    return ok;
}

} // namespace daneprobne
