#pragma once

#include "clientyear.h"
#include "fuzzinput.h"
#include "guard.h"

#include <memory>

namespace fuzz {

// The year the settlement window hands a working window: client 001's 2007, read from the
// working directory as the settlement window reads it. None when a year file cannot be read; the
// error box has then been shown, and the settlement window would open nothing.
inline std::shared_ptr<settlement::ClientYear> OpenYear(seams::Dialogs &dialogs)
{
    std::shared_ptr<settlement::ClientYear> year;
    seams::Guarded(dialogs, [&] {
        year = std::make_shared<settlement::ClientYear>(WorkingDir(), QStringLiteral("001"),
                                                        QStringLiteral("2007"));
    });
    return year;
}

} // namespace fuzz
