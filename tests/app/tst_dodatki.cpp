#include "bazafirm.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "dodatki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "qtseams.h"
#include "testfiles.h"
#include "windowopener.h"
#include "workspace.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace seams;
using namespace storage;

// The add-on programs started from the main window, and its menu.
class TestDodatki : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void arguments_data();
    void arguments();
    void addOnsAreLookedForBesideTheProgramFirst();
    void addOnsReceiveTheirArgumentsWhole_data();
    void addOnsReceiveTheirArgumentsWhole();
    void clientWithoutOwnerRecordGetsEmptyNames();
    void missingAddOnIsSilent();
    void menuEntriesInOrder();

private:
    void start(ExternalPrograms &programs);
    void writeOwner(const QString &number, const QString &nazwa1, const QString &nazwa2);
    // The stand-in add-on's record of how it was started; empty when it never ran.
    QString waitForArguments();

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<Seams> m_realSeams;
    QtExternalPrograms m_realPrograms;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<printing::PrintFontStore> m_fonts;
    ui::WindowTable m_windows;
    ui::ClientWindowList m_clientWindows;
    LaunchValues m_launch;
    std::unique_ptr<Tbaza_f> m_window;
};

void TestDodatki::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_bin = std::make_unique<QTemporaryDir>();
    QVERIFY(m_bin->isValid());
    // Every add-on name leads to the stand-in program.
    for (AddOn addOn : {AddOn::TaskReader, AddOn::Tasks, AddOn::Documents, AddOn::Comments,
                        AddOn::Schedule, AddOn::Notes, AddOn::Archiver})
        QVERIFY(QFile::copy(QStringLiteral(FAKEADDON_PATH),
                            m_bin->path() + QLatin1Char('/') + AddOnProgram(addOn)));
}

void TestDodatki::cleanup()
{
    m_window.reset();
    m_fonts.reset();
    m_realSeams.reset();
    m_bin.reset();
    m_ws.reset();
}

void TestDodatki::start(ExternalPrograms &programs)
{
    m_realSeams =
        std::make_unique<Seams>(Seams{m_ws->seams.dialogs, m_ws->seams.clock, m_ws->seams.regional,
                                      programs, m_ws->seams.seams.endProgram});
    m_fonts = std::make_unique<printing::PrintFontStore>(m_ws->path(), m_printDialogs);
    m_window = std::make_unique<Tbaza_f>(
        m_ws->path(), m_launch, *m_realSeams, m_windows,
        Tbaza_f::Openers{[](const QString &) { return false; },
                         [](const printing::NotepadRequest &) { return false; }},
        m_clientWindows, *m_fonts);
    m_window->setAddOnDirectory(m_bin->path());
    m_window->FormCreate();
}

void TestDodatki::writeOwner(const QString &number, const QString &nazwa1, const QString &nazwa2)
{
    Record owner = owner::defaultRecord(number);
    owner.setText(owner::nazwa1, nazwa1);
    owner.setText(owner::nazwa2, nazwa2);
    QVERIFY(testfiles::writeBytes(
        m_ws->path(QStringLiteral("DANE/") + number + QStringLiteral(".dat")), owner.bytes()));
}

QString TestDodatki::waitForArguments()
{
    const QString file = m_ws->path(QStringLiteral("addon-args.txt"));
    for (int waited = 0; waited < 10000 && !QFile::exists(file); waited += 50)
        QTest::qWait(50);
    return QString::fromUtf8(testfiles::readBytes(file));
}

void TestDodatki::arguments_data()
{
    QTest::addColumn<int>("addOn");
    QTest::addColumn<QStringList>("expected");
    const QString n1 = QStringLiteral("Jan Kowalski");
    QTest::newRow("task reader") << int(AddOn::TaskReader) << QStringList{"*.mir"};
    QTest::newRow("tasks") << int(AddOn::Tasks) << QStringList{"005.mir", "Jan Kowalski ", ""};
    QTest::newRow("documents") << int(AddOn::Documents)
                               << QStringList{"005.mir", "Rejestr dokumentów dla: Jan Kowalski  "};
    QTest::newRow("comments") << int(AddOn::Comments)
                              << QStringList{"005.mir", "Komentarze dla: Jan Kowalski  "};
    QTest::newRow("schedule") << int(AddOn::Schedule) << QStringList{};
    QTest::newRow("notes") << int(AddOn::Notes) << QStringList{};
    QTest::newRow("archiver") << int(AddOn::Archiver) << QStringList{};
}

void TestDodatki::arguments()
{
    QFETCH(int, addOn);
    QFETCH(QStringList, expected);
    QCOMPARE(AddOnArguments(static_cast<AddOn>(addOn), QStringLiteral("005"),
                            QStringLiteral("Jan Kowalski"), QString()),
             expected);
}

void TestDodatki::addOnsAreLookedForBesideTheProgramFirst()
{
    const QString name = AddOnProgram(AddOn::Notes);
    QCOMPARE(FindAddOn(name, m_bin->path(), m_ws->path()), m_bin->path() + QLatin1Char('/') + name);
    QVERIFY(QFile::copy(QStringLiteral(FAKEADDON_PATH), m_ws->path() + QLatin1Char('/') + name));
    QCOMPARE(FindAddOn(name, QString(), m_ws->path()), m_ws->path() + QLatin1Char('/') + name);
    QCOMPARE(FindAddOn(QStringLiteral("mirtal-nie-ma-takiego"), m_bin->path(), m_ws->path()),
             QString());
}

void TestDodatki::addOnsReceiveTheirArgumentsWhole_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    const QString name = QStringLiteral("Przedsiębiorstwo \"Transbud\"");
    QTest::newRow("tasks") << "SpeedButton6"
                           << "mirtal-zadania\n[012.mir]\n[" + name +
                                  " ]\n[Łódź, ul. \"Piotrkowska\" 5]\n";
    QTest::newRow("documents") << "SpeedButton7"
                               << "mirtal-dokumenty\n[012.mir]\n[Rejestr dokumentów dla: " + name +
                                      " Łódź, ul. \"Piotrkowska\" 5 ]\n";
    QTest::newRow("comments") << "SpeedButton8"
                              << "mirtal-komentarze\n[012.mir]\n[Komentarze dla: " + name +
                                     " Łódź, ul. \"Piotrkowska\" 5 ]\n";
    QTest::newRow("task reader") << "SpeedButton5"
                                 << "mirtal-czytnik\n[*.mir]\n";
}

void TestDodatki::addOnsReceiveTheirArgumentsWhole()
{
    QFETCH(QString, button);
    QFETCH(QString, expected);
    writeOwner(QStringLiteral("012"), QStringLiteral("Przedsiębiorstwo \"Transbud\""),
               QStringLiteral("Łódź, ul. \"Piotrkowska\" 5"));
    start(m_realPrograms);
    m_window->findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(11);
    m_window->findChild<QPushButton *>(button)->click();
    QCOMPARE(waitForArguments(), expected);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestDodatki::clientWithoutOwnerRecordGetsEmptyNames()
{
    writeOwner(QStringLiteral("001"), QStringLiteral("Pierwszy"), QStringLiteral("Klient"));
    start(m_ws->seams.programs);
    auto *list = m_window->findChild<QListWidget *>(QStringLiteral("lista_k"));
    list->setCurrentRow(0);
    m_window->SpeedButton7Click();
    list->setCurrentRow(6);
    m_window->SpeedButton7Click();
    QCOMPARE(m_ws->seams.programs.started.size(), 2);
    QCOMPARE(m_ws->seams.programs.started.at(0).arguments,
             (QStringList{"001.mir", "Rejestr dokumentów dla: Pierwszy Klient "}));
    QCOMPARE(m_ws->seams.programs.started.at(1).arguments,
             (QStringList{"007.mir", "Rejestr dokumentów dla:   "}));
    QCOMPARE(m_ws->seams.programs.started.at(1).program,
             m_bin->path() + QLatin1Char('/') + AddOnProgram(AddOn::Documents));
    QCOMPARE(m_ws->seams.programs.started.at(1).workingDir, m_ws->path());
}

void TestDodatki::missingAddOnIsSilent()
{
    start(m_ws->seams.programs);
    m_window->setAddOnDirectory(m_ws->path(QStringLiteral("nigdzie")));
    m_window->SpeedButton5Click();
    m_window->erminarzzaj1Click();
    QVERIFY(m_ws->seams.programs.started.isEmpty());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestDodatki::menuEntriesInOrder()
{
    start(m_ws->seams.programs);
    QMenuBar *bar = m_window->findChild<QMenuBar *>(QStringLiteral("MainMenu1"));
    QVERIFY(bar);
    QStringList menus;
    QStringList entries;
    // Each menu and each entry has its own underlined letter within its menu; a screen reader
    // reads the captions without the marks.
    QSet<QChar> menuKeys;
    for (QAction *menuAction : bar->actions()) {
        menus << menuAction->text();
        QSet<QChar> entryKeys;
        for (QAction *entry : menuAction->menu()->actions()) {
            if (entry->isSeparator()) {
                entries << QStringLiteral("-");
                continue;
            }
            entries << entry->objectName() + QLatin1Char('=') + entry->text();
            const qsizetype mark = entry->text().indexOf(QLatin1Char('&'));
            QVERIFY2(mark >= 0, qPrintable(entry->text()));
            QVERIFY2(!entryKeys.contains(entry->text().at(mark + 1).toLower()),
                     qPrintable(entry->text()));
            entryKeys << entry->text().at(mark + 1).toLower();
        }
        const qsizetype mark = menuAction->text().indexOf(QLatin1Char('&'));
        QVERIFY(mark >= 0);
        QVERIFY(!menuKeys.contains(menuAction->text().at(mark + 1).toLower()));
        menuKeys << menuAction->text().at(mark + 1).toLower();
    }
    QCOMPARE(menus, (QStringList{"&Pliki", "&Sieć", "&Dodatki"}));
    QCOMPARE(entries, (QStringList{"erminarzzaj1=&Terminarz zajęć", "Mojenotatki1=&Moje notatki",
                                   "-", "Czcionkadruku1=&Czcionka druku", "-",
                                   "Narzedziaadministratora1=&Narzedzia administratora",
                                   "Archiwizacjanainnychnonikach1=&Ochrona danych",
                                   "Koniecpracy1=&Koniec pracy", "Osieci1=&O sieci",
                                   "Ustawienia1=&Ustawienia", "Wizytwka1=&Wizytówka", "-",
                                   "Historiauruchomie1=&Historia uruchomień"}));
    QAccessibleInterface *barNode = QAccessible::queryAccessibleInterface(bar);
    QVERIFY(barNode);
    QCOMPARE(barNode->childCount(), 3);
    for (int i = 0; i < barNode->childCount(); ++i)
        QCOMPARE(barNode->child(i)->text(QAccessible::Name), menus.at(i).mid(1));

    // F10 opens the first menu, Alt and a letter the menu of that letter.
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F10);
    QTRY_VERIFY(bar->actions().at(0)->menu()->isVisible());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!bar->actions().at(0)->menu()->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(bar->actions().at(2)->menu()->isVisible());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);

    // Each entry that starts an add-on starts its own.
    for (const char *name : {"erminarzzaj1", "Mojenotatki1", "Archiwizacjanainnychnonikach1"})
        m_window->findChild<QAction *>(QLatin1String(name))->trigger();
    QCOMPARE(m_ws->seams.programs.started.size(), 3);
    QVERIFY(m_ws->seams.programs.started.at(0).program.endsWith(AddOnProgram(AddOn::Schedule)));
    QVERIFY(m_ws->seams.programs.started.at(1).program.endsWith(AddOnProgram(AddOn::Notes)));
    QVERIFY(m_ws->seams.programs.started.at(2).program.endsWith(AddOnProgram(AddOn::Archiver)));
    QVERIFY(m_ws->seams.programs.started.at(2).arguments.isEmpty());
}

QTEST_MAIN(TestDodatki)
#include "tst_dodatki.moc"
