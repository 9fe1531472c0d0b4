#pragma once

#include "record.h"

#include <QString>
#include <QStringList>

namespace storage {

// The settlement years the program offers.
constexpr int kFirstYear = 1996;
constexpr int kLastYear = 2016;

// "001" … "500" from a 0-based register position.
QString ClientNumber(int position);

// root + "\DANE\" + number + suffix, where the suffix is ".dat" or "_" + year + extension.
QString ClientFile(const QString &root, const QString &number, const QString &suffix);

// The stem of a client's per-year files: the owner record's identifier, "_" and the year. A path
// separator ('\\' or '/') in the identifier becomes "_", so the files stay in the data folder.
QString YearStem(const QString &id, const QString &year);

// A per-year file of the stem: root + "\DANE\" + stem + extension.
QString YearFile(const QString &root, const QString &stem, const QString &extension);

// The files removed with a deleted client, in the order they are deleted: NNN.dat, then for
// each of ".num", ".eks", ".prz", ".mie", ".vat", ".ewp" (the mileage log) the per-year files
// of every settlement year, then the fixed routes NNN.trs.
QStringList RemovedClientFiles(const QString &root, const QString &number);

// Owner and car of one client: DANE\NNN.dat, the file OwnerFile names.
QString OwnerFile(const QString &root, const QString &number);

namespace owner {
constexpr qsizetype kSize = 237;
constexpr StringField nazwa1{0, 50};
constexpr StringField nazwa2{51, 50};
constexpr StringField nazwa3{102, 50};
constexpr StringField nip{153, 20};
constexpr StringField rejestracja{174, 20};
constexpr StringField marka{195, 20};
constexpr StringField id{216, 20};
// All zero but the identifier, which is the client number.
Record defaultRecord(const QString &clientNumber);
// The texts of the owner window.
struct Fields {
    QString nazwa1;
    QString nazwa2;
    QString nazwa3;
    QString nip;
    QString rejestracja;
    QString marka;
    QString id;
};
// The record of `fields`, each cut at its capacity; the bytes between the fields stay zero.
Record recordOf(const Fields &fields);
} // namespace owner

// Monthly kilometres, rates and amounts of one year: stem + ".prz".
namespace mileage {
constexpr qsizetype kSize = 413;
constexpr int kKilometres = 1;
constexpr int kRate = 2;
constexpr int kAmount = 3;
constexpr int kCellWidth = 9; // width of the stored fixed-point text
constexpr int kTotalWidth = 10;
// column 1..3, month 1..12
constexpr StringField cell(int column, int month)
{
    return {(column - 1) * 132 + (month - 1) * 11, 10};
}
constexpr StringField yearTotal{396, 15};
constexpr qsizetype kAutomaticFlag = 412;
inline Record defaultRecord()
{
    return Record(kSize);
}
} // namespace mileage

// The invoices of one year, 20 rows a month: stem + ".eks".
namespace cost {
constexpr qsizetype kSize = 73232;
constexpr int kDate = 0;
constexpr int kKind = 1;
constexpr int kDocument = 2;
constexpr int kNet = 3;
constexpr int kVat = 4;
constexpr int kRows = 20;
constexpr int kAmountWidth = 8;
constexpr int kTotalWidth = 10;
// month 1..12, column 0..4, row 1..20
constexpr StringField entry(int month, int column, int row)
{
    return {(month - 1) * 6100 + column * 1220 + (row - 1) * 61, 60};
}
constexpr StringField netTotal{73200, 15};
constexpr StringField vatTotal{73216, 15};
inline Record defaultRecord()
{
    return Record(kSize);
}
} // namespace cost

// The VAT mode of the cost register: stem + ".vat".
namespace vatsetting {
constexpr qsizetype kSize = 5;
constexpr StringField otherRate{0, 3};
constexpr qsizetype kMode = 4;
enum Mode : quint8 { NoVat = 1, Vat22 = 2, Vat7 = 3, OtherVat = 4 };
// Other rate "0", mode "Nie licz".
Record defaultRecord();
} // namespace vatsetting

// The number and suffix of the next statement: stem + ".num".
namespace numerator {
constexpr qsizetype kSize = 15;
constexpr qsizetype kNumber = 0;
constexpr StringField suffix{4, 10};
// Number 1, empty suffix.
Record defaultRecord();
} // namespace numerator

// The print panel's memory of one client and year, the place name: stem + ".mie".
namespace mie {
constexpr qsizetype kSize = 63;
constexpr StringField miejscowosc{0, 50};
// Three reserved numbers, read with the record and used for nothing.
constexpr qsizetype kReserved1 = 51;
constexpr qsizetype kReserved2 = 55;
constexpr qsizetype kReserved3 = 59;
// Empty place name, reserved numbers 0, 100, 100.
Record defaultRecord();
} // namespace mie

// The client register: DANE\klienci.dat under the base directory.
namespace registerfile {
constexpr qsizetype kSize = 36000;
constexpr int kPositions = 500;
constexpr int kLineCapacity = 50;
// position 1..500
constexpr StringField line(int position)
{
    return {(position - 1) * 51, kLineCapacity};
}
// Bytes 25500 to 35999 are not used by this program; they are written back as read.
constexpr qsizetype kUnusedOffset = 25500;
// Every line holds its client number alone.
Record defaultRecord();
} // namespace registerfile

} // namespace storage
