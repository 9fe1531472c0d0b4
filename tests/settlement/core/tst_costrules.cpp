#include "clientrecords.h"
#include "costrules.h"
#include "recordoffsets.h"
#include "testfiles.h"

#include <QTest>

using namespace settlement;
using storage::Record;

namespace {

using namespace recordoffsets::costs;

CostRow row(const QString &net, const QString &vat)
{
    return {QString(), QString(), QString(), net, vat};
}

} // namespace

class TestCostRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modeReading_data();
    void modeReading();
    void vatSettingRecord();
    void normalisedAmount_data();
    void normalisedAmount();
    void rowVat_data();
    void rowVat();
    void refreshTouchesTheCurrentRowOnly();
    void refreshBlanksVatWithoutNetAndSums();
    void monthOfARecordIsNormalised();
    void storeCutsAndNormalises();
    void saveFixesEveryCommaOfTheNet();
    void yearTotals();
    void sortedPhrases_data();
    void sortedPhrases();
};

void TestCostRules::modeReading_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("mode");
    QTest::newRow("0 nearest to Nie licz") << 0 << int(VatMode::NoVat);
    QTest::newRow("1 Nie licz") << 1 << int(VatMode::NoVat);
    QTest::newRow("2 Licz 22%") << 2 << int(VatMode::Vat22);
    QTest::newRow("3 Licz 7%") << 3 << int(VatMode::Vat7);
    QTest::newRow("4 Licz inny") << 4 << int(VatMode::OtherVat);
    QTest::newRow("5 nearest to Licz inny") << 5 << int(VatMode::OtherVat);
    QTest::newRow("255 nearest to Licz inny") << 255 << int(VatMode::OtherVat);
}

void TestCostRules::modeReading()
{
    QFETCH(int, byte);
    QFETCH(int, mode);
    QCOMPARE(int(VatModeFromByte(quint8(byte))), mode);
    Record record(5);
    record.bytes() = testfiles::shortString(QStringLiteral("23"), 3) + char(byte);
    const VatSetting setting = VatSettingOf(record);
    QCOMPARE(setting.otherRate, QStringLiteral("23"));
    QCOMPARE(int(setting.mode), mode);
}

void TestCostRules::vatSettingRecord()
{
    const Record record = VatSettingRecord({QStringLiteral("12345"), VatMode::Vat7});
    QCOMPARE(record.bytes(), QByteArray("\x03"
                                        "123"
                                        "\x03",
                                        5));
    QCOMPARE(VatSettingRecord({QString(), VatMode::NoVat}).bytes(), QByteArray("\0\0\0\0\x01", 5));
}

void TestCostRules::normalisedAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("width 8") << "100.5"
                             << "  100.50";
    QTest::newRow("rounded") << "22.114"
                             << "   22.11";
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("negative") << "-5"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("comma counts as the end") << "1,5"
                                             << "    1.00";
    QTest::newRow("leading blanks") << "   7"
                                    << "    7.00";
}

void TestCostRules::normalisedAmount()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(NormalisedAmount(text), stored);
    const CostRow normalised =
        NormalisedRow({QStringLiteral("d"), QStringLiteral("k"), QStringLiteral("n"), text, text});
    QCOMPARE(normalised, (CostRow{QStringLiteral("d"), QStringLiteral("k"), QStringLiteral("n"),
                                  stored, stored}));
}

void TestCostRules::rowVat_data()
{
    QTest::addColumn<QString>("net");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("otherRate");
    QTest::addColumn<QString>("vat"); // "-": none computed
    QTest::newRow("22%") << "100" << int(VatMode::Vat22) << "0"
                         << "   22.00";
    QTest::newRow("7%") << "250" << int(VatMode::Vat7) << "0"
                        << "   17.50";
    QTest::newRow("other 23") << "100" << int(VatMode::OtherVat) << "23"
                              << "   23.00";
    QTest::newRow("other empty rate") << "100" << int(VatMode::OtherVat) << ""
                                      << "    0.00";
    QTest::newRow("Nie licz") << "100" << int(VatMode::NoVat) << "23"
                              << "-";
    QTest::newRow("no net") << "" << int(VatMode::Vat22) << "0"
                            << "-";
    QTest::newRow("net not a number") << "x" << int(VatMode::Vat22) << "0"
                                      << "    0.00";
}

void TestCostRules::rowVat()
{
    QFETCH(QString, net);
    QFETCH(int, mode);
    QFETCH(QString, otherRate);
    QFETCH(QString, vat);
    const std::optional<QString> computed = RowVat(net, VatMode(mode), otherRate);
    QCOMPARE(computed.value_or(QStringLiteral("-")), vat);
}

void TestCostRules::refreshTouchesTheCurrentRowOnly()
{
    CostMonth rows;
    rows[0] = row(QStringLiteral("10,50"), QStringLiteral("1"));
    rows[4] = row(QStringLiteral("100,00"), QStringLiteral("5"));
    const CostView view = RefreshCosts(rows, 4, VatMode::Vat22, QString());
    QCOMPARE(view.rows[4], row(QStringLiteral("100.00"), QStringLiteral("   22.00")));
    QCOMPARE(view.rows[0], rows[0]); // not the current row: comma and VAT as they were
    QCOMPARE(view.sums.net, QStringLiteral("  110.00"));
    QCOMPARE(view.sums.vat, QStringLiteral("   23.00"));
}

void TestCostRules::refreshBlanksVatWithoutNetAndSums()
{
    CostMonth rows;
    rows[0] = row(QString(), QStringLiteral("9.99"));
    rows[1] = row(QStringLiteral("0.006"), QStringLiteral("0.006"));
    rows[2] = row(QStringLiteral("0.006"), QStringLiteral("0.006"));
    rows[19] = row(QStringLiteral("1000"), QStringLiteral("220"));
    const CostView view = RefreshCosts(rows, 0, VatMode::NoVat, QString());
    QCOMPARE(view.rows[0][kVat], QString());
    QCOMPARE(view.rows[1], rows[1]);
    QCOMPARE(view.sums.net, QStringLiteral(" 1000.01")); // summed unrounded
    QCOMPARE(view.sums.vat, QStringLiteral("  220.01"));
}

void TestCostRules::monthOfARecordIsNormalised()
{
    Record record(73232);
    record.bytes().replace(entryOffset(3, 0, 2), 61, entry(QStringLiteral("15.03.2007")));
    record.bytes().replace(entryOffset(3, kNet, 2), 61, entry(QStringLiteral("100.5")));
    record.bytes().replace(entryOffset(3, kVat, 2), 61, entry(QStringLiteral("-5")));
    record.bytes().replace(entryOffset(4, kNet, 2), 61, entry(QStringLiteral("7")));
    const CostMonth march = CostMonthOf(record, 3);
    QCOMPARE(march[1], (CostRow{QStringLiteral("15.03.2007"), QString(), QString(),
                                QStringLiteral("  100.50"), QString()}));
    QCOMPARE(march[0], CostRow{});
    QCOMPARE(CostMonthOf(record, 4)[1][kNet], QStringLiteral("    7.00"));
}

void TestCostRules::storeCutsAndNormalises()
{
    Record record(73232);
    record.bytes().replace(entryOffset(2, 1, 1), 61, entry(QStringLiteral("February")));
    CostMonth rows;
    rows[0] = {QString(), QString(70, QLatin1Char('x')), QStringLiteral("FV 1"),
               QStringLiteral("1.5"), QStringLiteral("0.375")};
    rows[19][kNet] = QStringLiteral("200");
    StoreCostMonth(record, 3, rows);
    const QByteArray &bytes = record.bytes();
    QCOMPARE(bytes.mid(entryOffset(3, 1, 1), 61), entry(QString(60, QLatin1Char('x'))));
    QCOMPARE(bytes.mid(entryOffset(3, 2, 1), 61), entry(QStringLiteral("FV 1")));
    QCOMPARE(bytes.mid(entryOffset(3, kNet, 1), 61), entry(QStringLiteral("    1.50")));
    QCOMPARE(bytes.mid(entryOffset(3, kVat, 1), 61), entry(QStringLiteral("    0.38")));
    QCOMPARE(bytes.mid(entryOffset(3, kNet, 20), 61), entry(QStringLiteral("  200.00")));
    QCOMPARE(bytes.mid(entryOffset(2, 1, 1), 61), entry(QStringLiteral("February")));
    QCOMPARE(bytes.mid(kNetTotalOffset, 32), QByteArray(32, '\0'));
}

void TestCostRules::saveFixesEveryCommaOfTheNet()
{
    CostMonth rows;
    rows[0] = {QStringLiteral("1,2"), QString(), QString(), QStringLiteral("1,5"),
               QStringLiteral("0,5")};
    const CostMonth saved = CostMonthForSave(rows);
    // Only the net's commas become points; the VAT is normalised as it stands.
    QCOMPARE(saved[0], (CostRow{QStringLiteral("1,2"), QString(), QString(),
                                QStringLiteral("    1.50"), QString()}));
}

void TestCostRules::yearTotals()
{
    Record record(73232);
    record.bytes().replace(entryOffset(1, kNet, 1), 61, entry(QStringLiteral("  100.00")));
    record.bytes().replace(entryOffset(12, kNet, 20), 61, entry(QStringLiteral("0.006")));
    record.bytes().replace(entryOffset(12, kVat, 20), 61, entry(QStringLiteral("   22.00")));
    record.bytes().replace(entryOffset(6, kNet, 7), 61, entry(QStringLiteral("0.006")));
    record.bytes().replace(entryOffset(6, kVat, 7), 61, entry(QStringLiteral("0.006")));
    SetCostYearTotals(record);
    QCOMPARE(record.bytes().mid(kNetTotalOffset, 16),
             testfiles::shortString(QStringLiteral("    100.01"), 15));
    QCOMPARE(record.bytes().mid(kVatTotalOffset, 16),
             testfiles::shortString(QStringLiteral("     22.01"), 15));

    Record empty(73232);
    SetCostYearTotals(empty);
    QCOMPARE(empty.bytes().mid(kNetTotalOffset, 16),
             testfiles::shortString(QStringLiteral("      0.00"), 15));
}

void TestCostRules::sortedPhrases_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("phrases");
    QTest::newRow("Polish order, case ignored")
        << QStringList{"Paliwo", "Łożyska", "naprawa", "Lampa", "Akumulator", "Mycie"}
        << QStringList{"Akumulator", "Lampa", "Łożyska", "Mycie", "naprawa", "Paliwo"};
    QTest::newRow("ś after s, ż after ź after z")
        << QStringList{"żuraw", "świeca", "zawór", "źródło", "szyba"}
        << QStringList{"szyba", "świeca", "zawór", "źródło", "żuraw"};
    QTest::newRow("equal but for case keep file order")
        << QStringList{"olej", "Olej", "OLEJ"} << QStringList{"olej", "Olej", "OLEJ"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void TestCostRules::sortedPhrases()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, phrases);
    QCOMPARE(SortedPhrases(lines), phrases);
}

QTEST_GUILESS_MAIN(TestCostRules)
#include "tst_costrules.moc"
