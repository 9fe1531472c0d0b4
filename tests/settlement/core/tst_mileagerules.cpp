#include "clientrecords.h"
#include "mileagerules.h"
#include "recordoffsets.h"
#include "testfiles.h"
#include "textrules.h"

#include <QTest>

using namespace settlement;
using storage::Record;

namespace {

using namespace recordoffsets::mileage;

QByteArray cellBytes(const QString &text)
{
    return testfiles::shortString(text, 10);
}

} // namespace

class TestMileageRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decimalComma_data();
    void decimalComma();
    void amountKey_data();
    void amountKey();
    void flagReading_data();
    void flagReading();
    void automaticAmount_data();
    void automaticAmount();
    void refreshAutomaticOverwritesAndManualKeeps();
    void refreshSumsTheCellsAfterTheCommaFixes();
    void recordFromTheGridTexts();
    void yearTotalComesFromTheAmountsUnrounded();
    void gridOfARecordKeepsTheTexts();
};

void TestMileageRules::decimalComma_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fromEnd");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kilometres, two digits after") << "152,50" << 3 << 3 << "152.50";
    QTest::newRow("kilometres, exactly 3 characters") << ",50" << 3 << 3 << ",50";
    QTest::newRow("kilometres, four characters") << "1,50" << 3 << 3 << "1.50";
    QTest::newRow("kilometres, one digit after") << "152,5" << 3 << 3 << "152,5";
    QTest::newRow("rate, four digits after") << "0,8358" << 5 << 4 << "0.8358";
    QTest::newRow("rate, exactly 4 characters") << ",835" << 5 << 4 << ",835";
    QTest::newRow("rate, two digits after") << "0,83" << 5 << 4 << "0,83";
    QTest::newRow("only that comma") << "1,2,34" << 3 << 3 << "1,2.34";
    QTest::newRow("empty") << "" << 3 << 3 << "";
}

void TestMileageRules::decimalComma()
{
    QFETCH(QString, text);
    QFETCH(int, fromEnd);
    QFETCH(int, minLength);
    QFETCH(QString, expected);
    QCOMPARE(DecimalCommaFixed(text, fromEnd, minLength), expected);
}

void TestMileageRules::amountKey_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("accepted"); // empty: dropped
    QTest::newRow("digit") << QChar(u'7') << "7";
    QTest::newRow("point") << QChar(u'.') << ".";
    QTest::newRow("comma becomes point") << QChar(u',') << ".";
    QTest::newRow("backspace") << QChar(u'\b') << "\b";
    QTest::newRow("letter") << QChar(u'a') << "";
    QTest::newRow("minus") << QChar(u'-') << "";
    QTest::newRow("blank") << QChar(u' ') << "";
}

void TestMileageRules::amountKey()
{
    QFETCH(QChar, typed);
    QFETCH(QString, accepted);
    const std::optional<QChar> key = AmountKey(typed);
    QCOMPARE(key ? QString(*key) : QString(), accepted);
}

void TestMileageRules::flagReading_data()
{
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("automatic");
    QTest::newRow("0 by hand") << 0 << false;
    QTest::newRow("1 automatic") << 1 << true;
    QTest::newRow("2 nearer to 1") << 2 << true;
    QTest::newRow("255 nearer to 1") << 255 << true;
}

void TestMileageRules::flagReading()
{
    QFETCH(int, flag);
    QFETCH(bool, automatic);
    const MileageAmounts amounts = MileageAmountsFromFlag(quint8(flag));
    QCOMPARE(amounts == MileageAmounts::Automatic, automatic);
    QCOMPARE(MileageFlag(amounts), quint8(automatic ? 1 : 0));
}

void TestMileageRules::automaticAmount_data()
{
    QTest::addColumn<QString>("kilometres");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("amount");
    QTest::newRow("rounded half up") << "1520"
                                     << "0.8358"
                                     << "  1270.42";
    QTest::newRow("stored texts") << "   152.50"
                                  << "   0.8358"
                                  << "   127.46";
    QTest::newRow("no rate") << "1520"
                             << ""
                             << "";
    QTest::newRow("no kilometres") << ""
                                   << "0.8358"
                                   << "";
    QTest::newRow("longer than the width") << "9999999"
                                           << "9.9"
                                           << "98999990.10";
}

void TestMileageRules::automaticAmount()
{
    QFETCH(QString, kilometres);
    QFETCH(QString, rate);
    QFETCH(QString, amount);
    QCOMPARE(AutomaticAmount(kilometres, rate), amount);
}

void TestMileageRules::refreshAutomaticOverwritesAndManualKeeps()
{
    MileageGrid grid;
    grid[0] = {QStringLiteral("100"), QStringLiteral("0,8358"), QStringLiteral("5")};
    grid[1] = {QString(), QString(), QStringLiteral("12.346")};

    const MileageView automatic = RefreshMileage(grid, MileageAmounts::Automatic);
    QCOMPARE(automatic.grid[0], (MileageMonth{QStringLiteral("100"), QStringLiteral("0.8358"),
                                              QStringLiteral("    83.58")}));
    QCOMPARE(automatic.grid[1].amount, QString());

    const MileageView manual = RefreshMileage(grid, MileageAmounts::ByHand);
    QCOMPARE(manual.grid[0].rate, QStringLiteral("0.8358"));
    QCOMPARE(manual.grid[0].amount, QStringLiteral("5"));
    QCOMPARE(manual.grid[1].amount, QStringLiteral("12.346"));
    QCOMPARE(manual.amountSum, QStringLiteral("     17.35")); // 17.346 summed unrounded
}

void TestMileageRules::refreshSumsTheCellsAfterTheCommaFixes()
{
    MileageGrid grid;
    grid[0].kilometres = QStringLiteral("100,25");
    grid[11].kilometres = QStringLiteral("0.75");
    grid[5].amount = QStringLiteral("abc");
    const MileageView view = RefreshMileage(grid, MileageAmounts::ByHand);
    QCOMPARE(view.kilometreSum, QStringLiteral("    101.00"));
    QCOMPARE(view.amountSum, QStringLiteral("      0.00"));
}

void TestMileageRules::recordFromTheGridTexts()
{
    MileageGrid grid;
    grid[0] = {QStringLiteral("152.5"), QStringLiteral("0.83576"), QStringLiteral("127.46")};
    grid[2] = {QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("-5")};
    grid[11] = {QStringLiteral("12345678901"), QString(), QString()};

    const Record record = MileageRecord(grid, MileageAmounts::Automatic);
    const QByteArray &bytes = record.bytes();
    QCOMPARE(bytes.size(), 413);
    QCOMPARE(bytes.mid(cellOffset(1, 1), 11), cellBytes(QStringLiteral("   152.50")));
    QCOMPARE(bytes.mid(cellOffset(2, 1), 11), cellBytes(QStringLiteral("   0.8358")));
    QCOMPARE(bytes.mid(cellOffset(3, 1), 11), cellBytes(QStringLiteral("   127.46")));
    QCOMPARE(bytes.mid(cellOffset(1, 3), 11), cellBytes(QStringLiteral("   100.00")));
    QCOMPARE(bytes.mid(cellOffset(2, 3), 11), cellBytes(QString()));
    QCOMPARE(bytes.mid(cellOffset(3, 3), 11), cellBytes(QString()));
    // 12345678901.00 takes 14 characters; the cell keeps the first 10.
    QCOMPARE(bytes.mid(cellOffset(1, 12), 11), cellBytes(QStringLiteral("1234567890")));
    QCOMPARE(bytes.at(kFlagOffset), '\1');
    QCOMPARE(MileageRecord(grid, MileageAmounts::ByHand).bytes().at(kFlagOffset), '\0');
}

void TestMileageRules::yearTotalComesFromTheAmountsUnrounded()
{
    // No refresh has run: the total is that of the amounts as they stand, a hand-typed amount
    // with three decimals counting unrounded (0.006 + 0.006 = 0.012) while each cell is stored
    // rounded (0.01 each).
    MileageGrid grid;
    grid[0].amount = QStringLiteral("0.006");
    grid[1].amount = QStringLiteral("0.006");
    grid[2].amount = QStringLiteral("1000");
    const Record record = MileageRecord(grid, MileageAmounts::ByHand);
    QCOMPARE(record.bytes().mid(kYearTotalOffset, 16),
             testfiles::shortString(QStringLiteral("   1000.01"), 15));
    QCOMPARE(record.bytes().mid(cellOffset(3, 1), 11), cellBytes(QStringLiteral("     0.01")));

    QCOMPARE(MileageRecord(MileageGrid{}, MileageAmounts::ByHand).bytes().mid(kYearTotalOffset, 16),
             testfiles::shortString(QStringLiteral("      0.00"), 15));
}

void TestMileageRules::gridOfARecordKeepsTheTexts()
{
    QByteArray bytes(413, '\0');
    bytes.replace(cellOffset(1, 4), 11, cellBytes(QStringLiteral("12,5")));
    bytes.replace(cellOffset(2, 4), 11, cellBytes(QStringLiteral(" 0.5")));
    bytes.replace(cellOffset(3, 12), 11, cellBytes(QStringLiteral("x")));
    Record record(413);
    record.bytes() = bytes;
    const MileageGrid grid = MileageGridOf(record);
    QCOMPARE(grid[3], (MileageMonth{QStringLiteral("12,5"), QStringLiteral(" 0.5"), QString()}));
    QCOMPARE(grid[11].amount, QStringLiteral("x"));
    QCOMPARE(grid[0], MileageMonth{});
}

QTEST_GUILESS_MAIN(TestMileageRules)
#include "tst_mileagerules.moc"
