#include "bazafirm.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "network.h"
#include "program.h"
#include "testfiles.h"
#include "workspace.h"

#include <QFile>
#include <QListWidget>
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

private:
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

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
