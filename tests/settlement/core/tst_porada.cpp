#include "porada.h"
#include "testfiles.h"

#include <QTest>

using namespace storage;

namespace {

// One month of the mileage record: its rate and amount texts as stored.
struct MileageMonth {
    QString rate;
    QString amount;
};

// A ".prz" record, January first.
QByteArray mileageRecord(const QList<MileageMonth> &months)
{
    QByteArray bytes(413, '\0');
    for (int i = 0; i < months.size(); ++i) {
        bytes.replace(132 + i * 11, 11, testfiles::shortString(months[i].rate, 10));
        bytes.replace(264 + i * 11, 11, testfiles::shortString(months[i].amount, 10));
    }
    return bytes;
}

// A ".eks" record whose months, January first, hold the given net amounts, one invoice a row.
QByteArray costRecord(const QList<QStringList> &monthlyNet)
{
    QByteArray bytes(73232, '\0');
    for (int month = 0; month < monthlyNet.size(); ++month) {
        for (int row = 0; row < monthlyNet[month].size(); ++row)
            bytes.replace(month * 6100 + 3 * 1220 + row * 61, 61,
                          testfiles::shortString(monthlyNet[month][row], 60));
    }
    return bytes;
}

Record recordOf(const QByteArray &bytes)
{
    Record record(bytes.size());
    record.bytes() = bytes;
    return record;
}

// The example year: mileage 300, 250, 400; net costs 500, 100, 120.
QList<QStringList> exampleCosts()
{
    return {{"  500.00"}, {"  100.00"}, {"  100.00", "   20.00"}};
}

const QString kYearEnd =
    QStringLiteral(" Bez uzupełnienia przebiegu nadwyżka kosztów przepadnie z końcem roku.");

QString missing(const QString &km, const QString &amount, const QString &rate)
{
    return QStringLiteral("Brakuje %1 km (%2 zł przy stawce %3 zł/km), aby zaliczyć wszystkie "
                          "koszty.")
        .arg(km, amount, rate);
}

QString missingWithoutRate(const QString &amount)
{
    return QStringLiteral("Brakuje przebiegu o wartości %1 zł, aby zaliczyć wszystkie koszty.")
        .arg(amount);
}

QString allowed(const QString &amount)
{
    return QStringLiteral("Limit przebiegu pozwala zaliczyć jeszcze %1 zł kosztów.").arg(amount);
}

} // namespace

class TestPorada : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void advice_data();
    void advice();
};

void TestPorada::advice_data()
{
    QTest::addColumn<QByteArray>("mileage");
    QTest::addColumn<QByteArray>("costs");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("expected");

    // January C 300 / D 500, February 550 / 600, March 950 / 720.
    const QByteArray example =
        mileageRecord({{"   0.8358", "   300.00"}, {"", "   250.00"}, {"   0.5000", "   400.00"}});
    QTest::newRow("example, January: 200.00 short at the month's rate")
        << example << costRecord(exampleCosts()) << 1 << missing("240", "200.00", "0.8358");
    QTest::newRow("example, February: January's rate, 59.8 km rounded up")
        << example << costRecord(exampleCosts()) << 2 << missing("60", "50.00", "0.8358");
    QTest::newRow("example, March: the limit allows more")
        << example << costRecord(exampleCosts()) << 3 << allowed("230.00");

    const QByteArray laterRateOnly =
        mileageRecord({{"", "   300.00"}, {"", "   250.00"}, {"   0.8358", "   400.00"}});
    QTest::newRow("rate only after the month: the amount alone")
        << laterRateOnly << costRecord(exampleCosts()) << 2 << missingWithoutRate("50.00");
    QTest::newRow("no mileage at all")
        << mileageRecord({}) << costRecord({{"   12.34"}}) << 1 << missingWithoutRate("12.34");
    QTest::newRow("a rate of zero does not count")
        << mileageRecord({{"   0.8000", ""}, {"0", ""}}) << costRecord({{}, {"   40.00"}}) << 2
        << missing("50", "40.00", "0.8000");

    // 1211.91 zł is exactly 1450 km at 0.8358; plain division gives 1450.0000000000002.
    const QByteArray rate8358 = mileageRecord({{"   0.8358", "   300.00"}});
    QTest::newRow("exact multiple is not rounded up")
        << rate8358 << costRecord({{" 1511.91"}}) << 1 << missing("1450", "1211.91", "0.8358");
    QTest::newRow("one grosz over takes one more kilometre")
        << rate8358 << costRecord({{" 1511.92"}}) << 1 << missing("1451", "1211.92", "0.8358");
    QTest::newRow("one grosz under")
        << rate8358 << costRecord({{" 1511.90"}}) << 1 << missing("1450", "1211.90", "0.8358");
    // 3.72 / 0.12 gives 31.000000000000004 in double.
    QTest::newRow("small exact multiple")
        << mileageRecord({{"   0.1200", ""}}) << costRecord({{"    3.72"}}) << 1
        << missing("31", "3.72", "0.1200");
    QTest::newRow("one grosz short at a high rate")
        << mileageRecord({{"   2.5000", "   100.00"}}) << costRecord({{"  100.01"}}) << 1
        << missing("1", "0.01", "2.5000");

    QTest::newRow("tiny rate written from outside: the count is held")
        << mileageRecord({{"1e-300", ""}}) << costRecord({{"    1.00"}}) << 1
        << missing("1000000000000000", "1.00", "1e-300");

    QTest::newRow("equal: nothing to add")
        << mileageRecord({{"   0.8358", "   500.00"}}) << costRecord({{"  300.00", "  200.00"}})
        << 1 << QString();
    // C is 0.30000000000000004 and D 0.3: unequal in double, equal on screen.
    QTest::newRow("equal to the grosz: nothing to add")
        << mileageRecord({{"", "0.10"}, {"", "0.20"}}) << costRecord({{}, {"0.30"}}) << 2
        << QString();
    QTest::newRow("empty year") << mileageRecord({}) << costRecord({}) << 12 << QString();
    QTest::newRow("more than two decimals: the difference of the shown figures")
        << mileageRecord({{"", "100.004"}}) << costRecord({{"0.006"}}) << 1 << allowed("99.99");

    QList<MileageMonth> year(12, {"   0.8000", "   100.00"});
    year[11] = {"", "   100.00"};
    QList<QStringList> costsOfYear(12, {"  100.00"});
    costsOfYear[11] = {"  260.00"};
    QTest::newRow("December, costs over the limit, November's rate")
        << mileageRecord(year) << costRecord(costsOfYear) << 12
        << missing("200", "160.00", "0.8000") + kYearEnd;
    QTest::newRow("November of the same year: no year-end note")
        << mileageRecord(year) << costRecord(costsOfYear) << 11 << QString();
    QTest::newRow("December without any rate") << mileageRecord({}) << costRecord(costsOfYear) << 12
                                               << missingWithoutRate("1360.00") + kYearEnd;
    QTest::newRow("December within the limit")
        << mileageRecord(year) << costRecord({{"  100.00"}}) << 12 << allowed("1100.00");
    QTest::newRow("month beyond December is December")
        << mileageRecord({}) << costRecord({{"    1.00"}}) << 13
        << missingWithoutRate("1.00") + kYearEnd;
}

void TestPorada::advice()
{
    QFETCH(QByteArray, mileage);
    QFETCH(QByteArray, costs);
    QFETCH(int, month);
    QFETCH(QString, expected);

    QCOMPARE(settlement::NapiszPorade(recordOf(mileage), recordOf(costs), month), expected);
}

QTEST_GUILESS_MAIN(TestPorada)
#include "tst_porada.moc"
