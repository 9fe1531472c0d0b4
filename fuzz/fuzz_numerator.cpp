// A year's numerator (.num), read as the numerator window and the print panel read it: the
// number shown as text and read back, the suffix.
#include "clientrecords.h"
#include "fileerror.h"
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.num"), fuzz::Bytes(data, size));
    Record record(numerator::kSize);
    try {
        ReadRecord(path, record);
    } catch (const FileError &) {
        return 0;
    }
    const qint32 number = record.int32(numerator::kNumber);
    const QString shown = QString::number(number);
    // What the edit shows is stored again unchanged when the user saves without editing.
    FUZZ_CHECK(ParseInt32(shown) == number);
    Record saved(numerator::kSize);
    saved.setInt32(numerator::kNumber, ParseInt32(shown));
    saved.setText(numerator::suffix, record.text(numerator::suffix));
    FUZZ_CHECK(saved.int32(numerator::kNumber) == number);
    return 0;
}
