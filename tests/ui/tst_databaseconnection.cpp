#include "databaseconnection.h"
#include "fakeseams.h"
#include "lokalizacja.h"
#include "recordoffsets.h"
#include "testfiles.h"
#include "workspace.h"

#include <QTemporaryDir>
#include <QTest>

using namespace storage;

// The questions a failed database-location check asks, and how the program ends after them.
class TestDatabaseConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void usableLocationAsksNothing_data();
    void usableLocationAsksNothing();
    void movedProgram_data();
    void movedProgram();
    void unreachableShare_data();
    void unreachableShare();

private:
    QString dir() const { return m_ws->path(); }
    QString file() const { return dir() + QStringLiteral("/Admini/siec.dat"); }
    QByteArray stored() const { return testfiles::readBytes(file()); }
    static QByteArray record(int mode, const QString &local, const QString &network)
    {
        return recordoffsets::locationBytes(static_cast<quint8>(mode), local, network);
    }
    const QList<ShownDialog> &shown() const { return m_ws->seams.dialogs.shown; }

    std::unique_ptr<Workspace> m_ws;
};

void TestDatabaseConnection::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestDatabaseConnection::usableLocationAsksNothing_data()
{
    QTest::addColumn<bool>("network");
    QTest::newRow("fresh installation, local") << false;
    QTest::newRow("reachable share") << true;
}

void TestDatabaseConnection::usableLocationAsksNothing()
{
    QFETCH(bool, network);
    QTemporaryDir share;
    QVERIFY(share.isValid());
    if (network) {
        QVERIFY(testfiles::makeDataTree(share.path()));
        QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/siec.dat"), "x"));
        QVERIFY(testfiles::writeBytes(file(), record(2, dir(), share.path())));
    }
    const std::optional<ui::DatabaseConnection> database =
        ui::ConnectDatabase(dir(), m_ws->seams.seams, true);
    QVERIFY(database.has_value());
    QCOMPARE(database->baseDir, network ? share.path() : dir());
    QCOMPARE(database->mode, network ? 2 : 1);
    QVERIFY(shown().isEmpty());
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestDatabaseConnection::movedProgram_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("store the new place") << true;
    QTest::newRow("leave it") << false;
}

void TestDatabaseConnection::movedProgram()
{
    QFETCH(bool, answer);
    const QByteArray before = record(1, QStringLiteral("/dawny/katalog"), QStringLiteral("/siec"));
    QVERIFY(testfiles::writeBytes(file(), before));
    m_ws->seams.dialogs.answers << answer;

    QCOMPARE(ui::ConnectDatabase(dir(), m_ws->seams.seams, true).has_value(), false);
    QCOMPARE(shown().first().kind, ShownDialog::Kind::Question);
    QCOMPARE(shown().first().caption, QStringLiteral("Informacja"));
    QCOMPARE(shown().first().text,
             QStringLiteral("Bazy danych nie są dostępne.\nPrawdopodobnie została zmieniona "
                            "lokalizacja programu.\n\nZmienić automatycznie informację o "
                            "lokalizacji programu ?."));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    if (answer) {
        QCOMPARE(stored(), record(1, dir(), QStringLiteral("/siec")));
        QCOMPARE(shown().size(), 2);
        QCOMPARE(shown().at(1).kind, ShownDialog::Kind::Notice);
        QCOMPARE(shown().at(1).caption, QStringLiteral("Informacja"));
        QCOMPARE(shown().at(1).text, QStringLiteral("Uruchom ponownie program"));
    } else {
        QCOMPARE(stored(), before);
        QCOMPARE(shown().size(), 1);
    }
}

void TestDatabaseConnection::unreachableShare_data()
{
    QTest::addColumn<bool>("checkLocation");
    QTest::addColumn<bool>("answer");
    QTest::newRow("main window, go local") << true << true;
    QTest::newRow("main window, keep network") << true << false;
    QTest::newRow("another window, go local") << false << true;
}

void TestDatabaseConnection::unreachableShare()
{
    QFETCH(bool, checkLocation);
    QFETCH(bool, answer);
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QByteArray before = record(2, QStringLiteral("/stary"), empty.path());
    QVERIFY(testfiles::writeBytes(file(), before));
    m_ws->seams.dialogs.answers << answer;

    QCOMPARE(ui::ConnectDatabase(dir(), m_ws->seams.seams, checkLocation).has_value(), false);
    QCOMPARE(shown().first().caption, QStringLiteral("Informacja"));
    QCOMPARE(shown().first().text,
             QStringLiteral("Serwer baz danych nie jest dostępny.\nWlącz serwer lub sprawdź "
                            "połączenia sieci a następnie ponownie uruchom program.\n\nCzy "
                            "anulować połączenie sieciowe i przełączyć się w tryb lokalny ?"));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    // Going local keeps both paths as read, so network mode can be switched back on later.
    QCOMPARE(stored(), answer ? record(1, QStringLiteral("/stary"), empty.path()) : before);
    QCOMPARE(shown().size(), answer ? 2 : 1);
}

QTEST_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
