#include "konfiguracja.h"

#include "blad.h"
#include "fileerror.h"
#include "lokalizacja.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"

#include <QDir>
#include <QFileInfo>

namespace archiwizator {

namespace {

namespace konfiguracja = storage::archiverconfig;

const QString kConfigName = konfiguracja::kName;

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

Failure invalid(const QString &why)
{
    return Failure(QStringLiteral("Plik konfiguracji %1 jest nieprawidłowy: %2.\n"
                                  "Uruchom ponownie program Mirtal, aby zapisał go od nowa.")
                       .arg(kConfigName, why));
}

} // namespace

Konfiguracja RozbierzKonfiguracje(const storage::Record &record)
{
    const QString withSeparator = record.text(konfiguracja::slot(1));
    const QString root = record.text(konfiguracja::slot(konfiguracja::kSlots));
    if (root.isEmpty())
        throw invalid(QStringLiteral("nie wskazuje katalogu danych"));
    if (withSeparator.size() != root.size() + 1 || !isSeparator(withSeparator.back()) ||
        withSeparator.left(root.size()).compare(root, Qt::CaseInsensitive) != 0)
        throw invalid(QStringLiteral("katalog danych zapisano na dwa różne sposoby"));

    Konfiguracja config;
    config.root = QDir::toNativeSeparators(root);
    const QString wildcard = QStringLiteral("*.*");
    for (int number = 2; number < konfiguracja::kSlots; ++number) {
        const QString mask = record.text(konfiguracja::slot(number));
        if (mask.isEmpty())
            continue;
        // root, separator, folder, separator, "*.*"; names are compared without regard to case.
        const qsizetype folderStart = withSeparator.size();
        const bool shaped = mask.size() > folderStart + 1 + wildcard.size() &&
                            mask.startsWith(withSeparator.left(root.size()), Qt::CaseInsensitive) &&
                            isSeparator(mask[root.size()]) && mask.endsWith(wildcard) &&
                            isSeparator(mask[mask.size() - wildcard.size() - 1]);
        if (!shaped)
            throw invalid(QStringLiteral("pozycja %1 nie jest maską folderu danych").arg(number));
        const QString folder =
            mask.mid(folderStart, mask.size() - folderStart - wildcard.size() - 1);
        const QStringList parts =
            folder.split(QLatin1Char('\\')).join(QLatin1Char('/')).split(QLatin1Char('/'));
        for (const QString &part : parts) {
            if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
                throw invalid(
                    QStringLiteral("pozycja %1 wskazuje folder spoza katalogu danych").arg(number));
        }
        config.folders.append(parts.join(QLatin1Char('/')));
    }
    return config;
}

Konfiguracja CzytajKonfiguracje(const QString &workingDir)
{
    const QString path = storage::PathIn(workingDir, kConfigName);
    const QFileInfo info(path);
    if (!info.isFile())
        throw Failure(QStringLiteral("Brak pliku konfiguracji %1 w katalogu %2.\n"
                                     "Uruchom najpierw program Mirtal: zapisuje ten plik przy "
                                     "każdym starcie.")
                          .arg(kConfigName, QDir::toNativeSeparators(workingDir)));
    storage::Record record(konfiguracja::kSize);
    try {
        storage::ReadRecord(path, record);
    } catch (const storage::FileError &error) {
        if (error.code() == storage::FileError::ReadBeyondEnd)
            throw Failure(QStringLiteral("Plik konfiguracji %1 jest niepełny (%2 z %3 bajtów).\n"
                                         "Uruchom ponownie program Mirtal, aby zapisał go od "
                                         "nowa.")
                              .arg(kConfigName)
                              .arg(info.size())
                              .arg(konfiguracja::kSize));
        throw Failure(QStringLiteral("Nie można odczytać pliku konfiguracji %1: %2")
                          .arg(kConfigName, error.text()));
    }
    Konfiguracja config = RozbierzKonfiguracje(record);
    if (!QFileInfo(config.root).isDir())
        throw Failure(QStringLiteral("Katalog danych %1, wskazany w pliku %2, nie istnieje.")
                          .arg(config.root, kConfigName));
    return config;
}

QString FolderSieciowy(const QString &root)
{
    if (!storage::FileExists(storage::LocationFile(root)))
        return {};
    try {
        const storage::DatabaseLocation location = storage::ReadLocation(root);
        return location.mode == storage::lokalizacja::Network ? location.networkPath : QString();
    } catch (const storage::FileError &) {
        // An unreadable location record names no network folder; the root alone is used.
        return {};
    }
}

} // namespace archiwizator
