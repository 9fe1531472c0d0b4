#pragma once

#include "record.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

// The archive register under Admini, four record files that the administrator's
// "wykasowanie rejestru archiwizacji" deletes together:
//
//   data_ar.dat   archives made: int32 count since the register was last cleared (offset 0),
//                 then the row of the latest archive (offset 4); 449 bytes
//   data_adr.dat  the list of archives: int32 number of rows (offset 0, at most 100), then
//                 that many rows from offset 4, oldest first; 44504 bytes. When it is full the
//                 oldest row gives way.
//   data_or.dat   restores: as data_ar.dat, for the restores made
//   data_odr.dat  the list of restores: as data_adr.dat
//
// A row is 445 bytes of short strings (length byte, Windows-1250 text) and one integer:
//
//   offset  size  field
//   0       11    date, "yyyy-MM-dd" (capacity 10)
//   11      6     time, "HH:mm" (capacity 5)
//   17      101   archive file name (capacity 100)
//   118     21    archive size in bytes, decimal text (capacity 20)
//   139     4     number of files: in the archive, or restored from it (int32)
//   143     201   folder of the archive (capacity 200)
//   344     101   note (capacity 100): for a restore, the safety archive made just before;
//                 for an archive, "kopia przed odtworzeniem" when it is one
//
// Every file is written whole through a temporary file, so a failed write leaves the old one.
namespace archiwizator {

namespace rejestr {
constexpr storage::StringField date{0, 10};
constexpr storage::StringField time{11, 5};
constexpr storage::StringField file{17, 100};
constexpr storage::StringField size{118, 20};
constexpr qsizetype files = 139;
constexpr storage::StringField folder{143, 200};
constexpr storage::StringField note{344, 100};
constexpr qsizetype kRowSize = 445;
constexpr int kRows = 100;
constexpr qsizetype kListSize = 4 + kRows * kRowSize;
constexpr qsizetype kSummarySize = 4 + kRowSize;
} // namespace rejestr

struct Wpis {
    QDate date;
    QTime time;
    QString file;
    qint64 size = 0;
    int files = 0;
    QString folder;
    QString note;

    friend bool operator==(const Wpis &, const Wpis &) = default;
};

enum class Rejestr { Archiwa, Odtworzenia };

// The row of the archive at `archivePath` (named `fileName`, `size` bytes), made or restored at
// `when`; `files` as the register counts them.
Wpis NowyWpis(const QDateTime &when, const QString &archivePath, const QString &fileName,
              qint64 size, int files, const QString &note);

// The rows of the list, oldest first; empty when the register has been cleared. Throws
// storage::FileError for a file that exists but cannot be read.
QList<Wpis> CzytajRejestr(const QString &workingDir, Rejestr which);

// How many were made since the register was last cleared (the list keeps only the last 100).
int LiczbaWpisow(const QString &workingDir, Rejestr which);

// Appends a row to the list and makes it the latest in the summary. Throws storage::FileError.
void Dopisz(const QString &workingDir, Rejestr which, const Wpis &row);

} // namespace archiwizator
