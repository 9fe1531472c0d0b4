#include "textcodec.h"

#include <QTest>
#include <QTextCodec>

using namespace storage;

// The code page of the data files, written and read without a codec library, against the
// Windows-1250 codec of Qt's compatibility module that the files were always converted with.
class TestWindows1250 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void polishLetters_data();
    void polishLetters();
    void everyByteReadsAsTheCodecReadsIt();
    void everyCharacterIsWrittenAsTheCodecWritesIt();
    void brokenSurrogates_data();
    void brokenSurrogates();

private:
    QTextCodec *m_codec = nullptr;
};

void TestWindows1250::initTestCase()
{
    m_codec = QTextCodec::codecForName("Windows-1250");
    QVERIFY(m_codec);
}

void TestWindows1250::polishLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("small letters")
        << QStringLiteral("ąćęłńóśźż") << QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
    QTest::newRow("capital letters")
        << QStringLiteral("ĄĆĘŁŃÓŚŹŻ") << QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    QTest::newRow("ASCII and the euro sign")
        << QStringLiteral("Jan 5 €") << QByteArray("Jan 5 \x80");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestWindows1250::polishLetters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToWindows1250(text), bytes);
    QCOMPARE(FromWindows1250(bytes), text);
}

void TestWindows1250::everyByteReadsAsTheCodecReadsIt()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    QCOMPARE(FromWindows1250(all), m_codec->toUnicode(all));
    // And back: every byte, the five undefined ones included, survives a read and a write.
    QCOMPARE(ToWindows1250(FromWindows1250(all)), all);
}

void TestWindows1250::everyCharacterIsWrittenAsTheCodecWritesIt()
{
    // Every code point but the surrogates, one per text, between two letters so that a character
    // that vanishes or becomes "?" shows as such.
    for (char32_t c = 0; c < 0x110000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = QLatin1Char('a') + QString::fromUcs4(&c, 1) + QLatin1Char('b');
        const QByteArray expected = m_codec->fromUnicode(text);
        if (ToWindows1250(text) != expected)
            QFAIL(qPrintable(QStringLiteral("U+%1 is written as %2 instead of %3")
                                 .arg(quint32(c), 4, 16, QLatin1Char('0'))
                                 .arg(QString::fromLatin1(ToWindows1250(text).toHex()),
                                      QString::fromLatin1(expected.toHex()))));
    }
}

void TestWindows1250::brokenSurrogates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("pair") << QString(QLatin1Char('a')) + high + low + QLatin1Char('b')
                          << QByteArray("a?b");
    QTest::newRow("high half alone")
        << QString(QLatin1Char('a')) + high + QLatin1Char('b') << QByteArray("a?b");
    QTest::newRow("low half alone")
        << QString(QLatin1Char('a')) + low + QLatin1Char('b') << QByteArray("a?b");
    QTest::newRow("high half at the end") << QString(QLatin1Char('a')) + high << QByteArray("a");
    QTest::newRow("two high halves, then a low one")
        << QString(QLatin1Char('a')) + high + high + low << QByteArray("a??");
}

void TestWindows1250::brokenSurrogates()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(m_codec->fromUnicode(text), bytes);
    QCOMPARE(ToWindows1250(text), bytes);
}

QTEST_GUILESS_MAIN(TestWindows1250)
#include "tst_windows1250.moc"
