// The launch history, Admini\historia.dat, read at start and written at the orderly end; the
// reserved bytes go back as they were read.
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "modul_hist.h"
#include "recordfile.h"
#include "uruchomienia.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::Bytes(data, size);
    fuzz::WriteInput(QStringLiteral("Admini\\historia.dat"), input);
    LaunchValues launch;
    TestSeams seams;
    try {
        PobierzDane(launch, fuzz::WorkingDir(), seams.seams);
        ZapiszUruchomienia(launch, fuzz::WorkingDir());
        Record written(historia::kSize);
        ReadRecord(historia::path(fuzz::WorkingDir()), written);
        FUZZ_CHECK(written.bytes().mid(48) == input.mid(48, historia::kSize - 48));
        FUZZ_CHECK(written.text(historia::counter) == launch.counter);
    } catch (const FileError &) {
    }
    return 0;
}
