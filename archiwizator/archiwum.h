#pragma once

#include "konfiguracja.h"
#include "postep.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace archiwizator {

// One entry of an archive and where its content comes from.
struct Zrodlo {
    QString name; // relative to the root, '/' between components, directories end with '/'
    QString path; // the file or folder on disk
    bool directory = false;
};

// What an archive holds and where it lies.
struct Archiwum {
    QString path;
    QString fileName;
    qint64 size = 0;
    int files = 0;
    QDateTime made; // the time its name was made from
};

// "mirtal-2026-12-10-1530.zip"; a non-empty `suffix` goes before the extension, after a dash.
QString NazwaArchiwum(const QDateTime &when, const QString &suffix = QString());

// Whether a file name is one of the archives (or a half-written one) this program writes.
bool JestArchiwum(const QString &fileName);

// Whether a name relative to the root is one of the add-on's own files: the archive register
// and the remembered folder describe the archives, not the data, and the configuration is the
// program's hand-over for this directory, so they are neither archived nor restored (a restore
// must not forget the archives made since, nor point the add-on at another directory).
bool PlikArchiwizatora(const QString &relativeName);

// The entries of an archive of the data: the root's own files, then each configured folder
// that exists (found without regard to case) with everything below it, in name order. Archives
// lying in `destinationDir` are left out, so that an archive never holds the earlier ones, and
// so are the add-on's own files.
QList<Zrodlo> ZbierzPliki(const Konfiguracja &config, const QString &destinationDir);

// Writes the data into a new ZIP archive in `destinationDir`, named after `when`. The archive
// is written under a temporary name, read back, and every entry's name, size and CRC-32 is
// compared with what was read from the files; only then is it given its name (never replacing
// an existing file: a second archive in the same minute gets "-2" and so on). Throws Failure
// saying what failed; nothing is left in the destination then. `postep` is told of every file
// written and checked; when it answers false the run throws Przerwano and leaves nothing behind.
Archiwum Archiwizuj(const Konfiguracja &config, const QString &destinationDir,
                    const QDateTime &when, const QString &suffix = QString(),
                    const Postep &postep = {});

// Archiwizuj for entries gathered elsewhere; `destinationDir` must exist.
Archiwum ZapiszArchiwum(const QList<Zrodlo> &sources, const QString &destinationDir,
                        const QDateTime &when, const QString &suffix = QString(),
                        const Postep &postep = {});

} // namespace archiwizator
