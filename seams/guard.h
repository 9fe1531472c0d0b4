#pragma once

#include "fileerror.h"
#include "lokalizacja.h"
#include "seams.h"

#include <utility>

namespace seams {

// Runs one user action; a failed file operation shows the error box and abandons the rest of
// the action. Nothing is rolled back. Returns whether the action ran to its end.
template <typename Action> bool Guarded(Dialogs &dialogs, Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const storage::FileError &error) {
        dialogs.ioError(error);
        return false;
    }
}

// Guarded for an action on the database under `baseDir`, which may lie on a network share that
// goes away mid-run: a failure while the share no longer answers names the share (see
// OnDatabase).
template <typename Action>
bool GuardedOnDatabase(Dialogs &dialogs, const QString &baseDir, Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const storage::FileError &error) {
        dialogs.ioError(storage::OnDatabase(error, baseDir));
        return false;
    }
}

} // namespace seams
