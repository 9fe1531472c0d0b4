#pragma once

#include "record.h"
#include "seams.h"

// The launch history record, Admini\historia.dat: the date, time and counter of the last run
// that ended in an orderly way.
namespace historia {
constexpr qsizetype kSize = 79;
constexpr storage::StringField date{0, 15};
constexpr storage::StringField time{16, 15};
constexpr storage::StringField counter{32, 15};
// Bytes 48 to 78 are reserved: zero in a new file, written back as read.
QString path(const QString &root);
} // namespace historia

// This run's launch, prepared at start and written at the orderly end.
struct LaunchValues {
    storage::Record record{historia::kSize}; // the history record as read at start
    QString date;
    QString time;
    QString counter;
};

// Prepares this run's launch values: reads the working directory's history (creating it all
// zero when missing), takes today's date and the current time, and counts this run as the
// stored counter plus one. The file is not changed. Throws FileError.
void PobierzDane(LaunchValues &launch, const QString &workingDir, storage::Seams &seams);

// Writes the history record as read at start with this run's date, time and counter into the
// working directory's history. Throws FileError.
void ZapiszUruchomienia(const LaunchValues &launch, const QString &workingDir);
