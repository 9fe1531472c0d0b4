#pragma once

#include "record.h"

#include <QByteArray>
#include <QString>

namespace settlement {

// The year's settlement as a spreadsheet file (the program's form of it: csvformat.h). Three
// sections, each under a header row and separated by an empty line:
// - the owner (three name lines, tax number, make, registration) and the year;
// - the twelve months' A, C, B, D and E as the calculation of December works them out, with a
//   row of the year's sums of A, B and E;
// - every invoice of the year (a row of the cost record with any text in it) with its month,
//   date, kind of expense, document number, net amount and VAT, and the year's net and VAT sums.
// The records are only read; the calculation runs on results of its own.
QByteArray EksportujCsv(const storage::Record &owner, const QString &year,
                        const storage::Record &mileage, const storage::Record &costs);

// Writes the bytes as the file's whole content through a temporary file beside it that then
// replaces it, so a failed write leaves no partial file and an existing file as it was. Throws
// storage::FileError.
void ZapiszCsv(const QString &path, const QByteArray &bytes);

} // namespace settlement
