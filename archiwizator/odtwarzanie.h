#pragma once

#include "postep.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace archiwizator {

// The relative path an archive entry may be restored to, components joined by '/', or nothing
// when the name could lead out of the root: an absolute name ("/x", "\x", "C:x"), a ".."
// component, an empty name, or a component that the data's file system could read as
// something else (a ':' or a control character).
std::optional<QString> BezpiecznaSciezka(const QString &entryName);

struct PozycjaArchiwum {
    QString name; // as BezpiecznaSciezka gives it
    bool directory = false;
    qint64 size = 0;
};

// An archive that has been read through and may be restored.
struct PlanOdtworzenia {
    QString archive;  // its path
    QString fileName; // its name
    qint64 archiveSize = 0;
    QDateTime made; // from the name it was given, else the file's time
    QList<PozycjaArchiwum> entries;
    int files = 0;
    qint64 bytes = 0;
};

// Reads the whole archive without changing anything: every entry's data is read (which checks
// its CRC-32), every name must pass BezpiecznaSciezka and every entry must be a file or a
// folder. Throws Failure for a damaged archive or a refused entry.
PlanOdtworzenia SprawdzArchiwum(const QString &archivePath);

// The date and contents of the archive for the confirmation question: how many files and
// bytes, and how many files each folder holds.
QString OpisArchiwum(const PlanOdtworzenia &plan, const QString &dateSeparator);

// The client lock files (KOSZ\*.k) present now, in the root's KOSZ and, when the database
// location record selects network mode, in the network path's KOSZ: a workstation may have a
// client open.
QStringList BlokadyKlientow(const QString &root);

// Writes the archive's folders and files into `root`, each file whole through a temporary file
// beside it, replacing the one there; files that the archive does not hold, and the add-on's
// own files (PlikArchiwizatora), are left alone.
// Names meet existing files and folders without regard to case. Returns the number of files
// written. Throws Failure naming the file that could not be written; the files written before
// it stay written. `postep` is told of every file before it is written; when it answers false
// the run throws Przerwano naming the files written whole until then.
int Odtworz(const PlanOdtworzenia &plan, const QString &root, const Postep &postep = {});

} // namespace archiwizator
