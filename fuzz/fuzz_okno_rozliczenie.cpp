// The settlement window's set-up and timer tick on an owner record (DANE\001.dat) and the year
// files its identifier names (DANE\<id>_2007.prz and .eks): three files, split at the part
// marker. A missing part leaves the file out, so that the window creates it.
#include "clientrecords.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "paths.h"
#include "recordfile.h"
#include "rozliczenie.h"
#include "yearwindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

using namespace storage;

namespace {

struct Session {
    TestSeams seams;
    settlement::YearWindowTable windows;
};

// Everything that names the window's own interface: the set-up as the main window opens it for
// client 001, one timer tick; returns the totals panel as shown.
struct Shown {
    QStringList totals;
    // The year the window holds after its set-up; none when the set-up failed.
    std::shared_ptr<settlement::ClientYear> year;
};

Shown RunWindow(Session &session)
{
    // Each input is a program started afresh on the files: nothing of the previous input's year
    // may be held.
    settlement::ClientYears years(fuzz::WorkingDir());
    Trozliczeniesamochodu_f window(years, session.seams.seams, session.windows);
    window.openClient(QStringLiteral("001"));
    window.Timer1Timer();
    Shown shown;
    for (const char *label : {"Label9", "Label12", "Label13"})
        shown.totals << window.findChild<QLabel *>(QLatin1String(label))->text();
    shown.year = window.handOver().year;
    return shown;
}

bool InsideData(const QString &path)
{
    const QString data =
        QDir::cleanPath(PathIn(fuzz::WorkingDir(), QStringLiteral("DANE"))) + QLatin1Char('/');
    return QDir::cleanPath(path).startsWith(data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    fuzz::ClearData();
    static Session session;
    session.seams.dialogs.shown.clear();

    const auto parts = fuzz::Parts(fuzz::Bytes(data, size), 3);
    const QString ownerPath = PathIn(fuzz::WorkingDir(), QStringLiteral("DANE\\001.dat"));
    fuzz::WritePart(QStringLiteral("DANE\\001.dat"), parts.at(0));
    // The identifier the window will read, when the record reads at all.
    Record owner = owner::defaultRecord(QStringLiteral("001"));
    bool ownerReadable = true;
    try {
        if (parts.at(0))
            ReadRecord(ownerPath, owner);
    } catch (const FileError &) {
        ownerReadable = false;
    }
    const QString stem = YearStem(owner.text(owner::id), QStringLiteral("2007"));
    const QString mileagePath = YearFile(fuzz::WorkingDir(), stem, QStringLiteral(".prz"));
    const QString costPath = YearFile(fuzz::WorkingDir(), stem, QStringLiteral(".eks"));
    // The year files of a client stay in the data folder whatever its identifier says.
    FUZZ_CHECK(InsideData(mileagePath) && InsideData(costPath));
    // Written where the window looks for them; a name the system refuses (a separator into a
    // folder that does not exist, a control character) leaves the file out.
    const auto put = [](const QString &path, const std::optional<QByteArray> &part) {
        QFile file(path);
        if (part && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(*part);
    };
    put(mileagePath, parts.at(1));
    put(costPath, parts.at(2));

    const Shown shown = RunWindow(session);

    if (!ownerReadable) {
        FUZZ_CHECK(!shown.year);
        return 0;
    }
    // The year files the window did not find are created; both are then read.
    Record mileage(mileage::kSize);
    Record costs(cost::kSize);
    try {
        ReadRecord(mileagePath, mileage);
        ReadRecord(costPath, costs);
    } catch (const FileError &) {
        // Reported by the window as it read or created them.
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        FUZZ_CHECK(!shown.year);
        return 0;
    }
    FUZZ_CHECK(shown.year);
    FUZZ_CHECK(shown.year->stem() == stem);
    FUZZ_CHECK(shown.year->owner().bytes() == owner.bytes());
    FUZZ_CHECK(shown.year->mileage().bytes() == mileage.bytes());
    FUZZ_CHECK(shown.year->costs().bytes() == costs.bytes());
    for (const QString &total : shown.totals)
        FUZZ_CHECK(total.endsWith(QStringLiteral(" zł")));
    FUZZ_CHECK(session.seams.dialogs.unexpected == 0);
    return 0;
}
