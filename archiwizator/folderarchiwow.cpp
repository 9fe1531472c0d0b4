#include "folderarchiwow.h"

#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"

namespace archiwizator {

namespace {

QString fileIn(const QString &workingDir)
{
    return storage::PathIn(workingDir, storage::archivefolder::kName);
}

} // namespace

QString CzytajFolderArchiwow(const QString &workingDir)
{
    const QString path = fileIn(workingDir);
    if (!storage::FileExists(path))
        return {};
    storage::Record record(folderarchiwow::kSize);
    storage::ReadRecord(path, record);
    return record.text(folderarchiwow::folder);
}

void ZapiszFolderArchiwow(const QString &workingDir, const QString &folder)
{
    storage::Record record(folderarchiwow::kSize);
    record.setText(folderarchiwow::folder, folder);
    storage::WriteRecord(fileIn(workingDir), record);
}

} // namespace archiwizator
