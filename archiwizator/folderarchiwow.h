#pragma once

#include "record.h"

#include <QString>

// The folder that archives are written to, remembered between runs in Admini\archfolder.dat:
// one short string of capacity 255 (length byte, Windows-1250 text), 256 bytes. It is a file of
// its own, so clearing the archive register keeps the choice.
namespace archiwizator {

namespace folderarchiwow {
constexpr storage::StringField folder{0, 255};
constexpr qsizetype kSize = 256;
} // namespace folderarchiwow

// The remembered folder; empty when none has been chosen yet. Throws storage::FileError.
QString CzytajFolderArchiwow(const QString &workingDir);

// Throws storage::FileError.
void ZapiszFolderArchiwow(const QString &workingDir, const QString &folder);

} // namespace archiwizator
