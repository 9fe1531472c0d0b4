#include "ownerrules.h"

#include "clientrecords.h"

using namespace storage;

namespace settlement {

namespace {

constexpr int kLastDefaultYear = 2012;
constexpr int kFallbackYear = 2000;

QString totalText(const QString &stored)
{
    return (stored.isEmpty() ? QStringLiteral("0.00") : stored) + QStringLiteral(" zł");
}

} // namespace

int DefaultYear(const QDate &today)
{
    const int year = today.year();
    return (year < kFirstYear || year > kLastDefaultYear) ? kFallbackYear : year;
}

bool OwnerComplete(const QString &nazwa1, const QString &nazwa2, const QString &nazwa3,
                   const QString &marka, const QString &rejestracja)
{
    return !nazwa1.isEmpty() && !nazwa2.isEmpty() && !nazwa3.isEmpty() && !marka.isEmpty() &&
           !rejestracja.isEmpty();
}

TotalsDisplay TotalsDisplayOf(const Record &mileage, const Record &costs)
{
    return {totalText(mileage.text(mileage::yearTotal)), totalText(costs.text(cost::netTotal)),
            totalText(costs.text(cost::vatTotal))};
}

} // namespace settlement
