// The mileage window on a year's mileage record (DANE\001_2007.prz): set-up, timer tick, and
// "Powrót", which saves the grid. The saved file is a whole record. Once saved, the cells are in
// their stored form, so opening the window on it and leaving twice saves the same bytes both
// times. (The first save is no such fixed point: kilometres are stored with two decimals while an
// automatic amount is worked out from the kilometres as typed, so 0.8358 km are stored as 0.84
// and the next opening works the amount out from that.)
#include "clientrecords.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "fuzzyear.h"
#include "przebieg.h"
#include "recordfile.h"
#include "testfiles.h"

using namespace storage;

namespace {

struct Session {
    TestSeams seams;
};

// Everything that names the window's own interface: opened as the settlement window opens it,
// one timer tick, then "Powrót".
void RunWindow(Session &session)
{
    static Tprzebieg_f window(session.seams.seams);
    const std::shared_ptr<settlement::ClientYear> year = fuzz::OpenYear(session.seams.dialogs);
    if (!year)
        return;
    window.setYear({year, {}});
    if (!window.FormCreate())
        return;
    window.Timer1Timer();
    window.SpeedButton3Click();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    static Session session;
    session.seams.dialogs.shown.clear();
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.prz"), fuzz::Bytes(data, size));
    bool readable = true;
    try {
        Record record(mileage::kSize);
        ReadRecord(path, record);
    } catch (const FileError &) {
        readable = false;
    }

    RunWindow(session);
    const QByteArray first = testfiles::readBytes(path);
    if (!readable) {
        // The window reported the file and saved nothing.
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        FUZZ_CHECK(first == fuzz::Bytes(data, size));
        return 0;
    }
    FUZZ_CHECK(session.seams.dialogs.shown.isEmpty());
    FUZZ_CHECK(first.size() == mileage::kSize);

    RunWindow(session);
    const QByteArray second = testfiles::readBytes(path);
    RunWindow(session);
    FUZZ_CHECK(session.seams.dialogs.shown.isEmpty());
    FUZZ_CHECK(testfiles::readBytes(path) == second);
    return 0;
}
