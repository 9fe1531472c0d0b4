#include "clientrecords.h"
#include "fakeseams.h"
#include "recordingwindow.h"
#include "rozliczenie.h"
#include "statusnote.h"
#include "testfiles.h"
#include "workspace.h"
#include "yearwindows.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace storage;

class TestRozliczenie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void defaultYear_data();
    void defaultYear();
    void firstOpeningCreatesTheOwnerAndYearFiles();
    void existingOwnerIsShownAndYearStemFollowsTheIdentifier();
    void workingButtonsNeedEveryFieldButTheTaxNumber_data();
    void workingButtonsNeedEveryFieldButTheTaxNumber();
    void totalsPanelShowsTheStoredTotals();
    void choosingAYearCreatesItsFiles();
    void saveWritesTheOwnerRecord();
    void saveWithoutIdentifierIsRefused();
    void workingWindowsGetTheYearAndHeaders();
    void returnSavesNothing();
    void escapeAndCloseRequestLeaveAsPowrot_data();
    void escapeAndCloseRequestLeaveAsPowrot();
    void faultsOpenNoWindow_data();
    void faultsOpenNoWindow();

private:
    void start(const QString &client = QStringLiteral("007"));
    QString dane(const QString &name) const { return m_ws->path(QStringLiteral("DANE/") + name); }
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }
    void fillOwner();

    std::shared_ptr<settlement::ClientYear> year() const { return m_window->handOver().year; }

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<settlement::ClientYears> m_years;
    settlement::YearWindowTable m_windows;
    std::unique_ptr<Trozliczeniesamochodu_f> m_window;
    bool m_opened = false;
};

void TestRozliczenie::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(10, 0));
    m_years = std::make_unique<settlement::ClientYears>(m_ws->path());
}

void TestRozliczenie::cleanup()
{
    m_window.reset();
    m_windows = {};
    m_years.reset();
    m_ws.reset();
}

void TestRozliczenie::start(const QString &client)
{
    m_window = std::make_unique<Trozliczeniesamochodu_f>(*m_years, m_ws->seams.seams, m_windows);
    m_opened = m_window->openClient(client);
}

void TestRozliczenie::fillOwner()
{
    child<QLineEdit>("nazwa1")->setText(QStringLiteral("Jan Kowalski"));
    child<QLineEdit>("nazwa2")->setText(QStringLiteral("ul. Żytnia 5"));
    child<QLineEdit>("nazwa3")->setText(QStringLiteral("00-950 Warszawa"));
    child<QLineEdit>("marka")->setText(QStringLiteral("Opel Astra"));
    child<QLineEdit>("rejestracja")->setText(QStringLiteral("WA 12345"));
}

void TestRozliczenie::defaultYear_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("year");
    QTest::newRow("2007") << QDate(2007, 3, 15) << 2007;
    QTest::newRow("first offered") << QDate(1996, 1, 1) << 1996;
    QTest::newRow("last current") << QDate(2012, 12, 31) << 2012;
    QTest::newRow("after 2012") << QDate(2013, 1, 1) << 2000;
    QTest::newRow("before 1996") << QDate(1995, 12, 31) << 2000;
    QTest::newRow("today") << QDate(2026, 12, 9) << 2000;
}

void TestRozliczenie::defaultYear()
{
    QFETCH(QDate, today);
    QFETCH(int, year);
    QCOMPARE(Trozliczeniesamochodu_f::DefaultYear(today), year);
}

void TestRozliczenie::firstOpeningCreatesTheOwnerAndYearFiles()
{
    start();
    QVERIFY(m_opened);
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))),
             owner::defaultRecord(QStringLiteral("007")).bytes());
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007_2007.prz"))), QByteArray(413, '\0'));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007_2007.eks"))), QByteArray(73232, '\0'));
    QCOMPARE(child<QLineEdit>("id")->text(), QStringLiteral("007"));
    QVERIFY(child<QLineEdit>("id")->isReadOnly());
    QCOMPARE(child<QComboBox>("listarok")->count(), 21);
    QCOMPARE(child<QComboBox>("listarok")->itemText(0), QStringLiteral("1996"));
    QCOMPARE(child<QComboBox>("listarok")->currentText(), QStringLiteral("2007"));
    QCOMPARE(m_window->stem(), QStringLiteral("007_2007"));
    QCOMPARE(child<QLabel>("Label15")->text(), QStringLiteral("Rok 2007"));
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral(
                 "Koszty użytkowania samochodu do celów prowadzonej działalności gospodarczej"));

    // The set-up at program start, with no client handed over, works on client "1".
    Trozliczeniesamochodu_f atStart(*m_years, m_ws->seams.seams, m_windows);
    QVERIFY(atStart.FormCreate());
    QVERIFY(QFile::exists(dane(QStringLiteral("1.dat"))));
    QVERIFY(QFile::exists(dane(QStringLiteral("1_2007.prz"))));
}

void TestRozliczenie::existingOwnerIsShownAndYearStemFollowsTheIdentifier()
{
    Record owner = owner::defaultRecord(QStringLiteral("X1"));
    owner.setText(owner::nazwa1, QStringLiteral("Zakład Usług Leśnych"));
    owner.setText(owner::nip, QStringLiteral("526-000-12-46"));
    owner.setText(owner::rejestracja, QStringLiteral("WA 12345"));
    owner.setText(owner::marka, QStringLiteral("Opel"));
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007.dat")), owner.bytes()));
    start();
    QCOMPARE(child<QLineEdit>("nazwa1")->text(), QStringLiteral("Zakład Usług Leśnych"));
    QCOMPARE(child<QLineEdit>("nip")->text(), QStringLiteral("526-000-12-46"));
    QCOMPARE(child<QLineEdit>("rejestracja")->text(), QStringLiteral("WA 12345"));
    QCOMPARE(child<QLineEdit>("marka")->text(), QStringLiteral("Opel"));
    QCOMPARE(m_window->stem(), QStringLiteral("X1_2007"));
    QVERIFY(QFile::exists(dane(QStringLiteral("X1_2007.prz"))));
    QVERIFY(QFile::exists(dane(QStringLiteral("X1_2007.eks"))));
    QCOMPARE(year()->owner().bytes(), owner.bytes());
}

void TestRozliczenie::workingButtonsNeedEveryFieldButTheTaxNumber_data()
{
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all filled") << "" << true;
    QTest::newRow("no tax number") << "nip" << true;
    QTest::newRow("no first name line") << "nazwa1" << false;
    QTest::newRow("no third name line") << "nazwa3" << false;
    QTest::newRow("no make") << "marka" << false;
    QTest::newRow("no registration") << "rejestracja" << false;
}

void TestRozliczenie::workingButtonsNeedEveryFieldButTheTaxNumber()
{
    QFETCH(QString, emptied);
    QFETCH(bool, enabled);
    start();
    m_window->Timer1Timer();
    QVERIFY(!child<QPushButton>("SpeedButton5")->isEnabled());
    fillOwner();
    child<QLineEdit>("nip")->setText(QStringLiteral("123"));
    if (!emptied.isEmpty())
        child<QLineEdit>(emptied.toLatin1().constData())->clear();
    m_window->Timer1Timer();
    for (const char *button : {"SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton5"})
        QCOMPARE(child<QPushButton>(button)->isEnabled(), enabled);
    QVERIFY(child<QPushButton>("SpeedButton1")->isEnabled());
}

void TestRozliczenie::totalsPanelShowsTheStoredTotals()
{
    Record mileage = mileage::defaultRecord();
    mileage.setText(mileage::yearTotal, QStringLiteral("   1270.42"));
    QVERIFY(QDir().mkpath(m_ws->path(QStringLiteral("DANE"))));
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007_2007.prz")), mileage.bytes()));
    start();
    QCOMPARE(child<QLabel>("Label9")->text(), QStringLiteral("0.00"));
    m_window->Timer1Timer();
    QCOMPARE(child<QLabel>("Label9")->text(), QStringLiteral("   1270.42 zł"));
    QCOMPARE(child<QLabel>("Label12")->text(), QStringLiteral("0.00 zł"));
    QCOMPARE(child<QLabel>("Label13")->text(), QStringLiteral("0.00 zł"));
    // Neither the files nor the records other windows read are touched by the display.
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007_2007.eks"))), QByteArray(73232, '\0'));
    QCOMPARE(year()->costs().bytes(), QByteArray(73232, '\0'));
    QCOMPARE(year()->mileage().bytes(), mileage.bytes());
}

void TestRozliczenie::choosingAYearCreatesItsFiles()
{
    Record cost = cost::defaultRecord();
    cost.setText(cost::netTotal, QStringLiteral("    720.00"));
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007_2005.eks")), cost.bytes()));
    start();
    auto *years = child<QComboBox>("listarok");
    years->setCurrentIndex(years->findText(QStringLiteral("2005")));
    m_window->listarokClick();
    QCOMPARE(m_window->stem(), QStringLiteral("007_2005"));
    QVERIFY(QFile::exists(dane(QStringLiteral("007_2005.prz"))));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007_2005.eks"))), cost.bytes());
    m_window->Timer1Timer();
    QCOMPARE(child<QLabel>("Label12")->text(), QStringLiteral("    720.00 zł"));
    QCOMPARE(child<QLabel>("Label15")->text(), QStringLiteral("Rok 2005"));
}

void TestRozliczenie::saveWritesTheOwnerRecord()
{
    start();
    fillOwner();
    const QString longNip = QStringLiteral("1234567890123456789012345");
    child<QLineEdit>("nip")->setText(longNip);
    QCOMPARE(child<QLineEdit>("nip")->text(), longNip);
    ui::StatusNote::post(QString());
    child<QPushButton>("SpeedButton1")->click();
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Zapisano dane właściciela pojazdu."));
    QCOMPARE(child<ui::StatusNote>("StatusNote")->text(), ui::StatusNote::latest());

    QByteArray expected(237, '\0');
    expected.replace(0, 51, testfiles::shortString(QStringLiteral("Jan Kowalski"), 50));
    expected.replace(51, 51, testfiles::shortString(QStringLiteral("ul. Żytnia 5"), 50));
    expected.replace(102, 51, testfiles::shortString(QStringLiteral("00-950 Warszawa"), 50));
    expected.replace(153, 21, testfiles::shortString(longNip.left(20), 20));
    expected.replace(174, 21, testfiles::shortString(QStringLiteral("WA 12345"), 20));
    expected.replace(195, 21, testfiles::shortString(QStringLiteral("Opel Astra"), 20));
    expected.replace(216, 21, testfiles::shortString(QStringLiteral("007"), 20));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))), expected);
    QCOMPARE(year()->owner().bytes(), expected);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestRozliczenie::saveWithoutIdentifierIsRefused()
{
    Record owner(owner::kSize);
    owner.setText(owner::nazwa1, QStringLiteral("Bez identyfikatora"));
    QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007.dat")), owner.bytes()));
    start();
    child<QLineEdit>("nazwa1")->setText(QStringLiteral("Zmiana"));
    ui::StatusNote::post(QString());
    m_window->SpeedButton1Click();
    QCOMPARE(ui::StatusNote::latest(), QString());
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().kind, ShownDialog::Kind::Notice);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Uwaga !"));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text,
             QStringLiteral("Brak numeru identyfikacji właściciela pojazdu. Zapis wstrzymany."));
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))), owner.bytes());
}

void TestRozliczenie::workingWindowsGetTheYearAndHeaders()
{
    RecordingWindow przebieg, eksploatacja, numerator, wyliczenie;
    m_windows.add(ui::WindowId::Mileage, &przebieg);
    m_windows.add(ui::WindowId::OperatingCosts, &eksploatacja);
    m_windows.add(ui::WindowId::Numerator, &numerator);
    m_windows.add(ui::WindowId::Calculation, &wyliczenie);
    start();
    fillOwner();
    m_window->Timer1Timer();

    child<QPushButton>("SpeedButton5")->click();
    QCOMPARE(przebieg.opened, 1);
    QVERIFY(przebieg.isVisible());
    QCOMPARE(przebieg.yearText, QStringLiteral("2007"));
    QCOMPARE(przebieg.yearStem, QStringLiteral("007_2007"));
    QCOMPARE(przebieg.headers,
             (QStringList{"Jan Kowalski", "ul. Żytnia 5", "Opel Astra WA 12345"}));

    auto *years = child<QComboBox>("listarok");
    years->setCurrentIndex(years->findText(QStringLiteral("2008")));
    m_window->listarokClick();
    m_window->SpeedButton4Click();
    QCOMPARE(eksploatacja.yearStem, QStringLiteral("007_2008"));
    m_window->SpeedButton3Click();
    QCOMPARE(numerator.yearText, QStringLiteral("2008"));
    // A window whose set-up fails is not shown.
    wyliczenie.setUpSucceeds = false;
    m_window->SpeedButton2Click();
    QCOMPARE(wyliczenie.opened, 1);
    QVERIFY(!wyliczenie.isVisible());
}

void TestRozliczenie::returnSavesNothing()
{
    start();
    const QByteArray before = testfiles::readBytes(dane(QStringLiteral("007.dat")));
    m_window->open();
    fillOwner();
    child<QPushButton>("SpeedButton6")->click();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))), before);
}

void TestRozliczenie::escapeAndCloseRequestLeaveAsPowrot_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape in an owner field") << true;
    QTest::newRow("close request") << false;
}

void TestRozliczenie::escapeAndCloseRequestLeaveAsPowrot()
{
    QFETCH(bool, escape);
    start();
    const QByteArray before = testfiles::readBytes(dane(QStringLiteral("007.dat")));
    m_window->open();
    fillOwner();
    if (escape)
        QTest::keyClick(child<QLineEdit>("nazwa1"), Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!child<QTimer>("Timer1")->isActive());
    QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))), before);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestRozliczenie::faultsOpenNoWindow_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("owner record one byte short") << "short owner"
                                                 << "Read beyond end of file";
    QTest::newRow("cost file one byte short") << "short cost"
                                              << "Read beyond end of file";
    QTest::newRow("missing DANE") << "no DANE"
                                  << "Invalid filename";
}

void TestRozliczenie::faultsOpenNoWindow()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    if (fault == QLatin1String("short owner"))
        QVERIFY(testfiles::writeBytes(dane(QStringLiteral("007.dat")), QByteArray(236, '\0')));
    if (fault == QLatin1String("short cost"))
        QVERIFY(
            testfiles::writeBytes(dane(QStringLiteral("007_2007.eks")), QByteArray(73231, '\0')));
    if (fault == QLatin1String("no DANE"))
        QVERIFY(QDir(m_ws->path(QStringLiteral("DANE"))).removeRecursively());
    start();
    QVERIFY(!m_opened);
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{message});
    if (fault == QLatin1String("short owner"))
        QCOMPARE(testfiles::readBytes(dane(QStringLiteral("007.dat"))), QByteArray(236, '\0'));
}

QTEST_MAIN(TestRozliczenie)
#include "tst_rozliczenie.moc"
