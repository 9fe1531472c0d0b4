#include "clientrecords.h"
#include "faultprobe.h"
#include "fileerror.h"
#include "fileerrorassert.h"
#include "recordfile.h"
#include "rejestr.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>
#include <thread>

using namespace storage;
using namespace std::chrono_literals;
using Outcome = RegisterChange::Outcome;

namespace {

// What one workstation's main window shows: the register as it last read or saved it.
struct Screen {
    Record shown;
    QString line(int position) const { return shown.text(registerfile::line(position)); }
};

// The bytes of an unused tail that no default record has, to see that they survive.
QByteArray unusedPattern()
{
    QByteArray bytes(registerfile::kSize - registerfile::kUnusedOffset, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251 + 1);
    return bytes;
}

} // namespace

class TestRejestr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void interleavedChangesFromTwoScreensLoseNothing();
    void expectedLineIsComparedAsStored_data();
    void expectedLineIsComparedAsStored();
    void missingRegisterIsCreatedFirst();
    void failuresLeaveNoLock_data();
    void failuresLeaveNoLock();
    void lockOfAnotherCopy_data();
    void lockOfAnotherCopy();
    void releasedLockIsWaitedFor();
    void failedWriteOnTheMediumLeavesNoLock_data();
    void failedWriteOnTheMediumLeavesNoLock();
    void twoProcessesAddingAtOnceLoseNoClient();

private:
    QString base() const { return m_dir->path(); }
    QString registerFile() const { return base() + QStringLiteral("/DANE/klienci.dat"); }
    // The register with the unused tail filled, written as the file.
    Record seedRegister();
    Screen load() const;
    // Everything in DANE, hidden files included.
    QStringList daneEntries() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRejestr::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(testfiles::makeDataTree(base()));
}

Record TestRejestr::seedRegister()
{
    Record record = registerfile::defaultRecord();
    record.bytes().replace(registerfile::kUnusedOffset, unusedPattern().size(), unusedPattern());
    WriteRecord(registerFile(), record);
    return record;
}

Screen TestRejestr::load() const
{
    Screen screen{Record(registerfile::kSize)};
    ReadRecord(registerFile(), screen.shown);
    return screen;
}

QStringList TestRejestr::daneEntries() const
{
    return QDir(base() + QStringLiteral("/DANE"))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void TestRejestr::interleavedChangesFromTwoScreensLoseNothing()
{
    seedRegister();
    Screen a = load();
    Screen b = load();
    auto change = [this](Screen &screen, int position, const QString &newLine) {
        const RegisterChange result =
            ChangeRegisterLine(base(), position, screen.line(position), newLine);
        screen.shown = result.record;
        return result.outcome;
    };

    QCOMPARE(change(a, 5, QStringLiteral("005 Anna")), Outcome::Saved);
    // B still shows 005 free; its add at 006 keeps A's client and shows it.
    const Screen bBefore = b;
    QCOMPARE(change(b, 6, QStringLiteral("006 Bogdan")), Outcome::Saved);
    QCOMPARE(b.line(5), QStringLiteral("005 Anna"));

    // A, whose screen shows 006 free, adds there: refused, the current line shown.
    const QByteArray beforeRefusal = testfiles::readBytes(registerFile());
    QCOMPARE(change(a, 6, QStringLiteral("006 Celina")), Outcome::ChangedElsewhere);
    QCOMPARE(a.line(6), QStringLiteral("006 Bogdan"));
    QCOMPARE(testfiles::readBytes(registerFile()), beforeRefusal);

    // The same add from B's screen of before its own add is refused as well.
    Screen stale = bBefore;
    QCOMPARE(change(stale, 5, QStringLiteral("005 Dorota")), Outcome::ChangedElsewhere);
    QCOMPARE(stale.line(5), QStringLiteral("005 Anna"));

    QCOMPARE(change(a, 5, QStringLiteral("005 Anna Nowak")), Outcome::Saved);
    // B's delete of 005 began on the old name: refused.
    QCOMPARE(change(b, 5, QStringLiteral("005")), Outcome::ChangedElsewhere);
    QCOMPARE(b.line(5), QStringLiteral("005 Anna Nowak"));
    QCOMPARE(change(a, 6, QStringLiteral("006")), Outcome::Saved);
    // B's rename of 006 began before A deleted it: refused, 006 shown free.
    QCOMPARE(change(b, 6, QStringLiteral("006 Bogdan Lis")), Outcome::ChangedElsewhere);
    QCOMPARE(b.line(6), QStringLiteral("006"));

    Record expected = registerfile::defaultRecord();
    expected.bytes().replace(registerfile::kUnusedOffset, unusedPattern().size(), unusedPattern());
    expected.setText(registerfile::line(5), QStringLiteral("005 Anna Nowak"));
    QCOMPARE(testfiles::readBytes(registerFile()), expected.bytes());
    QCOMPARE(a.shown.bytes(), expected.bytes());
    QCOMPARE(b.shown.bytes(), expected.bytes());
    QCOMPARE(daneEntries(), QStringList{"klienci.dat"});
}

void TestRejestr::expectedLineIsComparedAsStored_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("matches");
    const QString longName(60, QLatin1Char('x'));
    QTest::newRow("same") << "012 ABC"
                          << "012 ABC" << true;
    QTest::newRow("shown longer than stored") << "012 " + longName << "012 " + longName << true;
    QTest::newRow("character Windows-1250 lacks") << "012 Li 李"
                                                  << "012 Li 李" << true;
    QTest::newRow("Polish letters") << "012 Łódź"
                                    << "012 Łódź" << true;
    QTest::newRow("added blank elsewhere") << "012 "
                                           << "012" << false;
    QTest::newRow("other case") << "012 abc"
                                << "012 ABC" << false;
    QTest::newRow("other name") << "012 Jan"
                                << "012 Janina" << false;
}

void TestRejestr::expectedLineIsComparedAsStored()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(bool, matches);
    Record record = seedRegister();
    record.setText(registerfile::line(12), stored);
    WriteRecord(registerFile(), record);

    const RegisterChange change = ChangeRegisterLine(base(), 12, shown, QStringLiteral("012 Nowy"));
    QCOMPARE(change.outcome, matches ? Outcome::Saved : Outcome::ChangedElsewhere);
    if (matches)
        record.setText(registerfile::line(12), QStringLiteral("012 Nowy"));
    QCOMPARE(change.record.bytes(), record.bytes());
    QCOMPARE(testfiles::readBytes(registerFile()), record.bytes());
}

void TestRejestr::missingRegisterIsCreatedFirst()
{
    const RegisterChange change =
        ChangeRegisterLine(base(), 1, QStringLiteral("001"), QStringLiteral("001 Anna"));
    QCOMPARE(change.outcome, Outcome::Saved);
    Record expected = registerfile::defaultRecord();
    expected.setText(registerfile::line(1), QStringLiteral("001 Anna"));
    QCOMPARE(testfiles::readBytes(registerFile()), expected.bytes());
    QCOMPARE(expected.text(registerfile::line(500)), QStringLiteral("500"));
    QCOMPARE(expected.bytes().mid(registerfile::kUnusedOffset),
             QByteArray(registerfile::kSize - registerfile::kUnusedOffset, '\0'));
}

void TestRejestr::failuresLeaveNoLock_data()
{
    QTest::addColumn<bool>("withDane");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("no DANE folder") << false << 3 << "Invalid filename";
    QTest::newRow("register one byte short") << true << 100 << "Read beyond end of file";
}

void TestRejestr::failuresLeaveNoLock()
{
    QFETCH(bool, withDane);
    QFETCH(int, code);
    QFETCH(QString, text);
    if (withDane)
        QVERIFY(testfiles::writeBytes(registerFile(), QByteArray(registerfile::kSize - 1, '\x03')));
    else
        QVERIFY(QDir(base()).rmdir(QStringLiteral("DANE")));

    QVERIFY_FILE_ERROR(
        ChangeRegisterLine(base(), 5, QStringLiteral("005"), QStringLiteral("005 Anna")), code,
        text);
    QCOMPARE(daneEntries(), withDane ? QStringList{"klienci.dat"} : QStringList{});
    if (withDane)
        QCOMPARE(testfiles::readBytes(registerFile()), QByteArray(registerfile::kSize - 1, '\x03'));
}

void TestRejestr::lockOfAnotherCopy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("takenOver");
    QTest::newRow("just made") << "klienci.blk" << 0 << false;
    QTest::newRow("other spelling") << "KLIENCI.BLK" << 0 << false;
    QTest::newRow("half a minute old") << "klienci.blk" << 30 << false;
    QTest::newRow("dated ahead") << "klienci.blk" << -120 << false;
    QTest::newRow("two minutes old: crashed copy") << "klienci.blk" << 120 << true;
    QTest::newRow("two minutes old, other spelling") << "Klienci.Blk" << 120 << true;
}

void TestRejestr::lockOfAnotherCopy()
{
    QFETCH(QString, name);
    QFETCH(int, ageSeconds);
    QFETCH(bool, takenOver);
    const Record seeded = seedRegister();
    const QString lock = base() + QStringLiteral("/DANE/") + name;
    QVERIFY(testfiles::writeBytes(lock, "other copy"));
    QFile lockFile(lock);
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
    lockFile.close();

    if (takenOver) {
        const RegisterChange change =
            ChangeRegisterLine(base(), 5, QStringLiteral("005"), QStringLiteral("005 Anna"));
        QCOMPARE(change.outcome, Outcome::Saved);
        QCOMPARE(load().line(5), QStringLiteral("005 Anna"));
        QCOMPARE(daneEntries(), QStringList{"klienci.dat"});
    } else {
        QVERIFY_FILE_ERROR(
            ChangeRegisterLine(base(), 5, QStringLiteral("005"), QStringLiteral("005 Anna"), 200ms),
            5, QStringLiteral("File access denied"));
        QCOMPARE(testfiles::readBytes(registerFile()), seeded.bytes());
        // The other copy's lock is its own to delete.
        QCOMPARE(testfiles::readBytes(lock), QByteArray("other copy"));
        QCOMPARE(daneEntries(), (QStringList{name, "klienci.dat"}));
    }
}

void TestRejestr::releasedLockIsWaitedFor()
{
    seedRegister();
    const QString lock = RegisterLockPath(base());
    QVERIFY(testfiles::writeBytes(lock, "other copy"));
    // The other copy finishes its change a moment later; the patience is ample for that.
    std::thread otherCopy([lock] {
        std::this_thread::sleep_for(300ms);
        QFile::remove(lock);
    });
    RegisterChange change;
    try {
        change =
            ChangeRegisterLine(base(), 5, QStringLiteral("005"), QStringLiteral("005 Anna"), 60s);
    } catch (...) {
        otherCopy.join();
        throw;
    }
    otherCopy.join();
    QCOMPARE(change.outcome, Outcome::Saved);
    QCOMPARE(load().line(5), QStringLiteral("005 Anna"));
    QCOMPARE(daneEntries(), QStringList{"klienci.dat"});
}

void TestRejestr::failedWriteOnTheMediumLeavesNoLock_data()
{
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<QString>("error");
    // One page freed on a full medium: room for the lock, none for the new register.
    QTest::newRow("disk full") << QStringList{"write:spare:4096:00", "fill", "rm:spare"}
                               << "ERR 101 Disk full";
    QTest::newRow("read-only medium") << QStringList{"readonly"} << "ERR 5 File access denied";
}

void TestRejestr::failedWriteOnTheMediumLeavesNoLock()
{
    QFETCH(QStringList, fault);
    QFETCH(QString, error);
    QStringList commands{"mkdir:DANE", "register:5:005:005 Anna"};
    commands << fault << "register:6:006:006 Bogdan"
             << "ls:DANE";
    const ProbeRun run = RunFaultProbe(base(), QStringLiteral("size=256k"), commands);
    if (!run.skipReason.isEmpty())
        QSKIP(qPrintable(run.skipReason));
    QCOMPARE(run.lines.size(), commands.size());
    QCOMPARE(run.lines.mid(0, 2), (QStringList{"OK", "SAVED 005 Anna"}));
    QCOMPARE(run.lines.value(commands.size() - 2), error);
    QCOMPARE(run.lines.last(), QStringLiteral("LS klienci.dat"));
}

void TestRejestr::twoProcessesAddingAtOnceLoseNoClient()
{
    seedRegister();
    QProcess odd;
    QProcess even;
    const QString count = QStringLiteral("200");
    odd.start(QStringLiteral(REGISTERWRITER_PATH), {base(), "1", "2", count, "A"});
    even.start(QStringLiteral(REGISTERWRITER_PATH), {base(), "2", "2", count, "B"});
    QVERIFY(odd.waitForFinished(300000));
    QVERIFY(even.waitForFinished(300000));
    QVERIFY2(odd.exitCode() == 0, odd.readAllStandardError().constData());
    QVERIFY2(even.exitCode() == 0, even.readAllStandardError().constData());
    QCOMPARE(odd.readAllStandardOutput().trimmed(), QByteArray("200"));
    QCOMPARE(even.readAllStandardOutput().trimmed(), QByteArray("200"));

    const Screen after = load();
    int present = 0;
    int wrong = 0;
    for (int position = 1; position <= registerfile::kPositions; ++position) {
        const QString number = ClientNumber(position - 1);
        const QString client = number +
                               (position % 2 ? QStringLiteral(" A") : QStringLiteral(" B")) +
                               QString::number(position);
        if (position <= 400 && after.line(position) == client) {
            ++present;
        } else if (position <= 400 || after.line(position) != number) {
            ++wrong;
            qWarning("position %d holds %s", position, qPrintable(after.line(position)));
        }
    }
    QCOMPARE(present, 400);
    QCOMPARE(wrong, 0);
    QCOMPARE(after.shown.bytes().mid(registerfile::kUnusedOffset), unusedPattern());
    QCOMPARE(daneEntries(), QStringList{"klienci.dat"});
}

QTEST_GUILESS_MAIN(TestRejestr)
#include "tst_rejestr.moc"
