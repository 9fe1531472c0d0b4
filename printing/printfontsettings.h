#pragma once

#include "printfontrecord.h"
#include "record.h"

#include <QString>

namespace printing {

// The print font: the 76-byte settings record as last read or written, with copies of its face
// and size. All zero (black, no face, size 0, plain) until a settings file has been read.
struct PrintFontSettings {
    static constexpr qsizetype kSize = storage::printfont::kSize;
    static constexpr qsizetype kColour = storage::printfont::kColour;
    static constexpr storage::StringField face = storage::printfont::face;
    static constexpr qsizetype kPoints = storage::printfont::kPoints;
    static constexpr qsizetype kStyle = storage::printfont::kStyle;
    storage::Record record{kSize};
    QString currentFace;
    qint32 currentSize = 0;
};

} // namespace printing
