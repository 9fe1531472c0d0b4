#include "clientrecords.h"
#include "ownerrules.h"

#include <QTest>

using namespace settlement;
using storage::Record;

class TestOwnerRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultYear_data();
    void defaultYear();
    void ownerComplete_data();
    void ownerComplete();
    void totalsDisplay_data();
    void totalsDisplay();
};

void TestOwnerRules::defaultYear_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("year");
    QTest::newRow("first year") << QDate(1996, 1, 1) << 1996;
    QTest::newRow("before") << QDate(1995, 12, 31) << 2000;
    QTest::newRow("last default year") << QDate(2012, 12, 31) << 2012;
    QTest::newRow("after") << QDate(2013, 1, 1) << 2000;
}

void TestOwnerRules::defaultYear()
{
    QFETCH(QDate, today);
    QFETCH(int, year);
    QCOMPARE(DefaultYear(today), year);
}

void TestOwnerRules::ownerComplete_data()
{
    QTest::addColumn<int>(
        "emptyField"); // -1: all filled; 0..4: nazwa1, nazwa2, nazwa3, marka, rejestracja
    QTest::addColumn<bool>("complete");
    QTest::newRow("all filled") << -1 << true;
    QTest::newRow("no nazwa1") << 0 << false;
    QTest::newRow("no nazwa2") << 1 << false;
    QTest::newRow("no nazwa3") << 2 << false;
    QTest::newRow("no marka") << 3 << false;
    QTest::newRow("no rejestracja") << 4 << false;
}

void TestOwnerRules::ownerComplete()
{
    QFETCH(int, emptyField);
    QFETCH(bool, complete);
    QStringList fields(5, QStringLiteral("x"));
    if (emptyField >= 0)
        fields[emptyField].clear();
    QCOMPARE(OwnerComplete(fields[0], fields[1], fields[2], fields[3], fields[4]), complete);
}

void TestOwnerRules::totalsDisplay_data()
{
    QTest::addColumn<QString>("mileageTotal");
    QTest::addColumn<QString>("netTotal");
    QTest::addColumn<QString>("vatTotal");
    QTest::newRow("nothing stored") << ""
                                    << ""
                                    << "";
    QTest::newRow("stored totals") << "   1270.42"
                                   << "    100.00"
                                   << "     22.00";
    QTest::newRow("only the VAT") << ""
                                  << ""
                                  << "      7.00";
}

void TestOwnerRules::totalsDisplay()
{
    QFETCH(QString, mileageTotal);
    QFETCH(QString, netTotal);
    QFETCH(QString, vatTotal);
    Record mileage(storage::mileage::kSize);
    mileage.setText(storage::mileage::yearTotal, mileageTotal);
    Record costs(storage::cost::kSize);
    costs.setText(storage::cost::netTotal, netTotal);
    costs.setText(storage::cost::vatTotal, vatTotal);
    const QByteArray mileageBefore = mileage.bytes();
    const QByteArray costsBefore = costs.bytes();

    const TotalsDisplay shown = TotalsDisplayOf(mileage, costs);
    const auto display = [](const QString &stored) {
        return (stored.isEmpty() ? QStringLiteral("0.00") : stored) + QStringLiteral(" zł");
    };
    QCOMPARE(shown.mileage, display(mileageTotal));
    QCOMPARE(shown.net, display(netTotal));
    QCOMPARE(shown.vat, display(vatTotal));
    // The records other windows read are left as they were.
    QCOMPARE(mileage.bytes(), mileageBefore);
    QCOMPARE(costs.bytes(), costsBefore);
}

QTEST_GUILESS_MAIN(TestOwnerRules)
#include "tst_ownerrules.moc"
