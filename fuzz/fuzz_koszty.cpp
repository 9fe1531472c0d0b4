// The monthly calculation on mileage and cost records made from the input. The first byte is
// the month; the rest is read as lines of text, which fill in turn the twelve mileage amounts
// and then the net and VAT amounts of the invoices, month by month and row by row.
#include "clientrecords.h"
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "koszty.h"
#include "textcodec.h"

#include <cmath>

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // 0 and 13 … 255 too: the calculation holds the month at the nearer end.
    const int month = int(data[0]) - 100;
    const QList<QByteArray> lines = fuzz::Bytes(data + 1, size - 1).split('\n');

    Record mileageRecord = mileage::defaultRecord();
    Record costRecord = cost::defaultRecord();
    qsizetype next = 0;
    const auto take = [&]() -> QString {
        return next < lines.size() ? FromWindows1250(lines.at(next++)) : QString();
    };
    for (int m = 1; m <= 12 && next < lines.size(); ++m)
        mileageRecord.setText(mileage::cell(mileage::kAmount, m), take());
    for (int m = 1; m <= 12 && next < lines.size(); ++m)
        for (int row = 1; row <= cost::kRows && next < lines.size(); ++row) {
            costRecord.setText(cost::entry(m, cost::kNet, row), take());
            costRecord.setText(cost::entry(m, cost::kVat, row), take());
        }

    settlement::CalculationResults results;
    const settlement::MonthFigures figures =
        settlement::WyliczKoszty(mileageRecord, costRecord, month, results);
    // As the calculation window shows them.
    for (const double value : {figures.mileage, figures.costs, figures.cumulativeMileage,
                               figures.cumulativeCosts, figures.toBook, figures.vat})
        FormatFixed(value, 12, 2);
    const int held = std::clamp(month, 1, 12);
    for (int m = held + 1; m <= 12; ++m)
        for (int column = 0; column < 5; ++column)
            FUZZ_CHECK(
                results.table.text(settlement::CalculationResults::cell(m, column)).isEmpty());
    FUZZ_CHECK(results.amountToBook == figures.toBook || std::isnan(figures.toBook));
    return 0;
}
