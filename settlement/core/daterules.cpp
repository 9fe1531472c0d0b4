#include "daterules.h"

#include "datetext.h"

#include <QDate>
#include <QRegularExpression>

namespace settlement {

CostDateCheck CheckCostDate(const QString &text, int month, int year)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return CostDateCheck::Fine;
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2})\\s*[^\\d\\s]\\s*(\\d{1,2})\\s*[^\\d\\s]\\s*(\\d{4})$"));
    const QRegularExpressionMatch match = form.match(trimmed);
    if (!match.hasMatch())
        return CostDateCheck::NotADay;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid())
        return CostDateCheck::NotADay;
    if (date.month() != month || date.year() != year)
        return CostDateCheck::OutsideMonth;
    return CostDateCheck::Fine;
}

QString CostDateReason(const QString &text, int month, int year)
{
    switch (CheckCostDate(text, month, year)) {
    case CostDateCheck::Fine:
        break;
    case CostDateCheck::NotADay:
        return QStringLiteral("Data %1 nie jest prawdziwym dniem.").arg(text.trimmed());
    case CostDateCheck::OutsideMonth: {
        const QString monthName =
            month >= 1 && month <= 12 ? seams::MonthNames().at(month - 1) : QString();
        return QStringLiteral("Data %1 leży poza miesiącem %2 %3.")
            .arg(text.trimmed(), monthName.toLower(), QString::number(year));
    }
    }
    return {};
}

} // namespace settlement
