#pragma once

#include <QByteArray>
#include <QString>

namespace storage {

// Windows-1250, the code page of every text inside the data files. A character the code page
// cannot hold becomes "?".
QByteArray ToWindows1250(const QString &text);
QString FromWindows1250(const QByteArray &bytes);

} // namespace storage
