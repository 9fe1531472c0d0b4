#include "fixedpoint.h"

#include <QTest>

using namespace storage;

class TestFixedPoint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void storedFormIsEmptyForZeroAndNegative_data();
    void storedFormIsEmptyForZeroAndNegative();
    void parse_data();
    void parse();
    void parseInt_data();
    void parseInt();
};

void TestFixedPoint::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("kilometres 152.5") << 152.5 << 9 << 2 << "   152.50";
    QTest::newRow("amount 1270.416") << 1270.416 << 9 << 2 << "  1270.42";
    QTest::newRow("rate 0.83576") << 0.83576 << 9 << 4 << "   0.8358";
    QTest::newRow("kilometres 100") << 100.0 << 9 << 2 << "   100.00";
    QTest::newRow("1520 km x 0.8358") << 1520 * 0.8358 << 9 << 2 << "  1270.42";
    QTest::newRow("VAT of 100 at 22%") << 100 * 0.22 << 8 << 2 << "   22.00";
    QTest::newRow("year total width 10") << 0.0 << 10 << 2 << "      0.00";
    // Half away from zero on the decimal digits, not on the binary value: 1.005 is held as
    // 1.00499999999999989..., whose first 18 digits still end in ...4999.
    QTest::newRow("1.005 on 18 digits") << 1.005 << 0 << 2 << "1.00";
    QTest::newRow("2.675") << 2.675 << 0 << 2 << "2.67";
    QTest::newRow("0.125 exact tie") << 0.125 << 0 << 2 << "0.13";
    QTest::newRow("0.005 up") << 0.005 << 0 << 2 << "0.01";
    QTest::newRow("0.004 down") << 0.004 << 0 << 2 << "0.00";
    QTest::newRow("9.995 is held below the tie") << 9.995 << 0 << 2 << "9.99";
    QTest::newRow("9.9951 carries") << 9.9951 << 0 << 2 << "10.00";
    QTest::newRow("99.999 carries") << 99.999 << 0 << 2 << "100.00";
    QTest::newRow("negative tie away from zero") << -0.125 << 0 << 2 << "-0.13";
    QTest::newRow("negative rounding to zero has no sign") << -0.001 << 0 << 2 << "0.00";
    QTest::newRow("wider than the field") << 1234567.891 << 9 << 2 << "1234567.89";
    QTest::newRow("tiny") << 1e-30 << 6 << 2 << "  0.00";
    QTest::newRow("large") << 1e20 << 0 << 2 << "100000000000000000000.00";
    QTest::newRow("no decimals") << 41.5 << 0 << 0 << "42";
}

void TestFixedPoint::format()
{
    QFETCH(double, value);
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(FormatFixed(value, width, decimals), expected);
}

void TestFixedPoint::storedFormIsEmptyForZeroAndNegative_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << QString();
    QTest::newRow("minus five") << -5.0 << QString();
    QTest::newRow("positive") << 0.004 << "    0.00";
    QTest::newRow("net amount") << 170.0 << "  170.00";
}

void TestFixedPoint::storedFormIsEmptyForZeroAndNegative()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatStored(value, 8, 2), expected);
}

void TestFixedPoint::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "     " << 0.0;
    QTest::newRow("stored kilometres") << "   152.50" << 152.5;
    QTest::newRow("stored rate") << "   0.8358" << 0.8358;
    QTest::newRow("plus sign") << "+12" << 12.0;
    QTest::newRow("minus sign") << " -5" << -5.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "7." << 7.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("exponent with sign") << "25E-1" << 2.5;
    QTest::newRow("unfinished exponent") << "4e" << 4.0;
    QTest::newRow("unfinished signed exponent") << "4e+" << 4.0;
    QTest::newRow("two decimal points") << "1.2.3" << 1.2;
    QTest::newRow("decimal comma from outside") << "12,50" << 12.0;
    QTest::newRow("letters after digits") << "25abc" << 25.0;
    QTest::newRow("no digits") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("infinity is not a number") << "inf" << 0.0;
    QTest::newRow("nan is not a number") << "nan" << 0.0;
    QTest::newRow("hex is its leading zero") << "0x1F" << 0.0;
    QTest::newRow("beyond double range") << "1e999" << 0.0;
    QTest::newRow("inner blank ends the number") << "12 34" << 12.0;
    QTest::newRow("locale never leaks in") << "1 234,56" << 1.0;
}

void TestFixedPoint::parse()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ParseFixed(text), expected);
}

void TestFixedPoint::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("plain") << "25" << 25;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leading blanks") << "   7" << 7;
    QTest::newRow("digits then letters") << "25abc" << 25;
    QTest::newRow("letters first") << "abc25" << 0;
    QTest::newRow("negative") << "-12" << -12;
    QTest::newRow("plus") << "+3" << 3;
    QTest::newRow("decimal point ends it") << "3.9" << 3;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("too large is held") << "99999999999" << 2147483647;
    QTest::newRow("too small is held") << "-99999999999" << qint32(-2147483647 - 1);
}

void TestFixedPoint::parseInt()
{
    QFETCH(QString, text);
    QFETCH(qint32, expected);
    QCOMPARE(ParseInt32(text), expected);
}

QTEST_GUILESS_MAIN(TestFixedPoint)
#include "tst_fixedpoint.moc"
