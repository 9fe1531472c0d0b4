#include "clientrecords.h"

#include "paths.h"
#include "triplog.h"

namespace storage {

QString ClientNumber(int position)
{
    return QString::number(position + 1).rightJustified(3, QLatin1Char('0'));
}

QString ClientFile(const QString &root, const QString &number, const QString &suffix)
{
    return PathIn(root, QLatin1String("DANE\\") + number + suffix);
}

QString OwnerFile(const QString &root, const QString &number)
{
    return ClientFile(root, number, QStringLiteral(".dat"));
}

QString YearStem(const QString &id, const QString &year)
{
    // The identifier is typed or read from an owner record that may hold anything; a separator
    // in it would put the year files into another folder, even out of the data folder
    // ("..\..\x"), so each separator stands as "_".
    QString name = id;
    name.replace(QLatin1Char('\\'), QLatin1Char('_')).replace(QLatin1Char('/'), QLatin1Char('_'));
    return name + QLatin1Char('_') + year;
}

QString YearFile(const QString &root, const QString &stem, const QString &extension)
{
    return PathIn(root, QLatin1String("DANE\\") + stem + extension);
}

QStringList RemovedClientFiles(const QString &root, const QString &number)
{
    QStringList files{OwnerFile(root, number)};
    for (const QLatin1String extension :
         {QLatin1String(".num"), QLatin1String(".eks"), QLatin1String(".prz"),
          QLatin1String(".mie"), QLatin1String(".vat"), triplog::kExtension}) {
        for (int year = kFirstYear; year <= kLastYear; ++year)
            files << ClientFile(root, number, QLatin1Char('_') + QString::number(year) + extension);
    }
    files << ClientFile(root, number, routes::kExtension);
    return files;
}

namespace owner {
Record defaultRecord(const QString &clientNumber)
{
    Record record(kSize);
    record.setText(id, clientNumber);
    return record;
}

Record recordOf(const Fields &fields)
{
    Record record(kSize);
    record.setText(nazwa1, fields.nazwa1);
    record.setText(nazwa2, fields.nazwa2);
    record.setText(nazwa3, fields.nazwa3);
    record.setText(nip, fields.nip);
    record.setText(rejestracja, fields.rejestracja);
    record.setText(marka, fields.marka);
    record.setText(id, fields.id);
    return record;
}
} // namespace owner

namespace vatsetting {
Record defaultRecord()
{
    Record record(kSize);
    record.setText(otherRate, QStringLiteral("0"));
    record.setByte(kMode, NoVat);
    return record;
}
} // namespace vatsetting

namespace numerator {
Record defaultRecord()
{
    Record record(kSize);
    record.setInt32(kNumber, 1);
    return record;
}
} // namespace numerator

namespace mie {
Record defaultRecord()
{
    Record record(kSize);
    record.setInt32(kReserved1, 0);
    record.setInt32(kReserved2, 100);
    record.setInt32(kReserved3, 100);
    return record;
}
} // namespace mie

namespace registerfile {
Record defaultRecord()
{
    Record record(kSize);
    for (int position = 1; position <= kPositions; ++position)
        record.setText(line(position), ClientNumber(position - 1));
    return record;
}
} // namespace registerfile

} // namespace storage
