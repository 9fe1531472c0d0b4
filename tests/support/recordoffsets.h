#pragma once

#include "testfiles.h"

#include <QByteArray>
#include <QString>

// Layouts of the record files, written out independently of the program's layout
// constants, so that a test of the bytes catches a change on either side.
namespace recordoffsets {

// The ".prz" record: column 1..3 (kilometres, rate, amount), month 1..12.
namespace mileage {
constexpr int cellOffset(int column, int month)
{
    return (column - 1) * 132 + (month - 1) * 11;
}
constexpr int kYearTotalOffset = 396;
constexpr int kFlagOffset = 412;
} // namespace mileage

// The ".eks" and ".vat" records: month 1..12, column 0..4, row 1..20; each entry a short string
// of capacity 60.
namespace costs {
constexpr int entryOffset(int month, int column, int row)
{
    return (month - 1) * 6100 + column * 1220 + (row - 1) * 61;
}
constexpr int kNetTotalOffset = 73200;
constexpr int kVatTotalOffset = 73216;
constexpr int kNet = 3;
constexpr int kVat = 4;

inline QByteArray entry(const QString &text)
{
    return testfiles::shortString(text, 60);
}
} // namespace costs

// The database location record Admini\siec.dat: the mode byte (1 local, 2 network), then the
// local and the network path as short strings of capacity 200.
inline QByteArray locationBytes(quint8 mode, const QString &localPath, const QString &networkPath)
{
    return QByteArray(1, static_cast<char>(mode)) + testfiles::shortString(localPath, 200) +
           testfiles::shortString(networkPath, 200);
}

} // namespace recordoffsets
