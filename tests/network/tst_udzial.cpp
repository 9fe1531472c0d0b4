// Network mode on a real network file system: run by run-sshfs.sh, which serves one folder with
// sshd and mounts it twice with sshfs (two workstations), with or without a client cache of names
// and attributes. The figures of each run (lock race, how long a released lock looks busy) are
// printed with the results.
#include "bazafirm.h"
#include "blokada.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "lokalizacja.h"
#include "paths.h"
#include "recordfile.h"
#include "recordingwindow.h"
#include "rejestr.h"
#include "testfiles.h"
#include "windowopener.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace storage;

namespace {

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

// One copy of the program on one workstation: a local working directory whose database location
// points at the workstation's mount of the share, its own state, seams and windows.
struct Workstation {
    explicit Workstation(const QString &share)
    {
        testfiles::makeDataTree(dir.path());
        WriteLocation(dir.path(), lokalizacja::Network, dir.path(), share);
        window = std::make_unique<Tbaza_f>(
            dir.path(), launch, seams.seams, windows,
            Tbaza_f::Openers{
                [this](const QString &client) { return settlement.openClient(client); },
                [](const printing::NotepadRequest &) { return false; }},
            clientWindows, fonts);
        window->FormCreate();
        list = window->findChild<QListWidget *>(QStringLiteral("lista_k"));
    }
    void select(int row)
    {
        list->setCurrentRow(row);
        window->Timer1Timer();
    }
    // Every file below the working directory, with its size.
    QStringList localFiles() const
    {
        QStringList files;
        QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            files << info.filePath() + QLatin1Char(' ') + QString::number(info.size());
        }
        files.sort();
        return files;
    }

    QTemporaryDir dir;
    TestSeams seams;
    LaunchValues launch;
    FakePrintDialogs printDialogs;
    printing::PrintFontStore fonts{dir.path(), printDialogs};
    ui::WindowTable windows;
    ui::ClientWindowList clientWindows;
    RecordingSettlement settlement;
    std::unique_ptr<Tbaza_f> window;
    QListWidget *list = nullptr;
};

} // namespace

class TestUdzial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void twoWorkstationsNeverHoldOneLock();
    void twoWorkstationsAddToTheRegister();
    void releasedLockIsFreeAtOnce();
    void programOnTwoWorkstations();
    void droppedShareIsReportedAndNothingIsWrittenLocally();

private:
    QString m_share1;
    QString m_share2;
    QString m_server;
    QString m_cache;
};

void TestUdzial::initTestCase()
{
    m_share1 = env("MIRTAL_SHARE1");
    m_share2 = env("MIRTAL_SHARE2");
    m_server = env("MIRTAL_SERVER_DIR");
    m_cache = env("MIRTAL_CACHE");
    if (m_share1.isEmpty() || m_share2.isEmpty() || m_server.isEmpty())
        QSKIP("run by tests/network/run-sshfs.sh, which mounts the share");
    // The share as an administrator prepares it: the data folders and the network copy of the
    // location record, which the start-up check opens.
    QVERIFY(testfiles::makeDataTree(m_server));
    QVERIFY(testfiles::writeBytes(m_server + QStringLiteral("/Admini/siec.dat"),
                                  lokalizacja::defaultRecord(m_server).bytes()));
}

void TestUdzial::cleanup()
{
    for (const QString &name : QDir(m_server + QStringLiteral("/KOSZ")).entryList(QDir::Files))
        QFile::remove(m_server + QStringLiteral("/KOSZ/") + name);
}

void TestUdzial::twoWorkstationsNeverHoldOneLock()
{
    QTemporaryDir local;
    QVERIFY(local.isValid());
    const QString log = local.filePath(QStringLiteral("log.txt"));
    const int iterations = 1500;
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(LOCKTAKER_PATH),
                {m_share1, QStringLiteral("A"), QString::number(iterations), log});
    second.start(QStringLiteral(LOCKTAKER_PATH),
                 {m_share2, QStringLiteral("B"), QString::number(iterations), log});
    QVERIFY(first.waitForFinished(240000));
    QVERIFY(second.waitForFinished(240000));
    // Any error but "busy" ends a taker with its text on standard error.
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
    QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
    const int takenA = first.readAllStandardOutput().trimmed().toInt();
    const int takenB = second.readAllStandardOutput().trimmed().toInt();

    int entries = 0;
    int doubleHolders = 0;
    QByteArray inside;
    for (const QByteArray &line : testfiles::readBytes(log).split('\n')) {
        if (line.isEmpty())
            continue;
        if (line.startsWith("E ")) {
            if (!inside.isEmpty())
                ++doubleHolders;
            inside = line.mid(2);
            ++entries;
        } else {
            QCOMPARE(line.mid(2), inside);
            inside.clear();
        }
    }
    qInfo("lock race over sshfs (%s): 2 x %d attempts, taken %d + %d, busy %d, double holders "
          "%d, other errors 0",
          qPrintable(m_cache), iterations, takenA, takenB, 2 * iterations - takenA - takenB,
          doubleHolders);
    QCOMPARE(doubleHolders, 0);
    QCOMPARE(entries, takenA + takenB);
    // How the takes split between the two depends on the scheduling (under load one of them may
    // find the lock held at every attempt); only that nobody held it twice is checked.
    QVERIFY(entries > 0);
    QVERIFY(!QFile::exists(m_server + QStringLiteral("/KOSZ/005.k")));
    QVERIFY(!QFile::exists(m_server + QStringLiteral("/KOSZ/005.kto")));
}

void TestUdzial::twoWorkstationsAddToTheRegister()
{
    QVERIFY(testfiles::writeBytes(RegisterPath(m_server), registerfile::defaultRecord().bytes()));
    QProcess first;
    QProcess second;
    // Workstation 1 fills the odd positions from 1, workstation 2 the even ones from 2.
    first.start(QStringLiteral(REGISTERWRITER_PATH),
                {m_share1, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("200"),
                 QStringLiteral("Pierwszy")});
    second.start(QStringLiteral(REGISTERWRITER_PATH),
                 {m_share2, QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("200"),
                  QStringLiteral("Drugi")});
    QVERIFY(first.waitForFinished(240000));
    QVERIFY(second.waitForFinished(240000));
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
    QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());

    Record record(registerfile::kSize);
    ReadRecord(RegisterPath(m_server), record);
    int kept = 0;
    for (int position = 1; position <= 400; ++position) {
        const QString expected =
            ClientNumber(position - 1) + QLatin1Char(' ') +
            (position % 2 ? QStringLiteral("Pierwszy") : QStringLiteral("Drugi")) +
            QString::number(position);
        if (record.text(registerfile::line(position)) == expected)
            ++kept;
    }
    qInfo("register race over sshfs (%s): 2 x 200 additions, %d kept", qPrintable(m_cache), kept);
    QCOMPARE(kept, 400);
    QCOMPARE(record.text(registerfile::line(401)), QStringLiteral("401"));
    QVERIFY(!QFile::exists(RegisterLockPath(m_server)));
}

void TestUdzial::releasedLockIsFreeAtOnce()
{
    const QString lock1 = LockPath(m_share1, QStringLiteral("009"));
    const QString lock2 = LockPath(m_share2, QStringLiteral("009"));
    QString held1;
    QString held2;

    // How long the second workstation's client still sees a lock released on the first when
    // it only asks its cache of names: a plain create-if-absent, retried every 100 ms.
    QCOMPARE(TakeClientLock(lock1, held1), LockOutcome::Taken);
    const QByteArray name2 = QFile::encodeName(lock2);
    QCOMPARE(::open(name2.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666), -1);
    ReleaseHeldLock(held1);
    QElapsedTimer cached;
    cached.start();
    int fd = -1;
    while ((fd = ::open(name2.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666)) < 0 &&
           cached.elapsed() < 30000)
        QTest::qSleep(100);
    QVERIFY(fd >= 0);
    ::close(fd);
    qInfo("released lock seen busy through the cache (%s): %.1f s with a plain create",
          qPrintable(m_cache), cached.elapsed() / 1000.0);
    QVERIFY(QFile::remove(m_server + QStringLiteral("/KOSZ/009.k")));

    // The program's own taking asks the server whether the name really exists, so the lock is
    // free for the second workstation as soon as the first has released it.
    QCOMPARE(TakeClientLock(lock1, held1), LockOutcome::Taken);
    QCOMPARE(TakeClientLock(lock2, held2), LockOutcome::Busy);
    QCOMPARE(ReadLockHolder(lock2)->workstation, ThisWorkstation());
    ReleaseHeldLock(held1);
    QCOMPARE(TakeClientLock(lock2, held2), LockOutcome::Taken);
    QCOMPARE(TakeClientLock(lock1, held1), LockOutcome::Busy);
    ReleaseHeldLock(held2);
    QCOMPARE(TakeClientLock(lock1, held1), LockOutcome::Taken);
    ReleaseHeldLock(held1);
    QCOMPARE(QDir(m_server + QStringLiteral("/KOSZ")).entryList(QDir::Files), QStringList());
}

void TestUdzial::programOnTwoWorkstations()
{
    QVERIFY(testfiles::writeBytes(RegisterPath(m_server), registerfile::defaultRecord().bytes()));
    Workstation a(m_share1);
    Workstation b(m_share2);
    QCOMPARE(a.window->baseDir(), m_share1);
    QCOMPARE(b.window->baseDir(), m_share2);

    // Additions from both, each shown to the other once it comes back to its window.
    a.select(9);
    a.seams.dialogs.inputs << QStringLiteral("Anna");
    a.window->SpeedButton4Click();
    b.select(10);
    b.seams.dialogs.inputs << QStringLiteral("Bogdan");
    b.window->SpeedButton4Click();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(a.window.get(), &activate);
    QCOMPARE(a.list->item(10)->text(), QStringLiteral("011 Bogdan"));
    QCOMPARE(b.list->item(9)->text(), QStringLiteral("010 Anna"));

    // Open, busy, release, take over.
    a.select(9);
    a.window->lista_kDblClick();
    QCOMPARE(a.settlement.client, QStringLiteral("010"));
    b.select(9);
    b.window->lista_kDblClick();
    QCOMPARE(b.settlement.opened, 0);
    QCOMPARE(b.seams.dialogs.shown.last().kind, ShownDialog::Kind::Notice);
    // Both copies run on this one computer: the message says so.
    QVERIFY2(b.seams.dialogs.shown.last().text.startsWith(
                 QStringLiteral("Rekord danych jest otwarty w innej kopii programu")),
             qPrintable(b.seams.dialogs.shown.last().text));
    a.select(10);
    a.window->lista_kDblClick();
    QCOMPARE(a.settlement.client, QStringLiteral("011"));
    b.select(9);
    b.window->lista_kDblClick();
    QCOMPARE(b.settlement.client, QStringLiteral("010"));

    // A renames 011 while B still shows the old line: B does not open it, and shows it anew.
    a.select(10);
    a.seams.dialogs.inputs << QStringLiteral("Bogdan Lis");
    a.window->SpeedButton3Click();
    QCOMPARE(b.list->item(10)->text(), QStringLiteral("011 Bogdan"));
    const qsizetype shown = b.seams.dialogs.shown.size();
    b.select(10);
    b.window->lista_kDblClick();
    QCOMPARE(b.seams.dialogs.shown.size(), shown + 1);
    QVERIFY(b.seams.dialogs.shown.last().text.startsWith(
        QStringLiteral("Wpis na tej pozycji został w międzyczasie zmieniony")));
    QCOMPARE(b.list->item(10)->text(), QStringLiteral("011 Bogdan Lis"));
    QCOMPARE(b.window->heldLockPath(), LockPath(m_share2, QStringLiteral("010")));

    QVERIFY(a.seams.dialogs.ioErrors().isEmpty());
    QVERIFY(b.seams.dialogs.ioErrors().isEmpty());
    QVERIFY(a.window->ZakonczBezPytania());
    QVERIFY(b.window->ZakonczBezPytania());
    QCOMPARE(QDir(m_server + QStringLiteral("/KOSZ")).entryList(QDir::Files), QStringList());
}

void TestUdzial::droppedShareIsReportedAndNothingIsWrittenLocally()
{
    QVERIFY(testfiles::writeBytes(RegisterPath(m_server), registerfile::defaultRecord().bytes()));
    Workstation b(m_share2);
    b.select(4);
    b.window->lista_kDblClick();
    QCOMPARE(b.settlement.client, QStringLiteral("005"));
    const QStringList localBefore = b.localFiles();
    const QByteArray registerBefore = testfiles::readBytes(RegisterPath(m_server));

    QCOMPARE(QProcess::execute(env("MIRTAL_DROP_SHARE2"), {}), 0);
    QTest::qWait(500);

    const QString expected = QStringLiteral("Folder bazy danych %1 jest nieosiągalny")
                                 .arg(QDir::toNativeSeparators(m_share2));
    b.select(6);
    b.seams.dialogs.inputs << QStringLiteral("Celina");
    b.window->SpeedButton4Click();
    b.window->lista_kDblClick();
    const QStringList errors = b.seams.dialogs.ioErrors();
    QCOMPARE(errors.size(), 2);
    for (const QString &error : errors) {
        QVERIFY2(error.startsWith(QStringLiteral("I/O error ")) && error.contains(expected),
                 qPrintable(error));
        QVERIFY(!error.contains(QStringLiteral("Invalid filename")));
    }
    qInfo("dropped share (%s): %s", qPrintable(m_cache), qPrintable(errors.first()));
    QCOMPARE(b.settlement.opened, 1);
    QCOMPARE(b.localFiles(), localBefore);
    QCOMPARE(testfiles::readBytes(RegisterPath(m_server)), registerBefore);
}

QTEST_MAIN(TestUdzial)
#include "tst_udzial.moc"
