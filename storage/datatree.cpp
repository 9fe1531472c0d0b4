#include "datatree.h"

#include "fileerror.h"
#include "paths.h"
#include "printfontrecord.h"
#include "recordfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace storage {

Record DefaultPrintFontRecord()
{
    Record record(printfont::kSize);
    record.setInt32(printfont::kColour, 0);
    record.setText(printfont::face, QStringLiteral("DejaVu Sans"));
    record.setInt32(printfont::kPoints, 8);
    record.setByte(printfont::kStyle, 0);
    return record;
}

void EnsureDataTree(const QString &workingDir)
{
    static const char *const names[] = {"DANE", "KOSZ", "Admini", "FONT", "TAPETY", "POMOC"};
    for (const char *name : names) {
        if (QFileInfo::exists(PathIn(workingDir, QLatin1String(name))))
            return;
    }
    for (const char *name : names) {
        const QString path = PathIn(workingDir, QLatin1String(name));
        if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0)
            throw FileError::fromErrno(errno, path);
    }
    CreateIfMissing(PathIn(workingDir, printfont::relativePath()), DefaultPrintFontRecord());
}

} // namespace storage
