#include "triplog.h"

#include "fileerror.h"
#include "recordfile.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace storage {

namespace {

Record headerOf(QLatin1String mark, qint32 version, qsizetype size, qint32 count)
{
    Record header(size);
    std::copy(mark.begin(), mark.end(), header.bytes().begin());
    header.setInt32(4, version);
    header.setInt32(8, count);
    return header;
}

// The count of entries of a file that starts with the mark and version and whose size is the
// header and that many entries exactly; nothing otherwise.
std::optional<qint32> countOf(const QByteArray &bytes, QLatin1String mark, qint32 version,
                              qsizetype headerSize, qsizetype entrySize, int maximum)
{
    if (bytes.size() < headerSize || !bytes.startsWith(QByteArray(mark.data(), mark.size())))
        return std::nullopt;
    Record header(headerSize);
    std::copy_n(bytes.constData(), headerSize, header.bytes().data());
    const qint32 count = header.int32(8);
    if (header.int32(4) != version || count < 0 || count > maximum ||
        bytes.size() != headerSize + count * entrySize)
        return std::nullopt;
    return count;
}

Record entryOf(const QByteArray &bytes, qsizetype offset, qsizetype size)
{
    Record entry(size);
    std::copy_n(bytes.constData() + offset, size, entry.bytes().data());
    return entry;
}

// Reads a whole file of header and entries; a missing file gives no bytes. A file shorter than
// its header or than the entries its header counts fails as a record file one byte short does.
std::optional<QByteArray> readWhole(const QString &path, qsizetype headerSize, qsizetype entrySize,
                                    int maximum)
{
    if (!FileExists(path))
        return std::nullopt;
    // A file larger than the largest log is not read into memory at all.
    if (QFileInfo(path).size() > headerSize + maximum * entrySize)
        throw DamagedFile(path);
    QByteArray bytes = ReadTextFile(path);
    if (bytes.size() < headerSize)
        throw FileError::readBeyondEnd();
    Record header = entryOf(bytes, 0, headerSize);
    const qint64 count = header.int32(8);
    if (count >= 0 && bytes.size() < headerSize + count * entrySize)
        throw FileError::readBeyondEnd();
    return bytes;
}

} // namespace

FileError DamagedFile(const QString &path)
{
    return FileError::fromErrno(EILSEQ, path);
}

QByteArray EncodeTripLog(const TripLog &log)
{
    QList<Trip> trips = log.trips;
    std::stable_sort(trips.begin(), trips.end(),
                     [](const Trip &a, const Trip &b) { return a.month < b.month; });
    if (trips.size() > triplog::kMaxTrips)
        trips.resize(triplog::kMaxTrips);
    Record header = headerOf(triplog::kMark, triplog::kVersion, triplog::kHeaderSize,
                             static_cast<qint32>(trips.size()));
    header.setByte(triplog::kVehicleClass, log.vehicleClass);
    header.setInt32(triplog::kEngine, log.engine);
    header.setText(triplog::person1, log.person1);
    header.setText(triplog::person2, log.person2);
    header.setText(triplog::person3, log.person3);
    header.setText(triplog::registration, log.registration);
    QByteArray bytes = header.bytes();
    bytes.reserve(triplog::kHeaderSize + trips.size() * triplog::kTripSize);
    for (const Trip &trip : std::as_const(trips)) {
        Record entry(triplog::kTripSize);
        entry.setByte(triplog::kMonth, static_cast<quint8>(std::clamp(trip.month, 1, 12)));
        entry.setText(triplog::date, trip.date);
        entry.setText(triplog::route, trip.route);
        entry.setText(triplog::purpose, trip.purpose);
        entry.setText(triplog::kilometres, trip.kilometres);
        entry.setText(triplog::rate, trip.rate);
        entry.setText(triplog::notes, trip.notes);
        bytes.append(entry.bytes());
    }
    return bytes;
}

std::optional<TripLog> DecodeTripLog(const QByteArray &bytes)
{
    const std::optional<qint32> count =
        countOf(bytes, triplog::kMark, triplog::kVersion, triplog::kHeaderSize, triplog::kTripSize,
                triplog::kMaxTrips);
    if (!count)
        return std::nullopt;
    const Record header = entryOf(bytes, 0, triplog::kHeaderSize);
    TripLog log;
    log.vehicleClass = header.byte(triplog::kVehicleClass);
    if (log.vehicleClass > triplog::Moped)
        return std::nullopt;
    log.engine = std::max<qint32>(header.int32(triplog::kEngine), 0);
    log.person1 = header.text(triplog::person1);
    log.person2 = header.text(triplog::person2);
    log.person3 = header.text(triplog::person3);
    log.registration = header.text(triplog::registration);
    log.trips.reserve(*count);
    int previousMonth = 1;
    for (qint32 i = 0; i < *count; ++i) {
        const Record entry =
            entryOf(bytes, triplog::kHeaderSize + i * triplog::kTripSize, triplog::kTripSize);
        Trip trip;
        trip.month = entry.byte(triplog::kMonth);
        // The months stand in order: the entry numbers of the year follow from the positions.
        if (trip.month < previousMonth || trip.month > 12)
            return std::nullopt;
        previousMonth = trip.month;
        trip.date = entry.text(triplog::date);
        trip.route = entry.text(triplog::route);
        trip.purpose = entry.text(triplog::purpose);
        trip.kilometres = entry.text(triplog::kilometres);
        trip.rate = entry.text(triplog::rate);
        trip.notes = entry.text(triplog::notes);
        log.trips << trip;
    }
    return log;
}

TripLog ReadTripLog(const QString &path)
{
    const std::optional<QByteArray> bytes =
        readWhole(path, triplog::kHeaderSize, triplog::kTripSize, triplog::kMaxTrips);
    if (!bytes)
        return {};
    std::optional<TripLog> log = DecodeTripLog(*bytes);
    if (!log)
        throw DamagedFile(path);
    return *log;
}

void WriteTripLog(const QString &path, const TripLog &log)
{
    const QByteArray bytes = EncodeTripLog(log);
    Record record(bytes.size());
    record.bytes() = bytes;
    WriteRecord(path, record);
}

QByteArray EncodeRoutes(const QList<FixedRoute> &list)
{
    const qsizetype count = std::min<qsizetype>(list.size(), routes::kMaxRoutes);
    QByteArray bytes =
        headerOf(routes::kMark, routes::kVersion, routes::kHeaderSize, static_cast<qint32>(count))
            .bytes();
    for (qsizetype i = 0; i < count; ++i) {
        Record entry(routes::kRouteSize);
        entry.setText(routes::route, list[i].route);
        entry.setText(routes::purpose, list[i].purpose);
        entry.setText(routes::kilometres, list[i].kilometres);
        bytes.append(entry.bytes());
    }
    return bytes;
}

std::optional<QList<FixedRoute>> DecodeRoutes(const QByteArray &bytes)
{
    const std::optional<qint32> count =
        countOf(bytes, routes::kMark, routes::kVersion, routes::kHeaderSize, routes::kRouteSize,
                routes::kMaxRoutes);
    if (!count)
        return std::nullopt;
    QList<FixedRoute> list;
    for (qint32 i = 0; i < *count; ++i) {
        const Record entry =
            entryOf(bytes, routes::kHeaderSize + i * routes::kRouteSize, routes::kRouteSize);
        list << FixedRoute{entry.text(routes::route), entry.text(routes::purpose),
                           entry.text(routes::kilometres)};
    }
    return list;
}

QList<FixedRoute> ReadRoutes(const QString &path)
{
    const std::optional<QByteArray> bytes =
        readWhole(path, routes::kHeaderSize, routes::kRouteSize, routes::kMaxRoutes);
    if (!bytes)
        return {};
    std::optional<QList<FixedRoute>> list = DecodeRoutes(*bytes);
    if (!list)
        throw DamagedFile(path);
    return *list;
}

void WriteRoutes(const QString &path, const QList<FixedRoute> &list)
{
    const QByteArray bytes = EncodeRoutes(list);
    Record record(bytes.size());
    record.bytes() = bytes;
    WriteRecord(path, record);
}

} // namespace storage
