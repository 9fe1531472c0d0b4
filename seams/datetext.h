#pragma once

#include "seams.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

namespace seams {

// The short date format of the program, "dd/mm/yyyy" with the platform's date separator
// (15.03.2007 under Polish settings).
QString ShortDate(const QDate &date, const RegionalSettings &regional);

// A time in the platform's long time format.
QString LongTime(const QTime &time, const RegionalSettings &regional);

// "Styczeń" … "Grudzień".
const QStringList &MonthNames();

} // namespace seams
