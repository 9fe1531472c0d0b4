#include "blokada.h"

#include "fileerror.h"
#include "paths.h"
#include "record.h"
#include "recordfile.h"

#include <QSysInfo>

namespace storage {

namespace {

Record lockRecord()
{
    Record record(4);
    record.setInt32(0, 1);
    return record;
}

// The holder file: the workstation's name and the time, a line each, in UTF-8.
const QString kHolderTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr qsizetype kMaxHolderSize = 512;

void writeHolder(const QString &lockPath, const QString &workstation, const QDateTime &now)
{
    const QByteArray text =
        workstation.left(200).toUtf8() + '\n' + now.toString(kHolderTimeFormat).toLatin1() + '\n';
    Record record(text.size());
    record.bytes() = text;
    try {
        WriteRecord(LockHolderPath(lockPath), record);
    } catch (const FileError &) {
        // The lock holds without it; a busy message then just names nobody.
    }
}

} // namespace

QString LockFolder(const QString &baseDir)
{
    return PathIn(baseDir, kLockFolder);
}

QString LockPath(const QString &baseDir, const QString &clientNumber)
{
    return PathIn(baseDir,
                  kLockFolder + QLatin1Char('\\') + clientNumber + QLatin1Char('.') + kLockSuffix);
}

QString LockHolderPath(const QString &lockPath)
{
    // NNN.k becomes NNN.kto.
    return lockPath + kHolderSuffix.mid(kLockSuffix.size());
}

QString ThisWorkstation()
{
    return QSysInfo::machineHostName();
}

LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath,
                           const QString &workstation, const QDateTime &now)
{
    if (lockPath == heldLockPath) {
        WriteRecord(lockPath, lockRecord());
        writeHolder(lockPath, workstation, now);
        return LockOutcome::Taken;
    }
    if (!CreateRecordExclusive(lockPath, lockRecord()))
        return LockOutcome::Busy;
    writeHolder(lockPath, workstation, now);
    ReleaseHeldLock(heldLockPath);
    heldLockPath = lockPath;
    return LockOutcome::Taken;
}

LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath)
{
    return TakeClientLock(lockPath, heldLockPath, ThisWorkstation(), QDateTime::currentDateTime());
}

void ReleaseHeldLock(QString &heldLockPath)
{
    if (!heldLockPath.isEmpty()) {
        DeleteFile(LockHolderPath(heldLockPath));
        DeleteFile(heldLockPath);
    }
    heldLockPath.clear();
}

std::optional<LockHolder> ReadLockHolder(const QString &lockPath)
{
    QByteArray text;
    try {
        text = ReadTextFile(LockHolderPath(lockPath));
    } catch (const FileError &) {
        return std::nullopt;
    }
    if (text.size() > kMaxHolderSize)
        return std::nullopt;
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2)
        return std::nullopt;
    LockHolder holder{
        QString::fromUtf8(lines[0]).trimmed(),
        QDateTime::fromString(QString::fromLatin1(lines[1]).trimmed(), kHolderTimeFormat)};
    if (holder.workstation.isEmpty() || !holder.since.isValid())
        return std::nullopt;
    return holder;
}

} // namespace storage
