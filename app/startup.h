#pragma once

#include "seams.h"
#include "uruchomienia.h"

#include <QString>

namespace settlement {
class ClientYears;
}

// The file steps of the program's start, apart from the windows that show their results.
namespace startup {

// The first steps of the main window's set-up: the launch record prepared, the archiver
// configuration written (always, naming the working directory), the installed version identifier
// written when it is missing. Throws storage::FileError; the caller's guard shows it and skips
// the rest of the set-up.
void PrepareFiles(LaunchValues &launch, const QString &workingDir, seams::Seams &seams);

// The client the settlement window holds before any client is opened: its set-up at start opens
// this client's default year, which creates DANE\1.dat and the year's files.
inline const QString kClientBeforeAnyIsOpened = QStringLiteral("1");

// What the set-ups of the other windows create and read at start, in their order of creation,
// each step under a guard of its own as each window's set-up is: the settlement window opens the
// default year of kClientBeforeAnyIsOpened; the operating-cost register reads that year's VAT
// setting, the calculation and the numerator its document number (each creating the file when it
// is missing); the launch history connects to the database and creates and reads the history;
// the notepad connects to the database; the database location window reads the location record.
// The windows themselves are built when they are first opened and then run their whole set-up.
// Any step may show an error box, and a database check that fails may end the program, exactly
// as those windows' set-ups would.
void PrepareWindowFiles(const QString &workingDir, settlement::ClientYears &years,
                        seams::Seams &seams);

} // namespace startup
