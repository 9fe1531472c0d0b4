#pragma once

#include "record.h"

#include <QString>

namespace settlement {

// What the monthly calculation leaves for the statement printout.
struct CalculationResults {
    // 12 rows of 80 bytes: five short strings of capacity 15 each (A, C, B, D, E of the month as
    // text of width 12 with 2 decimals); rows after the calculated month are all zero.
    static constexpr qsizetype kRowSize = 80;
    static constexpr storage::StringField cell(int month, int column) // month 1..12, column 0..4
    {
        return {(month - 1) * kRowSize + column * 16, 15};
    }
    storage::Record table{12 * kRowSize};
    double cumulativeMileage = 0.0; // C of the month
    double cumulativeCosts = 0.0;   // D of the month
    double totalBooked = 0.0;       // sum of E from January to the month
    double amountToBook = 0.0;      // E of the month
    double vatToBook = 0.0;         // VAT of the month
    qint32 month = 0;               // 1..12
    QString title;                  // "Rozliczenie miesiąca " + month name + " " + year
    QString stem;                   // the year file stem of the calculation
};

} // namespace settlement
