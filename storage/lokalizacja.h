#pragma once

#include "fileerror.h"
#include "record.h"

#include <QLatin1String>
#include <QString>

namespace storage {

// The database location record, Admini\siec.dat in the working directory: local or network
// mode and the two paths.
namespace lokalizacja {
constexpr QLatin1String kName("Admini\\siec.dat");
constexpr qsizetype kSize = 403;
constexpr qsizetype kMode = 0;
constexpr StringField localPath{1, 200};
constexpr StringField networkPath{202, 200};
enum Mode : quint8 { Local = 1, Network = 2 };
// Mode 1, the working directory as local path, no network path.
Record defaultRecord(const QString &workingDir);
// The meaning of a stored mode byte: 1 and 2 as they are; any other value reads as the nearest
// of them, so 0 is local and 3 to 255 are network.
Mode ModeOf(quint8 stored);
} // namespace lokalizacja

struct DatabaseLocation {
    int mode = lokalizacja::Local;
    QString localPath;
    QString networkPath;
};

// The record under `dir`: the working directory's own, or the copy a database folder holds.
QString LocationFile(const QString &dir);

// Reads the record, writing the default one first when the file is missing. Throws FileError.
DatabaseLocation ReadLocation(const QString &workingDir);

// Rewrites the record; paths longer than 200 characters are cut. Throws FileError.
void WriteLocation(const QString &workingDir, int mode, const QString &localPath,
                   const QString &networkPath);

// What the start-up check of the database location found.
struct LocationCheck {
    enum class Status {
        Usable,             // baseDir holds the directory to work in
        NetworkUnavailable, // network mode, and the network copy of the record does not open
        Moved,              // local mode, and the working directory is not the stored local path
    };
    Status status = Status::Usable;
    DatabaseLocation location; // as read
    QString baseDir;           // the local or network path; only when usable
};

// Reads the record (writing the default first when missing) and checks that its location can be
// used: in network mode the network copy of the record must open (it only serves as a probe that
// the share is there); with `checkLocation` (the main window) the working directory must equal
// the stored local path, compared case-sensitively. Throws FileError for the record itself.
LocationCheck CheckLocation(const QString &workingDir, bool checkLocation);

// The repair the user may accept for a failed check, written to the working directory's record:
// mode 1, the network path as read, and as local path the one read (network unavailable) or the
// working directory (moved). Throws FileError.
void RepairLocation(const QString &workingDir, const LocationCheck &check);

// A failed step on the database under `baseDir` as the user should see it. A network share that
// went away answers every name with "no such file" or a transport error, so when the base
// directory's Admini\siec.dat (the probe of the start-up check) no longer opens, the error is the
// probe's system code and a line naming the folder that cannot be reached; otherwise `error` is
// returned as it is.
FileError OnDatabase(const FileError &error, const QString &baseDir);

} // namespace storage
