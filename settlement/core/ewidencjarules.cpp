#include "ewidencjarules.h"

#include "clientrecords.h"
#include "csvformat.h"
#include "datetext.h"
#include "fixedpoint.h"
#include "stawki.h"
#include "textcodec.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace storage;

namespace settlement {

namespace {

double rateOf(const QString &text)
{
    // Rates are compared as they are stored, with 4 decimals.
    return ParseFixed(FormatFixed(ParseFixed(text), 0, 4));
}

// The fields of one line; a quoted field may hold the separator and doubled quotes.
QStringList splitFields(const QString &line, QChar separator)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            fields << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current.trimmed();
    return fields;
}

// A number of an imported line: digits with at most one decimal point (or comma, where the
// separator is not a comma); an empty text is no number.
std::optional<double> importNumber(QString text, QChar separator)
{
    if (separator != QLatin1Char(','))
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression pattern(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    text = text.trimmed();
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    return ParseFixed(text);
}

} // namespace

std::optional<QDate> ParseTripDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2})\\.(\\d{2})\\.(\\d{4})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> ParseImportDate(const QString &text)
{
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString trimmed = text.trimmed();
    QDate date;
    if (const QRegularExpressionMatch m = dotted.match(trimmed); m.hasMatch())
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const QRegularExpressionMatch m = iso.match(trimmed); m.hasMatch())
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString TripDateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

TripDateCheck CheckTripDate(const QString &text, int month, int year)
{
    if (text.trimmed().isEmpty())
        return TripDateCheck::Empty;
    const std::optional<QDate> date = ParseTripDate(text);
    if (!date)
        return TripDateCheck::NotADay;
    if (date->month() != month || date->year() != year)
        return TripDateCheck::OutsideMonth;
    return TripDateCheck::Fine;
}

QString TripDateReason(const QString &text, int month, int year)
{
    switch (CheckTripDate(text, month, year)) {
    case TripDateCheck::NotADay:
        return QStringLiteral("Data „%1” nie jest prawdziwym dniem w postaci dd.mm.rrrr.")
            .arg(text.trimmed());
    case TripDateCheck::OutsideMonth:
        return QStringLiteral("Data %1 leży poza miesiącem %2 %3.")
            .arg(text.trimmed(), seams::MonthNames().value(month - 1).toLower(),
                 QString::number(year));
    case TripDateCheck::Fine:
    case TripDateCheck::Empty:
        break;
    }
    return {};
}

QString TripValue(const QString &kilometres, const QString &rate)
{
    return AutomaticAmount(kilometres, rate);
}

TripSums SumTrips(const QList<Trip> &trips)
{
    TripSums sums;
    QList<double> kilometresAt;
    for (const Trip &trip : trips) {
        const double kilometres = ParseFixed(trip.kilometres);
        sums.kilometres += kilometres;
        const double rate = rateOf(trip.rate);
        if (rate <= 0)
            continue;
        const qsizetype at = sums.rates.indexOf(rate);
        if (at < 0) {
            sums.rates << rate;
            kilometresAt << kilometres;
        } else {
            kilometresAt[at] += kilometres;
        }
    }
    for (qsizetype i = 0; i < sums.rates.size(); ++i) {
        sums.value += ParseFixed(
            AutomaticAmount(FormatFixed(kilometresAt[i], 9, 2), FormatFixed(sums.rates[i], 9, 4)));
    }
    return sums;
}

TripSums SumMonth(const QList<Trip> &trips, int month)
{
    QList<Trip> ofMonth;
    std::copy_if(trips.begin(), trips.end(), std::back_inserter(ofMonth),
                 [month](const Trip &trip) { return trip.month == month; });
    return SumTrips(ofMonth);
}

double YearValueTo(const QList<Trip> &trips, int month)
{
    double value = 0;
    for (int m = 1; m <= month; ++m)
        value += SumMonth(trips, m).value;
    return value;
}

int FirstEntryNumber(const QList<Trip> &trips, int month)
{
    return 1 + static_cast<int>(std::count_if(trips.begin(), trips.end(),
                                              [month](const Trip &t) { return t.month < month; }));
}

MileageFeed FeedMileage(const MileageGrid &grid, MileageAmounts amounts, const QList<Trip> &trips)
{
    MileageFeed feed{grid, amounts, {}, {}};
    for (int month = 1; month <= 12; ++month) {
        if (std::none_of(trips.begin(), trips.end(),
                         [month](const Trip &trip) { return trip.month == month; }))
            continue;
        const TripSums sums = SumMonth(trips, month);
        MileageMonth &cells = feed.grid[month - 1];
        cells.kilometres = FormatStored(sums.kilometres, mileage::kCellWidth, 2);
        if (sums.rates.size() <= 1) {
            cells.rate = sums.rates.isEmpty()
                             ? QString()
                             : FormatStored(sums.rates.first(), mileage::kCellWidth, 4);
            cells.amount = AutomaticAmount(cells.kilometres, cells.rate);
        } else {
            cells.amount = FormatStored(sums.value, mileage::kCellWidth, 2);
            cells.rate = FormatStored(sums.kilometres > 0 ? sums.value / sums.kilometres : 0,
                                      mileage::kCellWidth, 4);
            feed.twoRateMonths << month;
            feed.amounts = MileageAmounts::ByHand;
        }
        feed.fedMonths << month;
    }
    return feed;
}

QStringList TripWarnings(const QList<Trip> &trips, int month, int year, const Record &costs)
{
    QStringList warnings;
    int number = 0;
    QList<std::pair<int, const Trip *>> ofMonth;
    for (const Trip &trip : trips) {
        ++number;
        if (trip.month != month)
            continue;
        ofMonth.append({number, &trip});
        QStringList missing;
        if (trip.date.trimmed().isEmpty())
            missing << QStringLiteral("daty");
        if (trip.route.trimmed().isEmpty())
            missing << QStringLiteral("trasy");
        if (trip.purpose.trimmed().isEmpty())
            missing << QStringLiteral("celu wyjazdu");
        if (ParseFixed(trip.kilometres) <= 0)
            missing << QStringLiteral("kilometrów");
        if (!missing.isEmpty())
            warnings << QStringLiteral("Wpis %1: brak %2.")
                            .arg(number)
                            .arg(missing.join(QStringLiteral(", ")));
        const QString reason = TripDateReason(trip.date, month, year);
        if (!reason.isEmpty())
            warnings << QStringLiteral("Wpis %1: %2").arg(number).arg(reason);
    }
    // Each trip is compared with the first of its day, route and distance: a month of many trips
    // costs no more than one pass.
    QHash<QString, int> firstOfDay;
    for (const auto &[tripNumber, trip] : std::as_const(ofMonth)) {
        if (trip->date.trimmed().isEmpty() || trip->route.trimmed().isEmpty())
            continue;
        const QString key = trip->date.trimmed() + QLatin1Char('\n') +
                            trip->route.trimmed().toCaseFolded() + QLatin1Char('\n') +
                            FormatFixed(ParseFixed(trip->kilometres), 0, 2);
        const auto found = firstOfDay.constFind(key);
        if (found == firstOfDay.constEnd()) {
            firstOfDay.insert(key, tripNumber);
            continue;
        }
        warnings << QStringLiteral("Wpisy %1 i %2: ta sama trasa i liczba kilometrów tego samego "
                                   "dnia.")
                        .arg(*found)
                        .arg(tripNumber);
    }
    for (int m = 1; m <= 12; ++m) {
        bool hasCosts = false;
        for (int row = 1; row <= cost::kRows && !hasCosts; ++row)
            hasCosts = ParseFixed(costs.text(cost::entry(m, cost::kNet, row))) > 0;
        const bool hasTrips = std::any_of(trips.begin(), trips.end(),
                                          [m](const Trip &trip) { return trip.month == m; });
        if (hasCosts && !hasTrips)
            warnings << QStringLiteral("%1: są koszty eksploatacji, a w ewidencji nie ma "
                                       "wyjazdów.")
                            .arg(seams::MonthNames().value(m - 1));
    }
    return warnings;
}

QByteArray ExportTripsCsv(const TripLog &log, const QString &year)
{
    static const QStringList classes{QString(), QStringLiteral("samochód do 900 cm3"),
                                     QStringLiteral("samochód powyżej 900 cm3"),
                                     QStringLiteral("motocykl"), QStringLiteral("motorower")};
    QString out;
    auto row = [&out](const QStringList &fields) { csv::AddLine(out, fields); };
    row({QStringLiteral("Imię i nazwisko"), QStringLiteral("Adres"), QStringLiteral("Adres"),
         QStringLiteral("Nr rejestracyjny"), QStringLiteral("Pojemność [cm3]"),
         QStringLiteral("Rodzaj pojazdu"), QStringLiteral("Rok")});
    row({csv::Field(log.person1), csv::Field(log.person2), csv::Field(log.person3),
         csv::Field(log.registration), log.engine > 0 ? QString::number(log.engine) : QString(),
         classes.value(log.vehicleClass), csv::Field(year)});
    out += csv::kLineEnd;
    row({QStringLiteral("Nr kolejny wpisu"), QStringLiteral("Miesiąc"),
         QStringLiteral("Data wyjazdu"), QStringLiteral("Opis trasy (skąd – dokąd)"),
         QStringLiteral("Cel wyjazdu"), QStringLiteral("Km"), QStringLiteral("Stawka"),
         QStringLiteral("Wartość"), QStringLiteral("Uwagi")});
    int number = 0;
    for (const Trip &trip : log.trips) {
        ++number;
        row({QString::number(number), seams::MonthNames().value(trip.month - 1),
             csv::Field(trip.date), csv::Field(trip.route), csv::Field(trip.purpose),
             csv::StoredNumber(trip.kilometres, 2), csv::StoredNumber(trip.rate, 4),
             csv::StoredNumber(TripValue(trip.kilometres, trip.rate), 2), csv::Field(trip.notes)});
    }
    const TripSums sums = SumTrips(log.trips);
    row({QStringLiteral("Razem"), QString(), QString(), QString(), QString(),
         csv::Number(sums.kilometres, 2), QString(), csv::Number(sums.value, 2), QString()});
    return csv::FileBytes(out);
}

TripImport ImportTripsCsv(const QByteArray &bytes, int year, quint8 vehicleClass)
{
    TripImport result;
    const QStringList lines = TextLines(DecodeText(bytes));
    QChar separator;
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (separator.isNull())
            separator = line.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
        const QStringList fields = splitFields(line, separator);
        const bool wasFirst = first;
        first = false;
        auto reject = [&](const QString &reason) {
            result.rejected << ImportedLine{static_cast<int>(i + 1), line, reason};
        };
        const std::optional<QDate> date = ParseImportDate(fields.value(0));
        if (!date) {
            // The column names above the trips.
            static const QRegularExpression digit(QStringLiteral("[0-9]"));
            if (wasFirst && !fields.value(0).contains(digit))
                continue;
            reject(QStringLiteral("data „%1” nie jest dniem w postaci dd.mm.rrrr ani rrrr-mm-dd")
                       .arg(fields.value(0)));
            continue;
        }
        if (fields.size() < 4) {
            reject(QStringLiteral("za mało pól: potrzebne data, trasa, cel i kilometry"));
            continue;
        }
        if (date->year() != year) {
            reject(QStringLiteral("data %1 spoza roku %2").arg(TripDateText(*date)).arg(year));
            continue;
        }
        const std::optional<double> kilometres = importNumber(fields[3], separator);
        if (!kilometres || *kilometres <= 0) {
            reject(QStringLiteral("kilometry „%1” nie są liczbą większą od zera").arg(fields[3]));
            continue;
        }
        Trip trip;
        trip.month = date->month();
        trip.date = TripDateText(*date);
        trip.route = fields[1];
        trip.purpose = fields[2];
        trip.kilometres = FormatStored(*kilometres, 9, 2);
        trip.notes = fields.value(5);
        const QString rateText = fields.value(4).trimmed();
        if (!rateText.isEmpty()) {
            const std::optional<double> rate = importNumber(rateText, separator);
            if (!rate) {
                reject(QStringLiteral("stawka „%1” nie jest liczbą").arg(rateText));
                continue;
            }
            trip.rate = FormatStored(*rate, 9, 4);
        } else {
            const RateProposal proposal = ProposeRate(*date, vehicleClass);
            if (proposal.kind == RateProposal::Kind::Confirmed)
                trip.rate = proposal.rate;
        }
        result.trips << trip;
    }
    return result;
}

} // namespace settlement
