#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringList>

// The program's spreadsheet files, in the form Polish spreadsheets open without an import
// dialog: UTF-8 with a byte-order mark, ";" between fields, a decimal comma and no thousands
// separator, CR LF after every line, a text field in quotes (its quotes doubled) when it holds
// ";", a quote or a line break. The settlement's export and the mileage log's export both write
// it through these.
namespace settlement::csv {

constexpr QLatin1String kLineEnd("\r\n");

// A text field; quoted, with its quotes doubled, only where a spreadsheet would otherwise split
// it or end it early.
QString Field(const QString &text);

// A number with `decimals` decimals and a decimal comma.
QString Number(double value, int decimals);

// A number as stored in a record or a grid cell: a blank text stays an empty field, any other is
// its value with `decimals` decimals and a decimal comma.
QString StoredNumber(const QString &text, int decimals);

// Adds one line of `fields` to `out`.
void AddLine(QString &out, const QStringList &fields);

// The file's bytes of `text`: the byte-order mark and the text in UTF-8.
QByteArray FileBytes(const QString &text);

} // namespace settlement::csv
