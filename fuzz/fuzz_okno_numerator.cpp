// The numerator window on a year's numerator record (DANE\001_2007.num): set-up, then "Powrót"
// without editing, which saves the number and the suffix as they were read.
#include "clientrecords.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "fuzzyear.h"
#include "numerator.h"
#include "recordfile.h"

#include <QFile>

using namespace storage;

namespace {

struct Session {
    TestSeams seams;
};

// Everything that names the window's own interface: opened as the settlement window opens it,
// then "Powrót".
void RunWindow(Session &session)
{
    static Tnumerator_f window(session.seams.seams);
    const std::shared_ptr<settlement::ClientYear> year = fuzz::OpenYear(session.seams.dialogs);
    if (!year)
        return;
    window.setYear({year, {}});
    if (window.FormCreate())
        window.SpeedButton3Click();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    static Session session;
    session.seams.dialogs.shown.clear();
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.num"), fuzz::Bytes(data, size));
    Record read(numerator::kSize);
    try {
        ReadRecord(path, read);
    } catch (const FileError &) {
        RunWindow(session);
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        return 0;
    }

    RunWindow(session);
    FUZZ_CHECK(session.seams.dialogs.shown.isEmpty());
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    Record saved(numerator::kSize);
    saved.bytes() = file.readAll();
    FUZZ_CHECK(saved.size() == numerator::kSize);
    FUZZ_CHECK(saved.int32(numerator::kNumber) == read.int32(numerator::kNumber));
    FUZZ_CHECK(saved.text(numerator::suffix) == read.text(numerator::suffix));
    return 0;
}
