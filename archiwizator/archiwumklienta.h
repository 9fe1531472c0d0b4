#pragma once

#include "archiwum.h"
#include "odtwarzanie.h"
#include "postep.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The archives of single clients: "Usuń z listy" packs a client's files into one under the
// data's Admini folder before it deletes them, and the data-protection add-on lists them apart
// from its own archives and brings a client's files back from them. They are archives of the
// add-on's format ("mirtal-2026-12-10-1530-klient-001.zip"), written and checked the same way,
// with the client's files under the names they have below the data root ("DANE/001.dat").
namespace archiwizator {

struct ArchiwumKlienta {
    QString path;     // the archive
    QString fileName; // its name
    QString root;     // the data root its files belong to: the folder above its Admini
    QString client;   // "001" … "500"
    QDateTime made;   // from its name
    qint64 size = 0;
};

// The client number of an archive of a single client, from its file name; nothing for any
// other name.
std::optional<QString> KlientArchiwum(const QString &fileName);

// The client's files that exist below `root` (the owner record and the per-year files the
// deletion removes), as archive entries.
QList<Zrodlo> PlikiKlienta(const QString &root, const QString &number);

// Packs the client's files into a new archive in root's Admini folder, named after `when`;
// nothing when the client has no files. Throws Failure (Przerwano when `postep` stops it);
// nothing is left behind then.
std::optional<Archiwum> ArchiwizujKlienta(const QString &root, const QString &number,
                                          const QDateTime &when, const Postep &postep = {});

// The archives of single clients in root's Admini and, when the database location record
// selects network mode, in the network path's Admini; the newest first.
QList<ArchiwumKlienta> ArchiwaKlientow(const QString &root);

// SprawdzArchiwum for an archive of a single client: besides, every file it holds must be one of
// that client's files, so that bringing it back can touch nothing else.
PlanOdtworzenia SprawdzArchiwumKlienta(const ArchiwumKlienta &archive);

} // namespace archiwizator
