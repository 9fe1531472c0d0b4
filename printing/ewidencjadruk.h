#pragma once

#include "page.h"
#include "printfontsettings.h"
#include "triplog.h"

#include <QString>

namespace printing {

// Everything the printed mileage log shows.
struct TripLogPrintInput {
    const storage::TripLog &log;
    QString year;
    const PrintFontSettings &font;
};

// The lowest line of the layout, in print units: nothing is written below it.
constexpr int kTripLogPageBottom = 272;

// Draws the log of the months firstMonth..lastMonth (1..12), each month from a new sheet: the
// heading "EWIDENCJA PRZEBIEGU POJAZDU", the person, registration number and engine capacity,
// the table of trips with its numbered columns, the totals carried from page to page when a
// month runs past one ("z przeniesienia"), "Podsumowanie miesiąca" (kilometres, value and the
// year's value so far) and the line for the signature. A month without trips prints its empty
// table and summary. Sets the page's style, colour, grid and font first.
void DrawTripLog(Page &page, const TripLogPrintInput &input, int firstMonth, int lastMonth);

} // namespace printing
