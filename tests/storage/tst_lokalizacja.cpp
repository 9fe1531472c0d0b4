#include "fileerrorassert.h"
#include "lokalizacja.h"
#include "recordfile.h"
#include "recordoffsets.h"
#include "testfiles.h"
#include "workspace.h"

#include <QTemporaryDir>
#include <QTest>

using namespace storage;
using Status = LocationCheck::Status;

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
    void modeByte_data();
    void modeByte();
    void repairKeepsTheNetworkPath_data();
    void repairKeepsTheNetworkPath();
    void shortRecordIsReported();
    void longPathsAreCut();

private:
    QString dir() const { return m_ws->path(); }
    QString file() const { return dir() + QStringLiteral("/Admini/siec.dat"); }
    QByteArray stored() const { return testfiles::readBytes(file()); }
    static QByteArray record(int mode, const QString &local, const QString &network)
    {
        return recordoffsets::locationBytes(static_cast<quint8>(mode), local, network);
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
    const LocationCheck check = CheckLocation(dir(), true);
    QCOMPARE(check.status, Status::Usable);
    QCOMPARE(check.baseDir, dir());
    QCOMPARE(check.location.mode, 1);
    QCOMPARE(stored(), record(1, dir(), QString()));
}

void TestLokalizacja::movedProgram_data()
{
    QTest::addColumn<QString>("storedLocal");
    QTest::newRow("another folder") << "/dawny/katalog";
    QTest::newRow("letter case differs") << "UPPER";
}

void TestLokalizacja::movedProgram()
{
    QFETCH(QString, storedLocal);
    const QString local = storedLocal == QLatin1String("UPPER") ? dir().toUpper() : storedLocal;
    const QByteArray before = record(1, local, QStringLiteral("/siec/baza"));
    QVERIFY(testfiles::writeBytes(file(), before));

    const LocationCheck check = CheckLocation(dir(), true);
    QCOMPARE(check.status, Status::Moved);
    QCOMPARE(check.baseDir, QString());
    QCOMPARE(check.location.localPath, local);
    QCOMPARE(check.location.networkPath, QStringLiteral("/siec/baza"));
    // The check itself writes nothing.
    QCOMPARE(stored(), before);
}

void TestLokalizacja::network_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::newRow("share reachable") << true;
    QTest::newRow("share unreachable") << false;
}

void TestLokalizacja::network()
{
    QFETCH(bool, reachable);
    QTemporaryDir share;
    QVERIFY(share.isValid());
    if (reachable) {
        QVERIFY(testfiles::makeDataTree(share.path()));
        QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/siec.dat"), "x"));
    }
    const QByteArray before = record(2, dir(), share.path());
    QVERIFY(testfiles::writeBytes(file(), before));

    const LocationCheck check = CheckLocation(dir(), true);
    QCOMPARE(check.location.mode, 2);
    QCOMPARE(check.status, reachable ? Status::Usable : Status::NetworkUnavailable);
    QCOMPARE(check.baseDir, reachable ? share.path() : QString());
    QCOMPARE(stored(), before);
}

void TestLokalizacja::windowsOtherThanTheMainOneSkipTheLocationCheck()
{
    QVERIFY(testfiles::writeBytes(file(), record(1, QStringLiteral("/gdzie/indziej"), QString())));
    const LocationCheck check = CheckLocation(dir(), false);
    QCOMPARE(check.status, Status::Usable);
    QCOMPARE(check.baseDir, QStringLiteral("/gdzie/indziej"));
}

void TestLokalizacja::modeByte_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("mode");
    QTest::newRow("0 reads as local") << 0 << 1;
    QTest::newRow("1 local") << 1 << 1;
    QTest::newRow("2 network") << 2 << 2;
    QTest::newRow("3 reads as network") << 3 << 2;
    QTest::newRow("255 reads as network") << 255 << 2;
}

void TestLokalizacja::modeByte()
{
    QFETCH(int, stored);
    QFETCH(int, mode);
    const QByteArray bytes = record(stored, dir(), QStringLiteral("/siec"));
    QVERIFY(testfiles::writeBytes(file(), bytes));
    QCOMPARE(ReadLocation(dir()).mode, mode);
    QCOMPARE(CheckLocation(dir(), true).status,
             mode == 2 ? Status::NetworkUnavailable : Status::Usable);
    // Reading never rewrites the byte.
    QCOMPARE(this->stored(), bytes);
}

void TestLokalizacja::repairKeepsTheNetworkPath_data()
{
    QTest::addColumn<int>("storedMode");
    QTest::addColumn<QString>("storedLocal");
    QTest::addColumn<bool>("localBecomesWorkingDir");
    QTest::newRow("moved: the working directory becomes the local path")
        << 1 << "/dawny/katalog" << true;
    QTest::newRow("network unavailable: local mode with the paths as read")
        << 2 << "/stary/lokalny" << false;
}

void TestLokalizacja::repairKeepsTheNetworkPath()
{
    QFETCH(int, storedMode);
    QFETCH(QString, storedLocal);
    QFETCH(bool, localBecomesWorkingDir);
    QTemporaryDir missingShare;
    const QString network = missingShare.path() + QStringLiteral("/brak");
    QVERIFY(testfiles::writeBytes(file(), record(storedMode, storedLocal, network)));
    const LocationCheck check = CheckLocation(dir(), true);
    QVERIFY(check.status != Status::Usable);

    RepairLocation(dir(), check);
    QCOMPARE(stored(), record(1, localBecomesWorkingDir ? dir() : storedLocal, network));
}

void TestLokalizacja::shortRecordIsReported()
{
    QVERIFY(testfiles::writeBytes(file(), QByteArray(402, '\1')));
    QVERIFY_FILE_ERROR(CheckLocation(dir(), true), 100, QStringLiteral("Read beyond end of file"));
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
