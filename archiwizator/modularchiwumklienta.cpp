#include "modularchiwumklienta.h"

#include "archiwumklienta.h"
#include "fileerror.h"

#include <QtGlobal>

using archiwizator::WynikArchiwizacjiKlienta;

extern "C" Q_DECL_EXPORT void mirtal_archiwizuj_klienta(const QString &root, const QString &number,
                                                        const QDateTime &when,
                                                        const archiwizator::Postep &postep,
                                                        WynikArchiwizacjiKlienta &wynik) noexcept
{
    try {
        archiwizator::ArchiwizujKlienta(root, number, when, postep);
        wynik = {WynikArchiwizacjiKlienta::Stan::Zarchiwizowano, {}, 0};
    } catch (const archiwizator::Przerwano &) {
        wynik = {WynikArchiwizacjiKlienta::Stan::Przerwano, {}, 0};
    } catch (const archiwizator::Failure &failure) {
        wynik = {WynikArchiwizacjiKlienta::Stan::Blad, failure.message(), failure.code()};
    } catch (const storage::FileError &error) {
        wynik = {WynikArchiwizacjiKlienta::Stan::Blad, error.text(), error.code()};
    } catch (const std::exception &error) {
        wynik = {WynikArchiwizacjiKlienta::Stan::Blad, QString::fromLocal8Bit(error.what()), 0};
    }
}
