#pragma once

#include <QString>

namespace storage {

// On a fresh installation, where the working directory holds none of the data directories,
// creates DANE, KOSZ, Admini, FONT, TAPETY and POMOC. Where any of them exists nothing is
// created: a partly missing tree then fails where a file is needed. Throws FileError.
void EnsureDataTree(const QString &workingDir);

} // namespace storage
