#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace settlement {

// A comma standing `fromEnd` characters from the end of a text longer than `minLength` becomes
// "."; other texts come back unchanged. The registers take a comma followed by exactly two
// (kilometres, net amounts) or four (rates) digits as the decimal point.
QString DecimalCommaFixed(const QString &text, int fromEnd, int minLength);

// The key filter of the numeric grid columns: a comma is typed as "."; the digits, "." and
// Backspace pass; every other character is dropped (no value).
std::optional<QChar> AmountKey(QChar typed);

} // namespace settlement
