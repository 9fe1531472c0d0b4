#include "eksportcsv.h"
#include "fakeseams.h"
#include "fileerrorassert.h"
#include "statusnote.h"
#include "testfiles.h"
#include "workspace.h"
#include "wyliczenie.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace storage;

namespace {

// The example year: mileage amounts 300, 250, 400; net costs 500, 100, 120; March's VAT 26.40.
QByteArray exampleMileage()
{
    QByteArray bytes(413, '\0');
    const QStringList amounts{"   300.00", "   250.00", "   400.00"};
    for (int i = 0; i < amounts.size(); ++i)
        bytes.replace(264 + i * 11, 11, testfiles::shortString(amounts[i], 10));
    return bytes;
}

QByteArray exampleCosts()
{
    QByteArray bytes(73232, '\0');
    auto put = [&bytes](int month, int column, int row, const QString &text) {
        bytes.replace((month - 1) * 6100 + column * 1220 + (row - 1) * 61, 61,
                      testfiles::shortString(text, 60));
    };
    put(1, 3, 1, "  500.00");
    put(2, 3, 1, "  100.00");
    put(2, 4, 1, "   23.00");
    put(3, 3, 1, "  120.00");
    put(3, 4, 1, "   22.00");
    put(3, 4, 2, "    4.40");
    return bytes;
}

Record recordOf(const QByteArray &bytes)
{
    Record record(bytes.size());
    record.bytes() = bytes;
    return record;
}

} // namespace

class TestWyliczenie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setUpWorksOutTheMonthOfTheClock();
    void clockMonthIsSelected_data();
    void clockMonthIsSelected();
    void choosingAMonthUsesTheLoadedRecords();
    void registerSavedMeanwhileIsWorkedIn();
    void numeratorFileIsCreatedWhenMissing();
    void unreadableYearFileKeepsTheWindowClosed_data();
    void unreadableYearFileKeepsTheWindowClosed();
    void printOpensThePanelOnTheLatestCalculation();
    void adviceFollowsTheChosenMonth_data();
    void adviceFollowsTheChosenMonth();
    void exportWritesTheWindowsCopy();
    void exportCancelledWritesNothing();
    void exportFailureShowsTheErrorBox();
    void helpPanelAndReturn();

private:
    QString file(const char *extension) const
    {
        return m_ws->path(QStringLiteral("DANE/007_2007") + QLatin1String(extension));
    }
    std::shared_ptr<settlement::ClientYear> yearOf(const QString &client, const QString &year) const
    {
        return std::make_shared<settlement::ClientYear>(m_ws->path(), client, year);
    }
    // The window on client 007's 2007, read from the files as they are now; "Wydruk" hands the
    // print panel's opener what it would print.
    void create()
    {
        m_window = std::make_unique<Twyliczenie_f>(
            m_ws->seams.seams, [this](const settlement::StatementHandOver &statement) {
                m_handed.push_back(statement);
                return true;
            });
        m_window->setYear({yearOf(QStringLiteral("007"), QStringLiteral("2007")),
                           {QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5, Łódź"),
                            QStringLiteral("Fiat 126p KR 12345")}});
    }
    QString labelText(const char *name) const { return child<QLabel>(name)->text(); }
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    std::vector<settlement::StatementHandOver> m_handed;
    Record m_owner{owner::kSize};
    std::unique_ptr<Twyliczenie_f> m_window;
};

void TestWyliczenie::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    QVERIFY(testfiles::writeBytes(file(".prz"), exampleMileage()));
    QVERIFY(testfiles::writeBytes(file(".eks"), exampleCosts()));
    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(12, 30, 45));
    m_owner = owner::defaultRecord(QStringLiteral("007"));
    m_owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    m_owner.setText(owner::nip, QStringLiteral("123-456-78-90"));
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("DANE/007.dat")), m_owner.bytes()));
}

void TestWyliczenie::cleanup()
{
    m_window.reset();
    m_handed.clear();
    m_ws.reset();
}

void TestWyliczenie::setUpWorksOutTheMonthOfTheClock()
{
    create();
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(m_window->prepareAndOpen());
    QVERIFY(m_window->isVisible());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());

    QCOMPARE(m_window->windowTitle(), QStringLiteral("Rok obliczeniowy 2007"));
    QCOMPARE(labelText("Label4"), QStringLiteral("Wyliczenie kosztów"));
    auto *months = child<QComboBox>("listam");
    QCOMPARE(months->count(), 12);
    QCOMPARE(months->itemText(0), QStringLiteral("Styczeń"));
    QCOMPARE(months->itemText(11), QStringLiteral("Grudzień"));
    QCOMPARE(months->currentIndex(), 2);
    QCOMPARE(labelText("Label5"), QStringLiteral("Marzec"));

    QCOMPARE(labelText("Label7"), QStringLiteral("    400.00 zł"));
    QCOMPARE(labelText("Label9"), QStringLiteral("    120.00 zł"));
    QCOMPARE(labelText("Label11"), QStringLiteral("    950.00 zł"));
    QCOMPARE(labelText("Label13"), QStringLiteral("    720.00 zł"));
    QCOMPARE(labelText("Label17"), QStringLiteral("    170.00 zł"));
    QCOMPARE(labelText("Label18"), QStringLiteral("     26.40 zł"));
    QCOMPARE(labelText("Label1"), QStringLiteral("Jan Kowalski"));
    QCOMPARE(labelText("Label2"), QStringLiteral("ul. Żytnia 5, Łódź"));
    QCOMPARE(labelText("Label3"), QStringLiteral("Fiat 126p KR 12345"));

    const settlement::CalculationResults &results = m_window->results();
    QCOMPARE(results.month, 3);
    QCOMPARE(results.title, QStringLiteral("Rozliczenie miesiąca Marzec 2007"));
    QCOMPARE(results.stem, QStringLiteral("007_2007"));
    QCOMPARE(results.totalBooked, 720.0);
    QCOMPARE(results.amountToBook, 170.0);
    QCOMPARE(results.vatToBook, 26.4);
    QCOMPARE(results.table.bytes().mid(2 * 80 + 4 * 16, 16),
             testfiles::shortString(QStringLiteral("      170.00"), 15));

    auto *timer = child<QTimer>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    m_window->Timer1Timer();
    QCOMPARE(labelText("Panel1"), QStringLiteral("12:30:45"));
    m_ws->seams.clock.current = m_ws->seams.clock.current.addSecs(1);
    m_window->Timer1Timer();
    QCOMPARE(labelText("Panel1"), QStringLiteral("12:30:46"));
}

void TestWyliczenie::clockMonthIsSelected_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toBook");
    QTest::newRow("first of January") << QDateTime(QDate(2007, 1, 1), QTime(0, 0)) << 1 << "Styczeń"
                                      << "    300.00 zł";
    QTest::newRow("last of December")
        << QDateTime(QDate(2007, 12, 31), QTime(23, 59, 59)) << 12 << "Grudzień"
        << "      0.00 zł";
    QTest::newRow("no valid date") << QDateTime() << 1 << "Styczeń"
                                   << "    300.00 zł";
}

void TestWyliczenie::clockMonthIsSelected()
{
    QFETCH(QDateTime, now);
    QFETCH(int, month);
    QFETCH(QString, name);
    QFETCH(QString, toBook);

    m_ws->seams.clock.current = now;
    create();
    QVERIFY(m_window->FormCreate());
    QCOMPARE(child<QComboBox>("listam")->currentIndex(), month - 1);
    QCOMPARE(labelText("Label5"), name);
    QCOMPARE(labelText("Label17"), toBook);
    QCOMPARE(m_window->results().month, month);
    QCOMPARE(m_window->results().title, QStringLiteral("Rozliczenie miesiąca ") + name + " 2007");
}

void TestWyliczenie::choosingAMonthUsesTheLoadedRecords()
{
    create();
    QVERIFY(m_window->FormCreate());
    // Another year chosen in the settlement window does not reach the choice, nor do files
    // changed on disk behind the program's back: the year was read when it was opened.
    const auto other = yearOf(QStringLiteral("007"), QStringLiteral("2008"));
    other->saveMileage(Record(mileage::kSize));
    QVERIFY(QFile::remove(file(".prz")));
    QVERIFY(testfiles::writeBytes(file(".eks"), QByteArray(73232, '\0')));

    auto *months = child<QComboBox>("listam");
    months->setCurrentIndex(0);
    m_window->listamClick();
    QCOMPARE(labelText("Label5"), QStringLiteral("Styczeń"));
    QCOMPARE(labelText("Label7"), QStringLiteral("    300.00 zł"));
    QCOMPARE(labelText("Label9"), QStringLiteral("    500.00 zł"));
    QCOMPARE(labelText("Label17"), QStringLiteral("    300.00 zł"));
    QCOMPARE(labelText("Label18"), QStringLiteral("      0.00 zł"));
    QCOMPARE(m_window->results().month, 1);
    QCOMPARE(m_window->results().title, QStringLiteral("Rozliczenie miesiąca Styczeń 2007"));
    QCOMPARE(m_window->results().stem, QStringLiteral("007_2007"));
    QCOMPARE(m_window->results().table.bytes().mid(80), QByteArray(11 * 80, '\0'));

    // A user's choice in the closed list, with the keyboard.
    QTest::keyClick(months, Qt::Key_Down);
    QCOMPARE(months->currentIndex(), 1);
    QCOMPARE(labelText("Label5"), QStringLiteral("Luty"));
    QCOMPARE(labelText("Label11"), QStringLiteral("    550.00 zł"));
    QCOMPARE(labelText("Label13"), QStringLiteral("    600.00 zł"));
    QCOMPARE(labelText("Label17"), QStringLiteral("    250.00 zł"));
    QCOMPARE(labelText("Label18"), QStringLiteral("     23.00 zł"));
    QCOMPARE(m_window->results().month, 2);
    QCOMPARE(m_window->results().totalBooked, 550.0);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWyliczenie::registerSavedMeanwhileIsWorkedIn()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    QCOMPARE(labelText("Label7"), QStringLiteral("    400.00 zł"));
    // March corrected in the mileage register and saved with "Powrót".
    Record corrected = recordOf(exampleMileage());
    corrected.setText(mileage::cell(mileage::kAmount, 3), QStringLiteral("   100.00"));
    m_window->year()->saveMileage(corrected);
    QCOMPARE(labelText("Label7"), QStringLiteral("    100.00 zł"));
    QCOMPARE(labelText("Label11"), QStringLiteral("    650.00 zł"));
    QCOMPARE(m_window->results().cumulativeMileage, 650.0);
    // An invoice added in the cost register.
    Record costs = recordOf(exampleCosts());
    costs.setText(cost::entry(3, cost::kNet, 2), QStringLiteral("  80.00"));
    m_window->year()->saveCosts(costs);
    QCOMPARE(labelText("Label9"), QStringLiteral("    200.00 zł"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestWyliczenie::numeratorFileIsCreatedWhenMissing()
{
    QVERIFY(!QFile::exists(file(".num")));
    create();
    QVERIFY(m_window->FormCreate());
    QCOMPARE(testfiles::readBytes(file(".num")),
             QByteArray::fromHex("01000000") + QByteArray(11, '\0'));

    // An existing numerator is left as it is.
    const QByteArray existing =
        QByteArray::fromHex("2a000000") + testfiles::shortString(QStringLiteral("/KW"), 10);
    QVERIFY(testfiles::writeBytes(file(".num"), existing));
    QVERIFY(m_window->FormCreate());
    QCOMPARE(testfiles::readBytes(file(".num")), existing);
}

void TestWyliczenie::unreadableYearFileKeepsTheWindowClosed_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<int>("length");
    // The mileage and cost files are read when the year is opened, the numerator by the
    // window's set-up.
    QTest::newRow("mileage file one byte short") << QByteArray(".prz") << 412;
    QTest::newRow("cost file one byte short") << QByteArray(".eks") << 73231;
    QTest::newRow("numerator file one byte short") << QByteArray(".num") << 14;
}

void TestWyliczenie::unreadableYearFileKeepsTheWindowClosed()
{
    QFETCH(QByteArray, extension);
    QFETCH(int, length);

    const QString path = file(extension.constData());
    const QByteArray shortFile(length, 'x');
    QVERIFY(testfiles::writeBytes(path, shortFile));
    if (extension == ".num") {
        create();
        QVERIFY(!m_window->prepareAndOpen());
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_ws->seams.dialogs.ioErrors(),
                 QStringList{QStringLiteral("Read beyond end of file")});
        QCOMPARE(m_window->results().month, 0);
    } else {
        QVERIFY_FILE_ERROR(yearOf(QStringLiteral("007"), QStringLiteral("2007")), 100,
                           QStringLiteral("Read beyond end of file"));
    }
    QCOMPARE(testfiles::readBytes(path), shortFile);
}

void TestWyliczenie::printOpensThePanelOnTheLatestCalculation()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    // The owner saved in the settlement window after the calculation opened is what is printed;
    // another client's year opened meanwhile changes nothing.
    Record saved = m_owner;
    saved.setText(owner::nazwa2, QStringLiteral("ul. Nowa 1"));
    m_window->year()->saveOwner(saved);
    yearOf(QStringLiteral("008"), QStringLiteral("2008"))->saveCosts(Record(cost::kSize));
    child<QComboBox>("listam")->setCurrentIndex(0);
    m_window->listamClick();
    child<QPushButton>("SpeedButton3")->click();
    QCOMPARE(m_handed.size(), size_t(1));
    const settlement::StatementHandOver &handed = m_handed.front();
    QCOMPARE(handed.results.month, 1);
    QCOMPARE(handed.results.title, QStringLiteral("Rozliczenie miesiąca Styczeń 2007"));
    QCOMPARE(handed.results.stem, QStringLiteral("007_2007"));
    QCOMPARE(handed.owner.bytes(), saved.bytes());
    QCOMPARE(handed.costs.bytes(), exampleCosts());
    QCOMPARE(handed.year, m_window->year());
    QVERIFY(m_window->isVisible());
}

void TestWyliczenie::adviceFollowsTheChosenMonth_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("advice");
    QTest::newRow("costs above the mileage, no rate")
        << 1 << "Brakuje przebiegu o wartości 200.00 zł, aby zaliczyć wszystkie koszty.";
    QTest::newRow("still short in February")
        << 2 << "Brakuje przebiegu o wartości 50.00 zł, aby zaliczyć wszystkie koszty.";
    QTest::newRow("mileage above the costs")
        << 3 << "Limit przebiegu pozwala zaliczyć jeszcze 230.00 zł kosztów.";
}

void TestWyliczenie::adviceFollowsTheChosenMonth()
{
    QFETCH(int, month);
    QFETCH(QString, advice);

    create();
    QVERIFY(m_window->FormCreate());
    auto *months = child<QComboBox>("listam");
    months->setCurrentIndex(month - 1);
    m_window->listamClick();

    auto *label = child<QLabel>("Label19");
    QCOMPARE(label->text(), advice);
    // Screen readers read the line as it stands.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), advice);
    QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("Porada"));
}

void TestWyliczenie::exportWritesTheWindowsCopy()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    const QByteArray expected = settlement::EksportujCsv(
        m_owner, QStringLiteral("2007"), recordOf(exampleMileage()), recordOf(exampleCosts()));
    // Another client's year opened meanwhile and files changed behind the program's back
    // change nothing.
    yearOf(QStringLiteral("008"), QStringLiteral("2008"))->saveMileage(Record(mileage::kSize));
    QVERIFY(testfiles::writeBytes(file(".eks"), QByteArray(73232, '\0')));

    const QString target = m_ws->path(QStringLiteral("wynik.csv"));
    m_ws->seams.dialogs.savePaths << target;
    ui::StatusNote::post(QString());
    child<QPushButton>("SpeedButton5")->click();
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Zapisano plik CSV wynik.csv."));
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    const ShownDialog &dialog = m_ws->seams.dialogs.shown.first();
    QCOMPARE(int(dialog.kind), int(ShownDialog::Kind::SaveFile));
    QCOMPARE(dialog.initial, m_ws->path(QStringLiteral("007_2007.csv")));
    QVERIFY(dialog.text.contains(QStringLiteral("*.csv")));
    QCOMPARE(testfiles::readBytes(target), expected);
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
}

void TestWyliczenie::exportCancelledWritesNothing()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    const QStringList before = QDir(m_ws->path()).entryList(QDir::Files | QDir::Hidden);
    m_ws->seams.dialogs.savePaths << std::nullopt;
    ui::StatusNote::post(QString());
    child<QPushButton>("SpeedButton5")->click();
    QCOMPARE(ui::StatusNote::latest(), QString());
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    QCOMPARE(QDir(m_ws->path()).entryList(QDir::Files | QDir::Hidden), before);
}

void TestWyliczenie::exportFailureShowsTheErrorBox()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    // A folder that does not exist cannot take the file.
    const QString target = m_ws->path(QStringLiteral("brak/wynik.csv"));
    m_ws->seams.dialogs.savePaths << target;
    ui::StatusNote::post(QString());
    child<QPushButton>("SpeedButton5")->click();
    QCOMPARE(ui::StatusNote::latest(), QString());
    QCOMPARE(m_ws->seams.dialogs.ioErrors().size(), 1);
    QVERIFY(!QFile::exists(target));
    QVERIFY(m_window->isVisible());
}

void TestWyliczenie::helpPanelAndReturn()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    auto *help = child<QWidget>("Panel3");
    QVERIFY(help->isHidden());

    child<QPushButton>("SpeedButton2")->click();
    QVERIFY(help->isVisible());
    auto *memo = child<QPlainTextEdit>("Memo1");
    QVERIFY(memo->isReadOnly());
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.first(), QStringLiteral("W formatce automatycznie dokonuje się rozliczenie "
                                           "miesiąca zgodnego z miesiącem "));
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[10], QString());
    QCOMPARE(lines[11],
             QStringLiteral("Rozliczenie można drukować po uruchomieniu przycisku PRZYGOTOWANIE "));
    QCOMPARE(lines.last(), QStringLiteral("dokumentu."));

    child<QPushButton>("SpeedButton1")->click();
    QVERIFY(help->isHidden());

    child<QPushButton>("SpeedButton4")->click();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->isEnabled());
}

QTEST_MAIN(TestWyliczenie)
#include "tst_wyliczenie.moc"
