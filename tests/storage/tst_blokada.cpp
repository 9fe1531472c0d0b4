#include "blokada.h"
#include "faultprobe.h"
#include "fileerror.h"
#include "fileerrorassert.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

class TestBlokada : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void takingAFreeClientCreatesTheLock();
    void reopeningTheHeldClientRewritesItsLock();
    void busyClientKeepsTheHeldLock();
    void anotherClientReleasesTheHeldLockOnlyOnceTaken();
    void failedCreationKeepsTheHeldLock();
    void staleLockStaysBusy();
    void holderFileNamesTheWorkstation();
    void unreadableHolderFileNamesNobody_data();
    void unreadableHolderFileNamesNobody();
    void readOnlyLockFolderIsReported();
    void twoProcessesNeverHoldOneClientTogether();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString base() const { return m_dir->path(); }
};

void TestBlokada::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(testfiles::makeDataTree(base()));
}

void TestBlokada::takingAFreeClientCreatesTheLock()
{
    QString held;
    const QString lock = LockPath(base(), QStringLiteral("005"));
    QCOMPARE(lock, base() + QStringLiteral("/KOSZ/005.k"));
    QCOMPARE(TakeClientLock(lock, held), LockOutcome::Taken);
    QCOMPARE(held, lock);
    QCOMPARE(testfiles::readBytes(lock), QByteArray("\x01\x00\x00\x00", 4));

    ReleaseHeldLock(held);
    QVERIFY(held.isEmpty());
    QVERIFY(!QFile::exists(lock));
}

void TestBlokada::reopeningTheHeldClientRewritesItsLock()
{
    QString held;
    const QString lock = LockPath(base(), QStringLiteral("005"));
    QCOMPARE(TakeClientLock(lock, held), LockOutcome::Taken);
    QVERIFY(testfiles::writeBytes(lock, "garbage"));
    QCOMPARE(TakeClientLock(lock, held), LockOutcome::Taken);
    QCOMPARE(held, lock);
    QCOMPARE(testfiles::readBytes(lock), QByteArray("\x01\x00\x00\x00", 4));
}

void TestBlokada::busyClientKeepsTheHeldLock()
{
    QString first;
    QString second;
    const QString lock3 = LockPath(base(), QStringLiteral("003"));
    const QString lock5 = LockPath(base(), QStringLiteral("005"));
    QCOMPARE(TakeClientLock(lock5, first), LockOutcome::Taken);
    QCOMPARE(TakeClientLock(lock3, second), LockOutcome::Taken);

    QCOMPARE(TakeClientLock(lock5, second), LockOutcome::Busy);
    QCOMPARE(second, lock3);
    QVERIFY(QFile::exists(lock3));
    QCOMPARE(first, lock5);
}

void TestBlokada::anotherClientReleasesTheHeldLockOnlyOnceTaken()
{
    QString held;
    const QString lock5 = LockPath(base(), QStringLiteral("005"));
    const QString lock7 = LockPath(base(), QStringLiteral("007"));
    QCOMPARE(TakeClientLock(lock5, held), LockOutcome::Taken);
    QCOMPARE(TakeClientLock(lock7, held), LockOutcome::Taken);
    QCOMPARE(held, lock7);
    QVERIFY(!QFile::exists(lock5));
    QVERIFY(QFile::exists(lock7));
}

void TestBlokada::failedCreationKeepsTheHeldLock()
{
    QString held;
    const QString lock5 = LockPath(base(), QStringLiteral("005"));
    QCOMPARE(TakeClientLock(lock5, held), LockOutcome::Taken);

    QTemporaryDir noLockFolder;
    QVERIFY(noLockFolder.isValid());
    QVERIFY_FILE_ERROR(TakeClientLock(LockPath(noLockFolder.path(), QStringLiteral("007")), held),
                       3, QStringLiteral("Invalid filename"));
    QCOMPARE(held, lock5);
    QVERIFY(QFile::exists(lock5));
}

void TestBlokada::staleLockStaysBusy()
{
    // A copy that ended abnormally left its lock; a new copy holds nothing.
    const QString lock = LockPath(base(), QStringLiteral("005"));
    QVERIFY(testfiles::writeBytes(lock, QByteArray("\x01\x00\x00\x00", 4)));
    QString held;
    QCOMPARE(TakeClientLock(lock, held), LockOutcome::Busy);
    QVERIFY(held.isEmpty());
    QVERIFY(QFile::exists(lock));
}

void TestBlokada::holderFileNamesTheWorkstation()
{
    QString held;
    const QString lock5 = LockPath(base(), QStringLiteral("005"));
    const QString lock7 = LockPath(base(), QStringLiteral("007"));
    const QDateTime since(QDate(2007, 3, 15), QTime(8, 5, 9));
    QCOMPARE(TakeClientLock(lock5, held, QStringLiteral("BIURO-2"), since), LockOutcome::Taken);
    QCOMPARE(LockHolderPath(lock5), base() + QStringLiteral("/KOSZ/005.kto"));
    // The lock itself keeps its four bytes.
    QCOMPARE(testfiles::readBytes(lock5), QByteArray("\x01\x00\x00\x00", 4));
    const std::optional<LockHolder> holder = ReadLockHolder(lock5);
    QVERIFY(holder);
    QCOMPARE(holder->workstation, QStringLiteral("BIURO-2"));
    QCOMPARE(holder->since, since);

    // Moving on to another client takes the holder file along; releasing deletes both.
    QCOMPARE(TakeClientLock(lock7, held, QStringLiteral("BIURO-2"), since.addSecs(60)),
             LockOutcome::Taken);
    const QDir kosz(base() + QStringLiteral("/KOSZ"));
    QCOMPARE(kosz.entryList(QDir::Files), (QStringList{"007.k", "007.kto"}));
    QCOMPARE(ReadLockHolder(lock7)->since, since.addSecs(60));
    ReleaseHeldLock(held);
    QCOMPARE(kosz.entryList(QDir::Files), QStringList());
}

void TestBlokada::unreadableHolderFileNamesNobody_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("one line") << QByteArray("BIURO-2\n");
    QTest::newRow("no workstation") << QByteArray("\n2007-03-15 08:05:09\n");
    QTest::newRow("no time") << QByteArray("BIURO-2\nrano\n");
    QTest::newRow("oversized") << QByteArray("BIURO-2\n2007-03-15 08:05:09\n") +
                                      QByteArray(600, ' ');
}

void TestBlokada::unreadableHolderFileNamesNobody()
{
    QFETCH(QByteArray, content);
    const QString lock = LockPath(base(), QStringLiteral("005"));
    QVERIFY(testfiles::writeBytes(lock, QByteArray("\x01\x00\x00\x00", 4)));
    if (!content.isEmpty())
        QVERIFY(testfiles::writeBytes(LockHolderPath(lock), content));
    QVERIFY(!ReadLockHolder(lock));
    QString held;
    QCOMPARE(TakeClientLock(lock, held), LockOutcome::Busy);
}

void TestBlokada::readOnlyLockFolderIsReported()
{
    const ProbeRun run = RunFaultProbe(
        base(), QStringLiteral("size=64k"),
        {QStringLiteral("mkdir:KOSZ"), QStringLiteral("lock:KOSZ/003.k"),
         QStringLiteral("readonly"), QStringLiteral("lock:KOSZ/005.k"), QStringLiteral("ls")});
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QCOMPARE(run.lines,
             (QStringList{"OK", "TAKEN", "READONLY", "ERR 5 File access denied", "LS KOSZ"}));
}

void TestBlokada::twoProcessesNeverHoldOneClientTogether()
{
    const QString log = base() + QStringLiteral("/log.txt");
    const QString iterations = QStringLiteral("3000");
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(LOCKTAKER_PATH), {base(), QStringLiteral("A"), iterations, log});
    second.start(QStringLiteral(LOCKTAKER_PATH), {base(), QStringLiteral("B"), iterations, log});
    QVERIFY(first.waitForFinished(120000));
    QVERIFY(second.waitForFinished(120000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    const int takenA = first.readAllStandardOutput().trimmed().toInt();
    const int takenB = second.readAllStandardOutput().trimmed().toInt();

    const QList<QByteArray> lines = testfiles::readBytes(log).split('\n');
    int entries = 0;
    QByteArray inside;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        if (line.startsWith("E ")) {
            QVERIFY2(inside.isEmpty(), "two copies held the client at once");
            inside = line.mid(2);
            ++entries;
        } else {
            QCOMPARE(line.mid(2), inside);
            inside.clear();
        }
    }
    QCOMPARE(entries, takenA + takenB);
    QVERIFY(entries > 0);
    QVERIFY(!QFile::exists(LockPath(base(), QStringLiteral("005"))));
}

QTEST_GUILESS_MAIN(TestBlokada)
#include "tst_blokada.moc"
