#pragma once

#include "record.h"

#include <QString>

namespace settlement {

// The line of advice under the figures of the calculated month (1..12; a value outside is held
// at the nearer end), worked out from the year's mileage record (".prz") and cost record
// (".eks") with the same calculation as the figures:
// - when the cumulative costs D exceed the cumulative mileage amount C: the kilometres still
//   needed to book every cost up to the month, rounded up to a whole kilometre, at the rate of
//   the month or of the latest earlier month that has one, with the rate as stored and the
//   amount D - C; without any rate up to the month, the amount alone. In December the line adds
//   that the excess is lost at the end of the year unless mileage is added;
// - when C exceeds D: the costs the mileage limit still allows, C - D;
// - when C and D are equal to the grosz: an empty text.
// Amounts are written with a "." and two decimals, as the window writes its figures.
QString NapiszPorade(const storage::Record &mileage, const storage::Record &costs, int month);

} // namespace settlement
