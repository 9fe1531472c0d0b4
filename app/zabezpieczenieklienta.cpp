#include "zabezpieczenieklienta.h"

#include "archiwumklienta.h"
#include "blad.h"
#include "fileerror.h"
#include "postepokno.h"

bool ZabezpieczKlienta(QWidget *parent, seams::Seams &seams, const QString &baseDir,
                       const QString &number)
{
    const QDateTime when = seams.clock.now();
    try {
        archiwizator::WykonajZPostepem(
            parent, QStringLiteral("Archiwizacja klienta %1").arg(number),
            [&](const archiwizator::Postep &postep) {
                archiwizator::ArchiwizujKlienta(baseDir, number, when, postep);
            });
    } catch (const archiwizator::Przerwano &) {
        return false;
    } catch (const archiwizator::Failure &failure) {
        seams.dialogs.ioError(storage::FileError(
            failure.code() != 0 ? failure.code() : storage::FileError::AccessDenied,
            QStringLiteral("Nie udało się zarchiwizować plików klienta %1, więc nic nie zostało "
                           "usunięte.\n%2")
                .arg(number, failure.message())));
        return false;
    }
    return true;
}
