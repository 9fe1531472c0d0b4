#include "clientyear.h"

#include "fileerror.h"
#include "numeratorrules.h"
#include "recordfile.h"

#include <cerrno>

using namespace storage;

namespace settlement {

ClientYear::ClientYear(const QString &workingDir, const QString &client, const QString &year)
    : m_workingDir(workingDir), m_client(client), m_year(year)
{
    const QString ownerPath = ownerFile();
    if (!FileExists(ownerPath))
        WriteRecord(ownerPath, owner::defaultRecord(m_client.left(owner::id.capacity)));
    ReadRecord(ownerPath, m_owner);
    m_stem = YearStem(m_owner.text(owner::id), m_year);

    CreateIfMissing(yearFile(QStringLiteral(".prz")), mileage::defaultRecord());
    ReadRecord(yearFile(QStringLiteral(".prz")), m_mileage);
    CreateIfMissing(yearFile(QStringLiteral(".eks")), cost::defaultRecord());
    ReadRecord(yearFile(QStringLiteral(".eks")), m_costs);
}

QString ClientYear::ownerFile() const
{
    return OwnerFile(m_workingDir, m_client);
}

QString ClientYear::yearFile(const QString &extension) const
{
    return YearFile(m_workingDir, m_stem, extension);
}

void ClientYear::saveOwner(const Record &record)
{
    WriteRecord(ownerFile(), record);
    m_owner = record;
    Q_EMIT ownerChanged();
    Q_EMIT ownerSaved(record);
}

void ClientYear::adoptOwner(const Record &record)
{
    m_owner = record;
    Q_EMIT ownerChanged();
}

void ClientYear::saveMileage(const Record &record)
{
    WriteRecord(yearFile(QStringLiteral(".prz")), record);
    m_mileage = record;
    Q_EMIT mileageChanged();
}

void ClientYear::saveCosts(const Record &record)
{
    const QString path = yearFile(QStringLiteral(".eks"));
    if (!FileExists(path))
        throw FileError::fromErrno(ENOENT, path);
    WriteRecord(path, record);
    m_costs = record;
    Q_EMIT costsChanged();
}

Record ClientYear::vatSetting()
{
    const QString path = yearFile(QStringLiteral(".vat"));
    CreateIfMissing(path, vatsetting::defaultRecord());
    Record record(vatsetting::kSize);
    ReadRecord(path, record);
    return record;
}

void ClientYear::saveVatSetting(const Record &record)
{
    WriteRecord(yearFile(QStringLiteral(".vat")), record);
}

Record ClientYear::numerator()
{
    const QString path = yearFile(QStringLiteral(".num"));
    CreateIfMissing(path, numerator::defaultRecord());
    Record record(numerator::kSize);
    ReadRecord(path, record);
    return record;
}

void ClientYear::saveNumerator(const Record &record)
{
    WriteRecord(yearFile(QStringLiteral(".num")), record);
    Q_EMIT numeratorChanged(record);
}

ClientYear::Advance ClientYear::advanceNumber(const QString &suffix)
{
    Record next = numerator();
    const std::optional<qint32> following = NextDocumentNumber(next.int32(numerator::kNumber));
    if (following)
        next.setInt32(numerator::kNumber, *following);
    next.setText(numerator::suffix, suffix.left(numerator::suffix.capacity));
    saveNumerator(next);
    return {next.int32(numerator::kNumber), !following.has_value()};
}

} // namespace settlement
