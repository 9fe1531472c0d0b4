#include "porada.h"

#include "calculationresults.h"
#include "clientrecords.h"
#include "fixedpoint.h"
#include "koszty.h"

#include <algorithm>
#include <cmath>

using namespace storage;

namespace settlement {

namespace {

// The value in grosze exactly as the window shows it (FormatFixed's rounding), so that the
// difference agrees with the two figures on screen.
qint64 grosze(double value)
{
    QString text = FormatFixed(value, 0, 2);
    text.remove(QLatin1Char('.'));
    return text.toLongLong();
}

QString amountText(qint64 grosze)
{
    return FormatFixed(static_cast<double>(grosze) / 100.0, 0, 2) + QStringLiteral(" zł");
}

// The rate text of the month, or of the latest earlier month with a rate above zero; empty
// when no month up to `month` has one.
QString latestRate(const Record &mileage, int month)
{
    for (int i = month; i >= 1; --i) {
        const QString text = mileage.text(mileage::cell(mileage::kRate, i)).trimmed();
        if (ParseFixed(text) > 0.0)
            return text;
    }
    return QString();
}

// Whole kilometres that cover `grosze` at `rate` zł/km. The quotient of two decimal values
// comes out of double arithmetic a few units off in its last place, so a quotient within a
// billionth of a whole number is that whole number: 1211.91 zł at 0.8358 zł/km is 1450 km, where
// the division gives 1450.0000000000002. A rate so small (written from outside) that the count
// leaves the range of whole numbers is held at 10^15 km.
qint64 kilometresFor(qint64 grosze, double rate)
{
    const double quotient = static_cast<double>(grosze) / 100.0 / rate;
    return static_cast<qint64>(std::ceil(std::min(quotient, 1e15) - 1e-9));
}

} // namespace

QString NapiszPorade(const Record &mileage, const Record &costs, int month)
{
    month = std::clamp(month, 1, 12);
    CalculationResults ownResults;
    const MonthFigures figures = WyliczKoszty(mileage, costs, month, ownResults);
    const qint64 difference = grosze(figures.cumulativeCosts) - grosze(figures.cumulativeMileage);

    if (difference < 0)
        return QStringLiteral("Limit przebiegu pozwala zaliczyć jeszcze %1 kosztów.")
            .arg(amountText(-difference));
    if (difference == 0)
        return QString();

    const QString rate = latestRate(mileage, month);
    QString line;
    if (rate.isEmpty()) {
        line = QStringLiteral("Brakuje przebiegu o wartości %1, aby zaliczyć wszystkie koszty.")
                   .arg(amountText(difference));
    } else {
        line = QStringLiteral("Brakuje %1 km (%2 przy stawce %3 zł/km), aby zaliczyć wszystkie "
                              "koszty.")
                   .arg(kilometresFor(difference, ParseFixed(rate)))
                   .arg(amountText(difference), rate);
    }
    if (month == 12)
        line += QStringLiteral(" Bez uzupełnienia przebiegu nadwyżka kosztów przepadnie z końcem "
                               "roku.");
    return line;
}

} // namespace settlement
