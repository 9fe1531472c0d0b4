#include "textrules.h"

namespace settlement {

QString DecimalCommaFixed(const QString &text, int fromEnd, int minLength)
{
    if (text.size() <= minLength || text.size() < fromEnd)
        return text;
    const qsizetype position = text.size() - fromEnd;
    if (text.at(position) != QLatin1Char(','))
        return text;
    QString fixed = text;
    fixed[position] = QLatin1Char('.');
    return fixed;
}

std::optional<QChar> AmountKey(QChar typed)
{
    if (typed == QLatin1Char(','))
        return QLatin1Char('.');
    if ((typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('.') ||
        typed == QLatin1Char('\b'))
        return typed;
    return std::nullopt;
}

} // namespace settlement
