// The main window's start-up on a client register (DANE\klienci.dat) and the owner record of the
// first position (DANE\001.dat, the hint of the selected client): two files, split at the part
// marker. A missing part leaves the file out, so that the start-up creates the register itself.
// The window is made afresh for every input, as its set-up runs once per program.
#include "bazafirm.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "paths.h"
#include "recordfile.h"
#include "windowopener.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace seams;
using namespace storage;

namespace {

// What the window shows after its set-up, a timer tick and a click on each of a few positions.
struct Shown {
    QStringList lines;
    QStringList hints;
    bool addEnabled = false;
};

// Everything that names the window's own interface.
Shown RunWindow(const QString &workingDir, Seams &seams)
{
    FakePrintDialogs printDialogs;
    ui::WindowTable windows;
    ui::ClientWindowList clientWindows;
    printing::PrintFontStore fonts(workingDir, printDialogs);
    LaunchValues launch;
    Tbaza_f window(workingDir, launch, seams, windows,
                   {[](const QString &) { return false; },
                    [](const printing::NotepadRequest &) { return false; }},
                   clientWindows, fonts);
    window.FormCreate();
    window.Timer1Timer();
    Shown shown;
    auto *list = window.findChild<QListWidget *>(QStringLiteral("lista_k"));
    for (int row = 0; row < list->count(); ++row)
        shown.lines << list->item(row)->text();
    shown.addEnabled = window.findChild<QPushButton *>(QStringLiteral("SpeedButton4"))->isEnabled();
    const auto *panel = window.findChild<QLabel *>(QStringLiteral("Panel1"));
    for (const int row : {0, 1, 499}) {
        if (row >= list->count())
            break;
        list->setCurrentRow(row);
        window.lista_kClick();
        window.Timer1Timer();
        shown.hints << panel->toolTip();
    }
    return shown;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    fuzz::ClearData();
    const auto parts = fuzz::Parts(fuzz::Bytes(data, size), 2);
    fuzz::WritePart(QStringLiteral("DANE\\klienci.dat"), parts.at(0));
    fuzz::WritePart(QStringLiteral("DANE\\001.dat"), parts.at(1));

    TestSeams seams;
    const QString workingDir = fuzz::WorkingDir();
    const Shown shown = RunWindow(workingDir, seams.seams);

    // A register that reads shows its 500 lines as stored, at most 50 characters each; one that
    // does not read has been reported.
    Record klienci(registerfile::kSize);
    bool readable = true;
    try {
        ReadRecord(PathIn(workingDir, QStringLiteral("DANE\\klienci.dat")), klienci);
    } catch (const FileError &) {
        readable = false;
    }
    if (readable) {
        FUZZ_CHECK(shown.lines.size() == registerfile::kPositions);
        for (int position = 1; position <= registerfile::kPositions; ++position) {
            FUZZ_CHECK(shown.lines.at(position - 1) == klienci.text(registerfile::line(position)));
            FUZZ_CHECK(shown.lines.at(position - 1).size() <= registerfile::kLineCapacity);
        }
        FUZZ_CHECK(shown.addEnabled == (shown.lines.at(0).size() <= 3));
    }
    if (!parts.at(0))
        FUZZ_CHECK(readable);
    // The hint of the first client is its owner's three name lines; the other positions
    // clicked have no owner record, so the hint stays.
    Record owner(owner::kSize);
    bool ownerReadable = parts.at(1).has_value();
    try {
        if (ownerReadable)
            ReadRecord(PathIn(workingDir, QStringLiteral("DANE\\001.dat")), owner);
    } catch (const FileError &) {
        ownerReadable = false;
    }
    if (readable && ownerReadable) {
        const QString hint = owner.text(owner::nazwa1) + QLatin1Char('\n') +
                             owner.text(owner::nazwa2) + QLatin1Char('\n') +
                             owner.text(owner::nazwa3);
        FUZZ_CHECK(shown.hints.size() == 3);
        for (const QString &shownHint : shown.hints)
            FUZZ_CHECK(shownHint == hint);
    }
    FUZZ_CHECK(seams.dialogs.unexpected == 0);
    return 0;
}
