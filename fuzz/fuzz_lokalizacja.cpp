// The database location record, Admini\siec.dat, read as every start reads it, and the base
// directory worked out from it (the questions answered from an empty script: "no").
#include "databaseconnection.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "lokalizacja.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the caller: the main window checks the stored local path.
    const bool checkLocation = data[0] & 1;
    const QString workingDir = fuzz::WorkingDir();
    fuzz::WriteInput(QStringLiteral("Admini\\siec.dat"), fuzz::Bytes(data + 1, size - 1));
    try {
        const DatabaseLocation location = ReadLocation(workingDir);
        FUZZ_CHECK(location.mode == lokalizacja::Local || location.mode == lokalizacja::Network);
        FUZZ_CHECK(location.localPath.size() <= 200 && location.networkPath.size() <= 200);
        const LocationCheck check = CheckLocation(workingDir, checkLocation);
        FUZZ_CHECK((check.status == LocationCheck::Status::Usable) || check.baseDir.isEmpty());
        TestSeams seams;
        const std::optional<ui::DatabaseConnection> connection =
            ui::ConnectDatabase(workingDir, seams.seams, checkLocation);
        // Either a base directory, or a question was asked and the program ended.
        FUZZ_CHECK(connection.has_value() != !seams.endCalls.isEmpty());
    } catch (const FileError &) {
    }
    return 0;
}
