// The operating-cost window on a year's cost record (DANE\001_2007.eks) and VAT setting
// (DANE\001_2007.vat): two files, split at the part marker; a missing part leaves the file out,
// so that the window creates it. Set-up, a timer tick in each of a few months, then "Powrót",
// which saves both: whole records, and the VAT setting read as the window read it.
#include "clientrecords.h"
#include "costrules.h"
#include "eksploatacja.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "fuzzyear.h"
#include "paths.h"
#include "recordfile.h"
#include "testfiles.h"

#include <QComboBox>

using namespace storage;

namespace {

struct Session {
    TestSeams seams;
};

// Everything that names the window's own interface: opened as the settlement window opens it
// (in March, the fake clock's month), a tick there and in each month chosen, then "Powrót".
void RunWindow(Session &session)
{
    static Teksploatacja_f window(fuzz::WorkingDir(), session.seams.seams);
    const std::shared_ptr<settlement::ClientYear> year = fuzz::OpenYear(session.seams.dialogs);
    if (!year)
        return;
    window.setYear({year, {}});
    if (!window.FormCreate())
        return;
    window.Timer1Timer();
    auto *months = window.findChild<QComboBox *>(QStringLiteral("lista"));
    for (const int month : {1, 12, 3}) {
        months->setCurrentIndex(month - 1);
        window.listaClick();
        window.Timer1Timer();
    }
    window.SpeedButton2Click();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::EnsureApplication(true);
    static Session session;
    session.seams.dialogs.shown.clear();

    const auto parts = fuzz::Parts(fuzz::Bytes(data, size), 2);
    const QString costFragment = QStringLiteral("DANE\\001_2007.eks");
    const QString vatFragment = QStringLiteral("DANE\\001_2007.vat");
    fuzz::WritePart(costFragment, parts.at(0));
    fuzz::WritePart(vatFragment, parts.at(1));
    const QString costPath = PathIn(fuzz::WorkingDir(), costFragment);
    const QString vatPath = PathIn(fuzz::WorkingDir(), vatFragment);
    Record vat = vatsetting::defaultRecord();
    bool readable = true;
    try {
        Record costs(cost::kSize);
        if (parts.at(0))
            ReadRecord(costPath, costs);
        if (parts.at(1))
            ReadRecord(vatPath, vat);
    } catch (const FileError &) {
        readable = false;
    }

    RunWindow(session);
    if (!readable) {
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        return 0;
    }
    FUZZ_CHECK(session.seams.dialogs.shown.isEmpty());
    FUZZ_CHECK(testfiles::readBytes(costPath).size() == cost::kSize);
    const QByteArray savedVat = testfiles::readBytes(vatPath);
    FUZZ_CHECK(savedVat.size() == vatsetting::kSize);
    Record saved(vatsetting::kSize);
    saved.bytes() = savedVat;
    const settlement::VatSetting before = settlement::VatSettingOf(vat);
    const settlement::VatSetting after = settlement::VatSettingOf(saved);
    FUZZ_CHECK(after.mode == before.mode);
    FUZZ_CHECK(after.otherRate == before.otherRate);
    return 0;
}
