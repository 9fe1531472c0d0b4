#include "datetext.h"

namespace seams {

QString ShortDate(const QDate &date, const RegionalSettings &regional)
{
    const QString separator = regional.dateSeparator();
    return date.toString(QStringLiteral("dd") + separator + QStringLiteral("MM") + separator +
                         QStringLiteral("yyyy"));
}

QString LongTime(const QTime &time, const RegionalSettings &regional)
{
    return time.toString(regional.longTimeFormat());
}

const QStringList &MonthNames()
{
    static const QStringList names{
        QStringLiteral("Styczeń"),     QStringLiteral("Luty"),     QStringLiteral("Marzec"),
        QStringLiteral("Kwiecień"),    QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
        QStringLiteral("Lipiec"),      QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
        QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień"),
    };
    return names;
}

} // namespace seams
