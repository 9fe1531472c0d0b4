#include "clientyear.h"
#include "clientyears.h"
#include "fileerrorassert.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using namespace storage;
using settlement::ClientYear;
using settlement::ClientYears;

// The object that owns one client's year: what it reads, what each change writes and whom it
// tells, the document number's read-modify-write, and one object per client and year.
class TestClientYear : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void openingCreatesAndReadsInOrder();
    void eachSaveWritesItsFileAndTellsItsWindows_data();
    void eachSaveWritesItsFileAndTellsItsWindows();
    void failedSaveLeavesTheYearAsItWas();
    void numberAdvancesFromTheStoredOne_data();
    void numberAdvancesFromTheStoredOne();
    void oneObjectPerClientAndYear();
    void ownerSavedReachesTheClientsOtherYears();

private:
    QString dane(const QString &name) const { return m_ws->path(QStringLiteral("DANE/") + name); }
    std::unique_ptr<Workspace> m_ws;
};

void TestClientYear::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestClientYear::cleanup()
{
    m_ws.reset();
}

void TestClientYear::openingCreatesAndReadsInOrder()
{
    // The year files are named after the owner record's identifier, not the client number.
    Record owner = owner::defaultRecord(QStringLiteral("X1"));
    owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007.dat")), owner.bytes()));
    ClientYear year(m_ws->path(), QStringLiteral("007"), QStringLiteral("2007"));
    QCOMPARE(year.stem(), QStringLiteral("X1_2007"));
    QCOMPARE(year.owner().bytes(), owner.bytes());
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("X1_2007.prz"))), QByteArray(413, '\0'));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("X1_2007.eks"))), QByteArray(73232, '\0'));
    // The VAT setting and the numerator are made by the windows that ask for them.
    QVERIFY(!QFile::exists(dane(QStringLiteral("X1_2007.vat"))));
    QVERIFY(!QFile::exists(dane(QStringLiteral("X1_2007.num"))));
    QCOMPARE(year.numerator().bytes(), numerator::defaultRecord().bytes());
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("X1_2007.num"))),
             numerator::defaultRecord().bytes());

    // A new client gets an owner record that holds only its number; an owner record one byte
    // short is refused before any year file is made.
    ClientYear fresh(m_ws->path(), QStringLiteral("008"), QStringLiteral("2001"));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("008.dat"))),
             owner::defaultRecord(QStringLiteral("008")).bytes());
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("009.dat")), QByteArray(236, '\0')));
    QVERIFY_FILE_ERROR(ClientYear(m_ws->path(), QStringLiteral("009"), QStringLiteral("2001")), 100,
                       QStringLiteral("Read beyond end of file"));
    QVERIFY(
        QDir(m_ws->path(QStringLiteral("DANE"))).entryList({QStringLiteral("009_*")}).isEmpty());
}

void TestClientYear::eachSaveWritesItsFileAndTellsItsWindows_data()
{
    // The signal told: 0 owner, 1 mileage, 2 costs, 3 numerator; -1 none (only the cost register
    // shows the VAT setting, and it is the one that saves it).
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("signal");
    QTest::newRow("owner") << ".dat" << int(owner::kSize) << 0;
    QTest::newRow("mileage") << ".prz" << int(mileage::kSize) << 1;
    QTest::newRow("costs") << ".eks" << int(cost::kSize) << 2;
    QTest::newRow("numerator") << ".num" << int(numerator::kSize) << 3;
    QTest::newRow("VAT setting") << ".vat" << int(vatsetting::kSize) << -1;
}

void TestClientYear::eachSaveWritesItsFileAndTellsItsWindows()
{
    QFETCH(QString, extension);
    QFETCH(int, size);
    QFETCH(int, signal);
    ClientYear year(m_ws->path(), QStringLiteral("007"), QStringLiteral("2007"));
    int told[4] = {0, 0, 0, 0};
    QByteArray numeratorTold;
    connect(&year, &ClientYear::ownerChanged, this, [&] { ++told[0]; });
    connect(&year, &ClientYear::mileageChanged, this, [&] { ++told[1]; });
    connect(&year, &ClientYear::costsChanged, this, [&] { ++told[2]; });
    connect(&year, &ClientYear::numeratorChanged, this, [&](const Record &record) {
        ++told[3];
        numeratorTold = record.bytes();
    });

    Record record(size);
    for (qsizetype i = 0; i < size; i += 7)
        record.setByte(i, quint8(i % 251 + 1));
    if (extension == QLatin1String(".dat"))
        year.saveOwner(record);
    else if (extension == QLatin1String(".prz"))
        year.saveMileage(record);
    else if (extension == QLatin1String(".eks"))
        year.saveCosts(record);
    else if (extension == QLatin1String(".num"))
        year.saveNumerator(record);
    else
        year.saveVatSetting(record);

    const QString path = extension == QLatin1String(".dat") ? dane(QStringLiteral("007.dat"))
                                                            : year.yearFile(extension);
    QCOMPARE(testfiles::readBytes(path), record.bytes());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(told[i], i == signal ? 1 : 0);
    if (extension == QLatin1String(".dat"))
        QCOMPARE(year.owner().bytes(), record.bytes());
    if (extension == QLatin1String(".prz"))
        QCOMPARE(year.mileage().bytes(), record.bytes());
    if (extension == QLatin1String(".eks"))
        QCOMPARE(year.costs().bytes(), record.bytes());
    if (extension == QLatin1String(".num"))
        QCOMPARE(numeratorTold, record.bytes());
    if (extension == QLatin1String(".vat"))
        QCOMPARE(year.vatSetting().bytes(), record.bytes());
}

void TestClientYear::failedSaveLeavesTheYearAsItWas()
{
    ClientYear year(m_ws->path(), QStringLiteral("007"), QStringLiteral("2007"));
    QSignalSpy changed(&year, &ClientYear::mileageChanged);
    const QByteArray before = year.mileage().bytes();
    // The file cannot be replaced: a directory stands in its place.
    QVERIFY(QFile::remove(year.yearFile(QStringLiteral(".prz"))));
    QVERIFY(QDir().mkdir(year.yearFile(QStringLiteral(".prz"))));
    Record typed(mileage::kSize);
    typed.setText(mileage::cell(mileage::kKilometres, 1), QStringLiteral("    10.00"));
    bool failed = false;
    try {
        year.saveMileage(typed);
    } catch (const FileError &) {
        failed = true;
    }
    QVERIFY(failed);
    QCOMPARE(year.mileage().bytes(), before);
    QCOMPARE(changed.count(), 0);

    // The cost file removed meanwhile is not made again.
    QVERIFY(QFile::remove(year.yearFile(QStringLiteral(".eks"))));
    QVERIFY_FILE_ERROR(year.saveCosts(Record(cost::kSize)), 2, QStringLiteral("File not found"));
    QVERIFY(!QFile::exists(year.yearFile(QStringLiteral(".eks"))));
}

void TestClientYear::numberAdvancesFromTheStoredOne_data()
{
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<qint32>("next");
    QTest::addColumn<bool>("atLimit");
    QTest::newRow("first") << 1 << 2 << false;
    QTest::newRow("typed in the numerator meanwhile") << 41 << 42 << false;
    QTest::newRow("negative") << -3 << -2 << false;
    QTest::newRow("at the limit") << 2147483647 << 2147483647 << true;
}

void TestClientYear::numberAdvancesFromTheStoredOne()
{
    QFETCH(qint32, stored);
    QFETCH(qint32, next);
    QFETCH(bool, atLimit);
    ClientYear year(m_ws->path(), QStringLiteral("007"), QStringLiteral("2007"));
    QCOMPARE(year.numerator().int32(numerator::kNumber), 1);
    // The file holds another number than the one read before: the stored one counts.
    Record file = numerator::defaultRecord();
    file.setInt32(numerator::kNumber, stored);
    file.setText(numerator::suffix, QStringLiteral("/OLD"));
    QVERIFY(testfiles::writeBytes(year.yearFile(QStringLiteral(".num")), file.bytes()));

    QByteArray told;
    connect(&year, &ClientYear::numeratorChanged, this,
            [&](const Record &record) { told = record.bytes(); });
    const ClientYear::Advance advance = year.advanceNumber(QStringLiteral("/2007 and more"));
    QCOMPARE(advance.number, next);
    QCOMPARE(advance.atLimit, atLimit);
    Record expected = numerator::defaultRecord();
    expected.setInt32(numerator::kNumber, next);
    expected.setText(numerator::suffix, QStringLiteral("/2007 and "));
    QCOMPARE(testfiles::readBytes(year.yearFile(QStringLiteral(".num"))), expected.bytes());
    QCOMPARE(told, expected.bytes());
}

void TestClientYear::oneObjectPerClientAndYear()
{
    ClientYears years(m_ws->path());
    const auto first = years.open(QStringLiteral("007"), QStringLiteral("2007"));
    QCOMPARE(years.open(QStringLiteral("007"), QStringLiteral("2007")), first);
    QVERIFY(years.open(QStringLiteral("007"), QStringLiteral("2008")) != first);
    QVERIFY(years.open(QStringLiteral("008"), QStringLiteral("2007")) != first);

    // A client opened again reads its files afresh: another workstation may have changed them.
    Record changed(mileage::kSize);
    changed.setText(mileage::cell(mileage::kKilometres, 1), QStringLiteral("    10.00"));
    QVERIFY(testfiles::writeBytes(first->yearFile(QStringLiteral(".prz")), changed.bytes()));
    years.forgetAll();
    const auto again = years.open(QStringLiteral("007"), QStringLiteral("2007"));
    QVERIFY(again != first);
    QCOMPARE(again->mileage().bytes(), changed.bytes());

    // An object no window holds any more is read afresh too.
    const std::weak_ptr<ClientYear> dropped =
        years.open(QStringLiteral("009"), QStringLiteral("2007"));
    QVERIFY(dropped.expired());
}

void TestClientYear::ownerSavedReachesTheClientsOtherYears()
{
    ClientYears years(m_ws->path());
    const auto y2007 = years.open(QStringLiteral("007"), QStringLiteral("2007"));
    const auto y2008 = years.open(QStringLiteral("007"), QStringLiteral("2008"));
    const auto other = years.open(QStringLiteral("008"), QStringLiteral("2008"));
    QSignalSpy told(y2007.get(), &ClientYear::ownerChanged);
    QSignalSpy notTold(other.get(), &ClientYear::ownerChanged);

    Record owner = owner::defaultRecord(QStringLiteral("007"));
    owner.setText(owner::nazwa1, QStringLiteral("Anna Nowak"));
    y2008->saveOwner(owner);
    QCOMPARE(y2007->owner().bytes(), owner.bytes());
    QCOMPARE(told.count(), 1);
    QCOMPARE(notTold.count(), 0);
    QCOMPARE(other->owner().bytes(), owner::defaultRecord(QStringLiteral("008")).bytes());
}

QTEST_GUILESS_MAIN(TestClientYear)
#include "tst_clientyear.moc"
