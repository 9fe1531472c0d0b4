#include "registerrules.h"

namespace registerrules {

Buttons ButtonsFor(const QString &line)
{
    const bool free = line.size() <= 3;
    return {free, !free, !free};
}

QString NameOnLine(const QString &line)
{
    return line.size() > 4 ? line.mid(4) : QString();
}

QString LineOf(const QString &number, const QString &name)
{
    return number + QLatin1Char(' ') + name;
}

} // namespace registerrules
