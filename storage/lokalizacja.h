#pragma once

#include "record.h"
#include "seams.h"

#include <QString>

#include <optional>

namespace storage {

// The database location record, Admini\siec.dat in the working directory: local or network
// mode and the two paths.
namespace lokalizacja {
constexpr qsizetype kSize = 403;
constexpr qsizetype kMode = 0;
constexpr StringField localPath{1, 200};
constexpr StringField networkPath{202, 200};
enum Mode : quint8 { Local = 1, Network = 2 };
// Mode 1, the working directory as local path, no network path.
Record defaultRecord(const QString &workingDir);
} // namespace lokalizacja

struct DatabaseLocation {
    int mode = lokalizacja::Local; // any stored value but 2 counts as local
    QString localPath;
    QString networkPath;
};

QString LocationFile(const QString &workingDir);

// Reads the record, writing the default one first when the file is missing. Throws FileError.
DatabaseLocation ReadLocation(const QString &workingDir);

// Rewrites the record; paths longer than 200 characters are cut. Throws FileError.
void WriteLocation(const QString &workingDir, int mode, const QString &localPath,
                   const QString &networkPath);

// Works out the base directory from the record. In network mode the network copy of the
// record must open, or the user is asked whether to fall back to local mode; with
// `checkLocation` (the main window) the working directory must equal the stored local path, or
// the user is asked whether to store the new one. Either question ends the program, whatever
// the answer, and then nothing is returned. Throws FileError for the record itself.
std::optional<QString> ResolveBaseDirectory(const QString &workingDir, Seams &seams,
                                            bool checkLocation, int *mode = nullptr);

} // namespace storage
