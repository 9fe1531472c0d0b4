#include "lokalizacja.h"

#include "paths.h"
#include "recordfile.h"

#include <QFile>

namespace storage {

namespace {

const QString kCaption = QStringLiteral("Informacja");
const QString kRestart = QStringLiteral("Uruchom ponownie program");

// Rewrites the record after a Yes and tells the user to start again; the program ends either
// way, also when the record cannot be written.
void repairAndEnd(Seams &seams, const QString &workingDir, const QString &localPath,
                  const QString &networkPath, bool repair)
{
    if (repair) {
        try {
            WriteLocation(workingDir, lokalizacja::Local, localPath, networkPath);
            seams.dialogs.notice(kCaption, kRestart);
        } catch (const FileError &error) {
            seams.dialogs.ioError(error);
        }
    }
    seams.endProgram(0);
}

} // namespace

namespace lokalizacja {
Record defaultRecord(const QString &workingDir)
{
    Record record(kSize);
    record.setByte(kMode, Local);
    record.setText(localPath, workingDir);
    return record;
}
} // namespace lokalizacja

QString LocationFile(const QString &workingDir)
{
    return PathIn(workingDir, QStringLiteral("Admini\\siec.dat"));
}

DatabaseLocation ReadLocation(const QString &workingDir)
{
    const QString path = LocationFile(workingDir);
    if (!FileExists(path))
        WriteRecord(path, lokalizacja::defaultRecord(workingDir));
    Record record(lokalizacja::kSize);
    ReadRecord(path, record);
    DatabaseLocation location;
    location.mode = record.byte(lokalizacja::kMode) == lokalizacja::Network ? lokalizacja::Network
                                                                            : lokalizacja::Local;
    location.localPath = record.text(lokalizacja::localPath);
    location.networkPath = record.text(lokalizacja::networkPath);
    return location;
}

void WriteLocation(const QString &workingDir, int mode, const QString &localPath,
                   const QString &networkPath)
{
    Record record(lokalizacja::kSize);
    record.setByte(lokalizacja::kMode, static_cast<quint8>(mode));
    record.setText(lokalizacja::localPath, localPath.left(200));
    record.setText(lokalizacja::networkPath, networkPath.left(200));
    WriteRecord(LocationFile(workingDir), record);
}

std::optional<QString> ResolveBaseDirectory(const QString &workingDir, Seams &seams,
                                            bool checkLocation, int *mode)
{
    const DatabaseLocation location = ReadLocation(workingDir);
    if (mode)
        *mode = location.mode;

    if (location.mode == lokalizacja::Network) {
        // The network copy of the record only serves as a probe that the share is there.
        QFile probe(PathIn(location.networkPath, QStringLiteral("\\Admini\\siec.dat")));
        if (!probe.open(QIODevice::ReadOnly)) {
            const bool toLocal = seams.dialogs.question(
                kCaption,
                QStringLiteral("Serwer baz danych nie jest dostępny.\n"
                               "Wlącz serwer lub sprawdź połączenia sieci a następnie ponownie "
                               "uruchom program.\n\n"
                               "Czy anulować połączenie sieciowe i przełączyć się w tryb "
                               "lokalny ?"));
            repairAndEnd(seams, workingDir, location.localPath, location.networkPath, toLocal);
            return std::nullopt;
        }
        return location.networkPath;
    }

    if (checkLocation && workingDir != location.localPath) {
        const bool store = seams.dialogs.question(
            kCaption, QStringLiteral("Bazy danych nie są dostępne.\n"
                                     "Prawdopodobnie została zmieniona lokalizacja programu.\n\n"
                                     "Zmienić automatycznie informację o lokalizacji programu ?."));
        repairAndEnd(seams, workingDir, workingDir, location.networkPath, store);
        return std::nullopt;
    }
    return location.localPath;
}

} // namespace storage
