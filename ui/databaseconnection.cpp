#include "databaseconnection.h"

#include "lokalizacja.h"

namespace ui {

namespace {

const QString kCaption = QStringLiteral("Informacja");

QString QuestionFor(storage::LocationCheck::Status status)
{
    if (status == storage::LocationCheck::Status::NetworkUnavailable)
        return QStringLiteral("Serwer baz danych nie jest dostępny.\n"
                              "Wlącz serwer lub sprawdź połączenia sieci a następnie ponownie "
                              "uruchom program.\n\n"
                              "Czy anulować połączenie sieciowe i przełączyć się w tryb lokalny ?");
    return QStringLiteral("Bazy danych nie są dostępne.\n"
                          "Prawdopodobnie została zmieniona lokalizacja programu.\n\n"
                          "Zmienić automatycznie informację o lokalizacji programu ?.");
}

} // namespace

std::optional<DatabaseConnection> ConnectDatabase(const QString &workingDir, seams::Seams &seams,
                                                  bool checkLocation)
{
    const storage::LocationCheck check = storage::CheckLocation(workingDir, checkLocation);
    if (check.status == storage::LocationCheck::Status::Usable)
        return DatabaseConnection{check.baseDir, check.location.mode};

    if (seams.dialogs.question(kCaption, QuestionFor(check.status))) {
        try {
            storage::RepairLocation(workingDir, check);
            seams.dialogs.notice(kCaption, QStringLiteral("Uruchom ponownie program"));
        } catch (const storage::FileError &error) {
            seams.dialogs.ioError(error);
        }
    }
    seams.endProgram(0);
    return std::nullopt;
}

} // namespace ui
