#pragma once

#include "seams.h"

#include <QString>

class QWidget;

// Before "Usuń z listy" deletes a client's files, they are packed into a dated archive of the
// data-protection add-on's format under the data's Admini folder, where the add-on lists them
// and can bring them back. Shows the progress of the archiving above `parent`. The archiving is
// done by the client archiving module of `programDir` (the program's folder), loaded here. Returns
// whether the deletion may go on: true when the archive was written and checked (or the client has
// no files); false when it failed or the module cannot be loaded, after the error box, or when the
// user stopped it.
bool ZabezpieczKlienta(QWidget *parent, seams::Seams &seams, const QString &programDir,
                       const QString &baseDir, const QString &number);
