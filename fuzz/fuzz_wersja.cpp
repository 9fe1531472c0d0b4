// The installed version identifier, Admini\wer.dat, read as the update check reads it.
#include "aktualizacja.h"
#include "fileerror.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::WriteInput(QStringLiteral("Admini\\wer.dat"), fuzz::Bytes(data, size));
    try {
        const QString installed = admin::ReadInstalledVersion(fuzz::WorkingDir());
        FUZZ_CHECK(installed.size() <= 10);
    } catch (const storage::FileError &) {
    }
    return 0;
}
