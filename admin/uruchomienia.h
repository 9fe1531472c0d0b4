#pragma once

#include "programfiles.h"
#include "record.h"
#include "seams.h"

// This run's launch, prepared at start and written at the orderly end.
struct LaunchValues {
    storage::Record record{storage::historia::kSize}; // the history record as read at start
    QString date;
    QString time;
    QString counter;
};

// Prepares this run's launch values: reads the working directory's history (creating it all
// zero when missing), takes today's date and the current time, and counts this run as the
// stored counter plus one. The file is not changed. Throws FileError.
void PobierzDane(LaunchValues &launch, const QString &workingDir, seams::Seams &seams);

// Writes the history record as read at start with this run's date, time and counter into the
// working directory's history. Throws FileError.
void ZapiszUruchomienia(const LaunchValues &launch, const QString &workingDir);
