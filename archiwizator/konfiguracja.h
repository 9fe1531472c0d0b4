#pragma once

#include "record.h"

#include <QString>
#include <QStringList>

namespace archiwizator {

// The configuration the program writes at every start, storage::archiverconfig, as the archiver
// uses it. The separator is the one of the system that wrote the file, so either kind is accepted.
struct Konfiguracja {
    // The data root, as a native path without trailing separator.
    QString root;
    // The data folders below the root, as named in the masks ("Add_dok", "Dane", ...).
    QStringList folders;
};

// Reads the configuration from `workingDir`. A missing, short or inconsistent file, or a root
// that does not exist, throws Failure with a message that says what to do.
Konfiguracja CzytajKonfiguracje(const QString &workingDir);

// The same rules applied to the record's bytes; the root need not exist.
Konfiguracja RozbierzKonfiguracje(const storage::Record &record);

// The network database folder that the location record under `root` selects, when it selects
// network mode with a path; empty otherwise, and when the record is missing (nothing is written
// then) or cannot be read.
QString FolderSieciowy(const QString &root);

} // namespace archiwizator
