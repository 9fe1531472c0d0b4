#include "fakeprintdialogs.h"
#include "page.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace printing;

namespace {

constexpr QRgb kBackground = 0xFF808080;

// An image of the given resolutions, grey, standing in for a printer's page.
QImage Sheet(int dpiX, int dpiY, int width = 400, int height = 400)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    image.setDotsPerMeterX(qRound(dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    return image;
}

void Draw(QImage &image, const std::function<void(PainterPage &)> &draw)
{
    QPainter painter(&image);
    PainterPage page(painter);
    page.UstawStrone();
    draw(page);
}

bool IsInk(QRgb pixel)
{
    return pixel != kBackground && qGray(pixel) < 160;
}

// The smallest rectangle holding every inked pixel of the area.
QRect InkIn(const QImage &image, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (IsInk(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

class TestPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printUnit_data();
    void printUnit();
    void fontHeight_data();
    void fontHeight();
    void framesFollowTheUnitOfEachAxis();
    void frameHidesWhatWasWrittenBefore();
    void textHangsFromItsPointOnWhite();
    void fontFaceSizeAndStyle();
    void printPagesWritesOnePdfPagePerSheet();
    void printPagesReportsAJobThatCannotBegin();
};

void TestPage::printUnit_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("unit");
    QTest::newRow("300 dpi") << 300 << 12;
    QTest::newRow("360 dpi, 14.4") << 360 << 14;
    QTest::newRow("600 dpi") << 600 << 24;
    QTest::newRow("720 dpi, 28.8") << 720 << 29;
    QTest::newRow("1200 dpi") << 1200 << 48;
    QTest::newRow("203 dpi, 8.12") << 203 << 8;
    QTest::newRow("72 dpi, 2.88") << 72 << 3;
}

void TestPage::printUnit()
{
    QFETCH(int, dpi);
    QFETCH(int, unit);
    QCOMPARE(PrintUnit(dpi), unit);
}

void TestPage::fontHeight_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("height");
    QTest::newRow("10 pt at 600 dpi, 83.33") << 10 << 600 << -83;
    QTest::newRow("12 pt at 600 dpi") << 12 << 600 << -100;
    QTest::newRow("9 pt at 300 dpi, 37.5 up to even") << 9 << 300 << -38;
    QTest::newRow("3 pt at 300 dpi, 12.5 down to even") << 3 << 300 << -12;
    QTest::newRow("8 pt at 1200 dpi, 133.33") << 8 << 1200 << -133;
    QTest::newRow("0 pt: device default") << 0 << 600 << 0;
}

void TestPage::fontHeight()
{
    QFETCH(int, points);
    QFETCH(int, dpi);
    QFETCH(int, height);
    QCOMPARE(FontHeight(points, dpi), height);
}

void TestPage::framesFollowTheUnitOfEachAxis()
{
    // 300 dpi across (12 pixels a unit), 600 dpi down (24 pixels a unit).
    QImage image = Sheet(300, 600);
    Draw(image, [](PainterPage &page) {
        QCOMPARE(page.horizontalUnit(), 12);
        QCOMPARE(page.verticalUnit(), 24);
        page.RysujRamke(1, 1, 2, 3);
    });
    // Corners (12, 24) and (36, 96); the outline stays inside the far corner.
    QCOMPARE(InkIn(image, image.rect()), QRect(QPoint(12, 24), QPoint(35, 95)));
    QCOMPARE(image.pixel(12, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(35, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(20, 24), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(20, 95), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(13, 25), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(34, 94), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(36, 60), kBackground);
}

void TestPage::frameHidesWhatWasWrittenBefore()
{
    const QRect interior(QPoint(2 * 12 + 1, 2 * 12 + 1), QPoint(20 * 12 - 2, 8 * 12 - 2));
    const auto text = [](PainterPage &page) {
        page.UstawCzcionke(QString(), 10);
        page.PiszTekst(3, 3, QStringLiteral("Netto"));
    };
    const auto frame = [](PainterPage &page) { page.RysujRamke(2, 2, 18, 6); };

    QImage textThenFrame = Sheet(300, 300);
    Draw(textThenFrame, [&](PainterPage &page) {
        text(page);
        frame(page);
    });
    QVERIFY(InkIn(textThenFrame, interior).isNull());

    QImage frameThenText = Sheet(300, 300);
    Draw(frameThenText, [&](PainterPage &page) {
        frame(page);
        text(page);
    });
    QVERIFY(!InkIn(frameThenText, interior).isNull());
}

void TestPage::textHangsFromItsPointOnWhite()
{
    QImage image = Sheet(300, 300);
    Draw(image, [](PainterPage &page) {
        page.setFontColour(0x0000C8); // red 200 in the low byte
        page.UstawCzcionke(QString(), 10);
        page.PiszTekst(5, 5, QStringLiteral("Hg"));
    });
    // 10 points at 300 dpi: 42 pixels from the top of the cell at (60, 60).
    const QRect ink = InkIn(image, image.rect());
    QVERIFY(!ink.isNull());
    QVERIFY2(ink.left() >= 60 && ink.left() < 70, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= 60 && ink.top() < 60 + 20, qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.bottom() < 60 + 60, qPrintable(QString::number(ink.bottom())));

    bool red = false;
    for (int y = ink.top(); y <= ink.bottom() && !red; ++y) {
        for (int x = ink.left(); x <= ink.right() && !red; ++x) {
            const QColor pixel(image.pixel(x, y));
            red = pixel.red() > 150 && pixel.green() < 60 && pixel.blue() < 60;
        }
    }
    QVERIFY(red);
    // The background of the text is opaque white: the grey of the sheet is gone at the very
    // top-left of the cell.
    QCOMPARE(image.pixel(60, 60), qRgb(255, 255, 255));
}

void TestPage::fontFaceSizeAndStyle()
{
    QImage image = Sheet(600, 600, 10, 10);
    QPainter painter(&image);
    const QFont initial = painter.font();
    PainterPage page(painter);
    page.UstawStrone();

    page.UstawCzcionke(QStringLiteral("Courier New"), 10);
    QCOMPARE(painter.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(painter.font().pixelSize(), 83);

    // An empty face keeps the face; the height follows the points.
    page.UstawCzcionke(QString(), 12);
    QCOMPARE(painter.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(painter.font().pixelSize(), 100);

    page.setFontStyle(Italic | Underline | StrikeOut);
    QCOMPARE(painter.font().italic(), true);
    QCOMPARE(painter.font().underline(), true);
    QCOMPARE(painter.font().strikeOut(), true);
    QVERIFY(!painter.font().bold());

    // Bold replaces the whole style; flag 0 makes it plain; other flags change nothing.
    page.Pogrubienie(1);
    QVERIFY(painter.font().bold());
    QCOMPARE(painter.font().italic(), false);
    QCOMPARE(painter.font().underline(), false);
    page.Pogrubienie(2);
    QVERIFY(painter.font().bold());
    page.Pogrubienie(0);
    QCOMPARE(painter.font().bold(), false);
    QCOMPARE(painter.font().italic(), false);

    // 0 points: the device's default height, in the face set before.
    page.UstawCzcionke(QString(), 0);
    QCOMPARE(painter.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(painter.font().pointSizeF(), initial.pointSizeF());
}

void TestPage::printPagesWritesOnePdfPagePerSheet()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("two.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    int unitX = 0;
    QVERIFY(PrintPages(printer, [&](Page &page) {
        page.UstawStrone();
        unitX = static_cast<PainterPage &>(page).horizontalUnit();
        page.PiszTekst(10, 10, QStringLiteral("pierwsza"));
        page.newPage();
        page.PiszTekst(10, 10, QStringLiteral("druga"));
    }));
    QCOMPARE(unitX, PrintUnit(printer.resolution()));
    QCOMPARE(PdfPageCount(pdf), 2);
}

void TestPage::printPagesReportsAJobThatCannotBegin()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/out.pdf")));
    bool drawn = false;
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!PrintPages(printer, [&](Page &) { drawn = true; }));
    QVERIFY(!drawn);
}

QTEST_MAIN(TestPage)
#include "tst_page.moc"
