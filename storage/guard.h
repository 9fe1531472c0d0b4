#pragma once

#include "fileerror.h"
#include "seams.h"

#include <utility>

namespace storage {

// Runs one user action; a failed file operation shows the error box and abandons the rest of
// the action. Nothing is rolled back. Returns whether the action ran to its end.
template <typename Action> bool Guarded(Dialogs &dialogs, Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const FileError &error) {
        dialogs.ioError(error);
        return false;
    }
}

} // namespace storage
