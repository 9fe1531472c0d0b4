#include "numeratorrules.h"

#include "clientrecords.h"
#include "fixedpoint.h"

#include <limits>

using namespace storage;

namespace settlement {

qint32 NumeratorNumber(const QString &text)
{
    return ParseInt32(text);
}

Record NumeratorRecord(const QString &number, const QString &suffix)
{
    Record record(numerator::kSize);
    record.setInt32(numerator::kNumber, NumeratorNumber(number));
    record.setText(numerator::suffix, suffix.left(numerator::suffix.capacity));
    return record;
}

std::optional<qint32> NextDocumentNumber(qint32 printed)
{
    if (printed == std::numeric_limits<qint32>::max())
        return std::nullopt;
    return printed + 1;
}

QString NumeratorAtLimitCaption()
{
    return QStringLiteral("Informacja");
}

QString NumeratorAtLimitText()
{
    return QStringLiteral("Numer dokumentu osiągnął największą możliwą wartość (2147483647) i "
                          "nie zostanie zwiększony.");
}

} // namespace settlement
