#pragma once

#include "record.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>

// The fixed files of the working directory that the program, the administrator's tools and the
// archiver share. Each name is a fragment for PathIn (either separator, matched without regard to
// case).
namespace storage {

// The installed version identifier: Admini\wer.dat, one short string of capacity 10. The program
// writes it once, when it is missing; the update check compares it with the maker's file.
namespace versionfile {
constexpr QLatin1String kName("Admini\\wer.dat");
constexpr qsizetype kSize = 11;
constexpr StringField identifier{0, 10};
// The identifier of this release.
constexpr QLatin1String kInstalled("24502");
// The identifier of this release, as the program writes it.
Record defaultRecord();
} // namespace versionfile

// The launch history record: Admini\historia.dat, the date, time and counter of the last run
// that ended in an orderly way.
namespace historia {
constexpr QLatin1String kName("Admini\\historia.dat");
constexpr qsizetype kSize = 79;
constexpr StringField date{0, 15};
constexpr StringField time{16, 15};
constexpr StringField counter{32, 15};
// Bytes 48 to 78 are reserved: zero in a new file, written back as read.

// The record under `root`.
QString path(const QString &root);
} // namespace historia

// The archiver's configuration: archiwizator_config.dat, written by the program at every start
// and read by the archiver. 52 short strings of capacity 200. Slot 1 holds the data root with
// its separator, slots 2 to 8 one mask per data folder (root, separator, folder name,
// separator, "*.*"), slot 52 the root without separator; the other slots are empty. The
// separator is the one of the system that wrote the file.
namespace archiverconfig {
constexpr QLatin1String kName("archiwizator_config.dat");
constexpr qsizetype kSlots = 52;
constexpr int kCapacity = 200;
constexpr qsizetype kSize = kSlots * (1 + kCapacity);
// slot 1..52
constexpr StringField slot(int number)
{
    return {(number - 1) * (1 + kCapacity), kCapacity};
}
// The configuration of the data root `workingDir`, with the native separator.
Record recordOf(const QString &workingDir);
} // namespace archiverconfig

// The archive register under Admini: the summary and the list of the archives made, and the
// same two for the restores. The archiver writes them; the administrator's tools delete them
// together.
namespace archiveregister {
constexpr QLatin1String kArchivesSummary("Admini\\data_ar.dat");
constexpr QLatin1String kArchivesList("Admini\\data_adr.dat");
constexpr QLatin1String kRestoresSummary("Admini\\data_or.dat");
constexpr QLatin1String kRestoresList("Admini\\data_odr.dat");
// The four files in the order they are deleted.
QStringList Files();
} // namespace archiveregister

// The folder the archiver writes archives to, remembered between its runs.
namespace archivefolder {
constexpr QLatin1String kName("Admini\\archfolder.dat");
} // namespace archivefolder

// The maker's version information, downloaded by the update check: Admini\24.txt, plain text.
namespace updateinfo {
constexpr QLatin1String kName("Admini\\24.txt");
} // namespace updateinfo

// The expense phrases the cost window offers and opens in the text editor: DANE\eksptresc.dat,
// plain text, one phrase a line.
namespace phrasefile {
constexpr QLatin1String kName("DANE\\eksptresc.dat");
} // namespace phrasefile

// The help text on the network version, opened in the text editor: POMOC\siec.dat.
namespace networkhelp {
constexpr QLatin1String kName("\\POMOC\\siec.dat");
} // namespace networkhelp

} // namespace storage
