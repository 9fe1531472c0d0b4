// The launch history, Admini\historia.dat, read at start and written at the orderly end; the
// reserved bytes go back as they were read.
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "modul_hist.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::Bytes(data, size);
    fuzz::WriteInput(QStringLiteral("Admini\\historia.dat"), input);
    ProgramState state;
    state.workingDir = fuzz::WorkingDir();
    TestSeams seams;
    try {
        PobierzDane(state, seams.seams);
        ZapiszUruchomienia(state);
        Record written(historia::kSize);
        ReadRecord(historia::path(state.workingDir), written);
        FUZZ_CHECK(written.bytes().mid(48) == input.mid(48, historia::kSize - 48));
        FUZZ_CHECK(written.text(historia::counter) == state.launch.counter);
    } catch (const FileError &) {
    }
    return 0;
}
