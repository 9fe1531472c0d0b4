#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

// What every fuzz driver shares: a working directory of its own, laid out as the program's (with
// DANE, Admini, FONT and TAPETY), into which each input is written as the file the program
// would read.
namespace fuzz {

// The working directory of this process; created on first use, removed at exit.
const QString &WorkingDir();

// Writes the input as `fragment` (spelt as the program spells it, e.g. "DANE\\001.dat") under
// the working directory, replacing what an earlier input left there; returns the path.
QString WriteInput(const QString &fragment, const QByteArray &bytes);

// Removes what `fragment` names under the working directory, so that the program finds no file.
void RemoveInput(const QString &fragment);

// Removes every file of the data folder DANE, so that one input finds nothing an earlier one
// left there (the windows create the year files they do not find).
void ClearData();

// The marker between the files of an input that holds several.
inline constexpr char kPartMarker[] = "\n--\n";

// Splits an input into at most `count` files at each kPartMarker; the last part keeps any
// further markers. A part the input does not reach is missing (no value), not empty.
QList<std::optional<QByteArray>> Parts(const QByteArray &bytes, int count);

// Writes the part as `fragment`, or removes that file when the part is missing.
void WritePart(const QString &fragment, const std::optional<QByteArray> &part);

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Creates the application object once: core only, or with widgets on the offscreen platform.
void EnsureApplication(bool widgets);

// Stops the run with a message when a property the program relies on does not hold.
[[noreturn]] void Fail(const char *what);

} // namespace fuzz

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::fuzz::Fail(#condition);                                                              \
    } while (false)
