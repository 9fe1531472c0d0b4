#include "registerrules.h"

#include <QTest>

using registerrules::Buttons;

Q_DECLARE_METATYPE(Buttons)

class TestRegisterRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsFollowTheLine_data();
    void buttonsFollowTheLine();
    void nameOfferedForCorrection_data();
    void nameOfferedForCorrection();
    void correctedNameGoesBackUnderItsNumber();
};

void TestRegisterRules::buttonsFollowTheLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Buttons>("expected");
    const Buttons free{true, false, false};
    const Buttons taken{false, true, true};
    QTest::newRow("number alone") << "042" << free;
    QTest::newRow("empty line") << "" << free;
    QTest::newRow("shorter than a number") << "7" << free;
    QTest::newRow("three characters of a name") << "Jan" << free;
    QTest::newRow("number and a space") << "042 " << taken;
    QTest::newRow("number and a name") << "042 Jan Kowalski" << taken;
    QTest::newRow("number and one letter") << "042 J" << taken;
    QTest::newRow("a name of Polish letters") << "500 Łucja Żółć" << taken;
}

void TestRegisterRules::buttonsFollowTheLine()
{
    QFETCH(QString, line);
    QFETCH(Buttons, expected);
    const Buttons buttons = registerrules::ButtonsFor(line);
    QCOMPARE(buttons.add, expected.add);
    QCOMPARE(buttons.correct, expected.correct);
    QCOMPARE(buttons.remove, expected.remove);
}

void TestRegisterRules::nameOfferedForCorrection_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::newRow("number and a name") << "001 Jan Kowalski"
                                       << "Jan Kowalski";
    QTest::newRow("number alone") << "001"
                                  << "";
    QTest::newRow("number and a space") << "001 "
                                        << "";
    QTest::newRow("one letter") << "001 J"
                                << "J";
    QTest::newRow("a second space is kept") << "001  Jan"
                                            << " Jan";
    QTest::newRow("trailing spaces are kept") << "001 Jan "
                                              << "Jan ";
    QTest::newRow("empty line") << ""
                                << "";
    // A line written elsewhere without the space still loses exactly four characters.
    QTest::newRow("no space after the number") << "001Jan Kowalski"
                                               << "an Kowalski";
}

void TestRegisterRules::nameOfferedForCorrection()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QCOMPARE(registerrules::NameOnLine(line), name);
}

void TestRegisterRules::correctedNameGoesBackUnderItsNumber()
{
    QCOMPARE(registerrules::LineOf(QStringLiteral("007"), QStringLiteral("Anna Nowak")),
             QStringLiteral("007 Anna Nowak"));
    // An empty name still takes the position: the line is longer than the number alone.
    const QString emptied = registerrules::LineOf(QStringLiteral("007"), QString());
    QCOMPARE(emptied, QStringLiteral("007 "));
    QCOMPARE(registerrules::ButtonsFor(emptied), (Buttons{false, true, true}));
    // What correction offers and writes back is the line as it was.
    const QString line = QStringLiteral("123 Zakład Usługowy \"Auto\"");
    QCOMPARE(registerrules::LineOf(QStringLiteral("123"), registerrules::NameOnLine(line)), line);
}

QTEST_GUILESS_MAIN(TestRegisterRules)
#include "tst_registerrules.moc"
