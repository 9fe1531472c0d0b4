#pragma once

#include <QString>

namespace storage {

// Fixed-point text, the form in which amounts, kilometres and rates are stored and shown:
// "." as decimal point whatever the locale, no thousands separator, rounded half away from zero
// (decided on the value's first 18 significant digits), right-aligned with leading blanks to
// `width`; a longer number simply takes more characters.
QString FormatFixed(double value, int width, int decimals);

// As FormatFixed, but a value that is zero or negative gives an empty text (the stored form).
QString FormatStored(double value, int width, int decimals);

// Reads fixed-point text: leading blanks, an optional sign, digits, at most one ".", an optional
// exponent. An empty text is 0. Never fails: malformed text gives the value of its longest valid
// prefix, and 0 when it has none.
double ParseFixed(const QString &text);

// Reads an integer: leading blanks, an optional sign, decimal digits; the leading digits count,
// 0 when there are none; values beyond 32 bits are held at the nearest limit.
qint32 ParseInt32(const QString &text);

} // namespace storage
