#include "clientrecords.h"
#include "datatree.h"
#include "paths.h"
#include "programfiles.h"
#include "record.h"
#include "testfiles.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

Q_DECLARE_METATYPE(storage::StringField)

namespace {

// Offsets of the cost record written out from its layout, apart from the code: per month 5
// columns of 20 short strings of capacity 60 (61 bytes each); month 1..12, column 0..4, row 1..20.
constexpr qsizetype costEntryOffset(int month, int column, int row)
{
    return (month - 1) * 6100 + column * 1220 + (row - 1) * 61;
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clientNumber_data();
    void clientNumber();
    void fieldOffsets_data();
    void fieldOffsets();
    void shortStringIsCutAtCapacity_data();
    void shortStringIsCutAtCapacity();
    void polishLettersRoundTripInWindows1250();
    void lengthByteBeyondCapacityIsClamped_data();
    void lengthByteBeyondCapacityIsClamped();
    void lastFieldIsReadInsideTheRecord();
    void int32IsLittleEndian();
    void defaultRecords();
    void ownerRecordOfTheWindowsFields_data();
    void ownerRecordOfTheWindowsFields();
    void yearFileNamesFollowTheIdentifier();
    void yearFilesStayInTheDataFolder_data();
    void yearFilesStayInTheDataFolder();
    void pathsMatchExistingNamesWithoutRegardToCase();
    void removedClientFilesCoverEverySettlementYear();
    void dataTreeIsCreatedOnlyOnAFreshInstallation();
};

void TestRecords::clientNumber_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("number");
    QTest::newRow("first") << 0 << "001";
    QTest::newRow("two digits") << 9 << "010";
    QTest::newRow("three digits") << 99 << "100";
    QTest::newRow("last") << 499 << "500";
}

void TestRecords::clientNumber()
{
    QFETCH(int, position);
    QFETCH(QString, number);
    QCOMPARE(ClientNumber(position), number);
}

void TestRecords::fieldOffsets_data()
{
    QTest::addColumn<StringField>("field");
    QTest::addColumn<qsizetype>("expectedOffset");
    QTest::addColumn<int>("expectedCapacity");

    QTest::newRow("owner nazwa1") << owner::nazwa1 << qsizetype(0) << 50;
    QTest::newRow("owner nazwa3") << owner::nazwa3 << qsizetype(102) << 50;
    QTest::newRow("owner nip") << owner::nip << qsizetype(153) << 20;
    QTest::newRow("owner registration before make") << owner::rejestracja << qsizetype(174) << 20;
    QTest::newRow("owner make") << owner::marka << qsizetype(195) << 20;
    QTest::newRow("owner id") << owner::id << qsizetype(216) << 20;
    QTest::newRow("mileage kilometres of January") << mileage::cell(1, 1) << qsizetype(0) << 10;
    QTest::newRow("mileage rate of March") << mileage::cell(2, 3) << qsizetype(154) << 10;
    QTest::newRow("mileage amount of December") << mileage::cell(3, 12) << qsizetype(385) << 10;
    QTest::newRow("mileage year total") << mileage::yearTotal << qsizetype(396) << 15;
    QTest::newRow("cost January date row 1")
        << cost::entry(1, 0, 1) << costEntryOffset(1, 0, 1) << 60;
    QTest::newRow("cost March net row 2") << cost::entry(3, 3, 2) << costEntryOffset(3, 3, 2) << 60;
    QTest::newRow("cost last entry") << cost::entry(12, 4, 20) << costEntryOffset(12, 4, 20) << 60;
    QTest::newRow("cost net total right after the last entry")
        << cost::netTotal << costEntryOffset(12, 4, 20) + 61 << 15;
    QTest::newRow("cost VAT total") << cost::vatTotal << qsizetype(73216) << 15;
    QTest::newRow("VAT other rate") << vatsetting::otherRate << qsizetype(0) << 3;
    QTest::newRow("numerator suffix") << numerator::suffix << qsizetype(4) << 10;
    QTest::newRow("register line 1") << registerfile::line(1) << qsizetype(0) << 50;
    QTest::newRow("register line 500") << registerfile::line(500) << qsizetype(499 * 51) << 50;
}

void TestRecords::fieldOffsets()
{
    QFETCH(StringField, field);
    QFETCH(qsizetype, expectedOffset);
    QFETCH(int, expectedCapacity);
    QCOMPARE(field.offset, expectedOffset);
    QCOMPARE(field.capacity, expectedCapacity);
}

void TestRecords::shortStringIsCutAtCapacity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    const QString sixty = QString(QLatin1Char('x')).repeated(55) + QStringLiteral("ABCDE");
    QTest::newRow("60 characters into 50") << sixty << sixty.left(50);
    QTest::newRow("exactly 50") << sixty.left(50) << sixty.left(50);
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("Polish letters count one each")
        << QStringLiteral("Zażółć gęślą jaźń ").repeated(3)
        << QStringLiteral("Zażółć gęślą jaźń ").repeated(3).left(50);
}

void TestRecords::shortStringIsCutAtCapacity()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    Record record(owner::kSize);
    record.bytes().fill('\x55');
    record.setText(owner::nazwa2, text);
    QCOMPARE(record.text(owner::nazwa2), stored);
    QCOMPARE(record.bytes().mid(51, 51), testfiles::shortString(stored, 50));
    // The neighbours are untouched.
    QCOMPARE(record.bytes().at(50), '\x55');
    QCOMPARE(record.bytes().at(102), '\x55');
}

void TestRecords::polishLettersRoundTripInWindows1250()
{
    const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    const QByteArray expected(
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    QCOMPARE(ToWindows1250(letters), expected);
    QCOMPARE(FromWindows1250(expected), letters);

    Record record(registerfile::kSize);
    record.setText(registerfile::line(2), QStringLiteral("002 Łódź €"));
    QCOMPARE(record.bytes().mid(51, 12), QByteArray("\x0A"
                                                    "002 \xA3\xF3\x64\x9F \x80\x00",
                                                    12));
    // A character outside the code page is stored as "?".
    record.setText(registerfile::line(3), QStringLiteral("Ж"));
    QCOMPARE(record.bytes().mid(102, 3), QByteArray("\x01?\x00", 3));
}

void TestRecords::lengthByteBeyondCapacityIsClamped_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("stored"); // the 4 bytes of a short string of capacity 4
    QTest::addColumn<QString>("text");
    const QByteArray abcd("abcd");
    QTest::newRow("empty") << 0 << abcd << QString();
    QTest::newRow("shorter than capacity") << 2 << abcd << QStringLiteral("ab");
    QTest::newRow("exactly capacity") << 4 << abcd << QStringLiteral("abcd");
    QTest::newRow("one beyond") << 5 << abcd << QStringLiteral("abcd");
    QTest::newRow("255") << 255 << abcd << QStringLiteral("abcd");
    QTest::newRow("255, Windows-1250 letters")
        << 255 << QByteArray("\xB9\x9C\xBF\xA3") << QStringLiteral("ąśżŁ");
    QTest::newRow("255, zero bytes inside")
        << 255 << QByteArray("a\0\0b", 4) << QStringLiteral("a\u0000\u0000b");
}

void TestRecords::lengthByteBeyondCapacityIsClamped()
{
    QFETCH(int, length);
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    // The field lies between other bytes, so that a read past its capacity would show.
    const StringField shortString{2, 4};
    Record record(10);
    record.bytes() = QByteArray("--") + char(length) + stored + QByteArray("XYZ");
    QCOMPARE(record.text(shortString), text);
}

void TestRecords::lastFieldIsReadInsideTheRecord()
{
    // A read past this field's capacity would leave the record.
    Record costs = cost::defaultRecord();
    costs.bytes().replace(cost::vatTotal.offset, cost::vatTotal.size(),
                          char(255) + QByteArray("123456789012345"));
    QCOMPARE(costs.text(cost::vatTotal), QStringLiteral("123456789012345"));
}

void TestRecords::int32IsLittleEndian()
{
    Record record(numerator::kSize);
    record.setInt32(numerator::kNumber, 0x01020304);
    QCOMPARE(record.bytes().left(4), QByteArray("\x04\x03\x02\x01", 4));
    record.setInt32(numerator::kNumber, -2);
    QCOMPARE(record.bytes().left(4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    QCOMPARE(record.int32(numerator::kNumber), -2);
}

void TestRecords::defaultRecords()
{
    QByteArray ownerBytes(237, '\0');
    ownerBytes.replace(216, 4,
                       QByteArray("\x03"
                                  "007",
                                  4));
    QCOMPARE(owner::defaultRecord(QStringLiteral("007")).bytes(), ownerBytes);

    QCOMPARE(mileage::defaultRecord().bytes(), QByteArray(413, '\0'));
    QCOMPARE(cost::defaultRecord().bytes(), QByteArray(73232, '\0'));
    QCOMPARE(vatsetting::defaultRecord().bytes(), QByteArray("\x01"
                                                             "0\x00\x00\x01",
                                                             5));
    QCOMPARE(numerator::defaultRecord().bytes(),
             QByteArray("\x01\x00\x00\x00", 4) + QByteArray(11, '\0'));

    const QByteArray reg = registerfile::defaultRecord().bytes();
    QCOMPARE(reg.size(), 36000);
    QCOMPARE(reg.mid(0, 51), testfiles::shortString(QStringLiteral("001"), 50));
    QCOMPARE(reg.mid(11 * 51, 51), testfiles::shortString(QStringLiteral("012"), 50));
    QCOMPARE(reg.mid(499 * 51, 51), testfiles::shortString(QStringLiteral("500"), 50));
    QCOMPARE(reg.mid(25500), QByteArray(10500, '\0'));

    QCOMPARE(mie::defaultRecord().bytes(),
             QByteArray(55, '\0') + QByteArray("\x64\x00\x00\x00\x64\x00\x00\x00", 8));
    QCOMPARE(versionfile::defaultRecord().bytes(), QByteArray("\x05"
                                                              "24502\0\0\0\0\0",
                                                              11));
}

void TestRecords::ownerRecordOfTheWindowsFields_data()
{
    QTest::addColumn<QStringList>("fields"); // nazwa1, nazwa2, nazwa3, nip, rejestracja, marka, id
    QTest::addColumn<QByteArray>("expected");

    auto at = [](QByteArray bytes, qsizetype offset, const QByteArray &text) {
        return bytes.replace(offset, text.size(), text);
    };
    const QByteArray empty(237, '\0');
    QTest::newRow("all empty") << QStringList(7) << empty;

    // Offsets and capacities written out from the layout, apart from the code.
    auto field = [&](QByteArray bytes, qsizetype offset, const char *text, int capacity) {
        return at(bytes, offset, testfiles::shortString(QLatin1String(text), capacity));
    };
    QByteArray all = field(empty, 0, "Firma Sp.", 50);
    all = field(all, 51, "ul. A", 50);
    all = field(all, 102, "00-001 Gdzie", 50);
    all = field(all, 153, "123-456-78-90", 20);
    all = field(all, 174, "WA 12345", 20);
    all = field(all, 195, "Opel", 20);
    all = field(all, 216, "007", 20);
    QTest::newRow("each field at its place, registration before make")
        << QStringList{QStringLiteral("Firma Sp."),    QStringLiteral("ul. A"),
                       QStringLiteral("00-001 Gdzie"), QStringLiteral("123-456-78-90"),
                       QStringLiteral("WA 12345"),     QStringLiteral("Opel"),
                       QStringLiteral("007")}
        << all;

    QByteArray cut = at(empty, 0, QByteArray(1, '\x32') + QByteArray(50, 'x'));
    cut = at(cut, 174, QByteArray(1, '\x14') + QByteArray(20, 'r'));
    cut = at(cut, 216, QByteArray(1, '\x14') + QByteArray(20, '9'));
    QTest::newRow("cut at capacity, the next field untouched")
        << QStringList{QString(51, QLatin1Char('x')), {}, {}, {}, QString(25, QLatin1Char('r')), {},
                       QString(21, QLatin1Char('9'))}
        << cut;

    QTest::newRow("Polish letters one byte each")
        << QStringList{QStringLiteral("Łódź"), {}, {}, {}, {}, {}, QStringLiteral("1")}
        << at(at(empty, 0, "\x04\xa3\xf3\x64\x9f"), 216,
              "\x01"
              "1");
}

void TestRecords::ownerRecordOfTheWindowsFields()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, expected);
    const Record record = owner::recordOf(
        {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
    QCOMPARE(record.bytes(), expected);
}

void TestRecords::yearFileNamesFollowTheIdentifier()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    QCOMPARE(YearStem(QStringLiteral("007"), QStringLiteral("2007")), QStringLiteral("007_2007"));
    QCOMPARE(YearFile(root, YearStem(QStringLiteral("007"), QStringLiteral("2007")),
                      QStringLiteral(".prz")),
             QDir::toNativeSeparators(root + QStringLiteral("/DANE/007_2007.prz")));
    QCOMPARE(YearFile(root, YearStem(QStringLiteral("X1"), QStringLiteral("2007")),
                      QStringLiteral(".eks")),
             QDir::toNativeSeparators(root + QStringLiteral("/DANE/X1_2007.eks")));
    QCOMPARE(ClientFile(root, QStringLiteral("005"), QStringLiteral(".dat")),
             QDir::toNativeSeparators(root + QStringLiteral("/DANE/005.dat")));
}

void TestRecords::yearFilesStayInTheDataFolder_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("file");
    QTest::newRow("parent folders")
        << QStringLiteral("..\\..\\x") << QStringLiteral(".._.._x_2007.prz");
    QTest::newRow("slashes") << QStringLiteral("../../x") << QStringLiteral(".._.._x_2007.prz");
    QTest::newRow("absolute") << QStringLiteral("/tmp/x") << QStringLiteral("_tmp_x_2007.prz");
    QTest::newRow("document number")
        << QStringLiteral("12/2007") << QStringLiteral("12_2007_2007.prz");
    QTest::newRow("dots alone") << QStringLiteral("..") << QStringLiteral(".._2007.prz");
}

// An identifier read from a hostile owner record must not take the year files, which the
// settlement window creates, out of the data folder.
void TestRecords::yearFilesStayInTheDataFolder()
{
    QFETCH(QString, id);
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path =
        YearFile(dir.path(), YearStem(id, QStringLiteral("2007")), QStringLiteral(".prz"));
    QCOMPARE(QDir::cleanPath(QDir::fromNativeSeparators(path)),
             QDir::cleanPath(dir.path() + QStringLiteral("/DANE/") + file));
}

void TestRecords::pathsMatchExistingNamesWithoutRegardToCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    QVERIFY(QDir(root).mkpath(QStringLiteral("Admini")));
    QVERIFY(QDir(root).mkpath(QStringLiteral("Dane")));
    QVERIFY(testfiles::writeBytes(root + QStringLiteral("/Dane/KLIENCI.DAT"), "x"));

    QCOMPARE(PathIn(root, QStringLiteral("ADMINI\\data_ar.dat")),
             root + QStringLiteral("/Admini/data_ar.dat"));
    QCOMPARE(PathIn(root, QStringLiteral("Admini\\historia.dat")),
             root + QStringLiteral("/Admini/historia.dat"));
    QCOMPARE(PathIn(root, QStringLiteral("\\DANE\\klienci.dat")),
             root + QStringLiteral("/Dane/KLIENCI.DAT"));
    QCOMPARE(PathIn(root + QStringLiteral("/"), QStringLiteral("/admini/")),
             root + QStringLiteral("/Admini"));
    // A missing directory keeps the spelling of the text, and so does everything below it.
    QCOMPARE(PathIn(root, QStringLiteral("KOSZ\\005.k")), root + QStringLiteral("/KOSZ/005.k"));
    // An empty root stands for the root of the file system.
    QCOMPARE(PathIn(QString(), QStringLiteral("\\Admini\\siec.dat")),
             QStringLiteral("/Admini/siec.dat"));
}

void TestRecords::removedClientFilesCoverEverySettlementYear()
{
    const QStringList files = RemovedClientFiles(QStringLiteral("/base"), QStringLiteral("012"));
    QCOMPARE(files.size(), 1 + 6 * 21 + 1);
    QCOMPARE(files.first(), QStringLiteral("/base/DANE/012.dat"));
    QCOMPARE(files.at(1), QStringLiteral("/base/DANE/012_1996.num"));
    QCOMPARE(files.at(21), QStringLiteral("/base/DANE/012_2016.num"));
    QCOMPARE(files.at(22), QStringLiteral("/base/DANE/012_1996.eks"));
    QCOMPARE(files.at(43), QStringLiteral("/base/DANE/012_1996.prz"));
    QCOMPARE(files.at(64), QStringLiteral("/base/DANE/012_1996.mie"));
    QCOMPARE(files.at(105), QStringLiteral("/base/DANE/012_2016.vat"));
    QCOMPARE(files.at(106), QStringLiteral("/base/DANE/012_1996.ewp"));
    QCOMPARE(files.last(), QStringLiteral("/base/DANE/012.trs"));
}

void TestRecords::dataTreeIsCreatedOnlyOnAFreshInstallation()
{
    QTemporaryDir fresh;
    QVERIFY(fresh.isValid());
    EnsureDataTree(fresh.path());
    QDir freshDir(fresh.path());
    QCOMPARE(freshDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Admini", "DANE", "FONT", "KOSZ", "POMOC", "TAPETY"}));
    // The default print font: black DejaVu Sans at 8 points, plain, in a 76-byte record.
    QFile font(fresh.path() + QStringLiteral("/FONT/font_kanto_2007.dat"));
    QVERIFY(font.open(QIODevice::ReadOnly));
    QByteArray expectedFont(76, '\0');
    expectedFont[4] = 11;
    expectedFont.replace(5, 11, "DejaVu Sans");
    expectedFont[68] = 8;
    QCOMPARE(font.readAll(), expectedFont);

    QTemporaryDir partial;
    QVERIFY(partial.isValid());
    QVERIFY(QDir(partial.path()).mkdir(QStringLiteral("dane")));
    EnsureDataTree(partial.path());
    QCOMPARE(QDir(partial.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"dane"});
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
