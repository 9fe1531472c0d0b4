#pragma once

#include "record.h"

#include <QString>
#include <QStringList>

namespace archiwizator {

// The configuration the program writes into its working directory at every start,
// "archiwizator_config.dat": 52 short strings of capacity 200. Slot 1 holds the data root with
// its separator, slots 2 to 8 one mask per data folder (root, separator, folder name,
// separator, "*.*"), slot 52 the root without separator; the other slots are empty. The
// separator is the one of the system that wrote the file, so either kind is accepted.
namespace konfiguracja {
constexpr qsizetype kSlots = 52;
constexpr int kCapacity = 200;
constexpr qsizetype kSize = kSlots * (1 + kCapacity);
constexpr storage::StringField slot(int number)
{
    return {(number - 1) * (1 + kCapacity), kCapacity};
}
} // namespace konfiguracja

struct Konfiguracja {
    // The data root, as a native path without trailing separator.
    QString root;
    // The data folders below the root, as named in the masks ("Add_dok", "Dane", ...).
    QStringList folders;
};

// Reads the configuration from `workingDir`. A missing, short or inconsistent file, or a root
// that does not exist, throws Failure with a message that says what to do.
Konfiguracja CzytajKonfiguracje(const QString &workingDir);

// The same rules applied to the record's bytes; the root need not exist.
Konfiguracja RozbierzKonfiguracje(const storage::Record &record);

} // namespace archiwizator
