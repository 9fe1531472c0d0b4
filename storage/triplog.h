#pragma once

#include "fileerror.h"
#include "record.h"

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QString>

#include <optional>

// The mileage log of a client's year and the client's fixed routes. Both files hold a header
// record followed by a number of fixed-size entries that the header counts; each is written
// whole through a temporary file and read in one piece, and bytes that do not make such a file
// (a wrong mark or version, a count beyond the limit or one that the size does not match, a
// month outside 1..12) are refused as a damaged file rather than shown in part.
namespace storage {

// The mileage log: DANE\<year file stem>.ewp.
namespace triplog {
constexpr QLatin1String kExtension(".ewp");
constexpr QLatin1String kMark("EWP1");
constexpr qint32 kVersion = 1;
constexpr int kMaxTrips = 6000; // 500 a month on average
// Header, 256 bytes.
constexpr qsizetype kHeaderSize = 256;
constexpr qsizetype kMarkOffset = 0; // 4 bytes "EWP1"
constexpr qsizetype kVersionOffset = 4;
constexpr qsizetype kCountOffset = 8;
constexpr qsizetype kVehicleClass = 12; // byte, VehicleClass
constexpr qsizetype kEngine = 13;       // int32, cm³, 0 when not given
constexpr StringField person1{17, 50};
constexpr StringField person2{68, 50};
constexpr StringField person3{119, 50};
constexpr StringField registration{170, 20};
// Bytes 191 to 255 are reserved: zero.

// One trip, 256 bytes.
constexpr qsizetype kTripSize = 256;
constexpr qsizetype kMonth = 0; // byte, 1..12: the month the trip is entered under
constexpr StringField date{1, 10};
constexpr StringField route{12, 100};
constexpr StringField purpose{113, 60};
constexpr StringField kilometres{174, 10}; // fixed-point text, width 9, 2 decimals
constexpr StringField rate{185, 10};       // fixed-point text, width 9, 4 decimals
constexpr StringField notes{196, 59};

// The vehicle classes that the rates per kilometre tell apart.
enum VehicleClass : quint8 {
    NoClass = 0,
    CarUpTo900 = 1,
    CarOver900 = 2,
    Motorcycle = 3,
    Moped = 4,
};
} // namespace triplog

struct Trip {
    int month = 1;
    QString date;
    QString route;
    QString purpose;
    QString kilometres;
    QString rate;
    QString notes;
    friend bool operator==(const Trip &, const Trip &) = default;
};

struct TripLog {
    quint8 vehicleClass = triplog::NoClass;
    qint32 engine = 0;
    QString person1;
    QString person2;
    QString person3;
    QString registration;
    // Month by month, in the order entered: the entry numbers of the year are their positions.
    QList<Trip> trips;
    friend bool operator==(const TripLog &, const TripLog &) = default;
};

// The bytes of the log; the trips are written in month order, each month's in the order given,
// texts cut to their capacity, at most kMaxTrips.
QByteArray EncodeTripLog(const TripLog &log);
// The log the bytes hold, or nothing when they are not a whole log file.
std::optional<TripLog> DecodeTripLog(const QByteArray &bytes);

// Reads the log; a missing file is an empty log. Throws FileError, also for a damaged file.
TripLog ReadTripLog(const QString &path);
// Writes the whole log through a temporary file. Throws FileError.
void WriteTripLog(const QString &path, const TripLog &log);

// The fixed routes of a client: DANE\NNN.trs (the client number).
namespace routes {
constexpr QLatin1String kExtension(".trs");
constexpr QLatin1String kMark("TRS1");
constexpr qint32 kVersion = 1;
constexpr int kMaxRoutes = 200;
constexpr qsizetype kHeaderSize = 16; // mark, version, count, reserved int32
constexpr qsizetype kCountOffset = 8;
constexpr qsizetype kRouteSize = 176;
constexpr StringField route{0, 100};
constexpr StringField purpose{101, 60};
constexpr StringField kilometres{162, 10};
// Bytes 173 to 175 are reserved: zero.
} // namespace routes

struct FixedRoute {
    QString route;
    QString purpose;
    QString kilometres;
    friend bool operator==(const FixedRoute &, const FixedRoute &) = default;
};

QByteArray EncodeRoutes(const QList<FixedRoute> &routes);
std::optional<QList<FixedRoute>> DecodeRoutes(const QByteArray &bytes);
// A missing file is an empty list. Throws FileError, also for a damaged file.
QList<FixedRoute> ReadRoutes(const QString &path);
void WriteRoutes(const QString &path, const QList<FixedRoute> &routes);

// The error of a file whose bytes are not what its format says.
FileError DamagedFile(const QString &path);

} // namespace storage
