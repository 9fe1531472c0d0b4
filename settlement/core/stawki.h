#pragma once

#include "triplog.h"

#include <QDate>
#include <QString>

namespace settlement {

// One set of the highest rates per kilometre, in force from its day until the day before the
// next set's.
struct RateSet {
    int year;
    int month;
    int day;
    // zł per km for a car up to 900 cm³, a car over 900 cm³, a motorcycle and a moped.
    double rates[4];
    const char *act; // UTF-8
    // Whether the figures are confirmed; others are offered only as a suggestion.
    bool confirmed;
};

namespace detail {
// Built into the program from the rate table, oldest first.
extern const RateSet kRateSets[];
extern const int kRateSetCount;
} // namespace detail

// The rate for a trip on `date` by a vehicle of the class.
struct RateProposal {
    enum class Kind {
        None,       // no class chosen, no valid date, or a day before the first set: typed by hand
        Confirmed,  // filled in
        Suggestion, // offered with its act, never filled in silently
    };
    Kind kind = Kind::None;
    QString rate; // stored text, width 9, 4 decimals
    QString act;
};
RateProposal ProposeRate(const QDate &date, quint8 vehicleClass);

} // namespace settlement
