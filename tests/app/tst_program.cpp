#include "bazafirm.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "datatree.h"
#include "eksploatacja.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "guard.h"
#include "logowania.h"
#include "modul_hist.h"
#include "narzedzia_admini.h"
#include "network.h"
#include "numerator.h"
#include "program.h"
#include "programfiles.h"
#include "przebieg.h"
#include "recordingpage.h"
#include "rozliczenie.h"
#include "siec.h"
#include "testfiles.h"
#include "workspace.h"
#include "wydruk.h"
#include "wyliczenie.h"
#include "yearwindows.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

namespace {

// The kilometres of January, the mileage grid's first cell, as a year's mileage file stores them
// (4321 typed is stored as "  4321.00").
QString januaryKilometres(const QByteArray &mileageFile)
{
    storage::Record record(storage::mileage::kSize);
    record.bytes() = mileageFile.leftJustified(storage::mileage::kSize, '\0', true);
    return record.text(storage::mileage::cell(storage::mileage::kKilometres, 1));
}

} // namespace

// The program composed as main composes it, in a temporary working directory, with scripted
// dialogs and no network.
class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowsAreCreatedInOrderAndSetUp();
    void startLeavesWhatEveryWindowsSetUpLeft_data();
    void startLeavesWhatEveryWindowsSetUpLeft();
    void mainWindowOpensTheSettlementWindow();
    void mainWindowOpensTheAuxiliaryWindows_data();
    void mainWindowOpensTheAuxiliaryWindows();
    void openingAnotherClientLeavesTheClientsWindows();
    void failedSaveKeepsTheClientOpen();
    void endingSavesTheOpenRegister();
    // One truth per client's year.
    void calculationOpenedAgainShowsTheCorrectedMonth();
    void calculationOpenedAgainTakesTheChosenYear();
    void printedNumberIsNeverWrittenBack_data();
    void printedNumberIsNeverWrittenBack();
    void statementPrintsTheOwnerAsLastSaved();
    void totalsPanelFollowsTheRegisters();
    void sameClientOpenedAgainKeepsItsOpenRegister();

private:
    // Positions in the order of creation.
    enum Position {
        Settlement = 1,
        Costs = 2,
        Mileage = 3,
        PrintPanel = 4,
        Calculation = 5,
        Numerator = 6
    };
    QWidget *window(int position) const { return m_program->windowsInOrder().at(position); }
    template <typename T> T *child(int position, const char *name) const
    {
        return findChildNamed<T>(window(position), name);
    }
    void openClient(int row);
    // Opens the client's four working windows and the print panel, typing into each and saving
    // nothing.
    void openAndTypeEverywhere();
    Trozliczeniesamochodu_f &settlement() const
    {
        return *static_cast<Trozliczeniesamochodu_f *>(window(Settlement));
    }
    // The open client's number and the stem of the year the settlement window shows.
    QString client() const { return settlement().handOver().year->client(); }
    QString stem() const { return settlement().stem(); }
    QByteArray yearFile(const QString &extension) const
    {
        return testfiles::readBytes(m_ws->path(QStringLiteral("DANE/") + stem() + extension));
    }
    qint32 storedNumber() const;
    // Prints the statement of the open calculation to a PDF file.
    void printStatement();
    QList<int> visibleWindows() const;

    class NoNetwork : public admin::Network
    {
    public:
        admin::Connection connection() override { return admin::Connection::Disconnected; }
        void download(const QUrl &, const QString &, QObject *, std::function<void(bool)>) override
        {
            ++downloads;
        }
        int downloads = 0;
    };

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    NoNetwork m_network;
    QList<QUrl> m_openedUrls;
    std::unique_ptr<Program> m_program;
};

void TestProgram::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_printDialogs = FakePrintDialogs{};
    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(10, 0));
    m_program = std::make_unique<Program>(
        m_ws->path(),
        Program::Services{m_ws->seams.seams, m_printDialogs, m_network, [this](const QUrl &url) {
                              m_openedUrls << url;
                              return true;
                          }});
}

void TestProgram::cleanup()
{
    m_program.reset();
    QCOMPARE(m_network.downloads, 0);
    m_ws.reset();
}

void TestProgram::windowsAreCreatedInOrderAndSetUp()
{
    QStringList names;
    for (const QWidget *window : m_program->windowsInOrder()) {
        QVERIFY(window);
        names << QString::fromLatin1(window->metaObject()->className());
        QVERIFY(!window->isVisible());
    }
    QCOMPARE(names, (QStringList{"Tbaza_f", "Trozliczeniesamochodu_f", "Teksploatacja_f",
                                 "Tprzebieg_f", "Twydruk_f", "Twyliczenie_f", "Tnumerator_f",
                                 "Tform3", "Thisto_f", "Tnarzedzia_f", "Tlogowania_f", "Tsiec_f"}));
    // The main window's set-up ran: the register and the launch history are there.
    QCOMPARE(m_program->mainWindow().findChild<QListWidget *>(QStringLiteral("lista_k"))->count(),
             500);
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("DANE/klienci.dat"))));
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("Admini/historia.dat"))));
    QCOMPARE(m_program->mainWindow().baseDir(), m_ws->path());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

namespace {

// The thirteen windows built at start with each one's set-up run in their order of creation, as
// the program once composed them: what the program's start must leave on disk and on screen
// although it builds only the main window.
struct EveryWindowBuiltAtStart {
    EveryWindowBuiltAtStart(const QString &dir, seams::Seams &seams,
                            printing::PrintDialogs &printDialogs, admin::Network &network)
        : years(dir), fonts(dir, printDialogs)
    {
        seams::Guarded(seams.dialogs, [&] { storage::EnsureDataTree(dir); });
        baza = std::make_unique<Tbaza_f>(
            dir, launch, seams, windows,
            Tbaza_f::Openers{[](const QString &) { return false; },
                             [](const printing::NotepadRequest &) { return false; }},
            clientWindows, fonts);
        baza->FormCreate();
        rozliczenie = std::make_unique<Trozliczeniesamochodu_f>(years, seams, yearWindows);
        rozliczenie->FormCreate();
        const settlement::YearHandOver startYear = rozliczenie->handOver();
        eksploatacja = std::make_unique<Teksploatacja_f>(dir, seams);
        eksploatacja->setYear(startYear);
        eksploatacja->FormCreate();
        przebieg = std::make_unique<Tprzebieg_f>(seams);
        przebieg->setYear(startYear);
        przebieg->FormCreate();
        wydruk = std::make_unique<Twydruk_f>(seams, printDialogs, fonts);
        wydruk->FormCreate();
        wyliczenie = std::make_unique<Twyliczenie_f>(
            seams, [](const settlement::StatementHandOver &) { return false; });
        wyliczenie->setYear(startYear);
        wyliczenie->FormCreate();
        numerator = std::make_unique<Tnumerator_f>(seams);
        numerator->setYear(startYear);
        numerator->FormCreate();
        histo = std::make_unique<Thisto_f>(dir, seams);
        histo->FormCreate();
        narzedzia = std::make_unique<Tnarzedzia_f>(
            dir, launch, Tnarzedzia_f::Register{[dir] { return dir; }, [] { return QString(); }},
            seams, network);
        narzedzia->FormCreate();
        logowania = std::make_unique<Tlogowania_f>(dir, seams, printDialogs, fonts);
        logowania->FormCreate();
        siec = std::make_unique<Tsiec_f>(dir, seams);
        siec->FormCreate();
    }

    LaunchValues launch;
    settlement::ClientYears years;
    ui::WindowTable windows;
    settlement::YearWindowTable yearWindows;
    ui::ClientWindowList clientWindows;
    printing::PrintFontStore fonts;
    std::unique_ptr<Tbaza_f> baza;
    std::unique_ptr<Trozliczeniesamochodu_f> rozliczenie;
    std::unique_ptr<Teksploatacja_f> eksploatacja;
    std::unique_ptr<Tprzebieg_f> przebieg;
    std::unique_ptr<Twydruk_f> wydruk;
    std::unique_ptr<Twyliczenie_f> wyliczenie;
    std::unique_ptr<Tnumerator_f> numerator;
    std::unique_ptr<Thisto_f> histo;
    std::unique_ptr<Tnarzedzia_f> narzedzia;
    std::unique_ptr<Tlogowania_f> logowania;
    std::unique_ptr<Tsiec_f> siec;
};

// Every file under `dir` with its bytes, by relative path.
QMap<QString, QByteArray> filesUnder(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), testfiles::readBytes(path));
    }
    return files;
}

QStringList textsOf(const QList<ShownDialog> &shown)
{
    QStringList texts;
    for (const ShownDialog &dialog : shown)
        texts << dialog.caption + QLatin1Char('|') + dialog.text;
    return texts;
}

} // namespace

void TestProgram::startLeavesWhatEveryWindowsSetUpLeft_data()
{
    // A file of the start made one byte short before the start: each window's set-up that reads
    // it shows its error box, and the ones after it go on.
    QTest::addColumn<QString>("shortFile");
    QTest::addColumn<qsizetype>("size");
    const QString stem = storage::YearStem(QStringLiteral("1"), QStringLiteral("2007"));
    QTest::newRow("fresh directory") << QString() << qsizetype(0);
    QTest::newRow("settlement window's owner record")
        << QStringLiteral("DANE/1.dat") << storage::owner::kSize;
    QTest::newRow("VAT setting of the start year")
        << QStringLiteral("DANE/") + stem + QStringLiteral(".vat") << storage::vatsetting::kSize;
    QTest::newRow("document number of the start year")
        << QStringLiteral("DANE/") + stem + QStringLiteral(".num") << storage::numerator::kSize;
    QTest::newRow("launch history")
        << QStringLiteral("Admini/historia.dat") << storage::historia::kSize;
}

void TestProgram::startLeavesWhatEveryWindowsSetUpLeft()
{
    QFETCH(QString, shortFile);
    QFETCH(qsizetype, size);
    m_program.reset();
    const auto freshStart = [&] {
        QVERIFY(QDir(m_ws->path()).removeRecursively());
        QVERIFY(testfiles::makeDataTree(m_ws->path()));
        if (!shortFile.isEmpty())
            QVERIFY(testfiles::writeBytes(m_ws->path(shortFile), QByteArray(size - 1, '\0')));
        m_ws->seams.dialogs.shown.clear();
    };

    freshStart();
    {
        const EveryWindowBuiltAtStart before(m_ws->path(), m_ws->seams.seams, m_printDialogs,
                                             m_network);
    }
    const QMap<QString, QByteArray> filesBefore = filesUnder(m_ws->path());
    const QStringList shownBefore = textsOf(m_ws->seams.dialogs.shown);
    QVERIFY(m_ws->seams.endCalls.isEmpty());

    freshStart();
    m_program = std::make_unique<Program>(
        m_ws->path(), Program::Services{m_ws->seams.seams, m_printDialogs, m_network,
                                        [](const QUrl &) { return true; }});
    QCOMPARE(filesUnder(m_ws->path()).keys(), filesBefore.keys());
    QCOMPARE(filesUnder(m_ws->path()), filesBefore);
    QCOMPARE(textsOf(m_ws->seams.dialogs.shown), shownBefore);
    // Each fault shows its error box, once for each set-up that reads the file.
    QCOMPARE(shownBefore.isEmpty(), shortFile.isEmpty());
}

void TestProgram::mainWindowOpensTheSettlementWindow()
{
    Tbaza_f &baza = m_program->mainWindow();
    baza.findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(4);
    baza.lista_kDblClick();
    QWidget *settlement = m_program->windowsInOrder().at(1);
    QVERIFY(settlement->isVisible());
    QCOMPARE(client(), QStringLiteral("005"));
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    // The settlement window's set-up created the client's owner record.
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("DANE/005.dat"))));
}

void TestProgram::mainWindowOpensTheAuxiliaryWindows_data()
{
    QTest::addColumn<int>("position"); // in the order of creation
    QTest::newRow("business card") << 7;
    QTest::newRow("history") << 8;
    QTest::newRow("administrator tools") << 9;
    QTest::newRow("notepad") << 10;
    QTest::newRow("database location") << 11;
}

void TestProgram::mainWindowOpensTheAuxiliaryWindows()
{
    QFETCH(int, position);
    Tbaza_f &baza = m_program->mainWindow();
    switch (position) {
    case 7:
        baza.Wizytwka1Click();
        break;
    case 8:
        baza.Historiauruchomie1Click();
        break;
    case 9:
        baza.Narzedziaadministratora1Click();
        break;
    case 10:
        baza.Osieci1Click();
        break;
    case 11:
        baza.Ustawienia1Click();
        break;
    }
    const QList<QWidget *> windows = m_program->windowsInOrder();
    for (int i = 1; i < windows.size(); ++i)
        QCOMPARE(windows.at(i)->isVisible(), i == position);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestProgram::openClient(int row)
{
    Tbaza_f &baza = m_program->mainWindow();
    baza.findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(row);
    baza.lista_kDblClick();
}

void TestProgram::openAndTypeEverywhere()
{
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->setText(QStringLiteral("4321"));
    child<QPushButton>(Settlement, "SpeedButton4")->click();
    child<QTableWidget>(Costs, "eksp")->item(0, 1)->setText(QStringLiteral("Paliwo Orlen"));
    child<QPushButton>(Settlement, "SpeedButton3")->click();
    child<QLineEdit>(Numerator, "rozszerzenie")->setText(QStringLiteral("/KZ/9"));
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    child<QLineEdit>(PrintPanel, "miejscowosc")->setText(QStringLiteral("Radom"));
    QCOMPARE(visibleWindows(),
             (QList<int>{Settlement, Costs, Mileage, PrintPanel, Calculation, Numerator}));
    QVERIFY(januaryKilometres(yearFile(QStringLiteral(".prz"))) != QLatin1String("  4321.00"));
    QVERIFY(!yearFile(QStringLiteral(".num")).contains("/KZ/9"));
}

QList<int> TestProgram::visibleWindows() const
{
    QList<int> visible;
    const QList<QWidget *> windows = m_program->windowsInOrder();
    for (int i = 1; i < windows.size(); ++i) {
        if (windows.at(i)->isVisible())
            visible << i;
    }
    return visible;
}

void TestProgram::openingAnotherClientLeavesTheClientsWindows()
{
    openClient(4);
    const QString stem005 = stem();
    openAndTypeEverywhere();

    openClient(6);
    // Each window of 005 was left as its "Powrót" would, while 005 was still locked.
    const auto stored = [&](const QString &extension) {
        return testfiles::readBytes(m_ws->path(QStringLiteral("DANE/") + stem005 + extension));
    };
    QCOMPARE(januaryKilometres(stored(QStringLiteral(".prz"))), QStringLiteral("  4321.00"));
    QVERIFY(stored(QStringLiteral(".eks")).contains("Paliwo Orlen"));
    QVERIFY(stored(QStringLiteral(".num")).contains("/KZ/9"));
    QVERIFY(stored(QStringLiteral(".mie")).contains("Radom"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    // Only the settlement window is open, now for 007, which holds the only lock.
    QCOMPARE(visibleWindows(), QList<int>{Settlement});
    QCOMPARE(client(), QStringLiteral("007"));
    QCOMPARE(QDir(m_ws->path(QStringLiteral("KOSZ"))).entryList(QDir::Files),
             (QStringList{"007.k", "007.kto"}));
}

void TestProgram::failedSaveKeepsTheClientOpen()
{
    openClient(4);
    openAndTypeEverywhere();
    // The numerator file can no longer be written: a directory stands in its place.
    const QString numerator = m_ws->path(QStringLiteral("DANE/") + stem() + QStringLiteral(".num"));
    QVERIFY(QFile::remove(numerator));
    QVERIFY(QDir().mkdir(numerator));

    openClient(6);
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{"File access denied"});
    // The print panel and the calculation, left before the numerator, are closed; the
    // numerator and the windows after it stay, and 005 stays locked and open.
    QCOMPARE(visibleWindows(), (QList<int>{Settlement, Costs, Mileage, Numerator}));
    QCOMPARE(client(), QStringLiteral("005"));
    QCOMPARE(QDir(m_ws->path(QStringLiteral("KOSZ"))).entryList(QDir::Files),
             (QStringList{"005.k", "005.kto"}));

    // Ending fails the same way: the program stays, with its lock.
    m_ws->seams.dialogs.answers << true;
    QVERIFY(!m_program->mainWindow().KoniecPracy());
    QCOMPARE(m_ws->seams.dialogs.ioErrors().size(), 2);
    QVERIFY(m_ws->seams.endCalls.isEmpty());
    QVERIFY(QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    QCOMPARE(visibleWindows(), (QList<int>{Settlement, Costs, Mileage, Numerator}));

    // Once the file can be written again, ending saves what was typed and ends.
    QVERIFY(QDir(numerator).removeRecursively());
    m_ws->seams.dialogs.answers << true;
    QVERIFY(m_program->mainWindow().KoniecPracy());
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QVERIFY(testfiles::readBytes(numerator).contains("/KZ/9"));
    QCOMPARE(januaryKilometres(yearFile(QStringLiteral(".prz"))), QStringLiteral("  4321.00"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
}

void TestProgram::endingSavesTheOpenRegister()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->setText(QStringLiteral("4321"));

    // "Nie" keeps everything as it is.
    m_ws->seams.dialogs.answers << false;
    QVERIFY(!m_program->mainWindow().KoniecPracy());
    QVERIFY(window(Mileage)->isVisible());
    QVERIFY(januaryKilometres(yearFile(QStringLiteral(".prz"))) != QLatin1String("  4321.00"));

    m_ws->seams.dialogs.answers << true;
    QVERIFY(m_program->mainWindow().KoniecPracy());
    QCOMPARE(januaryKilometres(yearFile(QStringLiteral(".prz"))), QStringLiteral("  4321.00"));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!QFile::exists(m_ws->path(QStringLiteral("KOSZ/005.k"))));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
}

qint32 TestProgram::storedNumber() const
{
    storage::Record record(storage::numerator::kSize);
    record.bytes() = yearFile(QStringLiteral(".num"));
    return record.int32(storage::numerator::kNumber);
}

void TestProgram::printStatement()
{
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    QVERIFY(window(PrintPanel)->isVisible());
    m_printDialogs.printAnswers << true;
    m_printDialogs.pdfFiles << m_ws->path(QStringLiteral("zestawienie.pdf"));
    child<QPushButton>(PrintPanel, "SpeedButton1")->click();
}

void TestProgram::calculationOpenedAgainShowsTheCorrectedMonth()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    QCOMPARE(child<QLabel>(Calculation, "Label7")->text(), QStringLiteral("      0.00 zł"));

    // March corrected in the mileage register and left with "Powrót", the calculation still
    // open.
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    auto *grid = child<QTableWidget>(Mileage, "przebieg");
    grid->item(2, 0)->setText(QStringLiteral("100"));
    grid->item(2, 2)->setText(QStringLiteral("80"));
    child<QPushButton>(Mileage, "SpeedButton3")->click();
    QVERIFY(yearFile(QStringLiteral(".prz")).contains("    80.00"));
    // The open calculation has worked it in, and opening it again shows it too.
    QCOMPARE(child<QLabel>(Calculation, "Label7")->text(), QStringLiteral("     80.00 zł"));
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    QCOMPARE(child<QLabel>(Calculation, "Label7")->text(), QStringLiteral("     80.00 zł"));

    // So does the statement printed from it.
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    child<QPushButton>(PrintPanel, "SpeedButton3")->click();
    QCOMPARE(m_printDialogs.previews.size(), 1);
    QVERIFY(
        m_printDialogs.previews.first().join(QLatin1Char('\n')).contains(QStringLiteral("80.00")));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestProgram::calculationOpenedAgainTakesTheChosenYear()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    QCOMPARE(window(Calculation)->windowTitle(), QStringLiteral("Rok obliczeniowy 2007"));
    auto *years = child<QComboBox>(Settlement, "listarok");
    years->setCurrentIndex(years->findText(QStringLiteral("2008")));
    settlement().listarokClick();
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    QCOMPARE(window(Calculation)->windowTitle(), QStringLiteral("Rok obliczeniowy 2008"));
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    m_printDialogs.printAnswers << true;
    m_printDialogs.pdfFiles << m_ws->path(QStringLiteral("zestawienie.pdf"));
    child<QPushButton>(PrintPanel, "SpeedButton1")->click();
    // The number of 2008 moved on, not 2007's.
    QCOMPARE(storedNumber(), 2);
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("DANE/005_2007.num"))).left(4),
             QByteArray("\1\0\0\0", 4));
}

void TestProgram::printedNumberIsNeverWrittenBack_data()
{
    QTest::addColumn<bool>("ending"); // else another client is opened
    QTest::newRow("Koniec") << true;
    QTest::newRow("another client") << false;
}

void TestProgram::printedNumberIsNeverWrittenBack()
{
    QFETCH(bool, ending);
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton3")->click();
    auto *number = child<QLineEdit>(Numerator, "numerator");
    QCOMPARE(number->text(), QStringLiteral("1"));
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    printStatement();
    QCOMPARE(storedNumber(), 2);
    // The open numerator shows the number the print stored; opened again it shows it too, and
    // its "Powrót" keeps it.
    QCOMPARE(number->text(), QStringLiteral("2"));
    child<QPushButton>(Settlement, "SpeedButton3")->click();
    QCOMPARE(number->text(), QStringLiteral("2"));
    printStatement();
    QCOMPARE(storedNumber(), 3);
    QCOMPARE(number->text(), QStringLiteral("3"));

    const QString numeratorFile = m_ws->path(QStringLiteral("DANE/") + stem() + ".num");
    if (ending) {
        m_ws->seams.dialogs.answers << true;
        QVERIFY(m_program->mainWindow().KoniecPracy());
    } else {
        openClient(6);
    }
    QCOMPARE(testfiles::readBytes(numeratorFile).left(4), QByteArray("\3\0\0\0", 4));
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
}

void TestProgram::statementPrintsTheOwnerAsLastSaved()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton2")->click();
    // The owner's name saved after the calculation was opened.
    child<QLineEdit>(Settlement, "nazwa1")->setText(QStringLiteral("Anna Nowak"));
    child<QPushButton>(Settlement, "SpeedButton1")->click();
    child<QPushButton>(Calculation, "SpeedButton3")->click();
    child<QPushButton>(PrintPanel, "SpeedButton3")->click();
    QCOMPARE(m_printDialogs.previews.size(), 1);
    QCOMPARE(TextAt(m_printDialogs.previews.first(), 15, 15), QStringLiteral("Anna Nowak"));
}

void TestProgram::totalsPanelFollowsTheRegisters()
{
    openClient(4);
    for (const char *field : {"nazwa1", "nazwa2", "nazwa3", "marka", "rejestracja"})
        child<QLineEdit>(Settlement, field)->setText(QStringLiteral("x"));
    settlement().Timer1Timer();
    QCOMPARE(child<QLabel>(Settlement, "Label9")->text(), QStringLiteral("0.00 zł"));
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    auto *grid = child<QTableWidget>(Mileage, "przebieg");
    grid->item(0, 2)->setText(QStringLiteral("120"));
    grid->item(1, 2)->setText(QStringLiteral("30.5"));
    child<QPushButton>(Mileage, "SpeedButton3")->click();
    child<QPushButton>(Settlement, "SpeedButton4")->click();
    child<QTableWidget>(Costs, "eksp")->item(0, 3)->setText(QStringLiteral("200"));
    child<QTableWidget>(Costs, "eksp")->item(0, 4)->setText(QStringLiteral("44"));
    child<QPushButton>(Costs, "SpeedButton2")->click();
    settlement().Timer1Timer();
    QCOMPARE(child<QLabel>(Settlement, "Label9")->text(), QStringLiteral("    150.50 zł"));
    QCOMPARE(child<QLabel>(Settlement, "Label12")->text(), QStringLiteral("    200.00 zł"));
    QCOMPARE(child<QLabel>(Settlement, "Label13")->text(), QStringLiteral("     44.00 zł"));
}

void TestProgram::sameClientOpenedAgainKeepsItsOpenRegister()
{
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->setText(QStringLiteral("4321"));
    // The same client double-clicked again: its lock was held all the while.
    openClient(4);
    child<QPushButton>(Settlement, "SpeedButton5")->click();
    QCOMPARE(child<QTableWidget>(Mileage, "przebieg")->item(0, 0)->text(), QStringLiteral("4321"));
    QVERIFY(januaryKilometres(yearFile(QStringLiteral(".prz"))) != QLatin1String("  4321.00"));
    child<QPushButton>(Mileage, "SpeedButton3")->click();
    QCOMPARE(januaryKilometres(yearFile(QStringLiteral(".prz"))), QStringLiteral("  4321.00"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
