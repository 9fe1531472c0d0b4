// A year's mileage record (.prz), read as the mileage register reads it: every cell as
// fixed-point text, the automatic flag, and the amounts worked out and stored again.
#include "clientrecords.h"
#include "fileerror.h"
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "recordfile.h"

#include <cmath>

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.prz"), fuzz::Bytes(data, size));
    Record record(mileage::kSize);
    try {
        ReadRecord(path, record);
    } catch (const FileError &) {
        return 0;
    }
    const bool automatic = record.byte(mileage::kAutomaticFlag) != 0;
    double kilometres = 0.0;
    double amounts = 0.0;
    Record saved(mileage::kSize);
    for (int month = 1; month <= 12; ++month) {
        const double km = ParseFixed(record.text(mileage::cell(mileage::kKilometres, month)));
        const double rate = ParseFixed(record.text(mileage::cell(mileage::kRate, month)));
        const double amount =
            automatic ? km * rate : ParseFixed(record.text(mileage::cell(mileage::kAmount, month)));
        kilometres += km;
        amounts += amount;
        saved.setText(mileage::cell(mileage::kKilometres, month),
                      FormatStored(km, mileage::kCellWidth, 0));
        saved.setText(mileage::cell(mileage::kRate, month),
                      FormatStored(rate, mileage::kCellWidth, 4));
        saved.setText(mileage::cell(mileage::kAmount, month),
                      FormatStored(amount, mileage::kCellWidth, 2));
    }
    saved.setText(mileage::yearTotal, FormatStored(amounts, mileage::kTotalWidth, 2));
    FormatFixed(kilometres, mileage::kTotalWidth, 0);
    FUZZ_CHECK(saved.size() == mileage::kSize);
    record.text(mileage::yearTotal);
    return 0;
}
