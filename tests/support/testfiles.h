#pragma once

#include <QByteArray>
#include <QString>

// Small helpers for byte-level fixtures.
namespace testfiles {

// Writes the bytes as the whole file (creating it); fails the calling test on error.
bool writeBytes(const QString &path, const QByteArray &bytes);
// The whole file, or an empty array when it cannot be read.
QByteArray readBytes(const QString &path);
// Creates the data directories of a working directory.
bool makeDataTree(const QString &dir);
// A short string as stored: length byte, Windows-1250 text, zero bytes up to the capacity.
QByteArray shortString(const QString &text, int capacity);

} // namespace testfiles
