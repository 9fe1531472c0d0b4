#include "mileagerules.h"

#include "clientrecords.h"
#include "fixedpoint.h"
#include "textrules.h"

using namespace storage;

namespace settlement {

namespace {

constexpr int kAmountDecimals = 2;
constexpr int kRateDecimals = 4;
constexpr int kStoredCellLength = 10;
constexpr int kStoredTotalLength = 15;

QString stored(const QString &text, int decimals)
{
    return FormatStored(ParseFixed(text), mileage::kCellWidth, decimals);
}

} // namespace

MileageAmounts MileageAmountsFromFlag(quint8 flag)
{
    return flag == 0 ? MileageAmounts::ByHand : MileageAmounts::Automatic;
}

quint8 MileageFlag(MileageAmounts amounts)
{
    return amounts == MileageAmounts::Automatic ? 1 : 0;
}

MileageMonth MileageCommasFixed(MileageMonth month)
{
    month.kilometres = DecimalCommaFixed(month.kilometres, 3, 3);
    month.rate = DecimalCommaFixed(month.rate, 5, 4);
    return month;
}

QString AutomaticAmount(const QString &kilometres, const QString &rate)
{
    return FormatStored(ParseFixed(kilometres) * ParseFixed(rate), mileage::kCellWidth,
                        kAmountDecimals);
}

QString MileageAmountSum(const MileageGrid &grid)
{
    double amounts = 0.0;
    for (const MileageMonth &month : grid)
        amounts += ParseFixed(month.amount);
    return FormatFixed(amounts, mileage::kTotalWidth, kAmountDecimals);
}

MileageView RefreshMileage(const MileageGrid &grid, MileageAmounts amounts)
{
    MileageView view{grid, {}, {}};
    double kilometres = 0.0;
    for (MileageMonth &month : view.grid) {
        month = MileageCommasFixed(month);
        if (amounts == MileageAmounts::Automatic)
            month.amount = AutomaticAmount(month.kilometres, month.rate);
        kilometres += ParseFixed(month.kilometres);
    }
    view.kilometreSum = FormatFixed(kilometres, mileage::kTotalWidth, kAmountDecimals);
    view.amountSum = MileageAmountSum(view.grid);
    return view;
}

MileageGrid NormalisedMileage(const MileageGrid &grid)
{
    MileageGrid normalised = grid;
    for (MileageMonth &month : normalised) {
        month.kilometres = stored(month.kilometres, kAmountDecimals);
        month.rate = stored(month.rate, kRateDecimals);
        month.amount = stored(month.amount, kAmountDecimals);
    }
    return normalised;
}

Record MileageRecord(const MileageGrid &grid, MileageAmounts amounts)
{
    Record record(mileage::kSize);
    const MileageGrid normalised = NormalisedMileage(grid);
    for (int month = 1; month <= 12; ++month) {
        const MileageMonth &cells = normalised[month - 1];
        record.setText(mileage::cell(mileage::kKilometres, month),
                       cells.kilometres.left(kStoredCellLength));
        record.setText(mileage::cell(mileage::kRate, month), cells.rate.left(kStoredCellLength));
        record.setText(mileage::cell(mileage::kAmount, month),
                       cells.amount.left(kStoredCellLength));
    }
    record.setText(mileage::yearTotal, MileageAmountSum(grid).left(kStoredTotalLength));
    record.setByte(mileage::kAutomaticFlag, MileageFlag(amounts));
    return record;
}

MileageGrid MileageGridOf(const Record &record)
{
    MileageGrid grid;
    for (int month = 1; month <= 12; ++month) {
        MileageMonth &cells = grid[month - 1];
        cells.kilometres = record.text(mileage::cell(mileage::kKilometres, month));
        cells.rate = record.text(mileage::cell(mileage::kRate, month));
        cells.amount = record.text(mileage::cell(mileage::kAmount, month));
    }
    return grid;
}

} // namespace settlement
