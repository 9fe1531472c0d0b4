#pragma once

#include "mileagerules.h"
#include "record.h"
#include "triplog.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The rules of the mileage log of a client's year: dates, rates, values, sums, warnings, what
// the log gives the mileage register, and its spreadsheet files.
namespace settlement {

// A trip's date as the log stores it: "dd.mm.yyyy", a real day.
std::optional<QDate> ParseTripDate(const QString &text);
// A date of an imported line: "dd.mm.yyyy" or "yyyy-mm-dd" (one or two digits for day and month).
std::optional<QDate> ParseImportDate(const QString &text);
QString TripDateText(const QDate &date);

enum class TripDateCheck {
    Fine,         // a real day of the chosen month and year
    Empty,        // nothing typed yet
    NotADay,      // not dd.mm.yyyy, or no such day
    OutsideMonth, // a real day of another month or year
};
TripDateCheck CheckTripDate(const QString &text, int month, int year);
// The reason shown for a marked date; empty for a fine or empty one.
QString TripDateReason(const QString &text, int month, int year);

// A trip's value, kilometres × rate, as stored text of width 9 with 2 decimals (empty when not
// above zero).
QString TripValue(const QString &kilometres, const QString &rate);

// The kilometres and value of a set of trips. The value is worked out per rate: the kilometres
// at one rate times that rate, rounded to the grosz, as the register works out a month's amount
// from its kilometres and rate; so a month of one rate is worth exactly what the register
// shows, and a month of two rates the sum of its two parts.
struct TripSums {
    double kilometres = 0;
    double value = 0;
    // The distinct rates of the trips (4 decimals), in the order they first appear; a trip
    // without a rate adds none.
    QList<double> rates;
};
TripSums SumTrips(const QList<storage::Trip> &trips);
TripSums SumMonth(const QList<storage::Trip> &trips, int month);
// The value of the months 1..month together.
double YearValueTo(const QList<storage::Trip> &trips, int month);

// The entry number (1-based, consecutive through the year) of the first trip of `month`.
int FirstEntryNumber(const QList<storage::Trip> &trips, int month);

// What the log gives the register: for every month that has trips, the kilometres are the
// month's sum and the rate the trips' rate, the amount kilometres × rate as the register works it
// out. A month of two rates takes the sum of the values at each rate as its amount and, as its
// rate, that amount per kilometre (shown for information); its amount then cannot follow from
// kilometres × rate, so the register switches to amounts by hand and keeps every amount as
// it stands. Months without trips keep what the register holds.
struct MileageFeed {
    MileageGrid grid;
    MileageAmounts amounts;
    QList<int> fedMonths;     // 1..12
    QList<int> twoRateMonths; // 1..12
};
MileageFeed FeedMileage(const MileageGrid &grid, MileageAmounts amounts,
                        const QList<storage::Trip> &trips);

// The warnings that protect the booking, never blocking a save: for the trips of `month`, one
// without date, route, purpose or kilometres, a date outside the month, the same route and
// distance twice on one day; and for the whole year, every month with operating costs
// (`costs`, the ".eks" record) but no trips.
QStringList TripWarnings(const QList<storage::Trip> &trips, int month, int year,
                         const storage::Record &costs);

// The year's log as a spreadsheet file in the calculation's conventions (UTF-8 with a
// byte-order mark, ";", decimal comma, CR LF): the vehicle and person, then every trip with its
// entry number, month, date, route, purpose, kilometres, rate and value, and the year's sums.
QByteArray ExportTripsCsv(const storage::TripLog &log, const QString &year);

// The trips read from a spreadsheet file. Fields: date, route, purpose, kilometres and
// optionally rate and notes; ";" or "," between them (the one of the first line that holds
// either; with "," a decimal point, with ";" a decimal comma or point); UTF-8 or Windows-1250;
// a field may be quoted. A first line that is not a trip but names the columns is passed over.
struct ImportedLine {
    int line = 0; // 1-based
    QString text;
    QString reason;
};
struct TripImport {
    QList<storage::Trip> trips; // each entered under its date's month, kilometres and rate stored
    QList<ImportedLine> rejected;
};
// Lines whose date lies outside `year`, whose kilometres are not a number above zero or whose
// rate is not a number are rejected with the reason. A trip without a rate gets the table's
// confirmed rate for its date and the vehicle class, when there is one.
TripImport ImportTripsCsv(const QByteArray &bytes, int year, quint8 vehicleClass);

} // namespace settlement
