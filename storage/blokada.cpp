#include "blokada.h"

#include "paths.h"
#include "record.h"
#include "recordfile.h"

namespace storage {

namespace {

Record lockRecord()
{
    Record record(4);
    record.setInt32(0, 1);
    return record;
}

} // namespace

QString LockPath(const QString &baseDir, const QString &clientNumber)
{
    return PathIn(baseDir, QLatin1String("\\KOSZ\\") + clientNumber + QLatin1String(".k"));
}

LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath)
{
    if (lockPath == heldLockPath) {
        WriteRecord(lockPath, lockRecord());
        return LockOutcome::Taken;
    }
    if (!CreateRecordExclusive(lockPath, lockRecord()))
        return LockOutcome::Busy;
    if (!heldLockPath.isEmpty())
        DeleteFile(heldLockPath);
    heldLockPath = lockPath;
    return LockOutcome::Taken;
}

void ReleaseHeldLock(QString &heldLockPath)
{
    if (!heldLockPath.isEmpty())
        DeleteFile(heldLockPath);
    heldLockPath.clear();
}

} // namespace storage
