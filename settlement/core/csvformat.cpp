#include "csvformat.h"

#include "fixedpoint.h"

namespace settlement::csv {

QString Field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Number(double value, int decimals)
{
    return storage::FormatFixed(value, 0, decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString StoredNumber(const QString &text, int decimals)
{
    return text.trimmed().isEmpty() ? QString() : Number(storage::ParseFixed(text), decimals);
}

void AddLine(QString &out, const QStringList &fields)
{
    out += fields.join(QLatin1Char(';')) + kLineEnd;
}

QByteArray FileBytes(const QString &text)
{
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace settlement::csv
