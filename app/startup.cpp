#include "startup.h"

#include "clientyears.h"
#include "databaseconnection.h"
#include "guard.h"
#include "lokalizacja.h"
#include "ownerrules.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"

using namespace seams;
using namespace storage;

namespace startup {

void PrepareFiles(LaunchValues &launch, const QString &workingDir, Seams &seams)
{
    PobierzDane(launch, workingDir, seams);
    // Rewritten at every start from the working directory alone, so a power cut can lose nothing
    // of it that the next start does not write again: it is not waited for on the disk.
    WriteRecord(PathIn(workingDir, archiverconfig::kName), archiverconfig::recordOf(workingDir),
                Flush::Rebuilt);
    const QString versionFile = PathIn(workingDir, versionfile::kName);
    if (!FileExists(versionFile))
        WriteRecord(versionFile, versionfile::defaultRecord());
}

void PrepareWindowFiles(const QString &workingDir, settlement::ClientYears &years, Seams &seams)
{
    // The settlement window.
    std::shared_ptr<settlement::ClientYear> year;
    Guarded(seams.dialogs, [&] {
        years.forgetAll();
        year = years.open(kClientBeforeAnyIsOpened,
                          QString::number(settlement::DefaultYear(seams.clock.today())));
    });
    // The windows of that year; the mileage register and the print panel read nothing more.
    if (year) {
        Guarded(seams.dialogs, [&] { year->vatSetting(); });
        Guarded(seams.dialogs, [&] { year->numerator(); });
        Guarded(seams.dialogs, [&] { year->numerator(); });
    }
    // The launch history.
    Guarded(seams.dialogs, [&] {
        const std::optional<ui::DatabaseConnection> database =
            ui::ConnectDatabase(workingDir, seams, false);
        if (!database)
            return; // the program has been ended
        const QString file = historia::path(database->baseDir);
        CreateIfMissing(file, Record(historia::kSize));
        Record record(historia::kSize);
        ReadRecord(file, record);
    });
    // The notepad, which has nothing to show yet.
    Guarded(seams.dialogs, [&] { ui::ConnectDatabase(workingDir, seams, false); });
    // The database location window.
    Guarded(seams.dialogs, [&] { ReadLocation(workingDir); });
}

} // namespace startup
