#include "ewidencjadruk.h"
#include "fakeprintdialogs.h"
#include "fixedpoint.h"
#include "page.h"
#include "pdfwords.h"
#include "recordingpage.h"
#include "triplog.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace printing;
using namespace storage;

namespace {

// 300 trips in March 2007 (numbers 3 to 302: two trips of January come first), 12.50 km each
// at 0.8358, every tenth with a route long enough to take two lines; one trip in May.
TripLog busyLog()
{
    TripLog log;
    log.person1 = QStringLiteral("Jan Kowalski");
    log.person2 = QStringLiteral("ul. Żytnia 5");
    log.person3 = QStringLiteral("01-014 Warszawa");
    log.registration = QStringLiteral("WA 12345");
    log.engine = 1242;
    log.vehicleClass = triplog::CarOver900;
    for (int i = 0; i < 2; ++i)
        log.trips << Trip{1,
                          QStringLiteral("02.01.2007"),
                          QStringLiteral("Biuro – bank"),
                          QStringLiteral("wpłata"),
                          QStringLiteral("    10.00"),
                          QStringLiteral("   0.7846"),
                          {}};
    for (int i = 0; i < 300; ++i) {
        const QString route =
            i % 10 == 0 ? QStringLiteral("Warszawa, ul. Marszałkowska 1 – Grodzisk Mazowiecki, "
                                         "ul. Kościuszki 12")
                        : QStringLiteral("Biuro – klient %1").arg(i);
        log.trips << Trip{3,
                          QStringLiteral("%1.03.2007").arg(1 + i % 31, 2, 10, QLatin1Char('0')),
                          route,
                          QStringLiteral("dostawa"),
                          QStringLiteral("    12.50"),
                          QStringLiteral("   0.8358"),
                          {}};
    }
    log.trips << Trip{5,
                      QStringLiteral("04.05.2007"),
                      QStringLiteral("Biuro – sąd"),
                      QStringLiteral("rozprawa"),
                      QStringLiteral("    40.00"),
                      QStringLiteral("   0.8358"),
                      {}};
    return log;
}

struct Call {
    QString kind;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    QString text;
};

QList<Call> parse(const QStringList &calls)
{
    static const QRegularExpression text(QStringLiteral("^PiszTekst (\\d+) (\\d+) \"(.*)\" \\["));
    static const QRegularExpression frame(
        QStringLiteral("^RysujRamke (\\d+) (\\d+) (\\d+) (\\d+)$"));
    QList<Call> parsed;
    for (const QString &call : calls) {
        if (const QRegularExpressionMatch m = text.match(call); m.hasMatch())
            parsed << Call{
                QStringLiteral("text"), m.captured(1).toInt(), m.captured(2).toInt(), 0, 0,
                m.captured(3)};
        else if (const QRegularExpressionMatch f = frame.match(call); f.hasMatch())
            parsed << Call{QStringLiteral("frame"), f.captured(1).toInt(), f.captured(2).toInt(),
                           f.captured(3).toInt(),   f.captured(4).toInt(), {}};
        else if (call == QLatin1String("NowaStrona"))
            parsed << Call{QStringLiteral("page"), 0, 0, 0, 0, {}};
    }
    return parsed;
}

} // namespace

class TestEwidencjaDruk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void monthOf300TripsRunsOverPagesWithCarriedTotals();
    void everythingStaysInsideThePrintableArea();
    void yearPrintsEveryMonthFromANewSheet();
    void pdfOfTheMonth();
};

void TestEwidencjaDruk::monthOf300TripsRunsOverPagesWithCarriedTotals()
{
    const TripLog log = busyLog();
    const PrintFontSettings font;
    RecordingPage page;
    DrawTripLog(page, {log, QStringLiteral("2007"), font}, 3, 3);
    const QList<Call> calls = parse(page.calls);

    // Every trip carries its number of the year, once, in the first column.
    QList<int> numbers;
    int pages = 1;
    double kilometres = 0;
    int carriedTo = 0;
    int carriedFrom = 0;
    for (qsizetype i = 0; i < calls.size(); ++i) {
        const Call &call = calls[i];
        if (call.kind == QLatin1String("page"))
            ++pages;
        if (call.kind != QLatin1String("text"))
            continue;
        if (call.x == 16 && call.text.toInt() > 0)
            numbers << call.text.toInt();
        if (call.x == 111 && call.text == QLatin1String("12.50"))
            kilometres += 12.5;
        // The totals carried out of a page and into the next one are those of the trips so far.
        if (call.text == QLatin1String("Do przeniesienia") ||
            call.text == QLatin1String("Z przeniesienia")) {
            (call.text.startsWith(QLatin1Char('D')) ? carriedTo : carriedFrom)++;
            QCOMPARE(calls[i + 1].text, FormatFixed(kilometres, 0, 2));
            QCOMPARE(calls[i + 2].text,
                     FormatFixed(ParseFixed(FormatFixed(kilometres * 0.8358, 0, 2)), 0, 2));
        }
    }
    QList<int> expected(300);
    std::iota(expected.begin(), expected.end(), 3);
    QCOMPARE(numbers, expected);
    QVERIFY2(pages >= 6, qPrintable(QString::number(pages)));
    QCOMPARE(carriedTo, pages - 1);
    QCOMPARE(carriedFrom, pages - 1);
    // Each further sheet says whose month it continues and repeats the column captions.
    QCOMPARE(page.calls.filter(QStringLiteral("(ciąg dalszy)")).size(), pages - 1);
    QCOMPARE(page.calls.filter(QStringLiteral("\"Cel wyjazdu\"")).size(), pages);
    // A long route goes on in further lines of its column, none wider than the column.
    int routeEnds = 0;
    for (const Call &call : calls) {
        if (call.kind == QLatin1String("text") && call.x == 41 && call.y > 30) {
            QVERIFY2(call.text.size() <= 28, qPrintable(call.text));
            routeEnds += call.text.endsWith(QStringLiteral("Kościuszki 12")) ? 1 : 0;
        }
    }
    QCOMPARE(routeEnds, 30);

    // The summary: 3750 km, 3750 × 0.8358 = 3134.25, and the year so far adds January's 15.69.
    QStringList texts;
    for (const Call &call : calls) {
        if (call.kind == QLatin1String("text"))
            texts << call.text;
    }
    const qsizetype summary = texts.indexOf(QStringLiteral("Podsumowanie miesiąca"));
    QVERIFY(summary > 0);
    QCOMPARE(texts.mid(summary + 1, 6),
             (QStringList{"Liczba faktycznie przejechanych km", "3750.00",
                          "Wartość przebiegu w miesiącu [zł]", "3134.25",
                          "Wartość przebiegu od początku roku [zł]", "3149.94"}));
    QCOMPARE(texts.last(), QStringLiteral("podpis podatnika"));
    QVERIFY(texts.contains(QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU")));
    QVERIFY(texts.contains(QStringLiteral("Jan Kowalski, ul. Żytnia 5, 01-014 Warszawa")));
    QVERIFY(texts.contains(QStringLiteral("Nr rejestracyjny pojazdu: WA 12345")));
    QVERIFY(texts.contains(QStringLiteral("Pojemność silnika: 1242 cm³")));
    for (const char *caption :
         {"Nr", "Data", "Opis trasy wyjazdu", "(skąd – dokąd)", "Cel wyjazdu", "faktycznie",
          "przejechanych", "Stawka", "przebiegu", "Wartość", "(5) × (6)", "Podpis", "Uwagi", "(9)"})
        QVERIFY2(texts.contains(QString::fromUtf8(caption)), caption);
}

void TestEwidencjaDruk::everythingStaysInsideThePrintableArea()
{
    const PrintFontSettings font;
    RecordingPage page;
    DrawTripLog(page, {busyLog(), QStringLiteral("2007"), font}, 1, 12);
    int frames = 0;
    for (const Call &call : parse(page.calls)) {
        if (call.kind == QLatin1String("frame")) {
            ++frames;
            QVERIFY(call.x >= 0 && call.x + call.w <= 185);
            QVERIFY2(call.y >= 0 && call.y + call.h <= kTripLogPageBottom + 3,
                     qPrintable(QString::number(call.y + call.h)));
        } else if (call.kind == QLatin1String("text")) {
            QVERIFY(call.x >= 0 && call.x < 185);
            QVERIFY2(call.y >= 0 && call.y <= kTripLogPageBottom,
                     qPrintable(QStringLiteral("%1 at %2").arg(call.text).arg(call.y)));
        }
    }
    QVERIFY(frames > 0);
}

void TestEwidencjaDruk::yearPrintsEveryMonthFromANewSheet()
{
    const PrintFontSettings font;
    RecordingPage page;
    DrawTripLog(page, {busyLog(), QStringLiteral("2007"), font}, 1, 12);
    const QStringList headings =
        page.calls.filter(QStringLiteral("\"EWIDENCJA PRZEBIEGU POJAZDU\""));
    QCOMPARE(headings.size(), 12);
    // Each month's heading stands first on its sheet: right after a new page.
    for (int i = 1; i < page.calls.size(); ++i) {
        if (page.calls[i].contains(QStringLiteral("\"EWIDENCJA PRZEBIEGU POJAZDU\"")) && i > 5)
            QVERIFY(page.calls.mid(i - 4, 4).contains(QStringLiteral("NowaStrona")));
    }
    QCOMPARE(page.calls.filter(QStringLiteral("\"Grudzień 2007\"")).size(), 1);
    // December has no trips: its year so far is that of May.
    const qsizetype last = page.calls.lastIndexOf(QRegularExpression(
        QStringLiteral("^PiszTekst \\d+ \\d+ \"Wartość przebiegu od początku roku.*")));
    QVERIFY(last > 0);
    QVERIFY2(page.calls[last + 1].contains(QStringLiteral("\"3183.37\"")),
             qPrintable(page.calls[last + 1]));
}

void TestEwidencjaDruk::pdfOfTheMonth()
{
    const TripLog log = busyLog();
    const PrintFontSettings font;
    RecordingPage recording;
    DrawTripLog(recording, {log, QStringLiteral("2007"), font}, 3, 3);
    const int pages = 1 + static_cast<int>(recording.calls.count(QStringLiteral("NowaStrona")));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("marzec.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QVERIFY(PrintPages(printer, [&](Page &page) {
        DrawTripLog(page, {log, QStringLiteral("2007"), font}, 3, 3);
    }));
    QCOMPARE(PdfPageCount(pdf), pages);

    const QList<PdfWord> words = PdfWords(pdf);
    if (words.isEmpty())
        QSKIP("pdftotext is not installed: the words of the PDF cannot be read here");
    const QRectF printable = printer.pageLayout().paintRectPoints();
    QStringList texts;
    for (const PdfWord &w : words) {
        texts << w.text;
        QVERIFY2(w.box.left() >= printable.left() - 0.5 && w.box.right() <= printable.right() + 0.5,
                 qPrintable(QStringLiteral("%1 ends at %2 pt, the printable area at %3 pt")
                                .arg(w.text)
                                .arg(w.box.right())
                                .arg(printable.right())));
    }
    QVERIFY(texts.contains(QStringLiteral("przeniesienia")));
    QVERIFY(texts.contains(QStringLiteral("302")));
    QVERIFY(texts.contains(QStringLiteral("Podsumowanie")));
    QVERIFY(texts.contains(QStringLiteral("3134.25")));
}

QTEST_MAIN(TestEwidencjaDruk)
#include "tst_ewidencjadruk.moc"
