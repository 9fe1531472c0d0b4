#pragma once

#include "clientrecords.h"
#include "record.h"

#include <QString>

#include <chrono>

namespace storage {

// The client register, DANE\klienci.dat under the base directory.
QString RegisterPath(const QString &baseDir);

// The register lock, DANE\klienci.blk under the base directory: while it exists, one copy of the
// program is re-reading and rewriting the register, which takes milliseconds.
QString RegisterLockPath(const QString &baseDir);

// How long a change waits for the register lock of another copy before it gives up.
constexpr std::chrono::milliseconds kRegisterLockPatience{5000};

// A register lock this old was left by a copy that ended while holding it, and is taken over.
constexpr std::chrono::seconds kStaleRegisterLockAge{60};

struct RegisterChange {
    enum class Outcome {
        Saved,            // the line was replaced and the register written
        ChangedElsewhere, // the line on disk was not the expected one; nothing was written
    };
    Outcome outcome = Outcome::Saved;
    // The whole register as it now is on disk: as written after Saved, as read otherwise.
    Record record{registerfile::kSize};
};

// Replaces the line of register position `position` (1..500) by `newLine`, provided the line on
// disk is still `expectedLine`, the line the screen showed when the action began. Both are
// compared as they are stored (cut to the line capacity, in Windows-1250), so a longer line on
// screen matches its stored form. Every other byte of the register, the unused ones from 25500
// on included, is written back as read.
//
// The register is re-read and written under the register lock, taken by creating its file in one
// step (create-if-absent) and deleted right after, also when the read or the write fails. A lock
// held by another copy is waited for up to `patience`, then the change fails with
// "File access denied". A missing register is first created with its default record.
// Throws FileError.
RegisterChange ChangeRegisterLine(const QString &baseDir, int position, const QString &expectedLine,
                                  const QString &newLine,
                                  std::chrono::milliseconds patience = kRegisterLockPatience);

} // namespace storage
