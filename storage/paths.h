#pragma once

#include <QString>

namespace storage {

// Joins a root directory and a relative fragment such as "\DANE\klienci.dat" or
// "Admini/siec.dat" (either separator) into a native path. On a case-sensitive file system each
// existing component is found by a case-insensitive match, so "ADMINI\data_ar.dat" and
// "Admini\historia.dat" meet in one directory; a component that does not exist keeps the
// spelling of the fragment.
QString PathIn(const QString &root, const QString &fragment);

} // namespace storage
