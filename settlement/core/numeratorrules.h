#pragma once

#include "record.h"

#include <QString>

#include <optional>

namespace settlement {

// The number typed into the numerator: leading blanks, an optional sign, decimal digits; the
// leading digits count, 0 when there are none. A number beyond the 32-bit range is held at its
// limit (2147483647 upwards), so a stored number never wraps round.
qint32 NumeratorNumber(const QString &text);

// The ".num" record saved from the numerator's texts: the number as above, the suffix cut to
// 10 characters, every other byte zero.
storage::Record NumeratorRecord(const QString &number, const QString &suffix);

// The number the store holds after a statement carrying `printed` has been printed: the next
// one, or no value when `printed` is the largest number a record holds (2147483647). The number
// is then kept as it is, and the user is told with NumeratorAtLimitCaption/Text.
std::optional<qint32> NextDocumentNumber(qint32 printed);

QString NumeratorAtLimitCaption();
QString NumeratorAtLimitText();

} // namespace settlement
