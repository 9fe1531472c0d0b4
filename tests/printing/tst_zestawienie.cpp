#include "clientrecords.h"
#include "czcionki.h"
#include "fixedpoint.h"
#include "koszty.h"
#include "page.h"
#include "paths.h"
#include "pdfwords.h"
#include "recordfile.h"
#include "recordingpage.h"
#include "wydruk.h"
#include "zestawienie.h"

#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace printing;
using namespace storage;

namespace {

// The worked example: March; mileage 300, 250, 400; invoices net 500, 100, 120; March's VAT
// 26.40. Rows of the table hold A, C, B, D, E.
struct Fixture {
    Record owner{owner::kSize};
    Record costs{cost::kSize};
    settlement::CalculationResults results;
    PrintFontSettings font;

    Fixture()
    {
        owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
        owner.setText(owner::nazwa2, QStringLiteral("Usługi Transportowe"));
        owner.setText(owner::nazwa3, QStringLiteral("ul. Polna 1, 00-950 Warszawa"));
        owner.setText(owner::nip, QStringLiteral("123-456-32-18"));
        owner.setText(owner::rejestracja, QStringLiteral("WA 12345"));
        owner.setText(owner::marka, QStringLiteral("Skoda Octavia"));

        invoice(1, 1,
                {QStringLiteral("10.01.2007"), QStringLiteral("Opony"), QStringLiteral("FV 3/01"),
                 QStringLiteral("  500.00"), QStringLiteral("  110.00")});
        invoice(2, 1,
                {QStringLiteral("02.02.2007"), QStringLiteral("Olej"), QStringLiteral("F 9"),
                 QStringLiteral("  100.00"), QStringLiteral("   22.00")});
        invoice(3, 1,
                {QStringLiteral("05.03.2007"), QStringLiteral("Paliwo"),
                 QStringLiteral("FV 12/03/2007"), QStringLiteral("  100.00"),
                 QStringLiteral("   22.00")});
        invoice(3, 2,
                {QStringLiteral("12.03.2007"), QStringLiteral("Myjnia"), QStringLiteral("R/7"),
                 QStringLiteral("   20.00"), QStringLiteral("    4.40")});
        invoice(3, 3,
                {QStringLiteral("20.03.2007"), QStringLiteral("Parking"), QStringLiteral("P-1"),
                 QString(), QString()});

        const double rows[3][5] = {
            {300, 300, 500, 500, 300}, {250, 550, 100, 600, 250}, {400, 950, 120, 720, 170}};
        for (int month = 1; month <= 3; ++month) {
            for (int column = 0; column < 5; ++column)
                results.table.setText(settlement::CalculationResults::cell(month, column),
                                      FormatFixed(rows[month - 1][column], 12, 2));
        }
        results.cumulativeMileage = 950;
        results.cumulativeCosts = 720;
        results.totalBooked = 720;
        results.amountToBook = 170;
        results.vatToBook = 26.4;
        results.month = 3;
        results.title = QStringLiteral("Rozliczenie miesiąca Marzec 2007");
        results.stem = QStringLiteral("007_2007");

        font.record.setInt32(PrintFontSettings::kColour, 0x000080); // dark red
        font.record.setText(PrintFontSettings::face, QStringLiteral("Arial"));
        font.record.setInt32(PrintFontSettings::kPoints, 10);
        font.record.setByte(PrintFontSettings::kStyle, Italic);
        font.currentFace = QStringLiteral("Arial");
        font.currentSize = 10;
    }

    void invoice(int month, int row, const QStringList &cells)
    {
        for (int column = 0; column < 5; ++column)
            costs.setText(cost::entry(month, column, row), cells.at(column));
    }

    StatementInput input() const
    {
        return {QStringLiteral("41"),
                QStringLiteral("/2007"),
                QStringLiteral("15.03.2007"),
                QStringLiteral("Kraków"),
                owner,
                costs,
                results,
                font};
    }

    QStringList draw() const
    {
        RecordingPage page;
        DrawStatement(page, input());
        return page.calls;
    }
};

// The calls a layout is expected to make; texts carry the font given last.
struct Expected {
    QStringList calls;
    QString font;

    void call(const QString &line) { calls << line; }
    void setFont(const QString &face, int points, const QString &description)
    {
        calls << QStringLiteral("UstawCzcionke \"%1\" %2").arg(face).arg(points);
        font = description;
    }
    void frame(int x, int y, int width, int height)
    {
        calls << QStringLiteral("RysujRamke %1 %2 %3 %4").arg(x).arg(y).arg(width).arg(height);
    }
    void text(int x, int y, const QString &text)
    {
        calls << QStringLiteral("PiszTekst %1 %2 \"%3\" %4").arg(x).arg(y).arg(text, font);
    }
};

// First difference of two call lists, for a readable failure.
QString FirstDifference(const QStringList &actual, const QStringList &expected)
{
    for (int i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("call %1:\n  actual:   %2\n  expected: %3")
                .arg(i)
                .arg(actual[i], expected[i]);
    }
    return QStringLiteral("%1 calls, %2 expected").arg(actual.size()).arg(expected.size());
}

} // namespace

class TestZestawienie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeStatementOfTheWorkedExample();
    void totals_data();
    void totals();
    void withoutSettingsThePlainFaceAndDefaultHeightAreUsed();
    void demoMarchFitsTheA4Page();
};

void TestZestawienie::wholeStatementOfTheWorkedExample()
{
    const QString settings = QStringLiteral("[Arial 10 italic #800000]");
    const QString courier8 = QStringLiteral("[Courier New 8 italic #800000]");
    Expected e;
    e.call(QStringLiteral("Styl italic"));
    e.call(QStringLiteral("Kolor #800000"));
    e.call(QStringLiteral("UstawStrone"));
    e.setFont(QStringLiteral("Arial"), 10, settings);

    // Header.
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(15, 5, QStringLiteral("Dokument Nr 41/2007"));
    e.text(100, 5, QStringLiteral("Kraków"));
    e.text(170, 5, QStringLiteral("15.03.2007"));
    e.frame(15, 10, 170, 2);
    e.call(QStringLiteral("Pogrubienie 1"));
    e.setFont(QStringLiteral("Arial"), 15, QStringLiteral("[Arial 15 bold #800000]"));
    e.text(15, 15, QStringLiteral("Jan Kowalski"));
    e.call(QStringLiteral("Pogrubienie 0"));
    e.call(QStringLiteral("Styl italic"));
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(15, 22, QStringLiteral("Usługi Transportowe"));
    e.text(15, 27, QStringLiteral("ul. Polna 1, 00-950 Warszawa"));
    e.text(15, 32, QStringLiteral("Nip 123-456-32-18"));
    e.text(15, 37, QStringLiteral("Skoda Octavia WA 12345"));
    e.frame(15, 44, 170, 10);
    e.call(QStringLiteral("Pogrubienie 1"));
    e.setFont(QStringLiteral("Arial"), 10, QStringLiteral("[Arial 10 bold #800000]"));
    e.text(16, 45, QStringLiteral("Rozliczenie miesiąca Marzec 2007"));
    e.call(QStringLiteral("Pogrubienie 0"));
    e.call(QStringLiteral("Styl italic"));
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(15, 57,
           QStringLiteral("Zestawienie rachunków z tytułu poniesionych wydatków w związku z "
                          "użytkowaniem własnego samochodu"));

    // Invoices of March.
    const int invoiceX[] = {15, 35, 115, 145, 165};
    const int invoiceWidth[] = {20, 80, 30, 20, 20};
    e.setFont(QStringLiteral("Arial"), 10, settings);
    for (int column = 0; column < 5; ++column)
        e.frame(invoiceX[column], 61, invoiceWidth[column], 7);
    e.text(16, 62, QStringLiteral("Data"));
    e.text(36, 62, QStringLiteral("Rodzaj wydatku"));
    e.text(116, 62, QStringLiteral("Nr dokumentu"));
    e.text(146, 62, QStringLiteral("Netto"));
    e.text(166, 62, QStringLiteral("Vat [zł]"));
    e.setFont(QStringLiteral("Courier New"), 8, courier8);
    const QList<QStringList> march = {
        {QStringLiteral("05.03.2007"), QStringLiteral("Paliwo"), QStringLiteral("FV 12/03/2007"),
         QStringLiteral("  100.00"), QStringLiteral("   22.00")},
        {QStringLiteral("12.03.2007"), QStringLiteral("Myjnia"), QStringLiteral("R/7"),
         QStringLiteral("   20.00"), QStringLiteral("    4.40")},
        {QStringLiteral("20.03.2007"), QStringLiteral("Parking"), QStringLiteral("P-1"), QString(),
         QString()},
    };
    for (int row = 1; row <= 20; ++row) {
        const int y = 68 + 5 * (row - 1);
        for (int column = 0; column < 5; ++column)
            e.frame(invoiceX[column], y, invoiceWidth[column], 5);
        for (int column = 0; column < 5; ++column)
            e.text(invoiceX[column] + 1, y + 1,
                   row <= march.size() ? march[row - 1][column] : QString());
    }
    e.text(126, 169, QStringLiteral("RAZEM"));
    e.frame(145, 168, 20, 5);
    e.frame(165, 168, 20, 5);
    e.text(146, 169, QStringLiteral("  120.00"));
    e.text(166, 169, QStringLiteral("   26.40"));

    // The year up to March.
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(15, 175,
           QStringLiteral("Zestawienie kosztów użytkowania prywatnego samochodu do celów "
                          "prowadzonej działalności gospodarczej"));
    e.frame(15, 179, 25, 12);
    e.frame(40, 179, 60, 6);
    e.frame(100, 179, 60, 6);
    e.frame(160, 179, 25, 12);
    e.text(16, 182, QStringLiteral("Miesiąc"));
    e.text(41, 180, QStringLiteral("Przebieg pojazdu"));
    e.text(101, 180, QStringLiteral("Eksploatacja pojazdu"));
    e.text(161, 180, QStringLiteral("Koszty uzyska-"));
    e.text(161, 185, QStringLiteral("nia przychodu"));
    for (const int x : {40, 70, 100, 130})
        e.frame(x, 185, 30, 6);
    e.text(41, 186, QStringLiteral("miesięcznie [zł]"));
    e.text(71, 186, QStringLiteral("narastająco [zł]"));
    e.text(101, 186, QStringLiteral("miesięcznie [zł]"));
    e.text(131, 186, QStringLiteral("narastająco [zł]"));
    e.setFont(QStringLiteral("Courier New"), 8, courier8);
    const QStringList months = {
        QStringLiteral("Styczeń"),     QStringLiteral("Luty"),     QStringLiteral("Marzec"),
        QStringLiteral("Kwiecień"),    QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
        QStringLiteral("Lipiec"),      QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
        QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień")};
    // Columns on the page: A, C, B, D, E.
    const QList<QStringList> table = {
        {QStringLiteral("      300.00"), QStringLiteral("      300.00"),
         QStringLiteral("      500.00"), QStringLiteral("      500.00"),
         QStringLiteral("      300.00")},
        {QStringLiteral("      250.00"), QStringLiteral("      550.00"),
         QStringLiteral("      100.00"), QStringLiteral("      600.00"),
         QStringLiteral("      250.00")},
        {QStringLiteral("      400.00"), QStringLiteral("      950.00"),
         QStringLiteral("      120.00"), QStringLiteral("      720.00"),
         QStringLiteral("      170.00")},
    };
    const int yearX[] = {15, 40, 70, 100, 130, 160};
    const int yearWidth[] = {25, 30, 30, 30, 30, 25};
    for (int month = 1; month <= 12; ++month) {
        const int y = 191 + 5 * (month - 1);
        for (int column = 0; column < 6; ++column)
            e.frame(yearX[column], y, yearWidth[column], 5);
        e.text(16, y + 1, months[month - 1]);
        for (int column = 0; column < 5; ++column)
            e.text(yearX[column + 1] + 1, y + 1,
                   month <= table.size() ? table[month - 1][column] : QString());
    }
    e.frame(40, 251, 30, 5);
    e.frame(100, 251, 30, 5);
    e.frame(160, 251, 25, 5);
    e.text(41, 252, QStringLiteral("      950.00"));
    e.text(101, 252, QStringLiteral("      720.00"));
    e.text(161, 252, QStringLiteral("      720.00"));

    // Amounts to book.
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(15, 256, QStringLiteral("Na podstawie rozliczenia - do zaksięgowania:"));
    e.frame(15, 261, 30, 6);
    e.frame(45, 261, 30, 6);
    e.text(16, 262, QStringLiteral("Netto [zł]"));
    e.text(46, 262, QStringLiteral("Vat [zł]"));
    e.setFont(QStringLiteral("Courier New"), 10, QString());
    e.call(QStringLiteral("Pogrubienie 1"));
    e.font = QStringLiteral("[Courier New 10 bold #800000]");
    e.frame(15, 267, 30, 7);
    e.frame(45, 267, 30, 7);
    e.text(16, 268, QStringLiteral("      170.00"));
    e.text(46, 268, QStringLiteral("       26.40"));
    e.call(QStringLiteral("Pogrubienie 0"));
    e.call(QStringLiteral("Styl italic"));
    e.setFont(QStringLiteral("Arial"), 10, settings);
    e.text(150, 269, QStringLiteral("pieczęć i podpis"));

    const QStringList actual = Fixture().draw();
    QVERIFY2(actual == e.calls, qPrintable(FirstDifference(actual, e.calls)));
}

void TestZestawienie::totals_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("nets");
    QTest::addColumn<QStringList>("vats");
    QTest::addColumn<QString>("netText");
    QTest::addColumn<QString>("vatText");

    QTest::newRow("month without invoices")
        << 3 << QStringList() << QStringList() << QStringLiteral("    0.00")
        << QStringLiteral("    0.00");
    QTest::newRow("empty texts count as 0")
        << 3 << QStringList{QStringLiteral("  100.00"), QString(), QStringLiteral("   20.00")}
        << QStringList{QStringLiteral("   22.00"), QString(), QStringLiteral("    4.40")}
        << QStringLiteral("  120.00") << QStringLiteral("   26.40");
    QTest::newRow("summed before rounding")
        << 3 << QStringList{QStringLiteral("0.004"), QStringLiteral("0.004")}
        << QStringList{QStringLiteral("0.005"), QStringLiteral("0.005")}
        << QStringLiteral("    0.01") << QStringLiteral("    0.01");
    QTest::newRow("all twenty rows") << 3 << QStringList(20, QStringLiteral("    1.00"))
                                     << QStringList(20, QStringLiteral("    0.25"))
                                     << QStringLiteral("   20.00") << QStringLiteral("    5.00");
    QTest::newRow("wider than eight is written in full")
        << 3 << QStringList{QStringLiteral("123456.78"), QStringLiteral("9000000.00")}
        << QStringList{QStringLiteral("1.5")} << QStringLiteral("9123456.78")
        << QStringLiteral("    1.50");
    QTest::newRow("text that is no number")
        << 3 << QStringList{QStringLiteral("abc"), QStringLiteral("12,50")}
        << QStringList{QStringLiteral("-")} << QStringLiteral("   12.00")
        << QStringLiteral("    0.00");
    QTest::newRow("no month calculated: no rows")
        << 0 << QStringList{QStringLiteral("  100.00")} << QStringList{QStringLiteral("   22.00")}
        << QStringLiteral("    0.00") << QStringLiteral("    0.00");
}

void TestZestawienie::totals()
{
    QFETCH(int, month);
    QFETCH(QStringList, nets);
    QFETCH(QStringList, vats);
    QFETCH(QString, netText);
    QFETCH(QString, vatText);

    Fixture fixture;
    fixture.costs.clear();
    fixture.results.month = month;
    for (int row = 1; row <= nets.size(); ++row)
        fixture.costs.setText(cost::entry(3, cost::kNet, row), nets[row - 1]);
    for (int row = 1; row <= vats.size(); ++row)
        fixture.costs.setText(cost::entry(3, cost::kVat, row), vats[row - 1]);

    const QStringList calls = fixture.draw();
    QCOMPARE(TextAt(calls, 146, 169), netText);
    QCOMPARE(TextAt(calls, 166, 169), vatText);
    // The rows show the stored texts of the calculated month only.
    QCOMPARE(TextAt(calls, 146, 69), month == 3 ? nets.value(0) : QString());
    QCOMPARE(TextAt(calls, 166, 69), month == 3 ? vats.value(0) : QString());
}

void TestZestawienie::withoutSettingsThePlainFaceAndDefaultHeightAreUsed()
{
    Fixture fixture;
    fixture.font = PrintFontSettings{};
    const QStringList calls = fixture.draw();
    QCOMPARE(calls.mid(0, 4),
             (QStringList{QStringLiteral("Styl plain"), QStringLiteral("Kolor #000000"),
                          QStringLiteral("UstawStrone"),
                          QStringLiteral("UstawCzcionke \"Sans Serif\" 0")}));
    QCOMPARE(FontAt(calls, 15, 5), QStringLiteral("[Sans Serif 0 plain #000000]"));
    // The first name line: bold at 0 + 5 points.
    QCOMPARE(FontAt(calls, 15, 15), QStringLiteral("[Sans Serif 5 bold #000000]"));
    QCOMPARE(FontAt(calls, 15, 22), QStringLiteral("[Sans Serif 0 plain #000000]"));
    // The fixed parts keep their own face and size.
    QCOMPARE(FontAt(calls, 16, 69), QStringLiteral("[Courier New 8 plain #000000]"));
    QCOMPARE(FontAt(calls, 16, 268), QStringLiteral("[Courier New 10 bold #000000]"));
    // After the fixed parts the text goes back to the plain face, not the fixed one set last.
    QCOMPARE(FontAt(calls, 15, 175), QStringLiteral("[Sans Serif 0 plain #000000]"));
    QCOMPARE(FontAt(calls, 15, 256), QStringLiteral("[Sans Serif 0 plain #000000]"));
    QCOMPARE(FontAt(calls, 150, 269), QStringLiteral("[Sans Serif 0 plain #000000]"));
}

void TestZestawienie::demoMarchFitsTheA4Page()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed: the words of the PDF cannot be placed here");

    // The demo's client 001 in 2000 with the print font a fresh installation supplies.
    const QString workingDir = QStringLiteral(DEMO_SEED_DIR);
    PrintFontSettings font;
    CzytajFonty(font, workingDir, kPrintFontFile);
    QCOMPARE(font.currentFace, QStringLiteral("DejaVu Sans"));
    QCOMPARE(font.currentSize, 8);
    const QString stem = QStringLiteral("001_2000");
    Record owner(owner::kSize);
    ReadRecord(ClientFile(workingDir, QStringLiteral("001"), QStringLiteral(".dat")), owner);
    Record mileage(mileage::kSize);
    ReadRecord(YearFile(workingDir, stem, QStringLiteral(".prz")), mileage);
    Record costs(cost::kSize);
    ReadRecord(YearFile(workingDir, stem, QStringLiteral(".eks")), costs);
    Record number(numerator::kSize);
    ReadRecord(YearFile(workingDir, stem, QStringLiteral(".num")), number);
    Record memory(mie::kSize);
    ReadRecord(YearFile(workingDir, stem, QStringLiteral(".mie")), memory);

    settlement::CalculationResults results;
    const settlement::MonthFigures march = settlement::WyliczKoszty(mileage, costs, 3, results);
    QVERIFY(march.toBook > 0.0);
    results.month = 3;
    results.title = QStringLiteral("Rozliczenie miesiąca Marzec 2000");
    results.stem = stem;
    const StatementInput input{QString::number(number.int32(numerator::kNumber)),
                               number.text(numerator::suffix),
                               QStringLiteral("31/03/2000"),
                               memory.text(mie::miejscowosc),
                               owner,
                               costs,
                               results,
                               font};

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("marzec.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QVERIFY(PrintPages(printer, [&](Page &page) { DrawStatement(page, input); }));

    const QList<PdfWord> words = PdfWords(pdf);
    QVERIFY(!words.isEmpty());
    const auto find = [&](const QString &text) {
        for (const PdfWord &w : words) {
            if (w.text == text)
                return w;
        }
        return PdfWord{};
    };

    // pdftotext gives a word the height of its font's ascent plus descent: for DejaVu Sans
    // 1.164 em. The name line is 8 + 5 points, the number line beside it 8.
    const PdfWord name = find(QStringLiteral("Kowalski"));
    const PdfWord document = find(QStringLiteral("Dokument"));
    QVERIFY(!name.text.isEmpty());
    QVERIFY(!document.text.isEmpty());
    QVERIFY2(qAbs(name.box.height() / 1.164 - 13.0) < 0.3,
             qPrintable(QString::number(name.box.height())));
    QVERIFY2(qAbs(document.box.height() / 1.164 - 8.0) < 0.3,
             qPrintable(QString::number(document.box.height())));
    QVERIFY(find(QStringLiteral("12/2000")).text.size() > 0);
    QVERIFY(find(QStringLiteral("Warszawa")).text.size() > 0);

    // Every word, the long headings among them, lies inside the printable area of the sheet.
    const QRectF printable = printer.pageLayout().paintRectPoints();
    QVERIFY(printable.width() > 500.0);
    const PdfWord heading = find(QStringLiteral("samochodu"));
    QVERIFY(!heading.text.isEmpty());
    for (const PdfWord &w : words) {
        QVERIFY2(w.box.left() >= printable.left() - 0.5 && w.box.right() <= printable.right() + 0.5,
                 qPrintable(QStringLiteral("%1 ends at %2 pt, the printable area at %3 pt")
                                .arg(w.text)
                                .arg(w.box.right())
                                .arg(printable.right())));
    }
}

QTEST_MAIN(TestZestawienie)
#include "tst_zestawienie.moc"
