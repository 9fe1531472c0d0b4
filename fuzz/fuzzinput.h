#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz driver shares: a working directory of its own, laid out as the program's (with
// DANE, Admini, FONT and TAPETY), into which each input is written as the file the program
// would read.
namespace fuzz {

// The working directory of this process; created on first use, removed at exit.
const QString &WorkingDir();

// Writes the input as `fragment` (spelt as the program spells it, e.g. "DANE\\001.dat") under
// the working directory, replacing what an earlier input left there; returns the path.
QString WriteInput(const QString &fragment, const QByteArray &bytes);

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
