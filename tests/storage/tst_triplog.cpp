#include "fileerror.h"
#include "testfiles.h"
#include "triplog.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace storage;

namespace {

// The layout written out independently of the code: a 256-byte header, then 256 bytes a trip.
constexpr int kHeader = 256;
constexpr int kTrip = 256;

void putInt32(QByteArray &bytes, int offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putString(QByteArray &bytes, int offset, const QString &text, int capacity)
{
    bytes.replace(offset, capacity + 1, testfiles::shortString(text, capacity));
}

// A log file of `trips` trips, all of `month`, built byte by byte.
QByteArray logBytes(int trips, quint8 month = 3)
{
    QByteArray bytes(kHeader + trips * kTrip, '\0');
    bytes.replace(0, 4, "EWP1");
    putInt32(bytes, 4, 1);
    putInt32(bytes, 8, trips);
    bytes[12] = 2;
    putInt32(bytes, 13, 1242);
    putString(bytes, 17, QStringLiteral("Jan Kowalski"), 50);
    putString(bytes, 170, QStringLiteral("WA 12345"), 20);
    for (int i = 0; i < trips; ++i) {
        const int at = kHeader + i * kTrip;
        bytes[at] = char(month);
        putString(bytes, at + 1, QStringLiteral("05.03.2007"), 10);
        putString(bytes, at + 12, QStringLiteral("Warszawa – Łódź"), 100);
        putString(bytes, at + 113, QStringLiteral("spotkanie"), 60);
        putString(bytes, at + 174, QStringLiteral("   135.50"), 10);
        putString(bytes, at + 185, QStringLiteral("   0.8358"), 10);
        putString(bytes, at + 196, QStringLiteral("nr %1").arg(i + 1), 59);
    }
    return bytes;
}

} // namespace

class TestTripLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutIsReadAsWritten();
    void encodeWritesTheLayoutAndMonthOrder();
    void damagedBytesAreRefused_data();
    void damagedBytesAreRefused();
    void readingFiles_data();
    void readingFiles();
    void writeReplacesTheFileWhole();
    void routesRoundTripAndRefuseDamage();
};

void TestTripLog::layoutIsReadAsWritten()
{
    const std::optional<TripLog> log = DecodeTripLog(logBytes(2));
    QVERIFY(log);
    QCOMPARE(log->vehicleClass, quint8(triplog::CarOver900));
    QCOMPARE(log->engine, 1242);
    QCOMPARE(log->person1, QStringLiteral("Jan Kowalski"));
    QCOMPARE(log->registration, QStringLiteral("WA 12345"));
    QCOMPARE(log->trips.size(), 2);
    const Trip &trip = log->trips.at(1);
    QCOMPARE(trip.month, 3);
    QCOMPARE(trip.date, QStringLiteral("05.03.2007"));
    QCOMPARE(trip.route, QStringLiteral("Warszawa – Łódź"));
    QCOMPARE(trip.purpose, QStringLiteral("spotkanie"));
    QCOMPARE(trip.kilometres, QStringLiteral("   135.50"));
    QCOMPARE(trip.rate, QStringLiteral("   0.8358"));
    QCOMPARE(trip.notes, QStringLiteral("nr 2"));
    // What is read is written back to the byte.
    QCOMPARE(EncodeTripLog(*log), logBytes(2));
}

void TestTripLog::encodeWritesTheLayoutAndMonthOrder()
{
    TripLog log;
    log.trips << Trip{11, QStringLiteral("20.11.2007"), QStringLiteral("b"), {}, {}, {}, {}}
              << Trip{2, QStringLiteral("01.02.2007"), QStringLiteral("a"), {}, {}, {}, {}}
              << Trip{11, QStringLiteral("21.11.2007"), QStringLiteral("c"), {}, {}, {}, {}};
    // A route longer than its 100 characters is cut.
    log.trips[0].route = QString(150, QLatin1Char('x'));
    const QByteArray bytes = EncodeTripLog(log);
    QCOMPARE(bytes.size(), kHeader + 3 * kTrip);
    QCOMPARE(bytes.left(4), QByteArray("EWP1"));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 8), 3);
    // The months in order, each month's trips as entered.
    QCOMPARE(int(bytes[kHeader]), 2);
    QCOMPARE(int(bytes[kHeader + kTrip]), 11);
    QCOMPARE(quint8(bytes[kHeader + kTrip + 12]), quint8(100));
    QCOMPARE(bytes.mid(kHeader + 2 * kTrip + 1, 11), testfiles::shortString("21.11.2007", 10));
    QCOMPARE(DecodeTripLog(bytes)->trips.at(1).route, QString(100, QLatin1Char('x')));
}

void TestTripLog::damagedBytesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray wrongMark = logBytes(1);
    wrongMark[0] = 'X';
    QByteArray wrongVersion = logBytes(1);
    putInt32(wrongVersion, 4, 2);
    QByteArray negative = logBytes(0);
    putInt32(negative, 8, -1);
    QByteArray beyondLimit = logBytes(0);
    putInt32(beyondLimit, 8, 6001);
    QByteArray longer = logBytes(1) + QByteArray(1, '\0');
    QByteArray badClass = logBytes(1);
    badClass[12] = 5;
    QByteArray outOfOrder = logBytes(2, 5);
    outOfOrder[kHeader + kTrip] = 4;
    QTest::newRow("wrong mark") << wrongMark;
    QTest::newRow("wrong version") << wrongVersion;
    QTest::newRow("negative count") << negative;
    QTest::newRow("count beyond the limit") << beyondLimit;
    QTest::newRow("a byte too many") << longer;
    QTest::newRow("one trip short") << logBytes(2).left(kHeader + kTrip);
    QTest::newRow("header short") << logBytes(0).left(kHeader - 1);
    QTest::newRow("unknown vehicle class") << badClass;
    QTest::newRow("month 0") << logBytes(1, 0);
    QTest::newRow("month 13") << logBytes(1, 13);
    QTest::newRow("months out of order") << outOfOrder;
}

void TestTripLog::damagedBytesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!DecodeTripLog(bytes));
}

void TestTripLog::readingFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file
    QTest::addColumn<int>("trips");        // -1: refused
    QTest::addColumn<int>("code");

    QByteArray wrongMark = logBytes(1);
    wrongMark[1] = 'X';
    QTest::newRow("missing file: empty log") << QByteArray() << 0 << 0;
    QTest::newRow("whole file") << logBytes(3) << 3 << 0;
    QTest::newRow("one byte short")
        << logBytes(3).chopped(1) << -1 << int(FileError::ReadBeyondEnd);
    QTest::newRow("header only, count 3")
        << logBytes(3).left(kHeader) << -1 << int(FileError::ReadBeyondEnd);
    QTest::newRow("damaged") << wrongMark << -1 << int(FileError::fromErrno(EILSEQ, {}).code());
    QTest::newRow("larger than any log") << logBytes(0) + QByteArray(6000 * kTrip + 1, 'x') << -1
                                         << int(FileError::fromErrno(EILSEQ, {}).code());
}

void TestTripLog::readingFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, trips);
    QFETCH(int, code);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("001_2007.ewp"));
    if (!bytes.isEmpty())
        QVERIFY(testfiles::writeBytes(path, bytes));
    try {
        const TripLog log = ReadTripLog(path);
        QCOMPARE(log.trips.size(), trips);
    } catch (const FileError &error) {
        QCOMPARE(trips, -1);
        QCOMPARE(error.code(), code);
    }
}

void TestTripLog::writeReplacesTheFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("001_2007.ewp"));
    QVERIFY(testfiles::writeBytes(path, QByteArray(100000, 'z')));
    const TripLog log = *DecodeTripLog(logBytes(2));
    WriteTripLog(path, log);
    QCOMPARE(testfiles::readBytes(path), logBytes(2));
    QCOMPARE(ReadTripLog(path), log);
}

void TestTripLog::routesRoundTripAndRefuseDamage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("001.trs"));
    QCOMPARE(ReadRoutes(path).size(), 0);
    const QList<FixedRoute> routes{{QStringLiteral("Biuro – urząd skarbowy"),
                                    QStringLiteral("deklaracje"), QStringLiteral("    12.00")},
                                   {QStringLiteral("Biuro – hurtownia"), QStringLiteral("zakupy"),
                                    QStringLiteral("    30.50")}};
    WriteRoutes(path, routes);
    const QByteArray bytes = testfiles::readBytes(path);
    QCOMPARE(bytes.size(), 16 + 2 * 176);
    QCOMPARE(bytes.left(4), QByteArray("TRS1"));
    QCOMPARE(bytes.mid(16 + 176 + 162, 11), testfiles::shortString("    30.50", 10));
    QCOMPARE(ReadRoutes(path), routes);
    QVERIFY(testfiles::writeBytes(path, bytes.chopped(1)));
    QVERIFY_THROWS_EXCEPTION(FileError, ReadRoutes(path));
    QVERIFY(!DecodeRoutes(bytes + QByteArray(1, '\0')));
}

QTEST_GUILESS_MAIN(TestTripLog)
#include "tst_triplog.moc"
