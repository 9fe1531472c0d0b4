#include "clientrecords.h"
#include "ewidencja.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "przebieg.h"
#include "testfiles.h"
#include "triplog.h"
#include "workspace.h"
#include "yearwindows.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace seams;
using namespace storage;

namespace {

// Offsets of the mileage record, written out independently of the code.
constexpr int cellOffset(int column, int month)
{
    return (column - 1) * 132 + (month - 1) * 11;
}
constexpr int kFlagOffset = 412;

QByteArray storedCell(const QString &text)
{
    return testfiles::shortString(text, 10);
}

} // namespace

class TestEwidencja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensFromTheRegisterOnItsYear();
    void rateChangeOf14November2007();
    void yearTypedTripByTripGivesTheBytesOfTypedSums();
    void logAfterAYearChangeInTheSettlementWindow();
    void logLeftOpenOnAnotherYearFeedsItsOwnYear();
    void insertAddsAndDeleteRemovesAfterTheQuestion();
    void importIsShownAndTakenOnlyOnTheUsersWord();
    void fixedRouteFillsANewRow();
    void damagedLogFileKeepsTheWindowClosed();
    void failedSaveKeepsTheWindowOpenAndTheRegisterAsItWas();
    void printedMonthGoesThroughThePrintDialog();

private:
    void writeOwner();
    settlement::YearHandOver yearOf(const QString &year) const;
    // The register opened on the year, its timer stopped (the test ticks it).
    void openRegister(const QString &year = QStringLiteral("2007"));
    Tewidencja_f *openLog();
    QTableWidget *grid() const { return findChildNamed<QTableWidget>(log(), "trasy"); }
    Tewidencja_f *log() const { return m_register->tripLog(); }
    // Adds a trip as typed into the grid: a new row, then its cells.
    void typeTrip(const QString &date, const QString &route, const QString &purpose,
                  const QString &km, const QString &rate = QString());
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    QString prz(const QString &year = QStringLiteral("2007")) const
    {
        return m_ws->path(QStringLiteral("DANE/007_%1.prz").arg(year));
    }
    QString ewp(const QString &year = QStringLiteral("2007")) const
    {
        return m_ws->path(QStringLiteral("DANE/007_%1.ewp").arg(year));
    }
    void chooseClass(int index)
    {
        auto *combo = findChildNamed<QComboBox>(log(), "rodzaj");
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<Tprzebieg_f> m_register;
};

void TestEwidencja::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_printDialogs = FakePrintDialogs();
    writeOwner();
    m_register = std::make_unique<Tprzebieg_f>(m_ws->seams.seams);
    m_register->setPrintDialogs(m_printDialogs);
}

void TestEwidencja::cleanup()
{
    m_register.reset();
    m_ws.reset();
}

void TestEwidencja::writeOwner()
{
    Record owner = owner::defaultRecord(QStringLiteral("007"));
    owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    owner.setText(owner::nazwa2, QStringLiteral("ul. Żytnia 5"));
    owner.setText(owner::nazwa3, QStringLiteral("01-014 Warszawa"));
    owner.setText(owner::rejestracja, QStringLiteral("WA 12345"));
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("DANE/007.dat")), owner.bytes()));
}

settlement::YearHandOver TestEwidencja::yearOf(const QString &year) const
{
    return {std::make_shared<settlement::ClientYear>(m_ws->path(), QStringLiteral("007"), year),
            {QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5"),
             QStringLiteral("Fiat WA 12345")}};
}

void TestEwidencja::openRegister(const QString &year)
{
    m_register->setYear(yearOf(year));
    QVERIFY(m_register->prepareAndOpen());
    findChildNamed<QTimer>(m_register.get(), "Timer1")->stop();
}

Tewidencja_f *TestEwidencja::openLog()
{
    findChildNamed<QPushButton>(m_register.get(), "SpeedButton4")->click();
    return log();
}

void TestEwidencja::typeTrip(const QString &date, const QString &route, const QString &purpose,
                             const QString &km, const QString &rate)
{
    log()->dodajWpisClick();
    const int row = grid()->rowCount() - 1;
    grid()->item(row, Tewidencja_f::Data)->setText(date);
    grid()->item(row, Tewidencja_f::Trasa)->setText(route);
    grid()->item(row, Tewidencja_f::Cel)->setText(purpose);
    grid()->item(row, Tewidencja_f::Km)->setText(km);
    if (!rate.isEmpty())
        grid()->item(row, Tewidencja_f::Stawka)->setText(rate);
}

void TestEwidencja::opensFromTheRegisterOnItsYear()
{
    openRegister();
    auto *button = findChildNamed<QPushButton>(m_register.get(), "SpeedButton4");
    QCOMPARE(button->text(), QStringLiteral("Ewidencja przebiegu"));
    QVERIFY(openLog());
    QVERIFY(log()->isVisible());
    QCOMPARE(log()->windowTitle(),
             QStringLiteral("Ewidencja przebiegu pojazdu  Rok obliczeniowy 2007"));
    QCOMPARE(log()->year(), m_register->year());
    // The person and registration come from the owner record while the log has none.
    QCOMPARE(findChildNamed<QLineEdit>(log(), "osoba1")->text(), QStringLiteral("Jan Kowalski"));
    QCOMPARE(findChildNamed<QLineEdit>(log(), "osoba3")->text(), QStringLiteral("01-014 Warszawa"));
    QCOMPARE(findChildNamed<QLineEdit>(log(), "rejestracja")->text(), QStringLiteral("WA 12345"));
    QStringList captions;
    for (int column = 0; column < grid()->columnCount(); ++column)
        captions << grid()->horizontalHeaderItem(column)->text();
    QCOMPARE(captions, (QStringList{"Lp.", "Data wyjazdu", "Opis trasy (skąd – dokąd)",
                                    "Cel wyjazdu", "Km", "Stawka", "Wartość", "Uwagi"}));
    // The fake clock says 15 March 2007: the log opens on March.
    QCOMPARE(log()->month(), 3);
    for (QWidget *widget : log()->findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) ||
            qobject_cast<QPushButton *>(widget) || qobject_cast<QTableWidget *>(widget) ||
            qobject_cast<QListWidget *>(widget)) {
            if (widget->parent() && qobject_cast<QComboBox *>(widget->parent()))
                continue;
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
    }
    QVERIFY(!QFile::exists(ewp()));
}

void TestEwidencja::rateChangeOf14November2007()
{
    openRegister();
    findChildNamed<QRadioButton>(m_register.get(), "p1")->click();
    openLog();
    chooseClass(triplog::CarOver900);
    log()->miesiacClick(11);
    // Up to 13 November the rate of 2004 is a suggestion that names its act, never filled in.
    typeTrip(QStringLiteral("13.11.2007"), QStringLiteral("Biuro – Radom"),
             QStringLiteral("dostawa"), QStringLiteral("100.5"));
    QCOMPARE(cell(0, Tewidencja_f::Stawka), QString());
    auto *hint = findChildNamed<QLabel>(log(), "podpowiedz");
    QVERIFY2(hint->text().contains(QStringLiteral("0.7846")), qPrintable(hint->text()));
    QVERIFY2(hint->text().contains(QStringLiteral("Dz.U. 2004 nr 237 poz. 2376")),
             qPrintable(hint->text()));
    QVERIFY(!findChildNamed<QPushButton>(log(), "przyjmijStawke")->isHidden());
    log()->przyjmijStawkeClick();
    QCOMPARE(cell(0, Tewidencja_f::Stawka), QStringLiteral("0.7846"));
    QCOMPARE(cell(0, Tewidencja_f::Wartosc), QStringLiteral("78.85"));
    // From 14 November the confirmed rate is filled in.
    typeTrip(QStringLiteral("14.11.2007"), QStringLiteral("Biuro – Radom"),
             QStringLiteral("dostawa"), QStringLiteral("200.25"));
    QCOMPARE(cell(1, Tewidencja_f::Stawka), QStringLiteral("0.8358"));
    QCOMPARE(cell(1, Tewidencja_f::Wartosc), QStringLiteral("167.37"));
    QCOMPARE(cell(1, Tewidencja_f::Lp), QStringLiteral("2"));
    QCOMPARE(findChildNamed<QLabel>(log(), "sumaMiesiaca")->text(),
             QStringLiteral("Miesiąc: 300.75 km, 246.22 zł"));

    log()->SpeedButton3Click();
    QVERIFY(!log()->isVisible());
    QCOMPARE(DecodeTripLog(testfiles::readBytes(ewp()))->trips.size(), 2);
    // The register shows November's sum, the amount as the sum of the two values and the mean
    // rate, and now works out no amounts itself; it has saved.
    const QByteArray bytes = testfiles::readBytes(prz());
    QCOMPARE(bytes.mid(cellOffset(1, 11), 11), storedCell("   300.75"));
    QCOMPARE(bytes.mid(cellOffset(2, 11), 11), storedCell("   0.8187"));
    QCOMPARE(bytes.mid(cellOffset(3, 11), 11), storedCell("   246.22"));
    QCOMPARE(int(bytes[kFlagOffset]), 0);
    QVERIFY(findChildNamed<QRadioButton>(m_register.get(), "p2")->isChecked());
    QVERIFY(m_register->isVisible());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEwidencja::yearTypedTripByTripGivesTheBytesOfTypedSums()
{
    // Year 2008, "Automat" on: the sums typed into the register…
    openRegister(QStringLiteral("2008"));
    findChildNamed<QRadioButton>(m_register.get(), "p1")->click();
    auto *registerGrid = findChildNamed<QTableWidget>(m_register.get(), "przebieg");
    registerGrid->item(1, 0)->setText(QStringLiteral("77")); // February by hand, no trips
    registerGrid->item(1, 1)->setText(QStringLiteral("0.5"));
    for (int month = 3; month <= 12; ++month) {
        registerGrid->item(month - 1, 0)->setText(QString::number(100 * month + 0.25, 'f', 2));
        registerGrid->item(month - 1, 1)->setText(QStringLiteral("0.8358"));
    }
    m_register->Timer1Timer();
    m_register->SpeedButton3Click();
    const QByteArray typedSums = testfiles::readBytes(prz(QStringLiteral("2008")));
    QVERIFY(!typedSums.mid(cellOffset(3, 12), 11).startsWith('\0'));

    // …and the same months typed trip by trip in another client folder.
    m_register.reset();
    m_ws = std::make_unique<Workspace>();
    writeOwner();
    m_register = std::make_unique<Tprzebieg_f>(m_ws->seams.seams);
    m_register->setPrintDialogs(m_printDialogs);
    openRegister(QStringLiteral("2008"));
    findChildNamed<QRadioButton>(m_register.get(), "p1")->click();
    registerGrid = findChildNamed<QTableWidget>(m_register.get(), "przebieg");
    registerGrid->item(1, 0)->setText(QStringLiteral("77"));
    registerGrid->item(1, 1)->setText(QStringLiteral("0.5"));
    openLog();
    chooseClass(triplog::CarOver900);
    for (int month = 3; month <= 12; ++month) {
        log()->miesiacClick(month);
        const QString date = QStringLiteral("10.%1.2008").arg(month, 2, 10, QLatin1Char('0'));
        // 100·month + 0.25 km in three trips, the rate proposed from the table.
        typeTrip(date, QStringLiteral("Biuro – klient A"), QStringLiteral("serwis"),
                 QString::number(50 * month, 'f', 2));
        typeTrip(date, QStringLiteral("Biuro – klient B"), QStringLiteral("serwis"),
                 QString::number(50 * month - 10, 'f', 2));
        typeTrip(date, QStringLiteral("Biuro – klient C"), QStringLiteral("serwis"),
                 QStringLiteral("10.25"));
        QCOMPARE(cell(0, Tewidencja_f::Stawka), QStringLiteral("0.8358"));
    }
    log()->SpeedButton3Click();
    m_register->Timer1Timer();
    m_register->SpeedButton3Click();
    const QByteArray tripByTrip = testfiles::readBytes(prz(QStringLiteral("2008")));
    qsizetype differs = 0;
    while (differs < typedSums.size() && differs < tripByTrip.size() &&
           tripByTrip.at(differs) == typedSums.at(differs))
        ++differs;
    QCOMPARE(tripByTrip.mid(differs - differs % 11, 22), typedSums.mid(differs - differs % 11, 22));
    QCOMPARE(tripByTrip, typedSums);
}

void TestEwidencja::logAfterAYearChangeInTheSettlementWindow()
{
    // The settlement window opens the register through its table, as after a year choice.
    settlement::YearWindowTable table;
    table.add(ui::WindowId::Mileage, m_register.get());
    QVERIFY(table.open(ui::WindowId::Mileage, yearOf(QStringLiteral("2007"))));
    openLog();
    log()->miesiacClick(5);
    typeTrip(QStringLiteral("05.05.2007"), QStringLiteral("Biuro – sąd"),
             QStringLiteral("rozprawa"), QStringLiteral("42"), QStringLiteral("0.8358"));
    // Another year chosen: the register is set up on 2008, and the log of 2007 with its unsaved
    // trip is left first, saved into 2007 and handed to 2007's register record.
    QVERIFY(table.open(ui::WindowId::Mileage, yearOf(QStringLiteral("2008"))));
    QVERIFY(!log()->isVisible());
    QCOMPARE(DecodeTripLog(testfiles::readBytes(ewp()))->trips.size(), 1);
    QCOMPARE(testfiles::readBytes(prz()).mid(cellOffset(1, 5), 11), storedCell("    42.00"));
    QCOMPARE(testfiles::readBytes(prz(QStringLiteral("2008"))), QByteArray(413, '\0'));
    // Opened again, the log shows 2008 and nothing of 2007.
    openLog();
    QCOMPARE(log()->windowTitle(),
             QStringLiteral("Ewidencja przebiegu pojazdu  Rok obliczeniowy 2008"));
    log()->miesiacClick(5);
    QCOMPARE(grid()->rowCount(), 0);
    QVERIFY(log()->log().trips.isEmpty());
}

void TestEwidencja::logLeftOpenOnAnotherYearFeedsItsOwnYear()
{
    openRegister(QStringLiteral("2007"));
    openLog();
    log()->miesiacClick(6);
    typeTrip(QStringLiteral("06.06.2007"), QStringLiteral("Biuro – bank"), QStringLiteral("wpłata"),
             QStringLiteral("15"), QStringLiteral("0.8358"));
    // The register alone goes over to 2008 (its set-up, without leaving the log).
    m_register->setYear(yearOf(QStringLiteral("2008")));
    QVERIFY(m_register->FormCreate());
    auto *registerGrid = findChildNamed<QTableWidget>(m_register.get(), "przebieg");
    registerGrid->item(0, 0)->setText(QStringLiteral("5"));
    log()->SpeedButton3Click();
    QCOMPARE(testfiles::readBytes(prz()).mid(cellOffset(1, 6), 11), storedCell("    15.00"));
    // The register of 2008 keeps its own cells, unsaved.
    QCOMPARE(registerGrid->item(5, 0)->text(), QString());
    QCOMPARE(registerGrid->item(0, 0)->text(), QStringLiteral("5"));
    QVERIFY(m_register->holdsUnsavedEntries());
}

void TestEwidencja::insertAddsAndDeleteRemovesAfterTheQuestion()
{
    openRegister();
    openLog();
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Insert);
    QTest::keyClick(grid(), Qt::Key_Insert);
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(cell(1, Tewidencja_f::Lp), QStringLiteral("2"));
    grid()->item(0, Tewidencja_f::Trasa)->setText(QStringLiteral("pierwsza"));
    grid()->item(1, Tewidencja_f::Trasa)->setText(QStringLiteral("druga"));
    grid()->setCurrentCell(0, Tewidencja_f::Trasa);
    m_ws->seams.dialogs.answers = {false, true};
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(m_ws->seams.dialogs.shown.last().text, QStringLiteral("Usunąć wpis nr 1 ?"));
    QCOMPARE(m_ws->seams.dialogs.shown.last().defaultButton, Dialogs::Default::No);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(grid()->rowCount(), 1);
    QCOMPARE(cell(0, Tewidencja_f::Trasa), QStringLiteral("druga"));
    QCOMPARE(cell(0, Tewidencja_f::Lp), QStringLiteral("1"));
    // Enter moves along the row and then to a new trip's date.
    grid()->setCurrentCell(0, Tewidencja_f::Km);
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(grid()->currentColumn(), int(Tewidencja_f::Stawka));
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(grid()->currentColumn(), int(Tewidencja_f::Uwagi));
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(grid()->currentRow(), 1);
    QCOMPARE(grid()->currentColumn(), int(Tewidencja_f::Data));
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
}

void TestEwidencja::importIsShownAndTakenOnlyOnTheUsersWord()
{
    openRegister();
    openLog();
    chooseClass(triplog::CarOver900);
    const QString csv = m_ws->path(QStringLiteral("wyjazdy.csv"));
    QVERIFY(testfiles::writeBytes(csv, "Data;Trasa;Cel;Km\n"
                                       "02.03.2007;Biuro – ZUS;zgłoszenie;12,5\n"
                                       "31.03.2007;Biuro – US;deklaracja;\n"
                                       "2007-04-01;Biuro – bank;wpłata;7\n"));
    m_ws->seams.dialogs.openPaths = {csv, csv};
    m_ws->seams.dialogs.answers = {false, true};
    log()->importCsvClick();
    const ShownDialog &shown = m_ws->seams.dialogs.shown.last();
    QCOMPARE(shown.kind, ShownDialog::Kind::Question);
    QVERIFY2(shown.text.contains(QStringLiteral("2 wyjazdów")), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(QStringLiteral("Odrzucone wiersze: 1.")), qPrintable(shown.text));
    QVERIFY2(shown.detail.contains(QStringLiteral("Wiersz 3: kilometry „” nie są liczbą")),
             qPrintable(shown.detail));
    QCOMPARE(shown.defaultButton, Dialogs::Default::No);
    // Cancelled: nothing imported.
    QCOMPARE(grid()->rowCount(), 0);
    QVERIFY(log()->log().trips.isEmpty());

    log()->importCsvClick();
    QCOMPARE(grid()->rowCount(), 1);
    QCOMPARE(cell(0, Tewidencja_f::Km), QStringLiteral("12.50"));
    QCOMPARE(log()->log().trips.size(), 2);
    QCOMPARE(log()->log().trips.at(1).month, 4);
    // Nothing reaches the file before "Powrót".
    QVERIFY(!QFile::exists(ewp()));
    log()->SpeedButton3Click();
    QCOMPARE(ReadTripLog(ewp()).trips.size(), 2);
}

void TestEwidencja::fixedRouteFillsANewRow()
{
    openRegister();
    openLog();
    typeTrip(QStringLiteral("01.03.2007"), QStringLiteral("Biuro – hurtownia"),
             QStringLiteral("zakupy"), QStringLiteral("30,5"));
    log()->zapamietajTraseClick();
    const QString routes = m_ws->path(QStringLiteral("DANE/007.trs"));
    QCOMPARE(ReadRoutes(routes),
             (QList<FixedRoute>{{QStringLiteral("Biuro – hurtownia"), QStringLiteral("zakupy"),
                                 QStringLiteral("    30.50")}}));
    log()->wstawTraseClick();
    QCOMPARE(grid()->rowCount(), 2);
    QCOMPARE(cell(1, Tewidencja_f::Trasa), QStringLiteral("Biuro – hurtownia"));
    QCOMPARE(cell(1, Tewidencja_f::Km), QStringLiteral("30.50"));
    QCOMPARE(cell(1, Tewidencja_f::Data), QString());
    QCOMPARE(grid()->currentRow(), 1);
    // The trip without a date is warned about, never refused.
    QVERIFY(log()->warnings().contains(QStringLiteral("Wpis 2: brak daty.")));
}

void TestEwidencja::damagedLogFileKeepsTheWindowClosed()
{
    QByteArray hostile(256 + 256, '\xFF');
    hostile.replace(0, 4, "EWP1");
    QVERIFY(testfiles::writeBytes(ewp(), hostile));
    openRegister();
    openLog();
    QVERIFY(!log()->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors().size(), 1);
    QCOMPARE(testfiles::readBytes(ewp()), hostile);
}

void TestEwidencja::failedSaveKeepsTheWindowOpenAndTheRegisterAsItWas()
{
    openRegister();
    openLog();
    typeTrip(QStringLiteral("01.03.2007"), QStringLiteral("Biuro – hurtownia"),
             QStringLiteral("zakupy"), QStringLiteral("30.5"), QStringLiteral("0.8358"));
    // A folder where the log file should go: the write fails as it would on a read-only file.
    QVERIFY(QDir().mkpath(ewp()));
    const QByteArray before = testfiles::readBytes(prz());
    log()->SpeedButton3Click();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{QStringLiteral("File access denied")});
    QVERIFY(log()->isVisible());
    QVERIFY(log()->holdsUnsavedEntries());
    QCOMPARE(testfiles::readBytes(prz()), before);
    QCOMPARE(findChildNamed<QTableWidget>(m_register.get(), "przebieg")->item(2, 0)->text(),
             QString());
    // Once the file can be written, the same "Powrót" saves and hands the trip over.
    QVERIFY(QDir(ewp()).removeRecursively());
    log()->SpeedButton3Click();
    QVERIFY(!log()->isVisible());
    QCOMPARE(testfiles::readBytes(prz()).mid(cellOffset(1, 3), 11), storedCell("    30.50"));
}

void TestEwidencja::printedMonthGoesThroughThePrintDialog()
{
    openRegister();
    openLog();
    typeTrip(QStringLiteral("01.03.2007"), QStringLiteral("Biuro – hurtownia"),
             QStringLiteral("zakupy"), QStringLiteral("30,5"), QStringLiteral("0.8358"));
    m_printDialogs.printAnswers = {false, true};
    const QString pdf = m_ws->path(QStringLiteral("ewidencja.pdf"));
    m_printDialogs.pdfFiles = {pdf};
    log()->drukujMiesiacClick();
    QVERIFY(!QFile::exists(pdf));
    log()->drukujMiesiacClick();
    QCOMPARE(PdfPageCount(pdf), 1);
    QCOMPARE(m_printDialogs.proposedFiles.last(),
             QDir::toNativeSeparators(m_ws->path(QStringLiteral("007_2007_ewidencja_03.pdf"))));
    log()->podgladClick();
    QCOMPARE(m_printDialogs.previews.size(), 1);
    QVERIFY(m_printDialogs.previews.first()
                .join(QLatin1Char('\n'))
                .contains(QStringLiteral("\"Biuro – hurtownia\"")));
}

QTEST_MAIN(TestEwidencja)
#include "tst_ewidencja.moc"
