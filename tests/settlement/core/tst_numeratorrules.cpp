#include "numeratorrules.h"
#include "testfiles.h"

#include <QTest>

#include <limits>

using namespace settlement;

namespace {

constexpr qint32 kMax = std::numeric_limits<qint32>::max();
constexpr qint32 kMin = std::numeric_limits<qint32>::min();

} // namespace

class TestNumeratorRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void number_data();
    void number();
    void record();
    void nextNumber_data();
    void nextNumber();
    void limitNotice();
};

void TestNumeratorRules::number_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("number");
    QTest::newRow("plain") << "25" << 25;
    QTest::newRow("leading blanks and sign") << "  +7" << 7;
    QTest::newRow("negative") << "-12" << -12;
    QTest::newRow("leading digits count") << "25abc" << 25;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("blank inside ends it") << "1 2" << 1;
    QTest::newRow("largest") << "2147483647" << kMax;
    QTest::newRow("one beyond is held") << "2147483648" << kMax;
    QTest::newRow("far beyond is held") << "99999999999999999999" << kMax;
    QTest::newRow("smallest") << "-2147483648" << kMin;
    QTest::newRow("below is held") << "-99999999999" << kMin;
}

void TestNumeratorRules::number()
{
    QFETCH(QString, text);
    QFETCH(qint32, number);
    QCOMPARE(NumeratorNumber(text), number);
}

void TestNumeratorRules::record()
{
    const QByteArray bytes =
        NumeratorRecord(QStringLiteral("2147483648"), QStringLiteral("rozszerzenie")).bytes();
    QCOMPARE(bytes.size(), 15);
    QCOMPARE(bytes.left(4), QByteArray("\xff\xff\xff\x7f", 4)); // little-endian 2147483647
    QCOMPARE(bytes.mid(4), testfiles::shortString(QStringLiteral("rozszerzen"), 10));

    QCOMPARE(NumeratorRecord(QStringLiteral("258"), QString()).bytes(),
             QByteArray("\x02\x01\0\0", 4) + QByteArray(11, '\0'));
}

void TestNumeratorRules::nextNumber_data()
{
    QTest::addColumn<qint32>("printed");
    QTest::addColumn<bool>("advances");
    QTest::addColumn<qint32>("next");
    QTest::newRow("first") << 1 << true << 2;
    QTest::newRow("zero") << 0 << true << 1;
    QTest::newRow("negative") << -1 << true << 0;
    QTest::newRow("smallest") << kMin << true << kMin + 1;
    QTest::newRow("one below the largest") << kMax - 1 << true << kMax;
    QTest::newRow("largest stays") << kMax << false << 0;
}

void TestNumeratorRules::nextNumber()
{
    QFETCH(qint32, printed);
    QFETCH(bool, advances);
    QFETCH(qint32, next);
    const std::optional<qint32> result = NextDocumentNumber(printed);
    QCOMPARE(result.has_value(), advances);
    if (advances)
        QCOMPARE(*result, next);
}

void TestNumeratorRules::limitNotice()
{
    QCOMPARE(NumeratorAtLimitCaption(), QStringLiteral("Informacja"));
    QVERIFY(NumeratorAtLimitText().contains(QStringLiteral("2147483647")));
}

QTEST_GUILESS_MAIN(TestNumeratorRules)
#include "tst_numeratorrules.moc"
