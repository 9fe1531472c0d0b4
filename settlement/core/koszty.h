#pragma once

#include "calculationresults.h"
#include "record.h"

#include <QString>

namespace settlement {

// The figures of the calculated month, unrounded.
struct MonthFigures {
    double mileage = 0.0;           // A: mileage amount of the month
    double costs = 0.0;             // B: net operating costs of the month
    double cumulativeMileage = 0.0; // C: mileage amounts from January to the month
    double cumulativeCosts = 0.0;   // D: net operating costs from January to the month
    double toBook = 0.0;            // E: net amount to book for the month
    double vat = 0.0;               // VAT of the month's invoices
};

// Works out the bookable cost of `month` (1..12; a value outside is held at the nearer end) from
// the year's mileage record (".prz") and cost record (".eks"). Every amount is read as
// fixed-point text and summed in double, unrounded. Month by month from January, E is
// C - Epm when C < D, D - Epm when C > D, and 0 when they are equal, where Epm is the sum of the
// E values of the months before. The VAT is that of the month alone.
//
// Rewrites the table of `results` (rows up to the month as width-12 texts, rows after it zero),
// its cumulative totals and its amounts to book; its month, title and stem are the caller's.
// A figure as the calculation window shows it: two decimals in a field of 10, then " zł".
QString FigureText(double value);

MonthFigures WyliczKoszty(const storage::Record &mileage, const storage::Record &costs, int month,
                          settlement::CalculationResults &results);

} // namespace settlement
