#include "fakeseams.h"
#include "fileerrorassert.h"
#include "modul_hist.h"
#include "recordoffsets.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace storage;

namespace {

// The history record as stored: three short strings of capacity 15 and 31 reserved bytes.
QByteArray historyBytes(const QString &date, const QString &time, const QString &counter,
                        const QByteArray &reserved = QByteArray(31, '\0'))
{
    return testfiles::shortString(date, 15) + testfiles::shortString(time, 15) +
           testfiles::shortString(counter, 15) + reserved;
}

using recordoffsets::locationBytes;

QByteArray reservedPattern()
{
    QByteArray bytes(31, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(0xA0 + i);
    return bytes;
}

} // namespace

class TestModulHist : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstLaunchCountsOne();
    void launchIsCountedAndWritten_data();
    void launchIsCountedAndWritten();
    void missingAdminiDirectoryFails();

    void windowShowsTheLastLaunch();
    void windowAfterAFreshHistoryShowsEmptyValues();
    void locationLabel_data();
    void locationLabel();
    void networkModeShowsTheSharedHistory();
    void unreachableShareEndsTheProgram();
    void shortHistoryKeepsThePlaceholders();
    void clockShowsTheLongTime();

private:
    void openWindow();
    QString text(const char *label) const;

    std::unique_ptr<Workspace> m_ws;
    LaunchValues m_launch;
    std::unique_ptr<Thisto_f> m_window;
    bool m_created = false;
};

void TestModulHist::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestModulHist::cleanup()
{
    m_window.reset();
    m_ws.reset();
}

void TestModulHist::openWindow()
{
    m_window = std::make_unique<Thisto_f>(m_ws->path(), m_ws->seams.seams);
    m_created = m_window->FormCreate();
}

QString TestModulHist::text(const char *label) const
{
    return findChildNamed<QLabel>(m_window.get(), label)->text();
}

void TestModulHist::firstLaunchCountsOne()
{
    PobierzDane(m_launch, m_ws->path(), m_ws->seams.seams);
    // Created all zero, and not changed until the orderly end.
    QCOMPARE(testfiles::readBytes(m_ws->path("Admini/historia.dat")), QByteArray(79, '\0'));
    QCOMPARE(m_launch.counter, QStringLiteral("1"));
    QCOMPARE(m_launch.date, QStringLiteral("15.03.2007"));
    QCOMPARE(m_launch.time, QStringLiteral("12:30:45"));

    ZapiszUruchomienia(m_launch, m_ws->path());
    QCOMPARE(testfiles::readBytes(m_ws->path("Admini/historia.dat")),
             historyBytes("15.03.2007", "12:30:45", "1"));
}

void TestModulHist::launchIsCountedAndWritten_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("storedCounter");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("counter");

    QTest::newRow("41 gives 42, dotted date") << "."
                                              << "41"
                                              << "15.03.2007"
                                              << "42";
    QTest::newRow("carry into a new digit") << "/"
                                            << "999"
                                            << "15/03/2007"
                                            << "1000";
    QTest::newRow("empty counter") << "-"
                                   << ""
                                   << "15-03-2007"
                                   << "1";
}

void TestModulHist::launchIsCountedAndWritten()
{
    QFETCH(QString, separator);
    QFETCH(QString, storedCounter);
    QFETCH(QString, date);
    QFETCH(QString, counter);

    QVERIFY(testfiles::writeBytes(
        m_ws->path("Admini/historia.dat"),
        historyBytes("01.01.2006", "08:00:00 rano", storedCounter, reservedPattern())));
    m_ws->seams.regional.separator = separator;
    PobierzDane(m_launch, m_ws->path(), m_ws->seams.seams);
    QCOMPARE(m_launch.date, date);
    QCOMPARE(m_launch.counter, counter);

    ZapiszUruchomienia(m_launch, m_ws->path());
    QCOMPARE(testfiles::readBytes(m_ws->path("Admini/historia.dat")),
             historyBytes(date, "12:30:45", counter, reservedPattern()));
}

void TestModulHist::missingAdminiDirectoryFails()
{
    QVERIFY(QDir(m_ws->path("Admini")).removeRecursively());
    QVERIFY_FILE_ERROR(PobierzDane(m_launch, m_ws->path(), m_ws->seams.seams), 3,
                       QStringLiteral("Invalid filename"));
    QVERIFY_FILE_ERROR(ZapiszUruchomienia(m_launch, m_ws->path()), 3,
                       QStringLiteral("Invalid filename"));
}

void TestModulHist::windowShowsTheLastLaunch()
{
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/historia.dat"),
                                  historyBytes("02.03.2007", "09:15:00", "41")));
    openWindow();
    QVERIFY(m_created);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Historia"));
    QCOMPARE(text("Label4"), QStringLiteral("02.03.2007"));
    QCOMPARE(text("Label5"), QStringLiteral("09:15:00"));
    QCOMPARE(text("Label6"), QStringLiteral("41"));
    // The location record is created on the way, with the working directory as local path.
    QCOMPARE(testfiles::readBytes(m_ws->path("Admini/siec.dat")),
             locationBytes(1, m_ws->path(), {}));
    QCOMPARE(m_window->findChild<QLabel *>("Label8")->toolTip(), m_ws->path());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestModulHist::windowAfterAFreshHistoryShowsEmptyValues()
{
    openWindow();
    QVERIFY(m_created);
    QCOMPARE(testfiles::readBytes(m_ws->path("Admini/historia.dat")), QByteArray(79, '\0'));
    QCOMPARE(text("Label4"), QString());
    QCOMPARE(text("Label5"), QString());
    QCOMPARE(text("Label6"), QString());
}

void TestModulHist::locationLabel_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("whole");
    QTest::newRow("30 characters") << 30 << true;
    // The last 31 characters of a 31-character path are the whole path.
    QTest::newRow("31 characters") << 31 << true;
    QTest::newRow("45 characters") << 45 << false;
}

void TestModulHist::locationLabel()
{
    QFETCH(int, length);
    QFETCH(bool, whole);

    // The base directory is the local path of the record, of exactly the length wanted.
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/hXXXXXX"));
    QVERIFY(root.isValid());
    if (root.path().size() > 28)
        QSKIP("the temporary directory's path is too long to build a 30-character base");
    const QString base =
        root.path() + QLatin1Char('/') + QString(length - root.path().size() - 1, QLatin1Char('b'));
    QCOMPARE(base.size(), length);
    QVERIFY(QDir().mkpath(base + QStringLiteral("/Admini")));
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/siec.dat"), locationBytes(1, base, {})));

    openWindow();
    QVERIFY(m_created);
    QCOMPARE(text("Label8"), whole ? base : base.right(31));
    QCOMPARE(text("Label8").size(), whole ? length : 31);
    QCOMPARE(m_window->findChild<QLabel *>("Label8")->toolTip(), base);
}

void TestModulHist::networkModeShowsTheSharedHistory()
{
    QTemporaryDir share;
    QVERIFY(testfiles::makeDataTree(share.path()));
    QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/siec.dat"),
                                  locationBytes(1, share.path(), {})));
    QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/historia.dat"),
                                  historyBytes("01.02.2007", "07:00:00", "7")));
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/siec.dat"),
                                  locationBytes(2, m_ws->path(), share.path())));
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/historia.dat"),
                                  historyBytes("02.03.2007", "09:15:00", "41")));

    openWindow();
    QVERIFY(m_created);
    QCOMPARE(text("Label4"), QStringLiteral("01.02.2007"));
    QCOMPARE(text("Label6"), QStringLiteral("7"));
    QCOMPARE(m_window->findChild<QLabel *>("Label8")->toolTip(), share.path());

    // Launches are still counted in the working directory's copy.
    PobierzDane(m_launch, m_ws->path(), m_ws->seams.seams);
    QCOMPARE(m_launch.counter, QStringLiteral("42"));
}

void TestModulHist::unreachableShareEndsTheProgram()
{
    QTemporaryDir empty;
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/siec.dat"),
                                  locationBytes(2, m_ws->path(), empty.path())));
    m_ws->seams.dialogs.answers << false;
    openWindow();

    QVERIFY(!m_created);
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown[0].caption, QStringLiteral("Informacja"));
    QVERIFY(m_ws->seams.dialogs.shown[0].text.startsWith(
        QStringLiteral("Serwer baz danych nie jest dostępny.")));
    QCOMPARE(text("Label4"), QStringLiteral("nieznana"));
    QCOMPARE(text("Label5"), QStringLiteral("nieznany"));
    QCOMPARE(text("Label6"), QStringLiteral("0"));
    QCOMPARE(text("Label8"), QString());
}

void TestModulHist::shortHistoryKeepsThePlaceholders()
{
    QVERIFY(testfiles::writeBytes(m_ws->path("Admini/historia.dat"),
                                  historyBytes("02.03.2007", "09:15:00", "41").left(78)));
    openWindow();
    QVERIFY(!m_created);
    QCOMPARE(m_ws->seams.dialogs.ioErrors(),
             QStringList{QStringLiteral("Read beyond end of file")});
    QCOMPARE(text("Label4"), QStringLiteral("nieznana"));
    QCOMPARE(text("Label5"), QStringLiteral("nieznany"));
    QCOMPARE(text("Label6"), QStringLiteral("0"));
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestModulHist::clockShowsTheLongTime()
{
    openWindow();
    QCOMPARE(text("Label13"), QStringLiteral("00:00:00"));
    auto *timer = m_window->findChild<QTimer *>("Timer1");
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), true);
    QCOMPARE(timer->interval(), 100);

    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(7, 5, 9));
    m_ws->seams.regional.timeFormat = QStringLiteral("H:mm:ss");
    m_window->Timer1Timer();
    QCOMPARE(text("Label13"), QStringLiteral("7:05:09"));
}

QTEST_MAIN(TestModulHist)
#include "tst_modul_hist.moc"
