#include "clientrecords.h"
#include "testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Starts the real program in a working directory of its own and checks what it leaves there.
class TestExecutable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshInstallation();
    void partlyMissingTreeIsNotCompleted();

private:
    // Runs the program until the register file appears, then stops it.
    bool runUntilRegisterExists(const QString &workingDir, const QString &registerFile);
};

bool TestExecutable::runUntilRegisterExists(const QString &workingDir, const QString &registerFile)
{
    QProcess program;
    program.setWorkingDirectory(workingDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MIRTAL_PATH), {});
    if (!program.waitForStarted(10000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(registerFile) && waited.elapsed() < 20000 &&
           program.state() == QProcess::Running)
        QTest::qWait(50);
    // The register is renamed into place whole, so once it exists it is complete.
    const bool appeared = QFileInfo::exists(registerFile);
    program.kill();
    program.waitForFinished(5000);
    return appeared;
}

void TestExecutable::freshInstallation()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(runUntilRegisterExists(dir.path(), dir.path() + QStringLiteral("/DANE/klienci.dat")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Admini", "DANE", "FONT", "KOSZ", "POMOC", "TAPETY"}));
    QCOMPARE(testfiles::readBytes(dir.path() + QStringLiteral("/DANE/klienci.dat")),
             storage::registerfile::defaultRecord().bytes());
}

void TestExecutable::partlyMissingTreeIsNotCompleted()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Folders spelt in other letter cases are found as they are; none is added.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Dane")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("admini")));
    QVERIFY(runUntilRegisterExists(dir.path(), dir.path() + QStringLiteral("/Dane/klienci.dat")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Dane", "admini"}));
    QVERIFY(QFileInfo::exists(dir.path() + QStringLiteral("/admini/siec.dat")));
    QVERIFY(QFileInfo::exists(dir.path() + QStringLiteral("/admini/historia.dat")));
}

QTEST_GUILESS_MAIN(TestExecutable)
#include "tst_executable.moc"
