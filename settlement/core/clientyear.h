#pragma once

#include "clientrecords.h"
#include "record.h"

#include <QObject>
#include <QString>

#include <optional>

namespace settlement {

// One opened client's settlement year: the owner record and the year's mileage, cost,
// VAT-setting and numerator records. Every window of that client and year reads and writes
// them only through this object, which writes each change to its file at once and then tells
// the windows showing it (the signals). A window that is left open on another year keeps the
// object of its own year, so years never mix.
//
// The owner record and the mileage and cost records are read once, when the object is made;
// the VAT setting and the numerator are read (and created when missing) when first asked for,
// as the windows that use them did. The document number is re-read from its file in the same
// step that advances it. Every file operation throws storage::FileError; a failed write leaves
// the object as it was.
class ClientYear : public QObject
{
    Q_OBJECT

public:
    // Creates the owner record DANE\<client>.dat when missing (all zero but the identifier, the
    // client number), reads it, names the year files after its identifier, then creates when
    // missing and reads the year's ".prz" and ".eks" files, in that order.
    ClientYear(const QString &workingDir, const QString &client, const QString &year);
    Q_DISABLE_COPY(ClientYear)

    const QString &workingDir() const { return m_workingDir; }
    const QString &client() const { return m_client; }
    const QString &year() const { return m_year; }
    // The identifier of the owner record as read, "_" and the year.
    const QString &stem() const { return m_stem; }
    // A per-year file of this year, such as ".mie".
    QString yearFile(const QString &extension) const;

    const storage::Record &owner() const { return m_owner; }
    const storage::Record &mileage() const { return m_mileage; }
    const storage::Record &costs() const { return m_costs; }

    // Writes DANE\<client>.dat; every other open year of the client takes the record over too.
    void saveOwner(const storage::Record &record);
    void saveMileage(const storage::Record &record);
    // The ".eks" file is overwritten in place: a file removed meanwhile fails with "File not
    // found" rather than being made again.
    void saveCosts(const storage::Record &record);

    // The ".vat" record, created with its default when missing.
    storage::Record vatSetting();
    void saveVatSetting(const storage::Record &record);

    // The ".num" record, created with number 1 and no suffix when missing.
    storage::Record numerator();
    void saveNumerator(const storage::Record &record);

    // After a statement has been printed: re-reads the stored number, stores the next one with
    // `suffix` (cut to 10 characters) and returns the stored number. At the largest number the
    // store keeps it and `atLimit` is set.
    struct Advance {
        qint32 number = 0;
        bool atLimit = false;
    };
    Advance advanceNumber(const QString &suffix);

    // Takes over an owner record that another year of the same client has saved.
    void adoptOwner(const storage::Record &record);

Q_SIGNALS:
    void ownerChanged();
    void mileageChanged();
    void costsChanged();
    // The numerator record as stored now.
    void numeratorChanged(const storage::Record &record);
    // Emitted by saveOwner() alone, for the other open years of the client.
    void ownerSaved(const storage::Record &record);

private:
    QString ownerFile() const;

    QString m_workingDir;
    QString m_client;
    QString m_year;
    QString m_stem;
    storage::Record m_owner{storage::owner::kSize};
    storage::Record m_mileage{storage::mileage::kSize};
    storage::Record m_costs{storage::cost::kSize};
};

} // namespace settlement
