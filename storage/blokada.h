#pragma once

#include <QString>

namespace storage {

// Client locks: a file KOSZ\NNN.k under the base directory, four bytes holding 1, tells every
// copy of the program that the client is open somewhere. Each copy holds at most one lock, the
// one it created last.

QString LockPath(const QString &baseDir, const QString &clientNumber);

enum class LockOutcome { Taken, Busy };

// Takes the lock at `lockPath` for this copy. The lock this copy already holds is rewritten.
// Another lock is created only if no file of that name exists, in one step, so two copies can
// never both get it; only once the new lock is in place is the previously held one deleted and
// `heldLockPath` moved to the new one. A busy client or a failure leaves the held lock and
// `heldLockPath` as they were. Throws FileError.
LockOutcome TakeClientLock(const QString &lockPath, QString &heldLockPath);

// Deletes the held lock file, if any (the result is ignored), and forgets it.
void ReleaseHeldLock(QString &heldLockPath);

} // namespace storage
