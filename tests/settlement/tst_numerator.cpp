#include "clientrecords.h"
#include "fakeseams.h"
#include "numerator.h"
#include "statusnote.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace storage;

class TestNumerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstOpeningCreatesNumberOne();
    void returnConvertsTheNumberText_data();
    void returnConvertsTheNumberText();
    void unchangedReturnRewritesTheSameBytes();
    void openWindowFollowsAPrint_data();
    void openWindowFollowsAPrint();
    void missingDataDirectoryOpensNoWindow();

private:
    QString file() const { return m_ws->path(QStringLiteral("DANE/007_2007.num")); }
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<Tnumerator_f> m_window;
};

void TestNumerator::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_window = std::make_unique<Tnumerator_f>(m_ws->seams.seams);
    m_window->setYear({std::make_shared<settlement::ClientYear>(m_ws->path(), QStringLiteral("007"),
                                                                QStringLiteral("2007")),
                       {QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5"),
                        QStringLiteral("Opel WA 12345")}});
}

void TestNumerator::cleanup()
{
    m_window.reset();
    m_ws.reset();
}

void TestNumerator::firstOpeningCreatesNumberOne()
{
    QVERIFY(m_window->FormCreate());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Numerator  Rok obliczeniowy 2007"));
    QCOMPARE(testfiles::readBytes(file()), numerator::defaultRecord().bytes());
    QCOMPARE(child<QLineEdit>("numerator")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>("rozszerzenie")->text(), QString());
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("Jan Kowalski"));
    QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("Opel WA 12345"));
}

void TestNumerator::returnConvertsTheNumberText_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray noSuffix(11, '\0');
    QTest::newRow("plain") << "25"
                           << "/2007"
                           << QByteArray("\x19\0\0\0", 4) +
                                  testfiles::shortString(QStringLiteral("/2007"), 10);
    QTest::newRow("empty number") << ""
                                  << "" << QByteArray(4, '\0') + noSuffix;
    QTest::newRow("digits then letters") << " 25abc"
                                         << "" << QByteArray("\x19\0\0\0", 4) + noSuffix;
    QTest::newRow("negative") << "-2"
                              << "" << QByteArray("\xFE\xFF\xFF\xFF", 4) + noSuffix;
    QTest::newRow("no digits") << "abc"
                               << "" << QByteArray(4, '\0') + noSuffix;
    QTest::newRow("suffix cut to 10")
        << "300"
        << "/2007/ABCDEFG"
        << QByteArray("\x2C\x01\0\0", 4) + testfiles::shortString(QStringLiteral("/2007/ABCD"), 10);
    QTest::newRow("beyond 32 bits is held at the largest")
        << "99999999999"
        << "" << QByteArray("\xFF\xFF\xFF\x7F", 4) + noSuffix;
}

void TestNumerator::returnConvertsTheNumberText()
{
    QFETCH(QString, number);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, expected);
    QVERIFY(m_window->FormCreate());
    m_window->open();
    child<QLineEdit>("numerator")->setText(number);
    child<QLineEdit>("rozszerzenie")->setText(suffix);
    ui::StatusNote::post(QString());
    child<QPushButton>("SpeedButton3")->click();
    QCOMPARE(testfiles::readBytes(file()), expected);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Zapisano numerator i rozszerzenie."));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestNumerator::unchangedReturnRewritesTheSameBytes()
{
    Record stored = numerator::defaultRecord();
    stored.setInt32(numerator::kNumber, 41);
    stored.setText(numerator::suffix, QStringLiteral("/KR"));
    QVERIFY(testfiles::writeBytes(file(), stored.bytes()));
    QVERIFY(m_window->FormCreate());
    QCOMPARE(child<QLineEdit>("numerator")->text(), QStringLiteral("41"));
    QCOMPARE(child<QLineEdit>("rozszerzenie")->text(), QStringLiteral("/KR"));
    m_window->SpeedButton3Click();
    QCOMPARE(testfiles::readBytes(file()), stored.bytes());
}

void TestNumerator::openWindowFollowsAPrint_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint32>("stored");
    // Untouched, the window shows the number the print stored, and leaving it writes nothing.
    QTest::newRow("untouched") << QString() << "2" << 2;
    // A number the user typed is what the user asked for: it is kept and written.
    QTest::newRow("edited") << "10"
                            << "10" << 10;
}

void TestNumerator::openWindowFollowsAPrint()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(qint32, stored);
    QVERIFY(m_window->prepareAndOpen());
    auto *number = child<QLineEdit>("numerator");
    QCOMPARE(number->text(), QStringLiteral("1"));
    if (!typed.isEmpty()) {
        number->selectAll();
        QTest::keyClicks(number, typed);
    }

    // Statement No. 1 printed meanwhile.
    QCOMPARE(m_window->year()->advanceNumber(QStringLiteral("/2007")).number, 2);
    QCOMPARE(number->text(), shown);

    // Another client opened, or the program ended.
    QVERIFY(m_window->leaveAutomatically());
    QVERIFY(!m_window->isVisible());
    Record record(numerator::kSize);
    record.bytes() = testfiles::readBytes(file());
    QCOMPARE(record.int32(numerator::kNumber), stored);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestNumerator::missingDataDirectoryOpensNoWindow()
{
    QVERIFY(QDir(m_ws->path(QStringLiteral("DANE"))).removeRecursively());
    QVERIFY(!m_window->prepareAndOpen());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"Invalid filename"});
}

QTEST_MAIN(TestNumerator)
#include "tst_numerator.moc"
