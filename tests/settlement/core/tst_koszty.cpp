#include "fixedpoint.h"
#include "koszty.h"
#include "testfiles.h"

#include <QTest>

using namespace storage;
using settlement::MonthFigures;

namespace {

// One invoice row of the cost record: net (column 3) and VAT (column 4) texts.
struct Invoice {
    int month;
    int row;
    QString net;
    QString vat;
};
using Invoices = QList<Invoice>;

// A ".prz" record whose "Kwota" column holds `amounts`, January first.
QByteArray mileageFile(const QStringList &amounts)
{
    QByteArray bytes(413, '\0');
    for (int i = 0; i < amounts.size(); ++i)
        bytes.replace(264 + i * 11, 11, testfiles::shortString(amounts[i], 10));
    return bytes;
}

// A ".eks" record holding the given invoice rows.
QByteArray costFile(const Invoices &invoices)
{
    QByteArray bytes(73232, '\0');
    for (const Invoice &invoice : invoices) {
        const int at = (invoice.month - 1) * 6100 + (invoice.row - 1) * 61;
        bytes.replace(at + 3 * 1220, 61, testfiles::shortString(invoice.net, 60));
        bytes.replace(at + 4 * 1220, 61, testfiles::shortString(invoice.vat, 60));
    }
    return bytes;
}

Record recordOf(const QByteArray &bytes)
{
    Record record(bytes.size());
    record.bytes() = bytes;
    return record;
}

QString text(double value)
{
    return FormatFixed(value, 0, 2);
}

// The example year: mileage 300, 250, 400; net 500, 100, 120; March's VAT 26.40. March is
// split over the first and the last row of the month.
QByteArray exampleMileage()
{
    return mileageFile({"   300.00", "   250.00", "   400.00"});
}

QByteArray exampleCosts()
{
    return costFile({{1, 1, "  500.00", ""},
                     {2, 1, "  100.00", ""},
                     {3, 1, "  100.00", "   22.00"},
                     {3, 20, "   20.00", "    4.40"}});
}

} // namespace

class TestKoszty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void figures_data();
    void figures();
    void table_data();
    void table();
};

void TestKoszty::figures_data()
{
    QTest::addColumn<QByteArray>("mileage");
    QTest::addColumn<QByteArray>("costs");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("d");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QString>("total");

    QTest::newRow("example year, March") << exampleMileage() << exampleCosts() << 3 << "400.00"
                                         << "120.00"
                                         << "950.00"
                                         << "720.00"
                                         << "170.00"
                                         << "26.40"
                                         << "720.00";

    QTest::newRow("January, mileage smaller")
        << mileageFile({"   300.00"}) << costFile({{1, 1, "  500.00", "  110.00"}}) << 1 << "300.00"
        << "500.00"
        << "300.00"
        << "500.00"
        << "300.00"
        << "110.00"
        << "300.00";
    QTest::newRow("January, costs smaller")
        << mileageFile({"   500.00"}) << costFile({{1, 4, "  120.00", ""}}) << 1 << "500.00"
        << "120.00"
        << "500.00"
        << "120.00"
        << "120.00"
        << "0.00"
        << "120.00";
    QTest::newRow("January, both equal")
        << mileageFile({"   500.00"}) << costFile({{1, 1, "  500.00", ""}}) << 1 << "500.00"
        << "500.00"
        << "500.00"
        << "500.00"
        << "0.00"
        << "0.00"
        << "0.00";

    // January books 300; in February C and D are both 500, so nothing is booked; March takes up
    // the difference, and the total is the smaller cumulative amount again.
    const QByteArray equalInFebruary = mileageFile({"   300.00", "   200.00", "   100.00"});
    const QByteArray costsEqualInFebruary =
        costFile({{1, 1, "  500.00", ""}, {3, 2, "   50.00", ""}});
    QTest::newRow("C equals D in the month")
        << equalInFebruary << costsEqualInFebruary << 2 << "200.00"
        << "0.00"
        << "500.00"
        << "500.00"
        << "0.00"
        << "0.00"
        << "300.00";
    QTest::newRow("month after C equals D")
        << equalInFebruary << costsEqualInFebruary << 3 << "100.00"
        << "50.00"
        << "600.00"
        << "550.00"
        << "250.00"
        << "0.00"
        << "550.00";

    QTest::newRow("empty month after a difference")
        << mileageFile({"   300.00"}) << costFile({{1, 1, "  500.00", "   10.00"}}) << 2 << "0.00"
        << "0.00"
        << "300.00"
        << "500.00"
        << "0.00"
        << "0.00"
        << "300.00";

    QTest::newRow("empty files, December")
        << QByteArray(413, '\0') << QByteArray(73232, '\0') << 12 << "0.00"
        << "0.00"
        << "0.00"
        << "0.00"
        << "0.00"
        << "0.00"
        << "0.00";

    QStringList hundreds;
    Invoices ninetyEach;
    for (int month = 1; month <= 12; ++month) {
        hundreds << QStringLiteral("   100.00");
        ninetyEach.append(
            {month, month == 12 ? 20 : 1, QStringLiteral("   90.00"), QStringLiteral("    1.00")});
    }
    QTest::newRow("every month, December")
        << mileageFile(hundreds) << costFile(ninetyEach) << 12 << "100.00"
        << "90.00"
        << "1200.00"
        << "1080.00"
        << "90.00"
        << "1.00"
        << "1080.00";

    // Rounded one by one these would give B 30.00, C 200.02, D 40.00 and VAT 0.00.
    QTest::newRow("more than two decimals summed unrounded")
        << mileageFile({"100.006", "100.006"})
        << costFile({{1, 1, "10.004", "0.004"},
                     {2, 1, "10.004", "0.004"},
                     {2, 2, "10.004", "0.004"},
                     {2, 3, "10.004", "0.004"}})
        << 2 << "100.01"
        << "30.01"
        << "200.01"
        << "40.02"
        << "30.01"
        << "0.01"
        << "40.02";

    QTest::newRow("VAT of the selected month only") << mileageFile({"  1000.00"})
                                                    << costFile({{1, 1, "  100.00", "   23.00"},
                                                                 {2, 1, "  100.00", "    7.00"},
                                                                 {3, 1, "  100.00", "    5.50"},
                                                                 {3, 7, "", "    1.10"},
                                                                 {4, 1, "  100.00", "   99.00"}})
                                                    << 3 << "0.00"
                                                    << "100.00"
                                                    << "1000.00"
                                                    << "300.00"
                                                    << "100.00"
                                                    << "6.60"
                                                    << "300.00";

    // Texts written from outside count with their longest valid prefix: "12.50.3" is 12.5,
    // "7,25" is 7, "abc" is 0, "1.2.3" is 1.2, "   5,75" is 5, "1.1.1" is 1.1.
    QTest::newRow("malformed texts")
        << mileageFile({"12.50.3", "7,25", "abc"})
        << costFile({{1, 1, "1.2.3", "0,5"}, {3, 1, "   5,75", "1.1.1"}}) << 3 << "0.00"
        << "5.00"
        << "19.50"
        << "6.20"
        << "5.00"
        << "1.10"
        << "6.20";
}

void TestKoszty::figures()
{
    QFETCH(QByteArray, mileage);
    QFETCH(QByteArray, costs);
    QFETCH(int, month);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, d);
    QFETCH(QString, e);
    QFETCH(QString, vat);
    QFETCH(QString, total);

    settlement::CalculationResults results;
    const MonthFigures figures =
        settlement::WyliczKoszty(recordOf(mileage), recordOf(costs), month, results);

    QCOMPARE(text(figures.mileage), a);
    QCOMPARE(text(figures.costs), b);
    QCOMPARE(text(figures.cumulativeMileage), c);
    QCOMPARE(text(figures.cumulativeCosts), d);
    QCOMPARE(text(figures.toBook), e);
    QCOMPARE(text(figures.vat), vat);

    QCOMPARE(text(results.cumulativeMileage), c);
    QCOMPARE(text(results.cumulativeCosts), d);
    QCOMPARE(text(results.totalBooked), total);
    QCOMPARE(text(results.amountToBook), e);
    QCOMPARE(text(results.vatToBook), vat);
}

void TestKoszty::table_data()
{
    QTest::addColumn<QByteArray>("mileage");
    QTest::addColumn<QByteArray>("costs");
    QTest::addColumn<int>("earlierMonth"); // a calculation run before, 0 for none
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("rows"); // A|C|B|D|E of each month up to `month`
    QTest::addColumn<QString>("total");

    QTest::newRow("example year, March after December")
        << exampleMileage() << exampleCosts() << 12 << 3
        << QStringList{"      300.00|      300.00|      500.00|      500.00|      300.00",
                       "      250.00|      550.00|      100.00|      600.00|      250.00",
                       "      400.00|      950.00|      120.00|      720.00|      170.00"}
        << "720.00";
    QTest::newRow("later month after an earlier one")
        << exampleMileage() << exampleCosts() << 1 << 4
        << QStringList{"      300.00|      300.00|      500.00|      500.00|      300.00",
                       "      250.00|      550.00|      100.00|      600.00|      250.00",
                       "      400.00|      950.00|      120.00|      720.00|      170.00",
                       "        0.00|      950.00|        0.00|      720.00|        0.00"}
        << "720.00";
    const QString zeroRow = QStringLiteral("        0.00|        0.00|        0.00|        0.00|"
                                           "        0.00");
    QTest::newRow("empty files, May") << QByteArray(413, '\0') << QByteArray(73232, '\0') << 0 << 5
                                      << QStringList(5, zeroRow) << "0.00";
}

void TestKoszty::table()
{
    QFETCH(QByteArray, mileage);
    QFETCH(QByteArray, costs);
    QFETCH(int, earlierMonth);
    QFETCH(int, month);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);

    settlement::CalculationResults results;
    if (earlierMonth > 0)
        settlement::WyliczKoszty(recordOf(mileage), recordOf(costs), earlierMonth, results);
    settlement::WyliczKoszty(recordOf(mileage), recordOf(costs), month, results);

    const QByteArray table = results.table.bytes();
    QCOMPARE(table.size(), 960);
    QCOMPARE(rows.size(), month);
    for (int i = 1; i <= month; ++i) {
        const QStringList texts = rows[i - 1].split(QLatin1Char('|'));
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(table.mid((i - 1) * 80 + column * 16, 16),
                     testfiles::shortString(texts[column], 15));
        }
    }
    for (int i = month + 1; i <= 12; ++i)
        QCOMPARE(table.mid((i - 1) * 80, 80), QByteArray(80, '\0'));
    QCOMPARE(text(results.totalBooked), total);
}

QTEST_GUILESS_MAIN(TestKoszty)
#include "tst_koszty.moc"
