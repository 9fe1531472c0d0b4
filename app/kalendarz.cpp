#include "kalendarz.h"

#include "datetext.h"

#include <QStringList>

namespace kalendarz {

namespace detail {
// Generated at build time from data/imieniny.tsv: [month - 1][day - 1], UTF-8.
extern const char *const kNameDays[12][31];
} // namespace detail

QString NameDays(int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    return QString::fromUtf8(detail::kNameDays[month - 1][day - 1]);
}

int PlatformWeekday(const QDate &date)
{
    if (!date.isValid())
        return 0;
    // Qt counts Monday = 1 … Sunday = 7.
    return date.dayOfWeek() % 7 + 1;
}

QString WeekdayName(int weekday)
{
    static const QStringList names{
        QStringLiteral("niedziela"), QStringLiteral("poniedziałek"), QStringLiteral("wtorek"),
        QStringLiteral("środa"),     QStringLiteral("czwartek"),     QStringLiteral("piątek"),
        QStringLiteral("sobota"),
    };
    if (weekday < 1 || weekday > names.size())
        return {};
    return names.at(weekday - 1);
}

DateBanner BannerFor(const QDate &date, const seams::RegionalSettings &regional)
{
    const int weekday = PlatformWeekday(date);
    DateBanner banner;
    banner.dateLine = seams::ShortDate(date, regional) + QLatin1Char(' ') + WeekdayName(weekday);
    if (weekday == 1)
        banner.colour = QColor(255, 0, 0);
    else if (weekday == 7)
        banner.colour = QColor(0, 0, 255);
    else
        banner.colour = QColor(128, 128, 128);
    banner.nameDays = NameDays(date.month(), date.day());
    return banner;
}

} // namespace kalendarz
