#pragma once

#include "postep.h"

#include <QDateTime>
#include <QLatin1String>
#include <QString>

// The archiving of a client's files before "Usuń z listy" deletes them, as a module of its own
// (moduly/libmirtal-archiwumklienta.so in the program's folder), which the program loads when it
// deletes a client: so the archive library it needs is not loaded at every start. The module and
// the program are built together from the same sources; only this entry point is looked up.
namespace archiwizator {

struct WynikArchiwizacjiKlienta {
    enum class Stan { Zarchiwizowano, Przerwano, Blad };
    Stan stan = Stan::Blad;
    QString message; // Blad: the whole message, as Failure holds it
    int code = 0;    // Blad: storage::FileError's code, 0 when there is none
};

// ArchiwizujKlienta, with what it throws turned into `wynik`: no exception leaves the module.
using ArchiwizujKlientaFn = void (*)(const QString &root, const QString &number,
                                     const QDateTime &when, const Postep &postep,
                                     WynikArchiwizacjiKlienta &wynik);

// The module's folder in the program's folder, its name for QLibrary (which adds "lib" and ".so")
// and its entry point.
constexpr QLatin1String kFolderModulow("moduly");
constexpr QLatin1String kModulArchiwumKlienta("mirtal-archiwumklienta");
constexpr char kFunkcjaArchiwumKlienta[] = "mirtal_archiwizuj_klienta";

} // namespace archiwizator
