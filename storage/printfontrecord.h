#pragma once

#include "record.h"

#include <QLatin1String>
#include <QString>

namespace storage {

// The print font settings: FONT\font_kanto_2007.dat under the working directory.
namespace printfont {
constexpr QLatin1String kFolder("FONT");
constexpr QLatin1String kName("font_kanto_2007.dat"); // in kFolder
constexpr qsizetype kSize = 76;
constexpr qsizetype kColour = 0; // 0x00BBGGRR
constexpr StringField face{4, 60};
constexpr qsizetype kPoints = 68;
constexpr qsizetype kStyle = 72; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
// A print font file's path relative to the working directory.
inline QString relativePath(const QString &fileName = kName)
{
    return QString(kFolder) + QLatin1Char('\\') + fileName;
}
} // namespace printfont

} // namespace storage
