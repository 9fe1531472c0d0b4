#pragma once

#include "programstate.h"
#include "record.h"
#include "seams.h"

// The launch history record, Admini\historia.dat: the date, time and counter of the last run
// that ended in an orderly way.
namespace historia {
constexpr qsizetype kSize = storage::LaunchValues::kSize;
constexpr storage::StringField date{0, 15};
constexpr storage::StringField time{16, 15};
constexpr storage::StringField counter{32, 15};
// Bytes 48 to 78 are reserved: zero in a new file, written back as read.
QString path(const QString &root);
} // namespace historia

// Prepares this run's launch values in `state.launch`: reads the working directory's history
// (creating it all zero when missing), takes today's date and the current time, and counts this
// run as the stored counter plus one. The file is not changed. Throws FileError.
void PobierzDane(storage::ProgramState &state, storage::Seams &seams);

// Writes the history record as read at start with this run's date, time and counter into the
// working directory's history. Throws FileError.
void ZapiszUruchomienia(const storage::ProgramState &state);
