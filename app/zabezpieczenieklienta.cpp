#include "zabezpieczenieklienta.h"

#include "fileerror.h"
#include "modularchiwumklienta.h"
#include "postepokno.h"

#include <QDir>
#include <QLibrary>

using archiwizator::WynikArchiwizacjiKlienta;

bool ZabezpieczKlienta(QWidget *parent, seams::Seams &seams, const QString &programDir,
                       const QString &baseDir, const QString &number)
{
    const QString failed =
        QStringLiteral("Nie udało się zarchiwizować plików klienta %1, więc nic nie zostało "
                       "usunięte.\n%2");
    // The module stays loaded once loaded: the next deletion finds it ready.
    QLibrary module(QDir(programDir)
                        .filePath(archiwizator::kFolderModulow + QLatin1Char('/') +
                                  archiwizator::kModulArchiwumKlienta));
    const auto archiwizuj = reinterpret_cast<archiwizator::ArchiwizujKlientaFn>(
        module.resolve(archiwizator::kFunkcjaArchiwumKlienta));
    if (!archiwizuj) {
        seams.dialogs.ioError(storage::FileError(
            storage::FileError::FileNotFound,
            failed.arg(number, QStringLiteral("Nie można wczytać modułu archiwizacji %1 (%2).")
                                   .arg(QDir::toNativeSeparators(module.fileName()),
                                        module.errorString()))));
        return false;
    }

    const QDateTime when = seams.clock.now();
    WynikArchiwizacjiKlienta wynik;
    archiwizator::WykonajZPostepem(parent, QStringLiteral("Archiwizacja klienta %1").arg(number),
                                   [&](const archiwizator::Postep &postep) {
                                       archiwizuj(baseDir, number, when, postep, wynik);
                                   });
    switch (wynik.stan) {
    case WynikArchiwizacjiKlienta::Stan::Zarchiwizowano:
        return true;
    case WynikArchiwizacjiKlienta::Stan::Przerwano:
        return false;
    case WynikArchiwizacjiKlienta::Stan::Blad:
        break;
    }
    seams.dialogs.ioError(
        storage::FileError(wynik.code != 0 ? wynik.code : storage::FileError::AccessDenied,
                           failed.arg(number, wynik.message)));
    return false;
}
