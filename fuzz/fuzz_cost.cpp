// A year's cost record (.eks), read as the cost register reads it: every entry of every month,
// the amounts as fixed-point text, and the month and year totals stored again.
#include "clientrecords.h"
#include "fileerror.h"
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.eks"), fuzz::Bytes(data, size));
    Record record(cost::kSize);
    try {
        ReadRecord(path, record);
    } catch (const FileError &) {
        return 0;
    }
    Record saved = record;
    double netTotal = 0.0;
    double vatTotal = 0.0;
    for (int month = 1; month <= 12; ++month) {
        for (int row = 1; row <= cost::kRows; ++row) {
            for (int column = cost::kDate; column <= cost::kVat; ++column)
                FUZZ_CHECK(record.text(cost::entry(month, column, row)).size() <= 60);
            const double net = ParseFixed(record.text(cost::entry(month, cost::kNet, row)));
            const double vat = ParseFixed(record.text(cost::entry(month, cost::kVat, row)));
            netTotal += net;
            vatTotal += vat;
            saved.setText(cost::entry(month, cost::kNet, row),
                          FormatStored(net, cost::kAmountWidth, 2));
            saved.setText(cost::entry(month, cost::kVat, row),
                          FormatStored(vat, cost::kAmountWidth, 2));
        }
    }
    saved.setText(cost::netTotal, FormatStored(netTotal, cost::kTotalWidth, 2));
    saved.setText(cost::vatTotal, FormatStored(vatTotal, cost::kTotalWidth, 2));
    FUZZ_CHECK(saved.size() == cost::kSize);
    return 0;
}
