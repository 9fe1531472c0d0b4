// The print panel on its memory (DANE\001_2007.mie) and numerator (.num), with the statement of
// the month that the calculation works out from a mileage record (.prz) and a cost record
// (.eks). The first byte is the month (as in fuzz_koszty); the rest holds the four files in that
// order, split at the part marker; a missing part leaves the file out. The panel's set-up, its
// preview (drawn on a recording page), and "Powrót", which saves the memory; the statement is
// also drawn directly from what was read, and both drawings must be the same.
#include "clientrecords.h"
#include "czcionki.h"
#include "datetext.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "koszty.h"
#include "paths.h"
#include "recordfile.h"
#include "recordingpage.h"
#include "wydruk.h"
#include "zestawienie.h"

#include <QFile>

#include <algorithm>

using namespace storage;

namespace {

struct Session {
    TestSeams seams;
    FakePrintDialogs printDialogs;
    printing::PrintFontStore fonts{fuzz::WorkingDir(), printDialogs};
};

// Everything that names the panel's own interface: opened as the calculation window opens it,
// "Podgląd wydruku", then "Powrót".
void RunWindow(Session &session, const settlement::StatementHandOver &statement)
{
    static Twydruk_f window(session.seams.seams, session.printDialogs, session.fonts);
    if (!window.openWith(statement))
        return;
    window.SpeedButton3Click();
    window.SpeedButton2Click();
}

// Reads a year file the window reads too; a missing or short one gives no record.
std::optional<Record> Read(const QString &fragment, qsizetype size)
{
    Record record(size);
    try {
        ReadRecord(PathIn(fuzz::WorkingDir(), fragment), record);
    } catch (const FileError &) {
        return std::nullopt;
    }
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    fuzz::EnsureApplication(true);
    static Session session;
    const int month = std::clamp(int(data[0]) - 100, 1, 12);
    const auto parts = fuzz::Parts(fuzz::Bytes(data + 1, size - 1), 4);
    const QString mie = QStringLiteral("DANE\\001_2007.mie");
    const QString num = QStringLiteral("DANE\\001_2007.num");
    const QString prz = QStringLiteral("DANE\\001_2007.prz");
    const QString eks = QStringLiteral("DANE\\001_2007.eks");
    fuzz::WritePart(mie, parts.at(0));
    fuzz::WritePart(num, parts.at(1));
    fuzz::WritePart(prz, parts.at(2));
    fuzz::WritePart(eks, parts.at(3));

    // The calculation window's part: the month worked out from the year's records.
    const std::optional<Record> mileage = Read(prz, mileage::kSize);
    const std::optional<Record> costs = Read(eks, cost::kSize);
    if (!mileage || !costs)
        return 0;
    // What the calculation hands the panel as it opens it.
    settlement::StatementHandOver statement;
    statement.year = std::make_shared<settlement::ClientYear>(
        fuzz::WorkingDir(), QStringLiteral("001"), QStringLiteral("2007"));
    statement.owner = owner::defaultRecord(QStringLiteral("001"));
    statement.owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    settlement::WyliczKoszty(*mileage, *costs, month, statement.results);
    statement.results.month = month;
    statement.results.title = QStringLiteral("Rozliczenie miesiąca");
    statement.results.stem = QStringLiteral("001_2007");
    statement.costs = *costs;
    session.seams.dialogs.shown.clear();
    session.printDialogs.previews.clear();

    const bool memoryMissing = !parts.at(0);
    const bool numeratorMissing = !parts.at(1);
    RunWindow(session, statement);

    const std::optional<Record> memory = Read(mie, storage::mie::kSize);
    const std::optional<Record> numbers = Read(num, numerator::kSize);
    FUZZ_CHECK(!memoryMissing || memory);
    FUZZ_CHECK(!numeratorMissing || numbers);
    if (!memory || !numbers) {
        FUZZ_CHECK(!session.seams.dialogs.ioErrors().isEmpty());
        return 0;
    }
    FUZZ_CHECK(session.seams.dialogs.shown.isEmpty());
    FUZZ_CHECK(session.printDialogs.previews.size() == 1);
    QFile saved(PathIn(fuzz::WorkingDir(), mie));
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly) && saved.size() == storage::mie::kSize);

    // The statement drawn from the files as they were read: the panel showed the same.
    RecordingPage page;
    const printing::StatementInput input{
        QString::number(numbers->int32(numerator::kNumber)),
        numbers->text(numerator::suffix),
        ShortDate(session.seams.clock.today(), session.seams.regional),
        memory->text(storage::mie::miejscowosc),
        statement.owner,
        *costs,
        statement.results,
        session.fonts.settings()};
    printing::DrawStatement(page, input);
    FUZZ_CHECK(!page.calls.isEmpty());
    FUZZ_CHECK(session.printDialogs.previews.at(0) == page.calls);
    return 0;
}
