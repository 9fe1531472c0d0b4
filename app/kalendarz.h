#pragma once

#include "seams.h"

#include <QColor>
#include <QDate>
#include <QString>

// The calendar banner of the main window: today's date with its weekday and the name days.
namespace kalendarz {

// The names whose name day is (month, day), separated by commas without blanks, or the name of
// a feast; empty for a day that does not exist (30 February, 31 April …) or lies outside
// 1 … 12 and 1 … 31.
QString NameDays(int month, int day);

// The weekday number of the platform: 1 = Sunday, 2 = Monday … 7 = Saturday; 0 for an invalid
// date.
int PlatformWeekday(const QDate &date);

// "niedziela" … "sobota" by the platform's weekday number; empty outside 1 … 7.
QString WeekdayName(int weekday);

// What the banner shows for one day.
struct DateBanner {
    // Font size of the date line.
    static constexpr int kPoints = 9;
    // Short date, one blank, weekday name.
    QString dateLine;
    // Of the date line: grey on working days, blue on Saturday, red on Sunday.
    QColor colour;
    QString nameDays;
};

DateBanner BannerFor(const QDate &date, const seams::RegionalSettings &regional);

} // namespace kalendarz
