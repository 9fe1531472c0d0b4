#pragma once

#include <QDateTime>
#include <QLatin1String>
#include <QString>

#include <optional>

namespace storage {

// Client locks: a file KOSZ\NNN.k under the base directory, four bytes holding 1, tells every
// copy of the program that the client is open somewhere. Each copy holds at most one lock, the
// one it created last.
//
// Beside each lock lies its holder file KOSZ\NNN.kto, a short text naming the workstation that
// took the lock and when. It is written after the lock is taken and deleted before the lock is
// released, so that a lock left by a workstation that was switched off or crashed says whom to
// ask before an administrator clears it. Only the lock file decides whether a client is busy.

// The folder of the locks under the base directory, and the suffixes of lock and holder files.
constexpr QLatin1String kLockFolder("KOSZ");
constexpr QLatin1String kLockSuffix("k");
constexpr QLatin1String kHolderSuffix("kto");

// The lock folder under `baseDir`.
QString LockFolder(const QString &baseDir);

QString LockPath(const QString &baseDir, const QString &clientNumber);

// The holder file of the lock at `lockPath`.
QString LockHolderPath(const QString &lockPath);

enum class LockOutcome { Taken, Busy };

// Takes the lock at `lockPath` for this copy. The lock this copy already holds is rewritten.
// Another lock is created only if no file of that name exists, in one step, so two copies can
// never both get it; only once the new lock is in place is the previously held one deleted and
// `heldLockPath` moved to the new one. A busy client or a failure leaves the held lock and
// `heldLockPath` as they were. The holder file of a taken lock names `workstation` and `now`;
// failing to write it does not fail the lock. Throws FileError.
LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath,
                           const QString &workstation, const QDateTime &now);
// The same, naming this computer and the present time.
LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath);

// Deletes the held lock's holder file and then the lock file, if any (the results are ignored),
// and forgets it.
void ReleaseHeldLock(QString &heldLockPath);

// Who holds a lock, as its holder file says.
struct LockHolder {
    QString workstation;
    QDateTime since; // local time of the holder's workstation
};

// The holder of the lock at `lockPath`, or nothing when its holder file is missing or unreadable
// (a lock taken by a copy that writes none, or one whose holder file is still being written).
std::optional<LockHolder> ReadLockHolder(const QString &lockPath);

// This computer's name as holder files give it.
QString ThisWorkstation();

} // namespace storage
