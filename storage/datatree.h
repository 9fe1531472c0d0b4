#pragma once

#include "printfontrecord.h"
#include "record.h"

#include <QLatin1String>
#include <QString>

namespace storage {

// The print font a fresh installation starts with: black DejaVu Sans, 8 points, plain; a face
// that every Debian desktop has, at the size the font dialog starts from. 76 bytes laid out as
// printfont describes.
Record DefaultPrintFontRecord();

// On a fresh installation, where the working directory holds none of the data directories,
// creates DANE, KOSZ, Admini, FONT, TAPETY and POMOC and writes the default print font into
// FONT. Where any of them exists nothing is created or written: a partly missing tree then fails
// where a file is needed. Throws FileError.
void EnsureDataTree(const QString &workingDir);

} // namespace storage
