#include "clientrecords.h"
#include "clientyears.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "koszty.h"
#include "numeratorrules.h"
#include "recordfile.h"
#include "recordingpage.h"
#include "statusnote.h"
#include "testfiles.h"
#include "workspace.h"
#include "wydruk.h"
#include "wyliczenie.h"
#include "zestawienie.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtEndian>

using namespace printing;
using namespace storage;

namespace {

QByteArray NumeratorBytes(qint32 number, const QString &suffix)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(number, bytes.data());
    return bytes + testfiles::shortString(suffix, 10);
}

QByteArray MemoryBytes(const QString &place, qint32 first, qint32 second, qint32 third)
{
    QByteArray bytes = testfiles::shortString(place, 50) + QByteArray(12, '\0');
    qToLittleEndian<qint32>(first, bytes.data() + 51);
    qToLittleEndian<qint32>(second, bytes.data() + 55);
    qToLittleEndian<qint32>(third, bytes.data() + 59);
    return bytes;
}

} // namespace

class TestWydruk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstOpeningCreatesMemoryAndNumerator();
    void openingShowsTheStoredValues();
    void returnRemembersThePlace_data();
    void returnRemembersThePlace();
    void twoPrintsCarryTwoNumbers();
    void typedTextsArePrintedAsTyped();
    void printedPdfsCarryTheNumbers();
    void previewShowsTheStatementAndChangesNoFile();
    void cancelledPrintDialogChangesNothing();
    void printFaults_data();
    void printFaults();
    void openingWithoutDataDirectoryFails();
    void setUpBeforeAnyCalculationCreatesNoFile();
    void printsWhatWasHandedAtOpening();
    void numeratorAtItsLimitStays();
    void yearChoiceAndAnotherClientLeaveTheStatementAlone();
    void printProposesTheMonthsFileAndSaysItPrinted();

private:
    QString file(const QString &extension) const
    {
        return m_ws->path(QStringLiteral("DANE/007_2007") + extension);
    }
    QString pdf(int n) const { return m_ws->path(QStringLiteral("druk%1.pdf").arg(n)); }
    // The year of the statement, read from the files as they are now.
    void handYear()
    {
        m_statement.year = std::make_shared<settlement::ClientYear>(
            m_ws->path(), QStringLiteral("007"), QStringLiteral("2007"));
    }
    // Opens a new panel on what a calculation hands it.
    bool open();
    QLineEdit *edit(const char *name) const
    {
        return findChildNamed<QLineEdit>(m_window.get(), name);
    }
    void print(const QString &output)
    {
        m_dialogs.printAnswers << true;
        m_dialogs.pdfFiles << output;
        m_window->SpeedButton1Click();
    }
    QString previewedNumber()
    {
        m_window->SpeedButton3Click();
        if (m_dialogs.previews.isEmpty())
            return QStringLiteral("(no preview)");
        return TextAt(m_dialogs.previews.takeLast(), 15, 5);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_dialogs;
    std::unique_ptr<PrintFontStore> m_fonts;
    settlement::StatementHandOver m_statement;
    std::unique_ptr<Twydruk_f> m_window;
};

void TestWydruk::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_dialogs = FakePrintDialogs{};

    m_fonts = std::make_unique<PrintFontStore>(m_ws->path(), m_dialogs);

    // What a calculation hands the panel when it opens it.
    m_statement = settlement::StatementHandOver{};
    m_statement.owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    m_statement.results.stem = QStringLiteral("007_2007");
    m_statement.results.month = 3;
    m_statement.results.title = QStringLiteral("Rozliczenie miesiąca Marzec 2007");
    m_statement.results.amountToBook = 170;
    m_statement.results.vatToBook = 26.4;

    Record costs(cost::kSize);
    costs.setText(cost::entry(3, cost::kKind, 1), QStringLiteral("Paliwo"));
    costs.setText(cost::entry(3, cost::kNet, 1), QStringLiteral("  120.00"));
    costs.setText(cost::entry(3, cost::kVat, 1), QStringLiteral("   26.40"));
    m_statement.costs = costs;
}

void TestWydruk::cleanup()
{
    QCOMPARE(m_dialogs.unexpected, 0);
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    m_window.reset();
    m_statement = {};
    m_fonts.reset();
    m_ws.reset();
}

bool TestWydruk::open()
{
    if (!m_statement.year)
        handYear();
    m_window = std::make_unique<Twydruk_f>(m_ws->seams.seams, m_dialogs, *m_fonts);
    return m_window->openWith(m_statement);
}

void TestWydruk::firstOpeningCreatesMemoryAndNumerator()
{
    QVERIFY(open());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Panel kontrolny wydruku"));
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".mie"))), MemoryBytes({}, 0, 100, 100));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))), NumeratorBytes(1, {}));
    QCOMPARE(edit("num")->text(), QStringLiteral("1"));
    QCOMPARE(edit("roz")->text(), QString());
    QCOMPARE(edit("data")->text(), QStringLiteral("15.03.2007"));
    QCOMPARE(edit("miejscowosc")->text(), QString());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWydruk::openingShowsTheStoredValues()
{
    const QByteArray memory = MemoryBytes(QStringLiteral("Kraków"), 7, 8, 9);
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".mie")), memory));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")),
                                  NumeratorBytes(41, QStringLiteral("/2007"))));
    m_ws->seams.regional.separator = QStringLiteral("/");

    QVERIFY(open());
    QCOMPARE(edit("num")->text(), QStringLiteral("41"));
    QCOMPARE(edit("roz")->text(), QStringLiteral("/2007"));
    QCOMPARE(edit("data")->text(), QStringLiteral("15/03/2007"));
    QCOMPARE(edit("miejscowosc")->text(), QStringLiteral("Kraków"));
    // Opening reads; it rewrites neither file.
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".mie"))), memory);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))),
             NumeratorBytes(41, QStringLiteral("/2007")));
}

void TestWydruk::returnRemembersThePlace_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Polish letters") << QStringLiteral("Łódź") << QStringLiteral("Łódź");
    QTest::newRow("cut to 50") << QStringLiteral("Miejscowość").repeated(6)
                               << QStringLiteral("Miejscowość").repeated(6).left(50);
    QTest::newRow("empty") << QString() << QString();
}

void TestWydruk::returnRemembersThePlace()
{
    QFETCH(QString, place);
    QFETCH(QString, stored);
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".mie")),
                                  MemoryBytes(QStringLiteral("Kraków"), 0, 100, 100)));
    QVERIFY(open());
    QVERIFY(m_window->isVisible());
    edit("miejscowosc")->setText(place);

    m_window->SpeedButton2Click();
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".mie"))), MemoryBytes(stored, 0, 0, 0));
    QVERIFY(!m_window->isVisible());

    QVERIFY(m_window->prepareAndOpen());
    QCOMPARE(edit("miejscowosc")->text(), stored);
}

void TestWydruk::twoPrintsCarryTwoNumbers()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")),
                                  NumeratorBytes(41, QStringLiteral("/2007"))));
    QVERIFY(open());
    QCOMPARE(previewedNumber(), QStringLiteral("Dokument Nr 41/2007"));

    print(pdf(1));
    QCOMPARE(PdfPageCount(pdf(1)), 1);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))),
             NumeratorBytes(42, QStringLiteral("/2007")));
    QCOMPARE(edit("num")->text(), QStringLiteral("42"));
    // The next page carries the next number.
    QCOMPARE(previewedNumber(), QStringLiteral("Dokument Nr 42/2007"));

    print(pdf(2));
    QCOMPARE(PdfPageCount(pdf(2)), 1);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))),
             NumeratorBytes(43, QStringLiteral("/2007")));
    QCOMPARE(edit("num")->text(), QStringLiteral("43"));
    QCOMPARE(m_dialogs.printDialogsShown, 2);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWydruk::typedTextsArePrintedAsTyped()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")),
                                  NumeratorBytes(41, QStringLiteral("/2007"))));
    QVERIFY(open());
    const QString place = QStringLiteral("Miejscowość").repeated(6);
    edit("num")->setText(QStringLiteral("100"));
    edit("roz")->setText(QStringLiteral("/2007/abcdefgh"));
    edit("data")->setText(QStringLiteral("31.03.2007"));
    edit("miejscowosc")->setText(place);

    m_window->SpeedButton3Click();
    QCOMPARE(m_dialogs.previews.size(), 1);
    const QStringList page = m_dialogs.previews.first();
    QCOMPARE(TextAt(page, 15, 5), QStringLiteral("Dokument Nr 100/2007/abcdefgh"));
    QCOMPARE(TextAt(page, 100, 5), place);
    QCOMPARE(TextAt(page, 170, 5), QStringLiteral("31.03.2007"));

    // The stored numerator goes on from the number read at opening; the suffix is kept cut.
    print(pdf(1));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))),
             NumeratorBytes(42, QStringLiteral("/2007/abcd")));
    QCOMPARE(edit("num")->text(), QStringLiteral("42"));
    QCOMPARE(edit("roz")->text(), QStringLiteral("/2007/abcdefgh"));
}

void TestWydruk::printedPdfsCarryTheNumbers()
{
    if (!PdfText(QString()))
        QSKIP("pdftotext is not installed: the text of the PDF cannot be read here");
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")),
                                  NumeratorBytes(41, QStringLiteral("/2007"))));
    QVERIFY(open());
    print(pdf(1));
    print(pdf(2));
    const QString first = PdfText(pdf(1)).value_or(QString());
    const QString second = PdfText(pdf(2)).value_or(QString());
    QVERIFY2(first.contains(QStringLiteral("Dokument Nr 41/2007")), qPrintable(first));
    QVERIFY2(second.contains(QStringLiteral("Dokument Nr 42/2007")), qPrintable(second));
    QVERIFY(first.contains(QStringLiteral("Jan Kowalski")));
}

void TestWydruk::previewShowsTheStatementAndChangesNoFile()
{
    const QByteArray font = [] {
        Record record(PrintFontSettings::kSize);
        record.setText(PrintFontSettings::face, QStringLiteral("Arial"));
        record.setInt32(PrintFontSettings::kPoints, 10);
        record.setByte(PrintFontSettings::kStyle, Italic);
        return record.bytes();
    }();
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")), font));
    QVERIFY(open());
    edit("miejscowosc")->setText(QStringLiteral("Kraków"));
    const QByteArray numerator = testfiles::readBytes(file(QStringLiteral(".num")));
    const QByteArray memory = testfiles::readBytes(file(QStringLiteral(".mie")));

    m_window->SpeedButton3Click();
    QCOMPARE(m_dialogs.printDialogsShown, 0);
    QCOMPARE(m_dialogs.previews.size(), 1);

    // The page the statement layout draws from the panel's texts, what it was handed and the
    // settings.
    PrintFontSettings settings;
    settings.record.bytes() = font;
    settings.currentFace = QStringLiteral("Arial");
    settings.currentSize = 10;
    RecordingPage expected;
    DrawStatement(expected, {QStringLiteral("1"), QString(), QStringLiteral("15.03.2007"),
                             QStringLiteral("Kraków"), m_statement.owner, m_statement.costs,
                             m_statement.results, settings});
    QCOMPARE(m_dialogs.previews.first(), expected.calls);
    QCOMPARE(TextAt(expected.calls, 146, 69), QStringLiteral("  120.00"));

    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))), numerator);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".mie"))), memory);
    QCOMPARE(edit("num")->text(), QStringLiteral("1"));
}

void TestWydruk::cancelledPrintDialogChangesNothing()
{
    QVERIFY(open());
    const QByteArray numerator = testfiles::readBytes(file(QStringLiteral(".num")));
    m_dialogs.printAnswers << false;
    m_window->SpeedButton1Click();
    QCOMPARE(m_dialogs.printDialogsShown, 1);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))), numerator);
    QCOMPARE(edit("num")->text(), QStringLiteral("1"));
    QVERIFY(QDir(m_ws->path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

enum class Fault { FontFileShort, NumeratorNotWritable, JobCannotBegin };

void TestWydruk::printFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pages"); // -1: no PDF file

    const int ioError = int(ShownDialog::Kind::IoError);
    QTest::newRow("font settings one byte short")
        << Fault::FontFileShort << ioError << QStringLiteral("Read beyond end of file") << -1;
    QTest::newRow("numerator not writable: the page is out")
        << Fault::NumeratorNotWritable << ioError << QStringLiteral("File access denied") << 1;
    QTest::newRow("print job cannot begin")
        << Fault::JobCannotBegin << int(ShownDialog::Kind::Notice)
        << QStringLiteral("Nie udało się rozpocząć wydruku.") << -1;
}

void TestWydruk::printFaults()
{
    QFETCH(Fault, fault);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(int, pages);

    const QString numeratorPath = file(QStringLiteral(".num"));
    QVERIFY(testfiles::writeBytes(numeratorPath, NumeratorBytes(41, QStringLiteral("/2007"))));
    QVERIFY(open());
    QString output = pdf(1);
    switch (fault) {
    case Fault::FontFileShort:
        QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")),
                                      QByteArray(75, '\0')));
        break;
    case Fault::NumeratorNotWritable:
        // A directory in the file's place refuses to be opened for writing, also for root.
        QVERIFY(QFile::remove(numeratorPath));
        QVERIFY(QDir().mkdir(numeratorPath));
        break;
    case Fault::JobCannotBegin:
        output = m_ws->path(QStringLiteral("missing/druk.pdf"));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        break;
    }

    print(output);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(int(m_ws->seams.dialogs.shown.first().kind), kind);
    QCOMPARE(m_ws->seams.dialogs.shown.first().text, message);
    QCOMPARE(PdfPageCount(output), pages);
    QCOMPARE(edit("num")->text(), QStringLiteral("41"));

    // The held number has not moved: once the numerator can be written, the next page stores
    // the number after the one read at opening.
    if (fault == Fault::NumeratorNotWritable)
        QVERIFY(QDir().rmdir(numeratorPath));
    QVERIFY(testfiles::writeBytes(numeratorPath, NumeratorBytes(41, QStringLiteral("/2007"))));
    if (fault == Fault::FontFileShort)
        QVERIFY(QFile::remove(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat"))));
    print(pdf(2));
    QCOMPARE(PdfPageCount(pdf(2)), 1);
    QCOMPARE(testfiles::readBytes(numeratorPath), NumeratorBytes(42, QStringLiteral("/2007")));
}

void TestWydruk::openingWithoutDataDirectoryFails()
{
    handYear();
    QVERIFY(QDir(m_ws->path(QStringLiteral("DANE"))).removeRecursively());
    QVERIFY(!open());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{QStringLiteral("Invalid filename")});
}

void TestWydruk::setUpBeforeAnyCalculationCreatesNoFile()
{
    m_window = std::make_unique<Twydruk_f>(m_ws->seams.seams, m_dialogs, *m_fonts);
    QVERIFY(m_window->FormCreate());
    QCOMPARE(QDir(m_ws->path(QStringLiteral("DANE"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{});
    QCOMPARE(edit("data")->text(), QStringLiteral("15.03.2007"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWydruk::printsWhatWasHandedAtOpening()
{
    QVERIFY(open());
    const QStringList before = [this] {
        m_window->SpeedButton3Click();
        return m_dialogs.previews.takeLast();
    }();
    QCOMPARE(TextAt(before, 16, 45), QStringLiteral("Rozliczenie miesiąca Marzec 2007"));

    // The calculation's own copy changed and another client's year opened after the panel's
    // opening.
    m_statement.results = settlement::CalculationResults{};
    m_statement.results.stem = QStringLiteral("008_2008");
    m_statement.results.title = QStringLiteral("Rozliczenie miesiąca Maj 2008");
    m_statement.owner.setText(owner::nazwa1, QStringLiteral("Anna Nowak"));
    m_statement.costs = Record(cost::kSize);
    settlement::ClientYear other(m_ws->path(), QStringLiteral("008"), QStringLiteral("2008"));
    Record anna = owner::defaultRecord(QStringLiteral("008"));
    anna.setText(owner::nazwa1, QStringLiteral("Anna Nowak"));
    other.saveOwner(anna);

    m_window->SpeedButton3Click();
    QCOMPARE(m_dialogs.previews.takeLast(), before);
    print(pdf(1));
    QCOMPARE(PdfPageCount(pdf(1)), 1);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))), NumeratorBytes(2, {}));
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("DANE/008_2008.num"))));
    edit("miejscowosc")->setText(QStringLiteral("Kraków"));
    m_window->SpeedButton2Click();
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".mie"))),
             MemoryBytes(QStringLiteral("Kraków"), 0, 0, 0));
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("DANE/008_2008.mie"))));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWydruk::numeratorAtItsLimitStays()
{
    const QByteArray atLimit = NumeratorBytes(2147483647, QStringLiteral("/2007"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")), atLimit));
    QVERIFY(open());
    QCOMPARE(previewedNumber(), QStringLiteral("Dokument Nr 2147483647/2007"));

    print(pdf(1));
    QCOMPARE(PdfPageCount(pdf(1)), 1);
    QCOMPARE(testfiles::readBytes(file(QStringLiteral(".num"))), atLimit);
    QCOMPARE(edit("num")->text(), QStringLiteral("2147483647"));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    const ShownDialog &notice = m_ws->seams.dialogs.shown.first();
    QCOMPARE(int(notice.kind), int(ShownDialog::Kind::Notice));
    QCOMPARE(notice.caption, QStringLiteral("Informacja"));
    QCOMPARE(notice.text,
             QStringLiteral("Numer dokumentu osiągnął największą możliwą wartość (2147483647) i "
                            "nie zostanie zwiększony."));
    // The next page carries the same number, never a negative one.
    QCOMPARE(previewedNumber(), QStringLiteral("Dokument Nr 2147483647/2007"));
    if (const std::optional<QString> text = PdfText(pdf(1)))
        QVERIFY2(text->contains(QStringLiteral("Dokument Nr 2147483647/2007")), qPrintable(*text));
}

namespace {

// One year of a client: the mileage amounts and one invoice per month, in the files' layout.
struct YearRecords {
    Record mileage{mileage::kSize};
    Record costs{cost::kSize};
};

YearRecords yearOf(const QStringList &amounts, const QStringList &kinds, const QStringList &nets)
{
    YearRecords year;
    for (int i = 0; i < amounts.size(); ++i) {
        year.mileage.setText(mileage::cell(mileage::kAmount, i + 1), amounts[i]);
        year.costs.setText(cost::entry(i + 1, cost::kKind, 1), kinds[i]);
        year.costs.setText(cost::entry(i + 1, cost::kNet, 1), nets[i]);
    }
    return year;
}

} // namespace

void TestWydruk::yearChoiceAndAnotherClientLeaveTheStatementAlone()
{
    const YearRecords y2000 = yearOf({QStringLiteral("   300.00"), QStringLiteral("   250.00")},
                                     {QStringLiteral("Paliwo 2000"), QStringLiteral("Opony 2000")},
                                     {QStringLiteral("  500.00"), QStringLiteral("  100.00")});
    const YearRecords y2001 = yearOf({QStringLiteral("   900.00"), QStringLiteral("   800.00")},
                                     {QStringLiteral("Paliwo 2001"), QStringLiteral("Myjnia 2001")},
                                     {QStringLiteral("   10.00"), QStringLiteral("   20.00")});
    const auto yearFile = [this](const char *name) {
        return m_ws->path(QStringLiteral("DANE/") + QLatin1String(name));
    };
    QVERIFY(testfiles::writeBytes(yearFile("007_2000.prz"), y2000.mileage.bytes()));
    QVERIFY(testfiles::writeBytes(yearFile("007_2000.eks"), y2000.costs.bytes()));
    QVERIFY(testfiles::writeBytes(yearFile("007_2001.prz"), y2001.mileage.bytes()));
    QVERIFY(testfiles::writeBytes(yearFile("007_2001.eks"), y2001.costs.bytes()));
    QVERIFY(testfiles::writeBytes(yearFile("007_2000.num"), NumeratorBytes(7, {})));
    QVERIFY(testfiles::writeBytes(yearFile("007_2001.num"), NumeratorBytes(70, {})));

    // The settlement window of client 007 on 2000 opens the calculation.
    Record jan = owner::defaultRecord(QStringLiteral("007"));
    jan.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    jan.setText(owner::nip, QStringLiteral("123-456-78-90"));
    QVERIFY(testfiles::writeBytes(yearFile("007.dat"), jan.bytes()));
    settlement::ClientYears years(m_ws->path());
    Twyliczenie_f calculation(m_ws->seams.seams,
                              [this](const settlement::StatementHandOver &statement) {
                                  return m_window->openWith(statement);
                              });
    calculation.setYear({years.open(QStringLiteral("007"), QStringLiteral("2000")),
                         {QStringLiteral("Jan Kowalski"), QString(), QStringLiteral("Fiat KR 1")}});
    m_window = std::make_unique<Twydruk_f>(m_ws->seams.seams, m_dialogs, *m_fonts);
    QVERIFY(calculation.prepareAndOpen());

    // 2001 chosen in the settlement window.
    const auto chosen = years.open(QStringLiteral("007"), QStringLiteral("2001"));
    QCOMPARE(chosen->mileage().bytes(), y2001.mileage.bytes());
    findChildNamed<QComboBox>(&calculation, "listam")->setCurrentIndex(1);
    calculation.listamClick();
    QCOMPARE(calculation.windowTitle(), QStringLiteral("Rok obliczeniowy 2000"));
    QCOMPARE(findChildNamed<QLabel>(&calculation, "Label7")->text(),
             QStringLiteral("    250.00 zł"));
    QCOMPARE(findChildNamed<QLabel>(&calculation, "Label13")->text(),
             QStringLiteral("    600.00 zł"));

    findChildNamed<QPushButton>(&calculation, "SpeedButton3")->click();
    QVERIFY(m_window->isVisible());
    QCOMPARE(edit("num")->text(), QStringLiteral("7"));

    // Another client opened meanwhile.
    years.forgetAll();
    Record anna = owner::defaultRecord(QStringLiteral("008"));
    anna.setText(owner::nazwa1, QStringLiteral("Anna Nowak"));
    anna.setText(owner::nip, QStringLiteral("999-999-99-99"));
    years.open(QStringLiteral("008"), QStringLiteral("2001"))->saveOwner(anna);

    m_window->SpeedButton3Click();
    QCOMPARE(m_dialogs.previews.size(), 1);
    const QStringList page = m_dialogs.previews.takeLast();
    QCOMPARE(TextAt(page, 16, 45), QStringLiteral("Rozliczenie miesiąca Luty 2000"));
    QCOMPARE(TextAt(page, 15, 15), QStringLiteral("Jan Kowalski"));
    QCOMPARE(TextAt(page, 15, 32), QStringLiteral("Nip 123-456-78-90"));
    QVERIFY(page.join(QLatin1Char('\n')).contains(QStringLiteral("Opony 2000")));
    QVERIFY(!page.join(QLatin1Char('\n')).contains(QStringLiteral("2001")));

    // The whole page: February of 2000 worked out from 2000's records alone.
    settlement::CalculationResults expectedResults;
    settlement::WyliczKoszty(y2000.mileage, y2000.costs, 2, expectedResults);
    expectedResults.month = 2;
    expectedResults.title = QStringLiteral("Rozliczenie miesiąca Luty 2000");
    expectedResults.stem = QStringLiteral("007_2000");
    RecordingPage expected;
    DrawStatement(expected, {QStringLiteral("7"), QString(), QStringLiteral("15.03.2007"),
                             QString(), jan, y2000.costs, expectedResults, m_fonts->settings()});
    QCOMPARE(page, expected.calls);

    print(pdf(1));
    QCOMPARE(PdfPageCount(pdf(1)), 1);
    QCOMPARE(testfiles::readBytes(yearFile("007_2000.num")), NumeratorBytes(8, {}));
    QCOMPARE(testfiles::readBytes(yearFile("007_2001.num")), NumeratorBytes(70, {}));
    QVERIFY(!QFile::exists(yearFile("008_2001.num")));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

// The print dialog proposes a file of this client, year and month in the working directory, and
// the status line names the document printed; a cancelled dialog says nothing.
void TestWydruk::printProposesTheMonthsFileAndSaysItPrinted()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral(".num")),
                                  NumeratorBytes(41, QStringLiteral("/2007"))));
    QVERIFY(open());
    ui::StatusNote::post(QString());
    m_dialogs.printAnswers << false;
    m_window->SpeedButton1Click();
    QCOMPARE(ui::StatusNote::latest(), QString());

    print(pdf(1));
    const QString expected =
        QDir::toNativeSeparators(m_ws->path(QStringLiteral("007_2007_03.pdf")));
    QCOMPARE(m_dialogs.proposedFiles, QStringList({expected, expected}));
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Wydrukowano dokument nr 41/2007."));
    QCOMPARE(findChildNamed<ui::StatusNote>(m_window.get(), "StatusNote")->text(),
             ui::StatusNote::latest());

    // December of another client's year.
    m_statement.results.stem = QStringLiteral("012_2010");
    m_statement.results.month = 12;
    QVERIFY(m_window->openWith(m_statement));
    print(pdf(2));
    QCOMPARE(m_dialogs.proposedFiles.last(),
             QDir::toNativeSeparators(m_ws->path(QStringLiteral("012_2010_12.pdf"))));
}

QTEST_MAIN(TestWydruk)
#include "tst_wydruk.moc"
