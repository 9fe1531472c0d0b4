#include "fakeseams.h"
#include "lokalizacja.h"
#include "recordfile.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

class TestLokalizacja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstStartWritesTheDefaultAndPasses();
    void movedProgram_data();
    void movedProgram();
    void network_data();
    void network();
    void windowsOtherThanTheMainOneSkipTheLocationCheck();
    void shortRecordIsReported();
    void longPathsAreCut();

private:
    QString dir() const { return m_ws->path(); }
    QByteArray stored() const { return testfiles::readBytes(dir() + QStringLiteral("/Admini/siec.dat")); }
    QByteArray record(int mode, const QString &local, const QString &network) const
    {
        QByteArray bytes(403, '\0');
        bytes[0] = static_cast<char>(mode);
        bytes.replace(1, 201, testfiles::shortString(local, 200));
        bytes.replace(202, 201, testfiles::shortString(network, 200));
        return bytes;
    }

    std::unique_ptr<Workspace> m_ws;
};

void TestLokalizacja::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestLokalizacja::firstStartWritesTheDefaultAndPasses()
{
    int mode = 0;
    const std::optional<QString> base = ResolveBaseDirectory(dir(), m_ws->seams.seams, true, &mode);
    QCOMPARE(base, std::optional<QString>(dir()));
    QCOMPARE(mode, 1);
    QCOMPARE(stored(), record(1, dir(), QString()));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestLokalizacja::movedProgram_data()
{
    QTest::addColumn<QString>("storedLocal");
    QTest::addColumn<bool>("answer");
    QTest::newRow("moved, store the new place") << "/dawny/katalog" << true;
    QTest::newRow("moved, leave it") << "/dawny/katalog" << false;
    QTest::newRow("letter case differs") << "UPPER" << true;
}

void TestLokalizacja::movedProgram()
{
    QFETCH(QString, storedLocal);
    QFETCH(bool, answer);
    const QString local = storedLocal == QLatin1String("UPPER") ? dir().toUpper() : storedLocal;
    const QByteArray before = record(1, local, QStringLiteral("/siec/baza"));
    QVERIFY(testfiles::writeBytes(dir() + QStringLiteral("/Admini/siec.dat"), before));
    m_ws->seams.dialogs.answers << answer;

    QCOMPARE(ResolveBaseDirectory(dir(), m_ws->seams.seams, true), std::nullopt);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Informacja"));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text,
             QStringLiteral("Bazy danych nie są dostępne.\nPrawdopodobnie została zmieniona "
                            "lokalizacja programu.\n\nZmienić automatycznie informację o "
                            "lokalizacji programu ?."));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    if (answer) {
        QCOMPARE(stored(), record(1, dir(), QStringLiteral("/siec/baza")));
        QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
        QCOMPARE(m_ws->seams.dialogs.shown.at(1).text, QStringLiteral("Uruchom ponownie program"));
        QCOMPARE(m_ws->seams.dialogs.shown.at(1).caption, QStringLiteral("Informacja"));
    } else {
        QCOMPARE(stored(), before);
        QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    }
}

void TestLokalizacja::network_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<bool>("answer");
    QTest::newRow("share reachable") << true << false;
    QTest::newRow("unreachable, go local") << false << true;
    QTest::newRow("unreachable, keep network") << false << false;
}

void TestLokalizacja::network()
{
    QFETCH(bool, reachable);
    QFETCH(bool, answer);
    QTemporaryDir share;
    QVERIFY(share.isValid());
    if (reachable) {
        QVERIFY(testfiles::makeDataTree(share.path()));
        QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/siec.dat"), "x"));
    }
    const QByteArray before = record(2, dir(), share.path());
    QVERIFY(testfiles::writeBytes(dir() + QStringLiteral("/Admini/siec.dat"), before));
    m_ws->seams.dialogs.answers << answer;

    int mode = 0;
    const std::optional<QString> base = ResolveBaseDirectory(dir(), m_ws->seams.seams, true, &mode);
    QCOMPARE(mode, 2);
    if (reachable) {
        QCOMPARE(base, std::optional<QString>(share.path()));
        QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
        QVERIFY(m_ws->seams.endCalls.isEmpty());
        return;
    }
    QCOMPARE(base, std::nullopt);
    QCOMPARE(m_ws->seams.dialogs.shown.first().text,
             QStringLiteral("Serwer baz danych nie jest dostępny.\nWlącz serwer lub sprawdź "
                            "połączenia sieci a następnie ponownie uruchom program.\n\nCzy "
                            "anulować połączenie sieciowe i przełączyć się w tryb lokalny ?"));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    // Going local keeps the network path, so it can be switched back on later.
    QCOMPARE(stored(), answer ? record(1, dir(), share.path()) : before);
}

void TestLokalizacja::windowsOtherThanTheMainOneSkipTheLocationCheck()
{
    QVERIFY(testfiles::writeBytes(dir() + QStringLiteral("/Admini/siec.dat"),
                                  record(1, QStringLiteral("/gdzie/indziej"), QString())));
    QCOMPARE(ResolveBaseDirectory(dir(), m_ws->seams.seams, false),
             std::optional<QString>(QStringLiteral("/gdzie/indziej")));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestLokalizacja::shortRecordIsReported()
{
    QVERIFY(testfiles::writeBytes(dir() + QStringLiteral("/Admini/siec.dat"), QByteArray(402, '\1')));
    try {
        ResolveBaseDirectory(dir(), m_ws->seams.seams, true);
        QFAIL("a short record was accepted");
    } catch (const FileError &error) {
        QCOMPARE(error.text(), QStringLiteral("Read beyond end of file"));
    }
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestLokalizacja::longPathsAreCut()
{
    const QString longPath = QStringLiteral("/") + QString(QLatin1Char('x')).repeated(250);
    WriteLocation(dir(), 2, longPath, longPath);
    QCOMPARE(stored(), record(2, longPath.left(200), longPath.left(200)));
    const DatabaseLocation location = ReadLocation(dir());
    QCOMPARE(location.networkPath, longPath.left(200));
}

QTEST_GUILESS_MAIN(TestLokalizacja)
#include "tst_lokalizacja.moc"
