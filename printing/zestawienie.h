#pragma once

#include "calculationresults.h"
#include "page.h"
#include "printfontsettings.h"
#include "record.h"

#include <QString>

#include <utility>

namespace printing {

// Everything the settlement statement shows.
struct StatementInput {
    // The four texts of the print panel, printed as they stand.
    QString number;
    QString suffix;
    QString date;
    QString place;
    const storage::Record &owner;                  // the owner record (owner::kSize)
    const storage::Record &costs;                  // the year's cost record (cost::kSize)
    const settlement::CalculationResults &results; // the calculation of the chosen month
    const PrintFontSettings &font;                 // the print font settings
};

// The sums of the stored net and VAT texts of the month's 20 invoice rows; an empty or
// unreadable text counts as 0, and a month outside 1..12 has no rows.
std::pair<double, double> InvoiceTotals(const storage::Record &costs, int month);

// Draws the one-page statement: header with number, place, date and owner; the month's
// invoices with their totals; the year's monthly results and the amounts to book. Sets the
// page's style, colour, grid and font first.
void DrawStatement(Page &page, const StatementInput &input);

} // namespace printing
