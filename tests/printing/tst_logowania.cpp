#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "logowania.h"
#include "lokalizacja.h"
#include "recordingpage.h"
#include "testfiles.h"
#include "textcodec.h"
#include "workspace.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

using namespace printing;
using namespace storage;

namespace {

const QString kCaption = QStringLiteral("Informacje o wersji sieciowej.");

QStringList NumberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("linia %1").arg(i);
    return lines;
}

QByteArray FontRecord(const QString &face, int points, quint8 style, quint32 colour)
{
    Record record(PrintFontSettings::kSize);
    record.setInt32(PrintFontSettings::kColour, qint32(colour));
    record.setText(PrintFontSettings::face, face);
    record.setInt32(PrintFontSettings::kPoints, points);
    record.setByte(PrintFontSettings::kStyle, style);
    return record.bytes();
}

// The y of every text line after the caption, with -1 for each new page.
QList<int> LinePositions(const QStringList &calls)
{
    static const QRegularExpression text(QStringLiteral("^PiszTekst 10 (\\d+) \"linia"));
    QList<int> positions;
    for (const QString &call : calls) {
        if (call == QLatin1String("NowaStrona"))
            positions << -1;
        else if (const QRegularExpressionMatch match = text.match(call); match.hasMatch())
            positions << match.captured(1).toInt();
    }
    return positions;
}

} // namespace

class TestLogowania : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void captionThenLinesInTheirFonts();
    void linesPerPage_data();
    void linesPerPage();

    void openingCreatesAMissingTextEmpty();
    void openingShowsTheTextInThePrintFont();
    void withoutFileNameOnlyTheCaptionIsSet();
    void unreachableNetworkDatabaseEndsTheProgram();
    void openingFaults_data();
    void openingFaults();
    void printedPages_data();
    void printedPages();
    void printStopsOnAShortFontFile();
    void cancelledPrintDialogPrintsNothing();

private:
    QString helpFile() const { return m_ws->path(QStringLiteral("POMOC/siec.dat")); }
    QString fontFile() const { return m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")); }
    QPlainTextEdit *memo() const
    {
        return m_window->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    }
    bool open();

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_dialogs;
    std::unique_ptr<PrintFontStore> m_fonts;
    NotepadRequest m_request;
    std::unique_ptr<Tlogowania_f> m_window;
};

void TestLogowania::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_dialogs = FakePrintDialogs{};
    m_fonts = std::make_unique<PrintFontStore>(m_ws->path(), m_dialogs);
    m_request = {QStringLiteral("\\POMOC\\siec.dat"), 1, kCaption};
}

void TestLogowania::cleanup()
{
    QCOMPARE(m_dialogs.unexpected, 0);
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    m_window.reset();
    m_fonts.reset();
    m_ws.reset();
}

bool TestLogowania::open()
{
    if (!m_window)
        m_window =
            std::make_unique<Tlogowania_f>(m_ws->path(), m_ws->seams.seams, m_dialogs, *m_fonts);
    return m_window->openWith(m_request);
}

void TestLogowania::captionThenLinesInTheirFonts()
{
    PrintFontSettings font;
    font.record.bytes() = FontRecord(QStringLiteral("Arial"), 10, Italic, 0x0000FF);
    font.currentFace = QStringLiteral("Arial");
    font.currentSize = 10;
    RecordingPage page;
    DrawNotepad(page, kCaption, {QStringLiteral("pierwsza"), QStringLiteral("druga")}, font);
    QCOMPARE(page.calls,
             (QStringList{
                 QStringLiteral("Styl italic"),
                 QStringLiteral("Kolor #ff0000"),
                 QStringLiteral("UstawStrone"),
                 QStringLiteral("UstawCzcionke \"Arial\" 15"),
                 QStringLiteral("Pogrubienie 1"),
                 QStringLiteral("PiszTekst 10 6 \"%1\" [Arial 15 bold #ff0000]").arg(kCaption),
                 QStringLiteral("Pogrubienie 0"),
                 QStringLiteral("Styl italic"),
                 QStringLiteral("UstawCzcionke \"Arial\" 10"),
                 QStringLiteral("PiszTekst 10 16 \"pierwsza\" [Arial 10 italic #ff0000]"),
                 QStringLiteral("PiszTekst 10 21 \"druga\" [Arial 10 italic #ff0000]"),
             }));
}

void TestLogowania::linesPerPage_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastY");
    QTest::newRow("empty text: the caption only") << 0 << 1 << -1;
    QTest::newRow("51 lines fill the first page") << 51 << 1 << 266;
    QTest::newRow("the 52nd line opens page two") << 52 << 2 << 6;
    QTest::newRow("102 lines fill page two") << 102 << 2 << 256;
    QTest::newRow("the 103rd line opens page three") << 103 << 3 << 6;
}

void TestLogowania::linesPerPage()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, lastY);

    RecordingPage page;
    DrawNotepad(page, kCaption, NumberedLines(lines), PrintFontSettings{});
    QCOMPARE(page.calls.count(QStringLiteral("NowaStrona")), pages - 1);
    QCOMPARE(TextAt(page.calls, 10, 6), kCaption);

    const QList<int> positions = LinePositions(page.calls);
    QCOMPARE(positions.size(), lines + pages - 1);
    QCOMPARE(positions.isEmpty() ? -1 : positions.last(), lastY);
    if (lines > 0)
        QCOMPARE(positions.first(), 16);
    // Every page runs down in steps of 5: the first from 16 to at most 266, the others from 6
    // to at most 256.
    int onPage = 1;
    for (int i = 0; i < positions.size(); ++i) {
        if (positions[i] == -1) {
            QCOMPARE(positions[i - 1], onPage == 1 ? 266 : 256);
            QCOMPARE(positions[i + 1], 6);
            ++onPage;
        } else if (i > 0 && positions[i - 1] != -1) {
            QCOMPARE(positions[i], positions[i - 1] + 5);
        }
    }
}

void TestLogowania::openingCreatesAMissingTextEmpty()
{
    QVERIFY(open());
    QCOMPARE(m_window->windowTitle(), kCaption);
    QVERIFY(QFile::exists(helpFile()));
    QCOMPARE(QFileInfo(helpFile()).size(), 0);
    QCOMPARE(memo()->toPlainText(), QString());
    // The base directory came from a database location record written with its defaults.
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("Admini/siec.dat"))));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestLogowania::openingShowsTheTextInThePrintFont()
{
    const QByteArray text = ToWindows1250(QStringLiteral("Zażółć gęślą\r\njaźń\r\n"));
    QVERIFY(testfiles::writeBytes(helpFile(), text));
    QVERIFY(testfiles::writeBytes(
        fontFile(), FontRecord(QStringLiteral("Courier New"), 12, Bold | Underline, 0x00336699)));
    QVERIFY(open());
    QCOMPARE(memo()->toPlainText(), QStringLiteral("Zażółć gęślą\njaźń\n"));
    QCOMPARE(memo()->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(memo()->font().pointSize(), 12);
    QCOMPARE(memo()->font().bold(), true);
    QCOMPARE(memo()->font().underline(), true);
    QCOMPARE(memo()->font().italic(), false);
    QCOMPARE(memo()->palette().color(QPalette::Text), QColor(0x99, 0x66, 0x33));
    QCOMPARE(m_fonts->settings().currentFace, QStringLiteral("Courier New"));

    // What is typed is never saved and is gone at the next opening.
    memo()->setPlainText(QStringLiteral("zmiana"));
    m_window->SpeedButton4Click();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(testfiles::readBytes(helpFile()), text);
    QVERIFY(open());
    QCOMPARE(memo()->toPlainText(), QStringLiteral("Zażółć gęślą\njaźń\n"));
}

void TestLogowania::withoutFileNameOnlyTheCaptionIsSet()
{
    // Neither the font settings nor a text file are touched.
    QVERIFY(testfiles::writeBytes(fontFile(), QByteArray(75, '\0')));
    m_window = std::make_unique<Tlogowania_f>(m_ws->path(), m_ws->seams.seams, m_dialogs, *m_fonts);
    QVERIFY(m_window->openWith({QString(), 0, QStringLiteral("Notatnik")}));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Notatnik"));
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("Admini/siec.dat"))));
    QVERIFY(!QFile::exists(helpFile()));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestLogowania::unreachableNetworkDatabaseEndsTheProgram()
{
    WriteLocation(m_ws->path(), lokalizacja::Network, m_ws->path(),
                  m_ws->path(QStringLiteral("no-such-share")));
    m_ws->seams.dialogs.answers << false;
    QVERIFY(!open());
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QVERIFY(m_ws->seams.dialogs.shown.first().text.startsWith(
        QStringLiteral("Serwer baz danych nie jest dostępny.")));
    QVERIFY(!m_window->isVisible());
    QVERIFY(!QFile::exists(helpFile()));
}

void TestLogowania::openingFaults_data()
{
    QTest::addColumn<bool>("shortFont");
    QTest::addColumn<QString>("message");
    QTest::newRow("font settings one byte short")
        << true << QStringLiteral("Read beyond end of file");
    QTest::newRow("no POMOC directory") << false << QStringLiteral("Invalid filename");
}

void TestLogowania::openingFaults()
{
    QFETCH(bool, shortFont);
    QFETCH(QString, message);
    if (shortFont)
        QVERIFY(testfiles::writeBytes(fontFile(), QByteArray(75, '\0')));
    else
        QVERIFY(QDir(m_ws->path(QStringLiteral("POMOC"))).removeRecursively());
    QVERIFY(!open());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{message});
    QVERIFY(!QFile::exists(helpFile()));
}

void TestLogowania::printedPages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pages");
    const QString longParagraph = QStringLiteral("słowo ").repeated(120);
    QTest::newRow("empty text") << QString() << 1;
    QTest::newRow("51 lines") << NumberedLines(51).join(QLatin1Char('\n')) << 1;
    QTest::newRow("52 lines") << NumberedLines(52).join(QLatin1Char('\n')) << 2;
    QTest::newRow("51 with a final line break")
        << NumberedLines(51).join(QLatin1Char('\n')) + QLatin1Char('\n') << 1;
    QTest::newRow("50 lines and a wrapped paragraph")
        << NumberedLines(50).join(QLatin1Char('\n')) + QLatin1Char('\n') + longParagraph << 2;
}

void TestLogowania::printedPages()
{
    QFETCH(QString, text);
    QFETCH(int, pages);
    QVERIFY(testfiles::writeBytes(helpFile(), ToWindows1250(text)));
    QVERIFY(open());
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    const QString pdf = m_ws->path(QStringLiteral("notatnik.pdf"));
    m_dialogs.printAnswers << true;
    m_dialogs.pdfFiles << pdf;
    m_window->SpeedButton3Click();
    QCOMPARE(PdfPageCount(pdf), pages);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestLogowania::printStopsOnAShortFontFile()
{
    QVERIFY(open());
    QVERIFY(testfiles::writeBytes(fontFile(), QByteArray(75, '\0')));
    const QString pdf = m_ws->path(QStringLiteral("notatnik.pdf"));
    m_dialogs.printAnswers << true;
    m_dialogs.pdfFiles << pdf;
    m_window->SpeedButton3Click();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(),
             QStringList{QStringLiteral("Read beyond end of file")});
    QVERIFY(!QFile::exists(pdf));
}

void TestLogowania::cancelledPrintDialogPrintsNothing()
{
    QVERIFY(open());
    m_dialogs.printAnswers << false;
    m_window->SpeedButton3Click();
    QCOMPARE(m_dialogs.printDialogsShown, 1);
    QVERIFY(QDir(m_ws->path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

QTEST_MAIN(TestLogowania)
#include "tst_logowania.moc"
