#include "bazafirm.h"
#include "blokada.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "lokalizacja.h"
#include "recordingwindow.h"
#include "testfiles.h"
#include "windowopener.h"
#include "workspace.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace seams;
using namespace storage;

namespace {

// The main window's openers, reaching the stand-in settlement window when a test has one.
Tbaza_f::Openers openersFor(RecordingSettlement *&settlement)
{
    return {[&settlement](const QString &client) {
                return settlement && settlement->openClient(client);
            },
            [](const printing::NotepadRequest &) { return false; }};
}

// A second copy of the program on the same base directory (another workstation), with seams and
// windows of its own, its main window set up; its settlement window is the stand-in a test puts
// into `settlement`.
struct SecondCopy {
    SecondCopy(const QString &dir, printing::PrintDialogs &printDialogs)
        : fonts(dir, printDialogs),
          window(dir, launch, seams.seams, windows, openersFor(settlement), clientWindows, fonts)
    {
        window.setAddOnDirectory(QStringLiteral(PROGRAM_DIR));
        window.FormCreate();
    }
    Q_DISABLE_COPY(SecondCopy)

    TestSeams seams;
    printing::PrintFontStore fonts;
    ui::WindowTable windows;
    ui::ClientWindowList clientWindows;
    LaunchValues launch;
    RecordingSettlement *settlement = nullptr;
    Tbaza_f window;
};

} // namespace

namespace {

// The open client's windows: records whether the lock files that exist when they are closed.
class FakeClientWindows : public ui::ClientWindows
{
public:
    explicit FakeClientWindows(const QString &lockDir) : m_lockDir(lockDir) {}
    bool closeAll() override
    {
        locksAtClose << QDir(m_lockDir).entryList({QStringLiteral("*.k")}, QDir::Files);
        return succeeds;
    }
    QList<QStringList> locksAtClose;
    bool succeeds = true;

private:
    QString m_lockDir;
};

// A desktop set to open items with a single click.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr char kChangedElsewhere[] =
    "Wpis na tej pozycji został w międzyczasie zmieniony na innym stanowisku.\n"
    "Lista pokazuje teraz jego aktualną treść. Sprawdź go i w razie potrzeby ponów operację.";

} // namespace

class TestBazaFirm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startCreatesTheRegisterWithFreePositions();
    void startLoadsAnExistingRegister();
    void buttonsFollowTheSelectedLine();
    void absurdPrintFontSizeKeepsTheRowsUsable();
    void add_data();
    void add();
    void cancelledInputChangesNothing();
    void rename_data();
    void rename();
    void deleteAsksFirst();
    void deleteRemovesTheClientFilesOfEveryYear();
    void unusedTailSurvivesSaves();
    void ownerHintShowsTheNameLines();
    void shortRegisterIsReported();
    void missingDataDirectoryIsReported();
    void failedSaveKeepsTheLineAndDeletesNothing();
    void shortOwnerRecordIsReported();
    void doubleClickLocksAndOpensTheClient();
    void twoCopiesNeverOpenOneClient();
    void busyMessageNamesTheHolder_data();
    void busyMessageNamesTheHolder();
    void changesOfAnotherCopyAreReadBeforeOpening();
    void unreachableShareIsNamed();
    void lockFaultsOpenNothingAndKeepTheHeldLock();
    void twoWorkstationsChangeTheRegisterLineByLine();
    void openingAnotherClientClosesItsWindowsFirst();
    void singleClickNeverOpensAClient();

private:
    void start();
    void select(int row);
    QString file(const QString &name) const { return m_ws->path(QStringLiteral("DANE/") + name); }
    QByteArray storedLine(int position) const;
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<printing::PrintFontStore> m_fonts;
    ui::WindowTable m_windows;
    std::unique_ptr<FakeClientWindows> m_clientWindows;
    RecordingSettlement *m_settlement = nullptr;
    LaunchValues m_launch;
    std::unique_ptr<Tbaza_f> m_window;
};

void TestBazaFirm::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestBazaFirm::cleanup()
{
    m_window.reset();
    m_settlement = nullptr;
    m_clientWindows.reset();
    m_windows = ui::WindowTable{};
    m_fonts.reset();
    m_ws.reset();
}

void TestBazaFirm::start()
{
    m_fonts = std::make_unique<printing::PrintFontStore>(m_ws->path(), m_printDialogs);
    m_clientWindows = std::make_unique<FakeClientWindows>(m_ws->path(QStringLiteral("KOSZ")));
    m_window = std::make_unique<Tbaza_f>(m_ws->path(), m_launch, m_ws->seams.seams, m_windows,
                                         openersFor(m_settlement), *m_clientWindows, *m_fonts);
    m_window->setAddOnDirectory(QStringLiteral(PROGRAM_DIR));
    m_window->FormCreate();
}

void TestBazaFirm::select(int row)
{
    child<QListWidget>("lista_k")->setCurrentRow(row);
    m_window->lista_kClick();
    m_window->Timer1Timer();
}

QByteArray TestBazaFirm::storedLine(int position) const
{
    return testfiles::readBytes(file(QStringLiteral("klienci.dat"))).mid((position - 1) * 51, 51);
}

void TestBazaFirm::startCreatesTheRegisterWithFreePositions()
{
    start();
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("klienci.dat"))),
             registerfile::defaultRecord().bytes());
    QCOMPARE(storedLine(500), testfiles::shortString(QStringLiteral("500"), 50));
    auto *list = child<QListWidget>("lista_k");
    QCOMPARE(list->count(), 500);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->item(0)->text(), QStringLiteral("001"));
    QCOMPARE(list->item(499)->text(), QStringLiteral("500"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Baza firm programu Mirtal 5.02"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestBazaFirm::startLoadsAnExistingRegister()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(5), QStringLiteral("005 Jan Kowalski"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    start();
    QCOMPARE(child<QListWidget>("lista_k")->item(4)->text(), QStringLiteral("005 Jan Kowalski"));
}

void TestBazaFirm::buttonsFollowTheSelectedLine()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(2), QStringLiteral("002 "));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    start();
    auto *add = child<QPushButton>("SpeedButton4");
    auto *rename = child<QPushButton>("SpeedButton3");
    auto *remove = child<QPushButton>("SpeedButton2");
    // Until the first tick all three are off.
    QCOMPARE(add->isEnabled(), false);
    QCOMPARE(rename->isEnabled(), false);
    QCOMPARE(remove->isEnabled(), false);

    m_window->Timer1Timer();
    QCOMPARE(add->isEnabled(), true);
    QCOMPARE(rename->isEnabled(), false);
    QCOMPARE(remove->isEnabled(), false);
    QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("001"));

    // A number and a blank with an empty name counts as occupied.
    select(1);
    QCOMPARE(add->isEnabled(), false);
    QCOMPARE(rename->isEnabled(), true);
    QCOMPARE(remove->isEnabled(), true);
    QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("002 "));
}

void TestBazaFirm::absurdPrintFontSizeKeepsTheRowsUsable()
{
    // A print font record claiming 2147483647 points, Arial, bold.
    QByteArray font(76, '\0');
    font.replace(4, 61, testfiles::shortString(QStringLiteral("Arial"), 60));
    font.replace(68, 4, QByteArray("\xFF\xFF\xFF\x7F", 4));
    font[72] = 1;
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat")), font));
    start();
    auto *list = child<QListWidget>("lista_k");
    QCOMPARE(list->font().bold(), true);
    QCOMPARE(list->font().pointSize(), QListWidget().font().pointSize());
    const int rowHeight = list->sizeHintForRow(0);
    QVERIFY2(rowHeight > 0 && rowHeight < 100, qPrintable(QString::number(rowHeight)));
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("FONT/font_kanto_2007.dat"))), font);
}

void TestBazaFirm::add_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");

    const QString sixty =
        QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe \"Transbud\" Łódź 123456789");
    QCOMPARE(sixty.size(), 60);
    QTest::newRow("name") << 4 << "Jan Kowalski"
                          << "005 Jan Kowalski";
    QTest::newRow("empty name") << 4 << ""
                                << "005 ";
    // The list shows the line as it was saved, cut to the line's capacity.
    QTest::newRow("60 characters") << 99 << sixty << ("100 " + sixty).left(50);
}

void TestBazaFirm::add()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, stored);

    start();
    select(row);
    m_ws->seams.dialogs.inputs << name;
    child<QPushButton>("SpeedButton4")->click();

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    const ShownDialog &box = m_ws->seams.dialogs.shown.first();
    QCOMPARE(box.kind, ShownDialog::Kind::Input);
    QCOMPARE(box.caption, QStringLiteral("Dodaj nowego klienta"));
    QCOMPARE(box.text, QStringLiteral("Podaj przyjazną nazwę (np. Jan Kowalski)"));
    QCOMPARE(box.initial, QString());

    QCOMPARE(child<QListWidget>("lista_k")->item(row)->text(), stored);
    QCOMPARE(storedLine(row + 1), testfiles::shortString(stored, 50));
    QCOMPARE(storedLine(row + 2), testfiles::shortString(ClientNumber(row + 1), 50));
}

void TestBazaFirm::cancelledInputChangesNothing()
{
    start();
    const QByteArray before = testfiles::readBytes(file(QStringLiteral("klienci.dat")));
    select(4);
    m_ws->seams.dialogs.inputs << std::nullopt;
    m_window->SpeedButton4Click();
    QCOMPARE(child<QListWidget>("lista_k")->item(4)->text(), QStringLiteral("005"));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("klienci.dat"))), before);
}

void TestBazaFirm::rename_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("result");
    QTest::newRow("name") << "012 ABC"
                          << "ABC"
                          << "XYZ"
                          << "012 XYZ";
    QTest::newRow("empty name") << "012 "
                                << ""
                                << "Nowak"
                                << "012 Nowak";
    QTest::newRow("to empty") << "012 ABC"
                              << "ABC"
                              << ""
                              << "012 ";
}

void TestBazaFirm::rename()
{
    QFETCH(QString, line);
    QFETCH(QString, initial);
    QFETCH(QString, entered);
    QFETCH(QString, result);

    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(12), line);
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    start();
    select(11);
    m_ws->seams.dialogs.inputs << entered;
    child<QPushButton>("SpeedButton3")->click();

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Dodaj nowego klienta"));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text,
             QStringLiteral("Podaj przyjazną nazwę (np. Jan Kowalski)"));
    QCOMPARE(m_ws->seams.dialogs.shown.first().initial, initial);
    QCOMPARE(child<QListWidget>("lista_k")->item(11)->text(), result);
    QCOMPARE(storedLine(12), testfiles::shortString(result, 50));
}

void TestBazaFirm::deleteAsksFirst()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(12), QStringLiteral("012 ABC"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("012.dat")),
                                  owner::defaultRecord(QStringLiteral("012")).bytes()));
    start();
    select(11);
    m_ws->seams.dialogs.answers << false;
    child<QPushButton>("SpeedButton2")->click();

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().kind, ShownDialog::Kind::Question);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Pytanie..."));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text, QStringLiteral("Usunąć wpis z listy ?"));
    // Enter keeps the client, whom the box names below the question.
    QCOMPARE(m_ws->seams.dialogs.shown.first().defaultButton, Dialogs::Default::No);
    QCOMPARE(m_ws->seams.dialogs.shown.first().detail, QStringLiteral("012 ABC"));
    QCOMPARE(child<QListWidget>("lista_k")->item(11)->text(), QStringLiteral("012 ABC"));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("klienci.dat"))), reg.bytes());
    QVERIFY(QFile::exists(file(QStringLiteral("012.dat"))));
}

void TestBazaFirm::deleteRemovesTheClientFilesOfEveryYear()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(11), QStringLiteral("011 Sąsiad"));
    reg.setText(registerfile::line(12), QStringLiteral("012 ABC"));
    reg.setText(registerfile::line(13), QStringLiteral("013 Drugi sąsiad"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    const QStringList removed{"012.dat",      "012_2003.eks", "012_1996.num", "012_2000.prz",
                              "012_2010.eks", "012_2016.vat", "012_2007.mie"};
    const QStringList kept{"011.dat", "013_2003.eks", "012_2017.eks", "012_1995.prz",
                           "eksptresc.dat"};
    for (const QString &name : removed + kept) {
        // Owner records must be whole: selecting a client reads its record for the hint.
        const QByteArray content = name.endsWith(QLatin1String(".dat"))
                                       ? owner::defaultRecord(name.left(3)).bytes()
                                       : QByteArray("x");
        QVERIFY(testfiles::writeBytes(file(name), content));
    }

    start();
    select(11);
    m_ws->seams.dialogs.answers << true;
    child<QPushButton>("SpeedButton2")->click();

    QCOMPARE(child<QListWidget>("lista_k")->item(11)->text(), QStringLiteral("012"));
    QCOMPARE(storedLine(12), testfiles::shortString(QStringLiteral("012"), 50));
    QCOMPARE(storedLine(11), testfiles::shortString(QStringLiteral("011 Sąsiad"), 50));
    QCOMPARE(storedLine(13), testfiles::shortString(QStringLiteral("013 Drugi sąsiad"), 50));
    for (const QString &name : removed)
        QVERIFY2(!QFile::exists(file(name)), qPrintable(name));
    for (const QString &name : kept)
        QVERIFY2(QFile::exists(file(name)), qPrintable(name));
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
}

void TestBazaFirm::unusedTailSurvivesSaves()
{
    Record reg = registerfile::defaultRecord();
    for (qsizetype i = registerfile::kUnusedOffset; i < registerfile::kSize; ++i)
        reg.setByte(i, static_cast<quint8>(i * 7));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    start();
    select(0);
    m_ws->seams.dialogs.inputs << QStringLiteral("Pierwszy");
    m_window->SpeedButton4Click();
    select(1);
    m_ws->seams.dialogs.inputs << QStringLiteral("Drugi");
    m_window->SpeedButton4Click();
    const QByteArray after = testfiles::readBytes(file(QStringLiteral("klienci.dat")));
    QCOMPARE(after.size(), 36000);
    QCOMPARE(after.mid(registerfile::kUnusedOffset), reg.bytes().mid(registerfile::kUnusedOffset));
}

void TestBazaFirm::ownerHintShowsTheNameLines()
{
    Record owner = owner::defaultRecord(QStringLiteral("005"));
    owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    owner.setText(owner::nazwa2, QStringLiteral("ul. Żytnia 5"));
    owner.setText(owner::nazwa3, QStringLiteral("Łódź"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("005.dat")), owner.bytes()));
    start();
    auto *panel = child<QLabel>("Panel1");
    QCOMPARE(panel->toolTip(), QString());

    select(4);
    QCOMPARE(panel->toolTip(), QStringLiteral("Jan Kowalski\nul. Żytnia 5\nŁódź"));
    // A client without an owner record leaves the hint as it was.
    select(6);
    QCOMPARE(panel->toolTip(), QStringLiteral("Jan Kowalski\nul. Żytnia 5\nŁódź"));
}

void TestBazaFirm::shortRegisterIsReported()
{
    const QByteArray shortRegister = registerfile::defaultRecord().bytes().left(35999);
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), shortRegister));
    start();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"Read beyond end of file"});
    QCOMPARE(child<QListWidget>("lista_k")->count(), 0);
    m_window->Timer1Timer();
    QVERIFY(!child<QPushButton>("SpeedButton4")->isEnabled());
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("klienci.dat"))), shortRegister);
}

void TestBazaFirm::missingDataDirectoryIsReported()
{
    QVERIFY(QDir(m_ws->path(QStringLiteral("DANE"))).removeRecursively());
    start();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"Invalid filename"});
    QVERIFY(!QFileInfo::exists(m_ws->path(QStringLiteral("DANE"))));
}

void TestBazaFirm::failedSaveKeepsTheLineAndDeletesNothing()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(3), QStringLiteral("003 Nowak"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("003.dat")),
                                  owner::defaultRecord(QStringLiteral("003")).bytes()));
    start();
    // The register can no longer be written: a directory stands in its place.
    QVERIFY(QFile::remove(file(QStringLiteral("klienci.dat"))));
    QVERIFY(QDir().mkdir(file(QStringLiteral("klienci.dat"))));

    select(2);
    m_ws->seams.dialogs.answers << true;
    m_window->SpeedButton2Click();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"File access denied"});
    // The list keeps the line as it is stored: the client was not deleted.
    QCOMPARE(child<QListWidget>("lista_k")->item(2)->text(), QStringLiteral("003 Nowak"));
    QVERIFY(QFile::exists(file(QStringLiteral("003.dat"))));
}

void TestBazaFirm::shortOwnerRecordIsReported()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("001.dat")), QByteArray(236, '\0')));
    start();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"Read beyond end of file"});
    // The register itself was loaded before the hint failed; the program goes on.
    QCOMPARE(child<QListWidget>("lista_k")->count(), 500);
    select(0);
    QCOMPARE(m_ws->seams.dialogs.ioErrors().size(), 2);
}

void TestBazaFirm::doubleClickLocksAndOpensTheClient()
{
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    // A free position opens too, with its own number.
    select(4);
    m_window->lista_kDblClick();
    const QString lock = m_ws->path(QStringLiteral("KOSZ/005.k"));
    QCOMPARE(testfiles::readBytes(lock), QByteArray("\x01\x00\x00\x00", 4));
    QCOMPARE(m_window->heldLockPath(), lock);
    QCOMPARE(settlement.client, QStringLiteral("005"));
    QVERIFY(settlement.isVisible());

    // Closing the settlement window keeps the lock; opening the client again gives no message.
    settlement.leave();
    QVERIFY(QFile::exists(lock));
    m_window->lista_kDblClick();
    QCOMPARE(settlement.opened, 2);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestBazaFirm::twoCopiesNeverOpenOneClient()
{
    // Two copies of the program on one base directory, each with its own state.
    start();
    RecordingSettlement firstSettlement;
    m_settlement = &firstSettlement;
    SecondCopy second(m_ws->path(), m_printDialogs);
    Tbaza_f &other = second.window;
    TestSeams &otherSeams = second.seams;
    RecordingSettlement *&otherSettlement = second.settlement;
    RecordingSettlement secondSettlement;
    otherSettlement = &secondSettlement;
    auto *otherList = other.findChild<QListWidget *>(QStringLiteral("lista_k"));
    const QString lock3 = m_ws->path(QStringLiteral("KOSZ/003.k"));
    const QString lock5 = m_ws->path(QStringLiteral("KOSZ/005.k"));

    select(4);
    m_window->lista_kDblClick();
    QCOMPARE(firstSettlement.opened, 1);

    // The second copy holds 003 and tries the busy 005: it is told so and keeps 003.
    otherList->setCurrentRow(2);
    other.lista_kDblClick();
    QCOMPARE(other.heldLockPath(), lock3);
    otherList->setCurrentRow(4);
    other.lista_kDblClick();
    QCOMPARE(otherSeams.dialogs.shown.size(), 1);
    QCOMPARE(otherSeams.dialogs.shown.first().caption, QStringLiteral("Informacja"));
    // Both copies run on this computer, and the message says so.
    QCOMPARE(otherSeams.dialogs.shown.first().text,
             QStringLiteral("Rekord danych jest otwarty w innej kopii programu na tym stanowisku "
                            "(od 15.03.2007 12:30).\nZakończ tam pracę z tym klientem a "
                            "następnie ponów operację"));
    QCOMPARE(secondSettlement.opened, 1);
    QCOMPARE(secondSettlement.client, QStringLiteral("003"));
    QCOMPARE(other.heldLockPath(), lock3);
    QVERIFY(QFile::exists(lock3));

    // So the first copy cannot take 003 ...
    select(2);
    m_window->lista_kDblClick();
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_window->heldLockPath(), lock5);
    // ... and once it moves on to 007, 005 is free for the second copy.
    select(6);
    m_window->lista_kDblClick();
    QVERIFY(!QFile::exists(lock5));
    otherList->setCurrentRow(4);
    other.lista_kDblClick();
    QCOMPARE(other.heldLockPath(), lock5);
    QVERIFY(!QFile::exists(lock3));
    QCOMPARE(secondSettlement.client, QStringLiteral("005"));
}

void TestBazaFirm::busyMessageNamesTheHolder_data()
{
    QTest::addColumn<QByteArray>("holder");
    QTest::addColumn<QString>("message");
    const QString busy = QStringLiteral("Rekord danych chwilowo zajęty przez innego użytkownika.\n"
                                        "Poczekaj na jego zwolnienie a następnie ponów operację");
    // A lock left by a copy that writes no holder file.
    QTest::newRow("no holder file") << QByteArray() << busy;
    QTest::newRow("another workstation")
        << QByteArray("BIURO-2\n2007-03-14 08:05:09\n")
        << busy +
               QStringLiteral("\nKlient jest otwarty na stanowisku BIURO-2 od 14.03.2007 08:05.");
    QTest::newRow("this workstation")
        << ThisWorkstation().toUtf8() + "\n2007-03-15 11:59:00\n"
        << QStringLiteral("Rekord danych jest otwarty w innej kopii programu na tym stanowisku "
                          "(od 15.03.2007 11:59).\nZakończ tam pracę z tym klientem a następnie "
                          "ponów operację");
}

void TestBazaFirm::busyMessageNamesTheHolder()
{
    QFETCH(QByteArray, holder);
    QFETCH(QString, message);
    const QString lock = m_ws->path(QStringLiteral("KOSZ/005.k"));
    QVERIFY(testfiles::writeBytes(lock, QByteArray("\1\0\0\0", 4)));
    if (!holder.isEmpty())
        QVERIFY(testfiles::writeBytes(LockHolderPath(lock), holder));
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    select(4);
    m_window->lista_kDblClick();
    QCOMPARE(settlement.opened, 0);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().caption, QStringLiteral("Informacja"));
    QCOMPARE(m_ws->seams.dialogs.shown.first().text, message);
    QVERIFY(m_window->heldLockPath().isEmpty());
}

void TestBazaFirm::changesOfAnotherCopyAreReadBeforeOpening()
{
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(3), QStringLiteral("003 Nowak"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    SecondCopy second(m_ws->path(), m_printDialogs);
    Tbaza_f &other = second.window;
    TestSeams &otherSeams = second.seams;
    auto *otherList = other.findChild<QListWidget *>(QStringLiteral("lista_k"));
    auto *list = child<QListWidget>("lista_k");

    // The other copy removes Nowak and adds Anna; this one, coming back to its window, shows
    // Anna ...
    otherList->setCurrentRow(2);
    otherSeams.dialogs.answers << true;
    other.SpeedButton2Click();
    otherList->setCurrentRow(3);
    otherSeams.dialogs.inputs << QStringLiteral("Anna");
    other.SpeedButton4Click();
    QCOMPARE(list->item(3)->text(), QStringLiteral("004"));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(m_window.get(), &activate);
    QCOMPARE(list->item(3)->text(), QStringLiteral("004 Anna"));

    // ... and with the register changed again behind its back, a double-click on the removed
    // client shows the line anew and opens nothing: no lock, no settlement window.
    reg.setText(registerfile::line(3), QStringLiteral("003 Nowak"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    QCoreApplication::sendEvent(m_window.get(), &activate);
    QCoreApplication::sendEvent(&other, &activate);
    QCOMPARE(list->item(2)->text(), QStringLiteral("003 Nowak"));
    otherList->setCurrentRow(2);
    otherSeams.dialogs.answers << true;
    other.SpeedButton2Click();
    select(2);
    m_window->lista_kDblClick();
    QCOMPARE(settlement.opened, 0);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown.first().text, QString::fromUtf8(kChangedElsewhere));
    QCOMPARE(list->item(2)->text(), QStringLiteral("003"));
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(m_window->heldLockPath().isEmpty());
    QCOMPARE(QDir(m_ws->path(QStringLiteral("KOSZ"))).entryList(QDir::Files), QStringList());
    QVERIFY(m_clientWindows->locksAtClose.isEmpty());

    // The line as now shown opens.
    m_window->lista_kDblClick();
    QCOMPARE(settlement.opened, 1);
    QCOMPARE(settlement.client, QStringLiteral("003"));
}

void TestBazaFirm::unreachableShareIsNamed()
{
    // Network mode: the register lies in a folder of its own, which then goes away.
    QTemporaryDir share;
    QVERIFY(share.isValid());
    QVERIFY(testfiles::makeDataTree(share.path()));
    QVERIFY(testfiles::writeBytes(share.filePath(QStringLiteral("Admini/siec.dat")),
                                  lokalizacja::defaultRecord(share.path()).bytes()));
    WriteLocation(m_ws->path(), lokalizacja::Network, m_ws->path(), share.path());
    start();
    QCOMPARE(m_window->baseDir(), share.path());
    QVERIFY(QDir(share.path()).removeRecursively());
    const QStringList local = QDir(m_ws->path(QStringLiteral("DANE"))).entryList(QDir::Files);

    select(4);
    m_ws->seams.dialogs.inputs << QStringLiteral("Anna");
    m_window->SpeedButton4Click();
    m_window->lista_kDblClick();
    const QString expected =
        QStringLiteral("I/O error 2\nFolder bazy danych %1 jest nieosiągalny: serwer lub "
                       "połączenie sieciowe nie odpowiada.\nSprawdź połączenie z serwerem i "
                       "ponów operację.")
            .arg(QDir::toNativeSeparators(share.path()));
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), (QStringList{expected, expected}));
    // Nothing was written locally in the share's place.
    QCOMPARE(QDir(m_ws->path(QStringLiteral("DANE"))).entryList(QDir::Files), local);
    QVERIFY(QDir(m_ws->path(QStringLiteral("KOSZ"))).isEmpty());
    QVERIFY(!QFileInfo::exists(share.path()));
}

void TestBazaFirm::lockFaultsOpenNothingAndKeepTheHeldLock()
{
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    select(2);
    m_window->lista_kDblClick();
    const QString held = m_window->heldLockPath();
    QCOMPARE(settlement.opened, 1);

    // With the lock folder gone, opening another client reports it and opens nothing.
    QVERIFY(QDir(m_ws->path(QStringLiteral("KOSZ"))).removeRecursively());
    select(6);
    m_window->lista_kDblClick();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"Invalid filename"});
    QCOMPARE(settlement.opened, 1);
    QCOMPARE(m_window->heldLockPath(), held);
    QCOMPARE(settlement.client, QStringLiteral("003"));
}

void TestBazaFirm::twoWorkstationsChangeTheRegisterLineByLine()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("005.dat")),
                                  owner::defaultRecord(QStringLiteral("005")).bytes()));
    // Workstation A is this window, B a second copy on the same base directory; both show the
    // register as it was at their start.
    start();
    SecondCopy second(m_ws->path(), m_printDialogs);
    Tbaza_f &other = second.window;
    TestSeams &otherSeams = second.seams;
    auto *list = child<QListWidget>("lista_k");
    auto *otherList = other.findChild<QListWidget *>(QStringLiteral("lista_k"));
    const auto line = [&](int position) {
        return QString::fromLatin1(storedLine(position).mid(1)).remove(QLatin1Char('\0'));
    };

    // A adds Anna at 005; B, still showing 005 free, adds Bogdan at 006: Anna stays, and B
    // now shows her.
    select(4);
    m_ws->seams.dialogs.inputs << QStringLiteral("Anna");
    m_window->SpeedButton4Click();
    otherList->setCurrentRow(5);
    otherSeams.dialogs.inputs << QStringLiteral("Bogdan");
    other.SpeedButton4Click();
    QCOMPARE(line(5), QStringLiteral("005 Anna"));
    QCOMPARE(line(6), QStringLiteral("006 Bogdan"));
    QCOMPARE(otherList->item(4)->text(), QStringLiteral("005 Anna"));
    QCOMPARE(otherList->currentRow(), 5);
    QCOMPARE(otherSeams.dialogs.shown.size(), 1);

    // A, whose screen still shows 006 free, cannot add a second client there: it is told so,
    // and its list shows Bogdan, the selection kept.
    select(5);
    m_ws->seams.dialogs.inputs << QStringLiteral("Celina");
    m_window->SpeedButton4Click();
    QCOMPARE(line(6), QStringLiteral("006 Bogdan"));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 3);
    const ShownDialog notice = m_ws->seams.dialogs.shown.last();
    QCOMPARE(notice.kind, ShownDialog::Kind::Notice);
    QCOMPARE(notice.caption, QStringLiteral("Informacja"));
    QCOMPARE(notice.text, QString::fromUtf8(kChangedElsewhere));
    QCOMPARE(list->item(5)->text(), QStringLiteral("006 Bogdan"));
    QCOMPARE(list->currentRow(), 5);

    // B renames Anna; A, still showing the old name, asks to delete her: refused, her owner
    // record stays.
    otherList->setCurrentRow(4);
    otherSeams.dialogs.inputs << QStringLiteral("Anna Nowak");
    other.SpeedButton3Click();
    QCOMPARE(line(5), QStringLiteral("005 Anna Nowak"));
    select(4);
    QCOMPARE(list->item(4)->text(), QStringLiteral("005 Anna"));
    m_ws->seams.dialogs.answers << true;
    m_window->SpeedButton2Click();
    QCOMPARE(m_ws->seams.dialogs.shown.last().text, QString::fromUtf8(kChangedElsewhere));
    QCOMPARE(line(5), QStringLiteral("005 Anna Nowak"));
    QVERIFY(QFile::exists(file(QStringLiteral("005.dat"))));
    QCOMPARE(list->item(4)->text(), QStringLiteral("005 Anna Nowak"));

    // A stale rename is refused the same way; once A shows the current line, deleting works.
    otherList->setCurrentRow(5);
    otherSeams.dialogs.inputs << QStringLiteral("Bogdan Lis");
    other.SpeedButton3Click();
    select(5);
    m_ws->seams.dialogs.inputs << QStringLiteral("Celina");
    const qsizetype shownBefore = m_ws->seams.dialogs.shown.size();
    m_window->SpeedButton3Click();
    QCOMPARE(m_ws->seams.dialogs.shown.size(), shownBefore + 2);
    QCOMPARE(m_ws->seams.dialogs.shown.last().text, QString::fromUtf8(kChangedElsewhere));
    QCOMPARE(line(6), QStringLiteral("006 Bogdan Lis"));
    QCOMPARE(list->item(5)->text(), QStringLiteral("006 Bogdan Lis"));
    select(4);
    m_ws->seams.dialogs.answers << true;
    m_window->SpeedButton2Click();
    QCOMPARE(line(5), QStringLiteral("005"));
    QCOMPARE(line(6), QStringLiteral("006 Bogdan Lis"));
    QVERIFY(!QFile::exists(file(QStringLiteral("005.dat"))));
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
    QVERIFY(otherSeams.dialogs.ioErrors().isEmpty());
}

void TestBazaFirm::openingAnotherClientClosesItsWindowsFirst()
{
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    select(2);
    m_window->lista_kDblClick();
    select(2);
    m_window->lista_kDblClick();
    // Opening the first client leaves nothing open; opening the open one again leaves nothing.
    QCOMPARE(m_clientWindows->locksAtClose, QList<QStringList>{QStringList{}});

    // Another client: the windows are left while the old lock is still held.
    select(6);
    m_window->lista_kDblClick();
    QCOMPARE(m_clientWindows->locksAtClose.last(), QStringList{"003.k"});
    QCOMPARE(settlement.client, QStringLiteral("007"));
    QCOMPARE(settlement.opened, 3);

    // A window that cannot save stops the opening: no new lock, the old one kept.
    m_clientWindows->succeeds = false;
    select(4);
    m_window->lista_kDblClick();
    QCOMPARE(m_clientWindows->locksAtClose.last(), QStringList{"007.k"});
    QCOMPARE(settlement.client, QStringLiteral("007"));
    QCOMPARE(m_window->heldLockPath(), m_ws->path(QStringLiteral("KOSZ/007.k")));
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/007.k"))));
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    QCOMPARE(settlement.opened, 3);

    // Nor does the program end then.
    m_ws->seams.dialogs.answers << true;
    QVERIFY(!m_window->KoniecPracy());
    QVERIFY(m_ws->seams.endCalls.isEmpty());
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/007.k"))));
}

void TestBazaFirm::singleClickNeverOpensAClient()
{
    start();
    RecordingSettlement settlement;
    m_settlement = &settlement;
    auto *list = child<QListWidget>("lista_k");
    SingleClickStyle style;
    list->setStyle(&style);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy activated(list, &QListWidget::itemActivated);
    const QPoint line = list->visualItemRect(list->item(4)).center();

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    // The style makes a single click activate the line, and still nothing opens.
    QCOMPARE(activated.size(), 1);
    QCOMPARE(list->currentRow(), 4);
    QCOMPARE(settlement.opened, 0);

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
    QCOMPARE(settlement.opened, 1);
    QCOMPARE(settlement.client, QStringLiteral("005"));

    list->setCurrentRow(6);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(settlement.client, QStringLiteral("007"));
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(settlement.client, QStringLiteral("003"));
    QCOMPARE(settlement.opened, 3);
    list->setStyle(nullptr);
}

QTEST_MAIN(TestBazaFirm)
#include "tst_bazafirm.moc"
