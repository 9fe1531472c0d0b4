#include "faultprobe.h"
#include "fileerror.h"
#include "fileerrorassert.h"
#include "recordfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writeThenReadGivesTheSameBytes();
    void writeReplacesTheWholeFileAndLeavesNoTemporary_data();
    void writeReplacesTheWholeFileAndLeavesNoTemporary();
    void readErrors_data();
    void readErrors();
    void writeIntoMissingDirectoryIsInvalidFilename();
    void fileExistsIgnoresDirectories();
    void deleteNeverFails();
    void diskFullKeepsTheOldFile_data();
    void diskFullKeepsTheOldFile();
    void readOnlyMediumDeniesAccess();
    void tooManyOpenFiles();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }
};

void TestRecordFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFile::writeThenReadGivesTheSameBytes()
{
    Record record(15);
    record.setInt32(0, 42);
    record.setText({4, 10}, QStringLiteral("/2007"));
    WriteRecord(path(QStringLiteral("a.num")), record);
    QCOMPARE(testfiles::readBytes(path(QStringLiteral("a.num"))),
             QByteArray("\x2A\0\0\0\x05/2007\0\0\0\0\0", 15));

    Record back(15);
    back.bytes().fill('\x7F');
    ReadRecord(path(QStringLiteral("a.num")), back);
    QCOMPARE(back.bytes(), record.bytes());
}

// A file rebuilt at every start is replaced in the same way; only the wait for the disk differs.
void TestRecordFile::writeReplacesTheWholeFileAndLeavesNoTemporary_data()
{
    QTest::addColumn<Flush>("flush");
    QTest::newRow("to disk") << Flush::ToDisk;
    QTest::newRow("rebuilt") << Flush::Rebuilt;
}

void TestRecordFile::writeReplacesTheWholeFileAndLeavesNoTemporary()
{
    QFETCH(Flush, flush);
    const QString file = path(QStringLiteral("klienci.dat"));
    QVERIFY(testfiles::writeBytes(file, QByteArray(40000, 'z')));
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadGroup));
    const QFileDevice::Permissions before = QFile::permissions(file);
    Record record(36000);
    record.bytes().fill('a');
    WriteRecord(file, record, flush);
    QCOMPARE(testfiles::readBytes(file), QByteArray(36000, 'a'));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"klienci.dat"});
    // The replacement keeps the permissions of the file it replaced.
    QCOMPARE(QFile::permissions(file), before);
}

void TestRecordFile::readErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing file") << "DANE/none.dat" << 2 << "File not found";
    QTest::newRow("missing directory") << "NODIR/none.dat" << 3 << "Invalid filename";
    QTest::newRow("one byte short") << "DANE/short.dat" << 100 << "Read beyond end of file";
    QTest::newRow("a directory where a file should be") << "DANE" << 5 << "File access denied";
    QTest::newRow("link loop: other system error") << "DANE/loop.dat" << 40 << "I/O error 40";
}

void TestRecordFile::readErrors()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QFETCH(QString, text);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("DANE")));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("DANE/short.dat")), QByteArray(236, 'x')));
    QVERIFY(
        QFile::link(path(QStringLiteral("DANE/loop.dat")), path(QStringLiteral("DANE/loop.dat"))));

    Record record(237);
    QVERIFY_FILE_ERROR(ReadRecord(path(name), record), code, text);
}

void TestRecordFile::writeIntoMissingDirectoryIsInvalidFilename()
{
    QVERIFY_FILE_ERROR(WriteRecord(path(QStringLiteral("KOSZ/005.k")), Record(4)), 3,
                       QStringLiteral("Invalid filename"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("KOSZ"))));
}

void TestRecordFile::fileExistsIgnoresDirectories()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("DANE")));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("ro.dat")), "x"));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("ro.dat")), QFileDevice::ReadOwner));
    QVERIFY(FileExists(path(QStringLiteral("ro.dat"))));
    QVERIFY(!FileExists(path(QStringLiteral("DANE"))));
    QVERIFY(!FileExists(path(QStringLiteral("none.dat"))));
}

void TestRecordFile::deleteNeverFails()
{
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("x.dat")), "x"));
    DeleteFile(path(QStringLiteral("x.dat")));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.dat"))));
    DeleteFile(path(QStringLiteral("x.dat")));
    DeleteFile(path(QStringLiteral("NODIR/x.dat")));
}

void TestRecordFile::diskFullKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("to disk") << QStringLiteral("write");
    QTest::newRow("rebuilt") << QStringLiteral("rebuild");
}

void TestRecordFile::diskFullKeepsTheOldFile()
{
    QFETCH(QString, command);
    const ProbeRun run =
        RunFaultProbe(m_dir->path(), QStringLiteral("size=256k"),
                      {QStringLiteral("write:klienci.dat:36000:41"), QStringLiteral("fill"),
                       command + QStringLiteral(":klienci.dat:36000:42"),
                       QStringLiteral("dump:klienci.dat"), QStringLiteral("ls")});
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QCOMPARE(run.lines, (QStringList{"OK", "FILLED", "ERR 101 Disk full", "DUMP 36000 41 uniform",
                                     "LS filler klienci.dat"}));
}

void TestRecordFile::readOnlyMediumDeniesAccess()
{
    const ProbeRun run = RunFaultProbe(
        m_dir->path(), QStringLiteral("size=64k"),
        {QStringLiteral("write:klienci.dat:36000:41"), QStringLiteral("readonly"),
         QStringLiteral("write:klienci.dat:36000:42"), QStringLiteral("write:new.dat:10:42"),
         QStringLiteral("read:klienci.dat:36000"), QStringLiteral("dump:klienci.dat")});
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QCOMPARE(run.lines, (QStringList{"OK", "READONLY", "ERR 5 File access denied",
                                     "ERR 5 File access denied", "OK", "DUMP 36000 41 uniform"}));
}

void TestRecordFile::tooManyOpenFiles()
{
    const ProbeRun run =
        RunFaultProbe(m_dir->path(), QStringLiteral("size=64k"),
                      {QStringLiteral("write:a.dat:5:01"), QStringLiteral("nofile"),
                       QStringLiteral("read:a.dat:5"), QStringLiteral("write:a.dat:5:02")});
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QCOMPARE(run.lines, (QStringList{"OK", "NOFILE", "ERR 4 Too many open files",
                                     "ERR 4 Too many open files"}));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
