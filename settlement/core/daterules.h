#pragma once

#include <QString>

namespace settlement {

// What is wrong with the date typed into an invoice row of the month `month` (1..12) of `year`.
enum class CostDateCheck {
    Fine,         // empty, or a real day of that month
    NotADay,      // not day, month and four-digit year, or no such day (32.13.2016)
    OutsideMonth, // a real day of another month or year
};

// A date is day, month and year in this order, separated by one character that is not a digit
// (the regional separator, usually "."), with spaces around it all ignored. The check only marks:
// the row keeps the date as typed.
CostDateCheck CheckCostDate(const QString &text, int month, int year);

// The reason shown in the status line for a marked date; empty for a fine one.
QString CostDateReason(const QString &text, int month, int year);

} // namespace settlement
