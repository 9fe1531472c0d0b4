#include "bazafirm.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "network.h"
#include "program.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

// The program composed as main composes it, in a temporary working directory, with scripted
// dialogs and no network.
class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowsAreCreatedInOrderAndSetUp();
    void mainWindowOpensTheSettlementWindow();
    void mainWindowOpensTheAuxiliaryWindows_data();
    void mainWindowOpensTheAuxiliaryWindows();
    void openingAnotherClientLeavesTheClientsWindows();
    void failedSaveKeepsTheClientOpen();
    void endingSavesTheOpenRegister();

private:
    // Positions in the order of creation.
    enum Position {
        Settlement = 1,
        Costs = 2,
        Mileage = 3,
        PrintPanel = 4,
        Calculation = 5,
        Numerator = 6
    };
    QWidget *window(int position) const { return m_program->windowsInOrder().at(position); }
    template <typename T> T *child(int position, const char *name) const
    {
        return findChildNamed<T>(window(position), name);
    }
    void openClient(int row);
    // Opens the client's four working windows and the print panel, typing into each and saving
    // nothing.
    void openAndTypeEverywhere();
    QByteArray yearFile(const QString &extension) const
    {
        return testfiles::readBytes(
            m_ws->path(QStringLiteral("DANE/") + m_program->state().yearStem + extension));
    }
    QList<int> visibleWindows() const;

    class NoNetwork : public admin::Network
    {
    public:
        admin::Connection connection() override { return admin::Connection::Disconnected; }
        void download(const QUrl &, const QString &, QObject *, std::function<void(bool)>) override
        {
            ++downloads;
        }
        int downloads = 0;
    };

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    NoNetwork m_network;
    QList<QUrl> m_openedUrls;
    std::unique_ptr<Program> m_program;
};

void TestProgram::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_program = std::make_unique<Program>(
        m_ws->path(),
        Program::Services{m_ws->seams.seams, m_printDialogs, m_network, [this](const QUrl &url) {
                              m_openedUrls << url;
                              return true;
                          }});
}

void TestProgram::cleanup()
{
    m_program.reset();
    QCOMPARE(m_network.downloads, 0);
    m_ws.reset();
}

void TestProgram::windowsAreCreatedInOrderAndSetUp()
{
    QStringList names;
    for (const QWidget *window : m_program->windowsInOrder()) {
        QVERIFY(window);
        names << QString::fromLatin1(window->metaObject()->className());
        QVERIFY(!window->isVisible());
    }
    QCOMPARE(names,
             (QStringList{"Tbaza_f", "Trozliczeniesamochodu_f", "Teksploatacja_f", "Tprzebieg_f",
                          "printing::Twydruk_f", "Twyliczenie_f", "Tnumerator_f", "Tform3",
                          "Thisto_f", "Tnarzedzia_f", "printing::Tlogowania_f", "Tsiec_f"}));
    // The main window's set-up ran: the register and the launch history are there.
    QCOMPARE(m_program->mainWindow().findChild<QListWidget *>(QStringLiteral("lista_k"))->count(),
             500);
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("DANE/klienci.dat"))));
    QCOMPARE(m_program->state().launch.counter, QStringLiteral("1"));
    QCOMPARE(m_program->state().baseDir, m_ws->path());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestProgram::mainWindowOpensTheSettlementWindow()
{
    Tbaza_f &baza = m_program->mainWindow();
    baza.findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(4);
    baza.lista_kDblClick();
    QWidget *settlement = m_program->windowsInOrder().at(1);
    QVERIFY(settlement->isVisible());
    QCOMPARE(m_program->state().currentClient, QStringLiteral("005"));
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    // The settlement window's set-up created the client's owner record.
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("DANE/005.dat"))));
}

void TestProgram::mainWindowOpensTheAuxiliaryWindows_data()
{
    QTest::addColumn<int>("position"); // in the order of creation
    QTest::newRow("business card") << 7;
    QTest::newRow("history") << 8;
    QTest::newRow("administrator tools") << 9;
    QTest::newRow("notepad") << 10;
    QTest::newRow("database location") << 11;
}

void TestProgram::mainWindowOpensTheAuxiliaryWindows()
{
    QFETCH(int, position);
    Tbaza_f &baza = m_program->mainWindow();
    switch (position) {
    case 7:
        baza.Wizytwka1Click();
        break;
    case 8:
        baza.Historiauruchomie1Click();
        break;
    case 9:
        baza.Narzedziaadministratora1Click();
        break;
    case 10:
        baza.Osieci1Click();
        break;
    case 11:
        baza.Ustawienia1Click();
        break;
    }
    const QList<QWidget *> windows = m_program->windowsInOrder();
    for (int i = 1; i < windows.size(); ++i)
        QCOMPARE(windows.at(i)->isVisible(), i == position);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestProgram::openClient(int row)
{
    Tbaza_f &baza = m_program->mainWindow();
    baza.findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(row);
    baza.lista_kDblClick();
}

void TestProgram::openAndTypeEverywhere()
{
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->setText(QStringLiteral("4321"));
    child<QPushButton>(Settlement, "SpeedButton4")->click();
    child<QTableWidget>(Costs, "eksp")->item(0, 1)->setText(QStringLiteral("Paliwo Orlen"));
    child<QPushButton>(Settlement, "SpeedButton3")->click();
    child<QLineEdit>(Numerator, "rozszerzenie")->setText(QStringLiteral("/KZ/9"));
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    child<QLineEdit>(PrintPanel, "miejscowosc")->setText(QStringLiteral("Radom"));
    QCOMPARE(visibleWindows(),
             (QList<int>{Settlement, Costs, Mileage, PrintPanel, Calculation, Numerator}));
    QVERIFY(!yearFile(QStringLiteral(".prz")).contains("4321"));
    QVERIFY(!yearFile(QStringLiteral(".num")).contains("/KZ/9"));
}

QList<int> TestProgram::visibleWindows() const
{
    QList<int> visible;
    const QList<QWidget *> windows = m_program->windowsInOrder();
    for (int i = 1; i < windows.size(); ++i) {
        if (windows.at(i)->isVisible())
            visible << i;
    }
    return visible;
}

void TestProgram::openingAnotherClientLeavesTheClientsWindows()
{
    openClient(4);
    const QString stem005 = m_program->state().yearStem;
    openAndTypeEverywhere();

    openClient(6);
    // Each window of 005 was left as its "Powrót" would, while 005 was still locked.
    const auto stored = [&](const QString &extension) {
        return testfiles::readBytes(m_ws->path(QStringLiteral("DANE/") + stem005 + extension));
    };
    QVERIFY(stored(QStringLiteral(".prz")).contains("4321"));
    QVERIFY(stored(QStringLiteral(".eks")).contains("Paliwo Orlen"));
    QVERIFY(stored(QStringLiteral(".num")).contains("/KZ/9"));
    QVERIFY(stored(QStringLiteral(".mie")).contains("Radom"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    // Only the settlement window is open, now for 007, which holds the only lock.
    QCOMPARE(visibleWindows(), QList<int>{Settlement});
    QCOMPARE(m_program->state().currentClient, QStringLiteral("007"));
    QCOMPARE(QDir(m_ws->path(QStringLiteral("KOSZ"))).entryList(QDir::Files),
             (QStringList{"007.k", "007.kto"}));
}

void TestProgram::failedSaveKeepsTheClientOpen()
{
    openClient(4);
    openAndTypeEverywhere();
    // The numerator file can no longer be written: a directory stands in its place.
    const QString numerator =
        m_ws->path(QStringLiteral("DANE/") + m_program->state().yearStem + QStringLiteral(".num"));
    QVERIFY(QFile::remove(numerator));
    QVERIFY(QDir().mkdir(numerator));

    openClient(6);
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"File access denied"});
    // The print panel and the calculation, left before the numerator, are closed; the
    // numerator and the windows after it stay, and 005 stays locked and open.
    QCOMPARE(visibleWindows(), (QList<int>{Settlement, Costs, Mileage, Numerator}));
    QCOMPARE(m_program->state().currentClient, QStringLiteral("005"));
    QCOMPARE(QDir(m_ws->path(QStringLiteral("KOSZ"))).entryList(QDir::Files),
             (QStringList{"005.k", "005.kto"}));

    // Ending fails the same way: the program stays, with its lock.
    m_ws->seams.dialogs.answers << true;
    QVERIFY(!m_program->mainWindow().KoniecPracy());
    QCOMPARE(m_ws->seams.dialogs.ioErrors().size(), 2);
    QVERIFY(m_ws->seams.endCalls.isEmpty());
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    QCOMPARE(visibleWindows(), (QList<int>{Settlement, Costs, Mileage, Numerator}));

    // Once the file can be written again, ending saves what was typed and ends.
    QVERIFY(QDir(numerator).removeRecursively());
    m_ws->seams.dialogs.answers << true;
    QVERIFY(m_program->mainWindow().KoniecPracy());
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QVERIFY(testfiles::readBytes(numerator).contains("/KZ/9"));
    QVERIFY(yearFile(QStringLiteral(".prz")).contains("4321"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
}

void TestProgram::endingSavesTheOpenRegister()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->setText(QStringLiteral("4321"));

    // "Nie" keeps everything as it is.
    m_ws->seams.dialogs.answers << false;
    QVERIFY(!m_program->mainWindow().KoniecPracy());
    QVERIFY(window(Mileage)->isVisible());
    QVERIFY(!yearFile(QStringLiteral(".prz")).contains("4321"));

    m_ws->seams.dialogs.answers << true;
    QVERIFY(m_program->mainWindow().KoniecPracy());
    QVERIFY(yearFile(QStringLiteral(".prz")).contains("4321"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
