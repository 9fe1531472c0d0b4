#include "daterules.h"

#include <QTest>

using settlement::CostDateCheck;

// The check of an invoice date against the month and year on screen.
class TestDateRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void check_data();
    void check();
    void reasonNamesTheDateAndTheMonth();
};

void TestDateRules::check_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<CostDateCheck>("expected");

    QTest::newRow("empty") << QString() << 3 << 2016 << CostDateCheck::Fine;
    QTest::newRow("spaces only") << QStringLiteral("   ") << 3 << 2016 << CostDateCheck::Fine;
    QTest::newRow("day of the month")
        << QStringLiteral("15.03.2016") << 3 << 2016 << CostDateCheck::Fine;
    QTest::newRow("single digits, other separator")
        << QStringLiteral(" 1/3/2016 ") << 3 << 2016 << CostDateCheck::Fine;
    QTest::newRow("leap day") << QStringLiteral("29.02.2016") << 2 << 2016 << CostDateCheck::Fine;
    QTest::newRow("no leap day") << QStringLiteral("29.02.2015") << 2 << 2015
                                 << CostDateCheck::NotADay;
    QTest::newRow("day 32, month 13")
        << QStringLiteral("32.13.2016") << 3 << 2016 << CostDateCheck::NotADay;
    QTest::newRow("31 April") << QStringLiteral("31.04.2016") << 4 << 2016
                              << CostDateCheck::NotADay;
    QTest::newRow("day zero") << QStringLiteral("00.03.2016") << 3 << 2016
                              << CostDateCheck::NotADay;
    QTest::newRow("two-digit year")
        << QStringLiteral("15.03.16") << 3 << 2016 << CostDateCheck::NotADay;
    QTest::newRow("words") << QStringLiteral("wczoraj") << 3 << 2016 << CostDateCheck::NotADay;
    QTest::newRow("missing separator")
        << QStringLiteral("1503.2016") << 3 << 2016 << CostDateCheck::NotADay;
    QTest::newRow("next month") << QStringLiteral("01.04.2016") << 3 << 2016
                                << CostDateCheck::OutsideMonth;
    QTest::newRow("same month, other year")
        << QStringLiteral("15.03.2015") << 3 << 2016 << CostDateCheck::OutsideMonth;
    QTest::newRow("December of the year before")
        << QStringLiteral("31.12.2015") << 1 << 2016 << CostDateCheck::OutsideMonth;
}

void TestDateRules::check()
{
    QFETCH(QString, text);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(CostDateCheck, expected);
    QCOMPARE(settlement::CheckCostDate(text, month, year), expected);
    QCOMPARE(settlement::CostDateReason(text, month, year).isEmpty(),
             expected == CostDateCheck::Fine);
}

void TestDateRules::reasonNamesTheDateAndTheMonth()
{
    QCOMPARE(settlement::CostDateReason(QStringLiteral("32.13.2016"), 3, 2016),
             QStringLiteral("Data 32.13.2016 nie jest prawdziwym dniem."));
    QCOMPARE(settlement::CostDateReason(QStringLiteral(" 01.04.2016"), 3, 2016),
             QStringLiteral("Data 01.04.2016 leży poza miesiącem marzec 2016."));
}

QTEST_GUILESS_MAIN(TestDateRules)
#include "tst_daterules.moc"
