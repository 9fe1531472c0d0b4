#include "bazafirm.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "testfiles.h"
#include "windowopener.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

// The start-up sequence of the main window and the three ways of ending the program.
class TestStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void freshStartRunsEveryStep();
    void archiverConfigurationBytes();
    void existingVersionIdentifierIsKept();
    void aFailingStepSkipsTheRest_data();
    void aFailingStepSkipsTheRest();
    void networkModeTakesTheRegisterFromTheShare();
    void bannerShowsTheDay_data();
    void bannerShowsTheDay();
    void exitPaths_data();
    void exitPaths();

private:
    void start();
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<printing::PrintFontStore> m_fonts;
    ui::WindowTable m_windows;
    ui::ClientWindowList m_clientWindows;
    LaunchValues m_launch;
    std::unique_ptr<Tbaza_f> m_window;
};

void TestStart::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(12, 30, 45));
}

void TestStart::cleanup()
{
    m_window.reset();
    m_fonts.reset();
    m_ws.reset();
}

void TestStart::start()
{
    m_fonts = std::make_unique<printing::PrintFontStore>(m_ws->path(), m_printDialogs);
    m_window = std::make_unique<Tbaza_f>(
        m_ws->path(), m_launch, m_ws->seams.seams, m_windows,
        Tbaza_f::Openers{[](const QString &) { return false; },
                         [](const printing::NotepadRequest &) { return false; }},
        m_clientWindows, *m_fonts);
    m_window->FormCreate();
}

void TestStart::freshStartRunsEveryStep()
{
    start();
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QCOMPARE(m_launch.counter, QStringLiteral("1"));
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("Admini/historia.dat"))),
             QByteArray(79, '\0'));
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("archiwizator_config.dat"))).size(),
             10452);
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("Admini/wer.dat"))),
             testfiles::shortString(QStringLiteral("24502"), 10));
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("Admini/siec.dat"))).size(), 403);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Baza firm programu Mirtal 5.02"));
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("Podłączono bazy lokalne"));
    QCOMPARE(child<QListWidget>("lista_k")->count(), 500);
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("00:00:00"));
    m_window->Timer1Timer();
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("12:30:45"));
    QVERIFY(child<QPushButton>("SpeedButton4")->isEnabled());
}

void TestStart::archiverConfigurationBytes()
{
    start();
    const QByteArray bytes =
        testfiles::readBytes(m_ws->path(QStringLiteral("archiwizator_config.dat")));
    // 52 short strings of capacity 200: the working directory and seven of its folders, 43
    // empty slots, and the working directory again without a separator.
    const QString dir = QDir::toNativeSeparators(m_ws->path());
    const QString sep = QDir::separator();
    QByteArray expected(52 * 201, '\0');
    const auto slot = [&](int number, const QString &text) {
        expected.replace((number - 1) * 201, 201, testfiles::shortString(text, 200));
    };
    slot(1, dir + sep);
    const QStringList folders{"Add_dok",    "Add_zad", "Admini",   "Dane",
                              "Komentarze", "Notatki", "Terminarz"};
    for (int i = 0; i < folders.size(); ++i)
        slot(i + 2, dir + sep + folders.at(i) + sep + QStringLiteral("*.*"));
    slot(52, dir);
    QCOMPARE(bytes.size(), 10452);
    QCOMPARE(bytes, expected);

    // It is written anew at every start.
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("archiwizator_config.dat")), "old"));
    start();
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("archiwizator_config.dat"))), bytes);
}

void TestStart::existingVersionIdentifierIsKept()
{
    const QByteArray older = testfiles::shortString(QStringLiteral("24400"), 10);
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("Admini/wer.dat")), older));
    start();
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("Admini/wer.dat"))), older);
}

void TestStart::aFailingStepSkipsTheRest_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("notWritten");
    QTest::newRow("no Admini: the launch cannot be prepared")
        << "no Admini"
        << "Invalid filename" << QStringList{}
        << QStringList{"archiwizator_config.dat", "DANE/klienci.dat"};
    QTest::newRow("short location record")
        << "short siec.dat"
        << "Read beyond end of file" << QStringList{"archiwizator_config.dat", "Admini/wer.dat"}
        << QStringList{"DANE/klienci.dat"};
    QTest::newRow("short font settings")
        << "short font"
        << "Read beyond end of file" << QStringList{"archiwizator_config.dat", "Admini/siec.dat"}
        << QStringList{"DANE/klienci.dat"};
}

void TestStart::aFailingStepSkipsTheRest()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QStringList, written);
    QFETCH(QStringList, notWritten);
    if (fault == QLatin1String("no Admini"))
        QVERIFY(QDir(m_ws->path(QStringLiteral("Admini"))).removeRecursively());
    if (fault == QLatin1String("short siec.dat"))
        QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("Admini/siec.dat")),
                                      QByteArray(402, '\1')));
    if (fault == QLatin1String("short font"))
        QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")),
                                      QByteArray(75, '\0')));
    start();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{message});
    for (const QString &name : written)
        QVERIFY2(QFile::exists(m_ws->path(name)), qPrintable(name));
    for (const QString &name : notWritten)
        QVERIFY2(!QFile::exists(m_ws->path(name)), qPrintable(name));
    QCOMPARE(child<QListWidget>("lista_k")->count(), 0);
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestStart::networkModeTakesTheRegisterFromTheShare()
{
    QTemporaryDir share;
    QVERIFY(share.isValid());
    QVERIFY(testfiles::makeDataTree(share.path()));
    QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/Admini/siec.dat"),
                                  QByteArray(403, '\0')));
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(2), QStringLiteral("002 Wspólny klient"));
    QVERIFY(testfiles::writeBytes(share.path() + QStringLiteral("/DANE/klienci.dat"), reg.bytes()));
    QByteArray location(403, '\0');
    location[0] = 2;
    location.replace(1, 201, testfiles::shortString(m_ws->path(), 200));
    location.replace(202, 201, testfiles::shortString(share.path(), 200));
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("Admini/siec.dat")), location));

    start();
    QCOMPARE(m_window->baseDir(), share.path());
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("Podłączono bazy sieciowe"));
    QCOMPARE(child<QListWidget>("lista_k")->item(1)->text(), QStringLiteral("002 Wspólny klient"));
    // The archiver configuration always names the working directory.
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("archiwizator_config.dat"))));
    QVERIFY(!QFile::exists(share.path() + QStringLiteral("/archiwizator_config.dat")));
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("DANE/klienci.dat"))));
}

void TestStart::bannerShowsTheDay_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("dateLine");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("names");
    QTest::newRow("Thursday") << QDate(2007, 3, 15) << "15.03.2007 czwartek"
                              << QColor(128, 128, 128) << "Ludwika,Klemens";
    QTest::newRow("leap day, Friday")
        << QDate(2008, 2, 29) << "29.02.2008 piątek" << QColor(128, 128, 128) << "Rufina,Hilarego";
    QTest::newRow("Saturday") << QDate(2011, 1, 1) << "01.01.2011 sobota" << QColor(0, 0, 255)
                              << "Maria,Mieczysław";
    QTest::newRow("Sunday, Epiphany") << QDate(2008, 1, 6) << "06.01.2008 niedziela"
                                      << QColor(255, 0, 0) << "Kacper,Melchior,Baltazar";
}

void TestStart::bannerShowsTheDay()
{
    QFETCH(QDate, today);
    QFETCH(QString, dateLine);
    QFETCH(QColor, colour);
    QFETCH(QString, names);
    m_ws->seams.clock.current = QDateTime(today, QTime(8, 0));
    start();
    auto *date = child<QLabel>("nazwadnia");
    QCOMPARE(date->text(), dateLine);
    QCOMPARE(date->palette().color(QPalette::WindowText), colour);
    QCOMPARE(date->font().pointSize(), 9);
    QCOMPARE(child<QLabel>("Label15")->text(), QStringLiteral("Imieniny obchodzi :"));
    QCOMPARE(child<QLabel>("Label14")->text(), names);
}

void TestStart::exitPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("answer");
    for (const char *trigger : {"Koniec", "Koniec pracy", "close"}) {
        QTest::addRow("%s, Yes", trigger) << QString::fromLatin1(trigger) << true;
        QTest::addRow("%s, No", trigger) << QString::fromLatin1(trigger) << false;
    }
}

void TestStart::exitPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, answer);
    start();
    m_window->show();
    auto *list = child<QListWidget>("lista_k");
    list->setCurrentRow(4);
    m_window->lista_kDblClick();
    const QString lock = m_ws->path(QStringLiteral("KOSZ/005.k"));
    QVERIFY(QFile::exists(lock));

    m_ws->seams.dialogs.answers << answer;
    if (path == QLatin1String("Koniec"))
        child<QPushButton>("SpeedButton1")->click();
    else if (path == QLatin1String("Koniec pracy"))
        m_window->findChild<QAction *>(QStringLiteral("Koniecpracy1"))->trigger();
    else
        QCOMPARE(m_window->close(), answer);

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Pytanie..."));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text, QStringLiteral("Koniec pracy ?"));
    const QByteArray history =
        testfiles::readBytes(m_ws->path(QStringLiteral("Admini/historia.dat")));
    if (answer) {
        QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
        QVERIFY(!QFile::exists(lock));
        QVERIFY(m_window->heldLockPath().isEmpty());
        QVERIFY(qAbs(m_window->windowOpacity() - 10 / 255.0) < 0.01);
        QCOMPARE(history.mid(0, 16), testfiles::shortString(QStringLiteral("15.03.2007"), 15));
        QCOMPARE(history.mid(32, 16), testfiles::shortString(QStringLiteral("1"), 15));
    } else {
        QVERIFY(m_ws->seams.endCalls.isEmpty());
        QVERIFY(QFile::exists(lock));
        QCOMPARE(history, QByteArray(79, '\0'));
        QVERIFY(m_window->isVisible());
    }
}

QTEST_MAIN(TestStart)
#include "tst_start.moc"
