#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Fixtures of the archiving tests: an office's working directory and hand-made archives.
namespace daneprobne {

// The folder names of the configuration, spelled as the program writes them.
QStringList ConfiguredFolders();

// Writes archiwizator_config.dat into `root`, built from its layout: 52 short strings of
// capacity 200, slot 1 the root with separator, slots 2 to 8 the folder masks, slot 52 the root.
bool WriteConfig(const QString &root);

// A working directory as an office leaves it: the data tree (DANE, KOSZ, Admini ... in the
// spellings the program creates), a full client register, an owner record for every position,
// year files of three clients, the add-ons' folders with Polish file names and a subfolder,
// files in the root itself, and the configuration. Returns false when a file could not be made.
bool MakeOffice(const QString &root);

// Every file below `dir`, by relative name ('/' between components), with its bytes.
QMap<QString, QByteArray> Snapshot(const QString &dir);

// The files in which two snapshots differ, one line each naming the file and how ("differs",
// "missing", "not expected"); empty when they hold the same files with the same bytes.
QString Differences(const QMap<QString, QByteArray> &actual,
                    const QMap<QString, QByteArray> &expected);

// One entry of a hand-made archive.
struct Entry {
    enum class Kind { File, Directory, Symlink };
    QString name;
    QByteArray data; // a symlink's target
    Kind kind = Kind::File;
};

// Writes a ZIP archive holding exactly these entries, names as given.
bool WriteZip(const QString &path, const QList<Entry> &entries);

// Deterministic bytes that do not compress.
QByteArray Noise(qsizetype size, quint32 seed);

} // namespace daneprobne
