#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program in a process of its own, a client open and kilometres typed but not saved,
// ended as the desktop session ends it.
class TestSesja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endOfSession_data();
    void endOfSession();
};

void TestSesja::endOfSession_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("orderly");
    QTest::newRow("SIGTERM") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP") << int(SIGHUP) << true;
    // A kill or a power cut cannot be handled: the typing is lost and the lock stays, naming
    // this workstation.
    QTest::newRow("SIGKILL") << int(SIGKILL) << false;
}

void TestSesja::endOfSession()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, orderly);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess program;
    program.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(SESSIONPROBE_PATH), {});
    QVERIFY(program.waitForStarted(10000));
    QVERIFY(QTest::qWaitFor(
        [&program] { return program.canReadLine() || program.state() != QProcess::Running; },
        60000));
    QCOMPARE(program.readLine().trimmed(), QByteArray("READY"));
    const QString lock = dir.filePath(QStringLiteral("KOSZ/001.k"));
    QVERIFY(QFile::exists(lock));
    const QByteArray history =
        testfiles::readBytes(dir.filePath(QStringLiteral("Admini/historia.dat")));

    QCOMPARE(::kill(static_cast<pid_t>(program.processId()), signalNumber), 0);
    QVERIFY(program.waitForFinished(20000));

    QStringList yearFiles;
    QDirIterator it(dir.path(), {QStringLiteral("001_*.prz")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        yearFiles << it.next();
    QCOMPARE(yearFiles.size(), 1);
    const QByteArray mileage = testfiles::readBytes(yearFiles.first());
    QCOMPARE(mileage.size(), 413);
    const QByteArray kilometres = QByteArray("\x09   400.00", 10);
    if (orderly) {
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // January as "Powrót" saves it, the lock and its holder file gone, the launch recorded.
        QCOMPARE(mileage.left(10), kilometres);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("KOSZ"))).entryList(QDir::Files), QStringList());
        QVERIFY(testfiles::readBytes(dir.filePath(QStringLiteral("Admini/historia.dat"))) !=
                history);
    } else {
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QVERIFY(mileage.left(10) != kilometres);
        QCOMPARE(testfiles::readBytes(lock), QByteArray("\1\0\0\0", 4));
        QVERIFY(testfiles::readBytes(lock + QStringLiteral("to"))
                    .startsWith(QSysInfo::machineHostName().toUtf8() + '\n'));
    }
}

QTEST_GUILESS_MAIN(TestSesja)
#include "tst_sesja.moc"
