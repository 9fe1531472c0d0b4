#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "fileerror.h"
#include "fileerrorassert.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QtEndian>

using namespace printing;
using namespace storage;

namespace {

// The 76-byte settings record as the file holds it: colour at 0, face at 4 (capacity 60),
// padding at 65, size at 68, style at 72, padding at 73.
QByteArray SettingsBytes(quint32 colour, const QString &face, qint32 points, quint8 style,
                         char padding = '\0')
{
    QByteArray bytes(76, '\0');
    qToLittleEndian<quint32>(colour, bytes.data());
    bytes.replace(4, 61, testfiles::shortString(face, 60));
    bytes.replace(65, 3, QByteArray(3, padding));
    qToLittleEndian<qint32>(points, bytes.data() + 68);
    bytes[72] = char(style);
    bytes.replace(73, 3, QByteArray(3, padding));
    return bytes;
}

} // namespace

class TestCzcionki : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readFillsTheSharedSettings();
    void readWithoutFileChangesNothing();
    void readOfAShortFileFailsAndChangesNothing();
    void implausibleRecordReadsSafely_data();
    void implausibleRecordReadsSafely();
    void saveStoresTheChoiceAndKeepsThePadding();
    void firstSaveStartsFromTahomaEight();
    void cancelStoresNothing();
    void saveWithoutFontDirectoryStoresNothing();
    void widgetTakesTheSettings();
    void zeroSettingsKeepTheWidgetFont();

private:
    QString fontFile() const { return m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")); }
    std::unique_ptr<PrintFontStore> store();

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_dialogs;
    // The settings the free functions read into.
    PrintFontSettings m_font;
};

void TestCzcionki::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_dialogs = FakePrintDialogs{};
    m_font = PrintFontSettings{};
}

void TestCzcionki::cleanup()
{
    QCOMPARE(m_dialogs.unexpected, 0);
    m_ws.reset();
}

std::unique_ptr<PrintFontStore> TestCzcionki::store()
{
    return std::make_unique<PrintFontStore>(m_ws->path(), m_dialogs);
}

void TestCzcionki::readFillsTheSharedSettings()
{
    const QByteArray bytes =
        SettingsBytes(0x00336699, QStringLiteral("Arial"), 11, Italic | Underline, '\xAA');
    QVERIFY(testfiles::writeBytes(fontFile(), bytes));

    CzytajFonty(m_font, m_ws->path(), kPrintFontFile);
    QCOMPARE(m_font.record.bytes(), bytes);
    QCOMPARE(m_font.currentFace, QStringLiteral("Arial"));
    QCOMPARE(m_font.currentSize, 11);

    const FontChoice choice = FontOfSettings(m_font.record);
    QCOMPARE(choice.font.family(), QStringLiteral("Arial"));
    QCOMPARE(choice.font.pointSize(), 11);
    QCOMPARE(choice.font.italic(), true);
    QCOMPARE(choice.font.underline(), true);
    QCOMPARE(choice.font.bold(), false);
    QCOMPARE(choice.font.strikeOut(), false);
    QCOMPARE(choice.colour, QColor(0x99, 0x66, 0x33));
}

void TestCzcionki::readWithoutFileChangesNothing()
{
    m_font.record.bytes() = SettingsBytes(0xFF, QStringLiteral("Verdana"), 9, Bold);
    m_font.currentFace = QStringLiteral("Verdana");
    m_font.currentSize = 9;
    const QByteArray before = m_font.record.bytes();

    CzytajFonty(m_font, m_ws->path(), kPrintFontFile);
    QVERIFY(QDir(m_ws->path(QStringLiteral("FONT"))).removeRecursively());
    CzytajFonty(m_font, m_ws->path(), kPrintFontFile);

    QCOMPARE(m_font.record.bytes(), before);
    QCOMPARE(m_font.currentFace, QStringLiteral("Verdana"));
    QCOMPARE(m_font.currentSize, 9);
    QVERIFY(!QFile::exists(fontFile()));
}

void TestCzcionki::readOfAShortFileFailsAndChangesNothing()
{
    m_font.record.bytes() = SettingsBytes(0, QStringLiteral("Verdana"), 9, 0);
    m_font.currentFace = QStringLiteral("Verdana");
    const QByteArray before = m_font.record.bytes();
    QVERIFY(testfiles::writeBytes(fontFile(),
                                  SettingsBytes(0, QStringLiteral("Arial"), 11, 0).left(75)));

    QVERIFY_FILE_ERROR(CzytajFonty(m_font, m_ws->path(), kPrintFontFile), 100,
                       QStringLiteral("Read beyond end of file"));
    QCOMPARE(m_font.record.bytes(), before);
    QCOMPARE(m_font.currentFace, QStringLiteral("Verdana"));
}

void TestCzcionki::implausibleRecordReadsSafely_data()
{
    QTest::addColumn<qint32>("points");
    QTest::addColumn<qint32>("readSize");
    QTest::newRow("2147483647 points") << qint32(2147483647) << 0;
    QTest::newRow("201 points") << qint32(201) << 0;
    QTest::newRow("negative") << qint32(-12) << 0;
    QTest::newRow("smallest negative") << qint32(-2147483647 - 1) << 0;
    QTest::newRow("200 points") << qint32(200) << 200;
    QTest::newRow("1 point") << qint32(1) << 1;
}

// A record from another program or a damaged disk: its size counts only from 1 to 200 points,
// the style only in its four bits and the colour without its high byte. The file stays as it is.
void TestCzcionki::implausibleRecordReadsSafely()
{
    QFETCH(qint32, points);
    QFETCH(qint32, readSize);
    const QByteArray bytes =
        SettingsBytes(0xAB336699, QStringLiteral("No Such Face Anywhere"), points, 0xF0 | Italic);
    QVERIFY(testfiles::writeBytes(fontFile(), bytes));

    CzytajFonty(m_font, m_ws->path(), kPrintFontFile);
    QCOMPARE(m_font.currentSize, readSize);
    QCOMPARE(m_font.record.bytes(), bytes);
    QCOMPARE(testfiles::readBytes(fontFile()), bytes);
    QCOMPARE(PointsOf(m_font.record), readSize);
    QCOMPARE(StyleOf(m_font.record), quint8(Italic));
    QCOMPARE(ColourOf(m_font.record), 0x336699u);

    QListWidget list;
    const int ownPoints = list.font().pointSize();
    for (int row = 0; row < 500; ++row)
        list.addItem(QString::number(row + 1));
    ApplyPrintFont(&list, m_font);
    QCOMPARE(list.font().pointSize(), readSize > 0 ? readSize : ownPoints);
    QCOMPARE(list.font().italic(), true);
    QCOMPARE(list.font().bold(), false);
    QCOMPARE(list.palette().color(QPalette::Text), QColor(0x99, 0x66, 0x33));
    // The rows keep a usable height, so the list can still show and select them.
    QVERIFY(list.sizeHintForRow(0) > 0);
    if (readSize == 0) {
        QListWidget reference;
        reference.setFont(list.font());
        reference.addItem(QStringLiteral("1"));
        QCOMPARE(list.sizeHintForRow(0), reference.sizeHintForRow(0));
    }
}

void TestCzcionki::saveStoresTheChoiceAndKeepsThePadding()
{
    QVERIFY(testfiles::writeBytes(fontFile(), SettingsBytes(0x00336699, QStringLiteral("Arial"), 11,
                                                            Italic | Underline, '\xAA')));
    const QString longFace = QStringLiteral("Font").repeated(18); // 72 characters
    QFont chosen(longFace);
    chosen.setPointSize(14);
    chosen.setBold(true);
    chosen.setStrikeOut(true);
    m_dialogs.fontAnswers << FontChoice{chosen, QColor(1, 2, 3)};

    auto fonts = store();
    QVERIFY(fonts->ZapiszFonty(kPrintFontFile));

    // The dialog opened on the font of the file.
    QCOMPARE(m_dialogs.fontInitials.size(), 1);
    const FontChoice &initial = m_dialogs.fontInitials.first();
    QCOMPARE(initial.font.family(), QStringLiteral("Arial"));
    QCOMPARE(initial.font.pointSize(), 11);
    QCOMPARE(initial.font.italic(), true);
    QCOMPARE(initial.font.underline(), true);
    QCOMPARE(initial.font.bold(), false);
    QCOMPARE(initial.colour, QColor(0x99, 0x66, 0x33));

    const QByteArray expected =
        SettingsBytes(0x00030201, longFace.left(60), 14, Bold | StrikeOut, '\xAA');
    QCOMPARE(testfiles::readBytes(fontFile()), expected);
    QCOMPARE(fonts->settings().record.bytes(), expected);
    QCOMPARE(fonts->settings().currentFace, longFace.left(60));
    QCOMPARE(fonts->settings().currentSize, 14);
}

void TestCzcionki::firstSaveStartsFromTahomaEight()
{
    QFont chosen(QStringLiteral("Courier New"));
    chosen.setPointSize(9);
    m_dialogs.fontAnswers << FontChoice{chosen, QColor(Qt::black)};

    auto fonts = store();
    QVERIFY(fonts->ZapiszFonty(kPrintFontFile));
    QCOMPARE(m_dialogs.fontInitials.first().font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(m_dialogs.fontInitials.first().font.pointSize(), 8);
    QCOMPARE(testfiles::readBytes(fontFile()),
             SettingsBytes(0, QStringLiteral("Courier New"), 9, 0));
    QCOMPARE(fonts->settings().currentFace, QStringLiteral("Courier New"));
    QCOMPARE(fonts->settings().currentSize, 9);
}

void TestCzcionki::cancelStoresNothing()
{
    const QByteArray stored = SettingsBytes(0x0000FF, QStringLiteral("Arial"), 11, Italic);
    QVERIFY(testfiles::writeBytes(fontFile(), stored));
    auto fonts = store();
    fonts->CzytajFonty(kPrintFontFile);
    m_dialogs.fontAnswers << std::nullopt;

    QVERIFY(!fonts->ZapiszFonty(kPrintFontFile));
    QCOMPARE(m_dialogs.fontInitials.size(), 1);
    QCOMPARE(testfiles::readBytes(fontFile()), stored);
    QCOMPARE(fonts->settings().record.bytes(), stored);
    QCOMPARE(fonts->settings().currentFace, QStringLiteral("Arial"));
    QCOMPARE(fonts->settings().currentSize, 11);
}

void TestCzcionki::saveWithoutFontDirectoryStoresNothing()
{
    QVERIFY(testfiles::writeBytes(fontFile(), SettingsBytes(0, QStringLiteral("Verdana"), 9, 0)));
    auto fonts = store();
    fonts->CzytajFonty(kPrintFontFile);
    const QByteArray before = fonts->settings().record.bytes();
    QVERIFY(QDir(m_ws->path(QStringLiteral("FONT"))).removeRecursively());
    m_dialogs.fontAnswers << FontChoice{QFont(QStringLiteral("Arial"), 20), QColor(Qt::red)};

    QVERIFY_FILE_ERROR(fonts->ZapiszFonty(kPrintFontFile), 3, QStringLiteral("Invalid filename"));
    QCOMPARE(m_dialogs.fontInitials.size(), 1);
    QCOMPARE(fonts->settings().record.bytes(), before);
    QCOMPARE(fonts->settings().currentFace, QStringLiteral("Verdana"));
    QCOMPARE(fonts->settings().currentSize, 9);
    QVERIFY(!QDir(m_ws->path(QStringLiteral("FONT"))).exists());
}

void TestCzcionki::widgetTakesTheSettings()
{
    PrintFontSettings settings;
    settings.record.bytes() = SettingsBytes(0x00563412, QStringLiteral("Courier New"), 13,
                                            Bold | Italic | Underline | StrikeOut);
    QListWidget list;
    ApplyPrintFont(&list, settings);
    QCOMPARE(list.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(list.font().pointSize(), 13);
    QCOMPARE(list.font().bold(), true);
    QCOMPARE(list.font().italic(), true);
    QCOMPARE(list.font().underline(), true);
    QCOMPARE(list.font().strikeOut(), true);
    QCOMPARE(list.palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));

    // A later plain style takes the effects away again.
    settings.record.setByte(PrintFontSettings::kStyle, 0);
    ApplyPrintFont(&list, settings);
    QCOMPARE(list.font().bold(), false);
    QCOMPARE(list.font().italic(), false);
    QCOMPARE(list.font().underline(), false);
    QCOMPARE(list.font().strikeOut(), false);
}

void TestCzcionki::zeroSettingsKeepTheWidgetFont()
{
    QListWidget list;
    QFont own(QStringLiteral("Verdana"));
    own.setPointSize(15);
    list.setFont(own);
    ApplyPrintFont(&list, PrintFontSettings{});
    QCOMPARE(list.font().family(), QStringLiteral("Verdana"));
    QCOMPARE(list.font().pointSize(), 15);
    QCOMPARE(list.palette().color(QPalette::Text), QColor(Qt::black));
}

QTEST_MAIN(TestCzcionki)
#include "tst_czcionki.moc"
