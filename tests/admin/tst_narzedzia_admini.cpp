#include "blokada.h"
#include "fakeseams.h"
#include "narzedzia_admini.h"
#include "network.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace storage;

namespace {

const QString kDone = QStringLiteral("Wybrana operacja została zakończona");
const QStringList kArchive{"data_ar.dat", "data_adr.dat", "data_or.dat", "data_odr.dat"};

QByteArray historyBytes(const QString &counter)
{
    QByteArray reserved(31, '\0');
    reserved.fill('\x5A');
    return testfiles::shortString(QStringLiteral("02.03.2007"), 15) +
           testfiles::shortString(QStringLiteral("09:15:00"), 15) +
           testfiles::shortString(counter, 15) + reserved;
}

} // namespace

class TestNarzedziaAdmini : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensWithNoOperationChosen();
    void hints_data();
    void hints();
    void refusedConfirmationDeletesNothing_data();
    void refusedConfirmationDeletesNothing();
    void clearHistory_data();
    void clearHistory();
    void clearHistoryThatCannotRecreateTheFile();
    void clearArchiveRegister_data();
    void clearArchiveRegister();
    void clearClientLocksKeepsTheHeldOne();
    void noOperationChosen();

private:
    QString wd(const QString &name) const { return m_ws->path(name); }
    QString base(const QString &name) const { return m_base->path() + QLatin1Char('/') + name; }
    void writeAllFiles();
    void openWindow();
    void confirmAndRun(const char *option);
    QStringList existing(const QString &dir) const;
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    // The base directory, kept apart from the working directory as in network mode.
    std::unique_ptr<QTemporaryDir> m_base;
    admin::QtNetwork m_network;
    LaunchValues m_launch;
    QString m_heldLock;
    std::unique_ptr<Tnarzedzia_f> m_window;
};

void TestNarzedziaAdmini::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_base = std::make_unique<QTemporaryDir>();
    QVERIFY(m_base->isValid());
    QVERIFY(testfiles::makeDataTree(m_base->path()));
    m_launch = LaunchValues{};
    m_heldLock.clear();
}

void TestNarzedziaAdmini::cleanup()
{
    m_window.reset();
    m_base.reset();
    m_ws.reset();
}

// Every file an operation could touch, in both directories.
void TestNarzedziaAdmini::writeAllFiles()
{
    for (const QString &root : {m_ws->path(), m_base->path()}) {
        const QString admini = root + QStringLiteral("/Admini/");
        QVERIFY(testfiles::writeBytes(admini + "historia.dat", historyBytes("41")));
        QVERIFY(testfiles::writeBytes(admini + "siec.dat", QByteArray(403, '\1')));
        for (const QString &name : kArchive)
            QVERIFY(testfiles::writeBytes(admini + name, "archiwum"));
        for (const char *lock : {"001.k", "002.k"})
            QVERIFY(testfiles::writeBytes(root + QStringLiteral("/KOSZ/") + lock,
                                          QByteArray("\1\0\0\0", 4)));
    }
}

void TestNarzedziaAdmini::openWindow()
{
    m_window = std::make_unique<Tnarzedzia_f>(
        m_ws->path(), m_launch,
        Tnarzedzia_f::Register{[this] { return m_base->path(); }, [this] { return m_heldLock; }},
        m_ws->seams.seams, m_network);
    QVERIFY(m_window->FormCreate());
}

void TestNarzedziaAdmini::confirmAndRun(const char *option)
{
    child<QRadioButton>(option)->click();
    m_ws->seams.dialogs.answers << true;
    child<QPushButton>("SpeedButton2")->click();
}

QStringList TestNarzedziaAdmini::existing(const QString &dir) const
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

void TestNarzedziaAdmini::opensWithNoOperationChosen()
{
    openWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Narzędzia administratora"));
    for (const char *option : {"op3", "op4", "op5"})
        QVERIFY(!child<QRadioButton>(option)->isChecked());
    const QString chooseHint = child<QPushButton>("SpeedButton2")->toolTip();
    QCOMPARE(chooseHint, QStringLiteral("Wskaż operację, którą chcesz wykonać"));

    auto *memo = child<QPlainTextEdit>("Memo1");
    QVERIFY(memo->isReadOnly());
    QVERIFY(!memo->isEnabled());
    QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')),
             QStringList({"Wszystkie operacje są możliwe do wykonania przez użytkownika ",
                          "zalogowane na prawach administratora. Przed wykonaniem wskazanej ",
                          "operacji zapoznaj się z opinią wsparcia technicznego aby uniknąć ",
                          "ewentualnych problemów."}));

    // Opening the window again clears an earlier choice.
    child<QRadioButton>("op4")->click();
    QVERIFY(m_window->FormCreate());
    QVERIFY(!child<QRadioButton>("op4")->isChecked());
    QCOMPARE(child<QPushButton>("SpeedButton2")->toolTip(), chooseHint);
}

void TestNarzedziaAdmini::hints_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");

    QTest::newRow("history") << "op3"
                             << "wykasowanie historii uruchomień"
                             << "Operacja wyzeruje dane dotyczące historii uruchomień "
                                "programu\nPoprzednie informacje ulegną skasowaniu";
    QTest::newRow("archive") << "op4"
                             << "wykasowanie rejestru archiwizacji"
                             << "Operacja wyzeruje dane dotyczące archiwizacji "
                                "programu\nPoprzednie informacje ulegną skasowaniu";
    QTest::newRow("locks") << "op5"
                           << "wykasowanie blokad klientów"
                           << "Operacja usunie blokady klientów z katalogu KOSZ bazy danych\n"
                              "Klienci otwarci w tej chwili na innych stanowiskach utracą "
                              "ochronę przed jednoczesnym otwarciem\nBlokada klienta otwartego "
                              "na tym stanowisku zostaje zachowana";
}

void TestNarzedziaAdmini::hints()
{
    QFETCH(QString, option);
    QFETCH(QString, caption);
    QFETCH(QString, hint);

    openWindow();
    auto *radio = child<QRadioButton>(option.toLatin1().constData());
    QCOMPARE(radio->text(), caption);
    radio->click();
    QCOMPARE(child<QPushButton>("SpeedButton2")->toolTip(), hint);
}

void TestNarzedziaAdmini::refusedConfirmationDeletesNothing_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("history") << "op3";
    QTest::newRow("archive") << "op4";
    QTest::newRow("locks") << "op5";
}

void TestNarzedziaAdmini::refusedConfirmationDeletesNothing()
{
    QFETCH(QString, option);
    writeAllFiles();
    const QStringList admini = existing(wd("Admini"));
    const QStringList locks = existing(base("KOSZ"));
    openWindow();

    child<QRadioButton>(option.toLatin1().constData())->click();
    m_ws->seams.dialogs.answers << false;
    m_window->SpeedButton2Click();

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown[0].kind, ShownDialog::Kind::Question);
    QCOMPARE(m_ws->seams.dialogs.shown[0].caption, QStringLiteral("Pytanie"));
    QCOMPARE(m_ws->seams.dialogs.shown[0].text, QStringLiteral("Wykonać wskazaną operację ?"));
    QCOMPARE(existing(wd("Admini")), admini);
    QCOMPARE(existing(base("KOSZ")), locks);
    QCOMPARE(testfiles::readBytes(wd("Admini/historia.dat")), historyBytes("41"));
}

void TestNarzedziaAdmini::clearHistory_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("history present") << true;
    QTest::newRow("history missing") << false;
}

void TestNarzedziaAdmini::clearHistory()
{
    QFETCH(bool, present);
    writeAllFiles();
    if (!present)
        QVERIFY(QFile::remove(wd("Admini/historia.dat")));
    m_launch.counter = QStringLiteral("42");
    m_ws->seams.clock.current = QDateTime(QDate(2007, 4, 2), QTime(10, 0, 1));
    openWindow();
    confirmAndRun("op3");

    // The working directory's copy starts again from zero; the current run counts as the first.
    QCOMPARE(testfiles::readBytes(wd("Admini/historia.dat")), QByteArray(79, '\0'));
    QCOMPARE(m_launch.counter, QStringLiteral("1"));
    QCOMPARE(m_launch.date, QStringLiteral("02.04.2007"));
    QCOMPARE(m_launch.time, QStringLiteral("10:00:01"));
    // The base directory's copy is not the one cleared.
    QCOMPARE(testfiles::readBytes(base("Admini/historia.dat")), historyBytes("41"));
    for (const QString &name : kArchive)
        QVERIFY(QFile::exists(wd("Admini/" + name)));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
    QCOMPARE(m_ws->seams.dialogs.shown[1].kind, ShownDialog::Kind::Notice);
    QCOMPARE(m_ws->seams.dialogs.shown[1].caption, QStringLiteral("Informacja"));
    QCOMPARE(m_ws->seams.dialogs.shown[1].text, kDone);
}

void TestNarzedziaAdmini::clearHistoryThatCannotRecreateTheFile()
{
    openWindow();
    QVERIFY(QDir(wd("Admini")).removeRecursively());
    confirmAndRun("op3");
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{QStringLiteral("Invalid filename")});
    // The action stops at the error: no closing message.
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
}

void TestNarzedziaAdmini::clearArchiveRegister_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::newRow("all four") << kArchive;
    QTest::newRow("two of four") << QStringList{"data_adr.dat", "data_odr.dat"};
    QTest::newRow("none") << QStringList{};
}

void TestNarzedziaAdmini::clearArchiveRegister()
{
    QFETCH(QStringList, present);
    writeAllFiles();
    for (const QString &name : kArchive) {
        if (!present.contains(name))
            QVERIFY(QFile::remove(wd("Admini/" + name)));
    }
    openWindow();
    confirmAndRun("op4");

    QCOMPARE(existing(wd("Admini")), QStringList({"historia.dat", "siec.dat"}));
    QCOMPARE(testfiles::readBytes(wd("Admini/historia.dat")), historyBytes("41"));
    // Only the working directory's register is the archiver's.
    QCOMPARE(existing(base("Admini")).size(), 6);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
    QCOMPARE(m_ws->seams.dialogs.shown[1].text, kDone);
}

void TestNarzedziaAdmini::clearClientLocksKeepsTheHeldOne()
{
    writeAllFiles();
    QVERIFY(testfiles::writeBytes(base("KOSZ/003.K"), QByteArray("\1\0\0\0", 4)));
    QVERIFY(testfiles::writeBytes(base("KOSZ/notatka.txt"), "nie blokada"));
    // The holder files go with their locks.
    QVERIFY(testfiles::writeBytes(base("KOSZ/001.kto"), "stanowisko-1\n2007-03-15 08:00:00\n"));
    QVERIFY(testfiles::writeBytes(base("KOSZ/002.kto"), "tutaj\n2007-03-15 09:00:00\n"));
    m_heldLock = LockPath(m_base->path(), QStringLiteral("002"));
    const QString held = m_heldLock;
    openWindow();
    confirmAndRun("op5");

    QCOMPARE(existing(base("KOSZ")), QStringList({"002.k", "002.kto", "notatka.txt"}));
    QCOMPARE(m_heldLock, held);
    // The working directory is not the base directory here: its KOSZ is left alone.
    QCOMPARE(existing(wd("KOSZ")), QStringList({"001.k", "002.k"}));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
    QCOMPARE(m_ws->seams.dialogs.shown[1].text, kDone);
}

void TestNarzedziaAdmini::noOperationChosen()
{
    writeAllFiles();
    const QStringList admini = existing(wd("Admini"));
    openWindow();
    m_ws->seams.dialogs.answers << true;
    m_window->SpeedButton2Click();

    QCOMPARE(existing(wd("Admini")), admini);
    QCOMPARE(existing(base("KOSZ")), QStringList({"001.k", "002.k"}));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 2);
    QCOMPARE(m_ws->seams.dialogs.shown[1].text, kDone);
}

QTEST_MAIN(TestNarzedziaAdmini)
#include "tst_narzedzia_admini.moc"
