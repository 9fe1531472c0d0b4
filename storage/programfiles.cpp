#include "programfiles.h"

#include "paths.h"

#include <QDir>

namespace storage {

namespace versionfile {
Record defaultRecord()
{
    Record record(kSize);
    record.setText(identifier, kInstalled);
    return record;
}
} // namespace versionfile

namespace historia {
QString path(const QString &root)
{
    return PathIn(root, kName);
}
} // namespace historia

namespace archiverconfig {
Record recordOf(const QString &workingDir)
{
    const QString dir = QDir::toNativeSeparators(workingDir);
    const QString sep = QDir::separator();
    const QString all = QStringLiteral("*.*");
    Record record(kSize);
    record.setText(slot(1), dir + sep);
    const char *const folders[] = {"Add_dok",    "Add_zad", "Admini",   "Dane",
                                   "Komentarze", "Notatki", "Terminarz"};
    int number = 2;
    for (const char *folder : folders)
        record.setText(slot(number++), dir + sep + QLatin1String(folder) + sep + all);
    record.setText(slot(kSlots), dir);
    return record;
}
} // namespace archiverconfig

namespace archiveregister {
QStringList Files()
{
    return {kArchivesSummary, kArchivesList, kRestoresSummary, kRestoresList};
}
} // namespace archiveregister

} // namespace storage
