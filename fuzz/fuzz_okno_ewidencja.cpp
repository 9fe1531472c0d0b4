// The mileage log window on a year's log file (DANE\001_2007.ewp) and the client's fixed routes
// (DANE\001.trs), the two files of one input split at the part marker: set-up, every month shown
// in turn, the whole year drawn as it would be printed, and "Powrót", which saves the log and
// hands the trips to the mileage record. A file that is not a whole log or routes file is
// reported and left as it was; any other is saved as a whole log, and saving what was saved
// gives the same bytes again.
#include "clientrecords.h"
#include "ewidencja.h"
#include "ewidencjadruk.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "fuzzyear.h"
#include "paths.h"
#include "recordingpage.h"
#include "testfiles.h"
#include "triplog.h"

using namespace storage;

namespace {

const QString kLog = QStringLiteral("DANE\\001_2007.ewp");
const QString kRoutes = QStringLiteral("DANE\\001.trs");

struct Session {
    TestSeams seams;
    FakePrintDialogs printDialogs;
};

// Opened as the mileage register opens it, each month shown, the year drawn, then "Powrót".
// False when the set-up refused the files.
bool RunWindow(Session &session)
{
    static Tewidencja_f window(session.seams.seams, session.printDialogs);
    const std::shared_ptr<settlement::ClientYear> year = fuzz::OpenYear(session.seams.dialogs);
    if (!year)
        return false;
    window.setYear({year, {}});
    if (!window.FormCreate())
        return false;
    for (int month = 1; month <= 12; ++month)
        window.miesiacClick(month);
    RecordingPage page;
    const TripLog log = window.log();
    const printing::PrintFontSettings font;
    printing::DrawTripLog(page, {log, QStringLiteral("2007"), font}, 1, 12);
    FUZZ_CHECK(!page.calls.isEmpty());
    window.SpeedButton3Click();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    static Session session;
    session.seams.dialogs.shown.clear();
    fuzz::ClearData();
    const QList<std::optional<QByteArray>> parts = fuzz::Parts(fuzz::Bytes(data, size), 2);
    fuzz::WritePart(kLog, parts.value(0));
    fuzz::WritePart(kRoutes, parts.value(1));
    const QString logPath = PathIn(fuzz::WorkingDir(), kLog);
    bool readable = true;
    try {
        ReadTripLog(logPath);
        ReadRoutes(PathIn(fuzz::WorkingDir(), kRoutes));
    } catch (const FileError &) {
        readable = false;
    }

    const bool opened = RunWindow(session);
    const QByteArray first = testfiles::readBytes(logPath);
    if (!readable) {
        // The window reported the file and saved nothing.
        FUZZ_CHECK(!opened);
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        FUZZ_CHECK(first == parts.value(0).value_or(QByteArray()));
        return 0;
    }
    FUZZ_CHECK(opened);
    FUZZ_CHECK(session.seams.dialogs.ioErrors().isEmpty());
    FUZZ_CHECK(DecodeTripLog(first).has_value());

    FUZZ_CHECK(RunWindow(session));
    const QByteArray second = testfiles::readBytes(logPath);
    FUZZ_CHECK(RunWindow(session));
    FUZZ_CHECK(testfiles::readBytes(logPath) == second);
    FUZZ_CHECK(session.seams.dialogs.ioErrors().isEmpty());
    return 0;
}
