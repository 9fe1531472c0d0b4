#pragma once

#include "seams.h"

#include <QString>

#include <optional>

namespace ui {

// The database a window works with once the location check has passed.
struct DatabaseConnection {
    QString baseDir;
    int mode = 0; // storage::lokalizacja::Mode
};

// Runs the database-location check for a window's set-up and, when it fails, asks the user
// whether to repair the record ("Informacja", Yes/No): on Yes the record is rewritten and the
// user is told to start again; on Yes and on No alike the program is ended, and nothing is
// returned. `checkLocation` (the main window only) also compares the working directory with the
// stored local path. Throws FileError for the record itself; a failed repair is reported and
// the program ends all the same.
std::optional<DatabaseConnection> ConnectDatabase(const QString &workingDir, seams::Seams &seams,
                                                  bool checkLocation);

} // namespace ui
