#include "fileerrorassert.h"
#include "recordfile.h"
#include "testfiles.h"
#include "textcodec.h"

#include <QTemporaryDir>
#include <QTest>

using namespace storage;

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeAndSplit_data();
    void decodeAndSplit();
    void readsTheLinesOfAFile();
    void missingFileIsReported();
};

void TestTextFile::decodeAndSplit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    const QByteArray bom("\xEF\xBB\xBF");
    const QString phrases = QStringLiteral("opłata za przejazd\r\nżółć paliwo\r\n");
    const QStringList phraseLines{QStringLiteral("opłata za przejazd"),
                                  QStringLiteral("żółć paliwo")};

    QTest::newRow("Windows-1250 with Polish letters")
        << QByteArray("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9\r\nja\x9F\xF1\r\n")
        << QStringLiteral("Zażółć gęślą\r\njaźń\r\n")
        << QStringList{QStringLiteral("Zażółć gęślą"), QStringLiteral("jaźń")};
    QTest::newRow("UTF-8 without byte-order mark") << phrases.toUtf8() << phrases << phraseLines;
    QTest::newRow("UTF-8 with byte-order mark, mark dropped")
        << bom + phrases.toUtf8() << phrases << phraseLines;
    QTest::newRow("byte-order mark before ASCII only")
        << bom + QByteArray("Paliwo\n") << QStringLiteral("Paliwo\n")
        << QStringList{QStringLiteral("Paliwo")};
    QTest::newRow("byte-order mark only") << bom << QString() << QStringList();
    QTest::newRow("pure ASCII, last line without a line end")
        << QByteArray("Paliwo\r\nMycie") << QStringLiteral("Paliwo\r\nMycie")
        << QStringList{QStringLiteral("Paliwo"), QStringLiteral("Mycie")};
    QTest::newRow("LF only") << QByteArray("jeden\ndwa\n") << QStringLiteral("jeden\ndwa\n")
                             << QStringList{QStringLiteral("jeden"), QStringLiteral("dwa")};
    QTest::newRow("CR only") << QByteArray("jeden\rdwa\r") << QStringLiteral("jeden\rdwa\r")
                             << QStringList{QStringLiteral("jeden"), QStringLiteral("dwa")};
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << QStringLiteral("a\r\nb\nc\rd")
                                     << QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                    QStringLiteral("c"), QStringLiteral("d")};
    QTest::newRow("LF CR is two line ends")
        << QByteArray("a\n\rb") << QStringLiteral("a\n\rb")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty file") << QByteArray() << QString() << QStringList();
    QTest::newRow("empty line in the middle is kept")
        << QByteArray("a\r\n\r\nb\r\n") << QStringLiteral("a\r\n\r\nb\r\n")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty last line before the final line end is kept")
        << QByteArray("a\r\n\r\n") << QStringLiteral("a\r\n\r\n")
        << QStringList{QStringLiteral("a"), QString()};
    QTest::newRow("a line end only")
        << QByteArray("\r\n") << QStringLiteral("\r\n") << QStringList{QString()};
    QTest::newRow("lone 0xB9 is the Windows-1250 letter")
        << QByteArray("w\xB9ski") << QStringLiteral("wąski")
        << QStringList{QStringLiteral("wąski")};
    // One invalid byte makes the whole file Windows-1250, also its valid UTF-8 pairs.
    QTest::newRow("UTF-8 pair beside an invalid byte")
        << QByteArray("\xC5\x82\r\n\xB9") << QStringLiteral("Ĺ‚\r\ną")
        << QStringList{QStringLiteral("Ĺ‚"), QStringLiteral("ą")};
    QTest::newRow("sequence cut off at the end")
        << QByteArray("abc\xC5") << QStringLiteral("abcĹ") << QStringList{QStringLiteral("abcĹ")};
    QTest::newRow("overlong encoding is not UTF-8")
        << QByteArray("\xC0\xAF") << QStringLiteral("ŔŻ") << QStringList{QStringLiteral("ŔŻ")};
    QTest::newRow("encoded surrogate is not UTF-8")
        << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€")
        << QStringList{QStringLiteral("í\u00A0€")};
}

void TestTextFile::decodeAndSplit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(DecodeText(bytes), text);
    QCOMPARE(TextLines(text), lines);
}

void TestTextFile::readsTheLinesOfAFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("eksptresc.dat"));
    QVERIFY(testfiles::writeBytes(path, QByteArray("\xEF\xBB\xBFop\xC5\x82"
                                                   "ata\r\n\r\nmyjnia\n")));
    QCOMPARE(ReadTextLines(path),
             (QStringList{QStringLiteral("opłata"), QString(), QStringLiteral("myjnia")}));
}

void TestTextFile::missingFileIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY_FILE_ERROR(ReadTextLines(dir.filePath(QStringLiteral("none.dat"))), 2,
                       QStringLiteral("File not found"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
