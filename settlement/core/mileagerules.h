#pragma once

#include "record.h"

#include <QString>

#include <array>

namespace settlement {

// The texts of one month of the mileage register.
struct MileageMonth {
    QString kilometres;
    QString rate;
    QString amount;
    friend bool operator==(const MileageMonth &, const MileageMonth &) = default;
};
// January first.
using MileageGrid = std::array<MileageMonth, 12>;

// How the amounts of the register are found.
enum class MileageAmounts { ByHand, Automatic };

// The automatic flag of a stored ".prz" record: 0 means by hand, 1 automatic. Any other byte
// is nearer to 1 than to 0 and so reads as automatic.
MileageAmounts MileageAmountsFromFlag(quint8 flag);
quint8 MileageFlag(MileageAmounts amounts);

// Kilometres: a comma before the last two digits of a text longer than 3 characters becomes
// "."; rate: a comma before the last four digits of a text longer than 4 characters.
MileageMonth MileageCommasFixed(MileageMonth month);

// Kilometres times rate as stored text (width 9, 2 decimals), empty when not above zero.
QString AutomaticAmount(const QString &kilometres, const QString &rate);

// What one refresh of the register shows: the grid after the comma fixes and, when the amounts
// are automatic, with every amount computed; the kilometre and amount sums of the cells as
// they then stand (width 10, 2 decimals).
struct MileageView {
    MileageGrid grid;
    QString kilometreSum;
    QString amountSum;
};
MileageView RefreshMileage(const MileageGrid &grid, MileageAmounts amounts);

// The sum of the twelve amounts as they stand (a hand-typed amount counts unrounded), as text
// of width 10 with 2 decimals.
QString MileageAmountSum(const MileageGrid &grid);

// The grid as saved: each cell read as a number and written back as stored text of width 9,
// with 4 decimals for the rate and 2 for kilometres and amount, empty when not above zero.
MileageGrid NormalisedMileage(const MileageGrid &grid);

// The ".prz" record saved from the grid's texts as they stand: the normalised cells (cut to 10
// characters), the year total computed from the amounts before normalisation (cut to 15
// characters) and the flag of `amounts`.
storage::Record MileageRecord(const MileageGrid &grid, MileageAmounts amounts);

// The grid held by a ".prz" record, cell texts unchanged.
MileageGrid MileageGridOf(const storage::Record &record);

} // namespace settlement
