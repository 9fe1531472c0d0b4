#include "eksportcsv.h"
#include "fakeseams.h"
#include "formwindow.h"
#include "programstate.h"
#include "statusnote.h"
#include "testfiles.h"
#include "windowopener.h"
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

// Stands in for the print panel: records what the calculation had left when it was opened.
class FakePrintPanel : public FormWindow
{
public:
    explicit FakePrintPanel(const ProgramState &state) : m_state(state) {}
    bool FormCreate() override
    {
        ++setUps;
        month = m_state.results.month;
        title = m_state.results.title;
        stem = m_state.results.stem;
        ownerRecord = m_state.statementOwner;
        costRecord = m_state.statementCosts;
        return true;
    }
    int setUps = 0;
    int month = 0;
    QString title;
    QString stem;
    Record ownerRecord{owner::kSize};
    Record costRecord{cost::kSize};

private:
    const ProgramState &m_state;
};

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
    void create()
    {
        m_window = std::make_unique<Twyliczenie_f>(m_ws->state, m_ws->seams.seams, m_windows);
    }
    QString labelText(const char *name) const { return child<QLabel>(name)->text(); }
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    ui::WindowTable m_windows;
    std::unique_ptr<Twyliczenie_f> m_window;
};

void TestWyliczenie::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    QVERIFY(testfiles::writeBytes(file(".prz"), exampleMileage()));
    QVERIFY(testfiles::writeBytes(file(".eks"), exampleCosts()));
    m_ws->seams.clock.current = QDateTime(QDate(2007, 3, 15), QTime(12, 30, 45));
    m_ws->setYear(QStringLiteral("2007"), QStringLiteral("007_2007"));
    m_ws->setHeaders(QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5, Łódź"),
                     QStringLiteral("Fiat 126p KR 12345"));
    m_ws->state.ownerRecord.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    m_ws->state.ownerRecord.setText(owner::nip, QStringLiteral("123-456-78-90"));
}

void TestWyliczenie::cleanup()
{
    m_window.reset();
    m_windows = {};
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

    const CalculationResults &results = m_window->results();
    QCOMPARE(results.month, 3);
    QCOMPARE(results.title, QStringLiteral("Rozliczenie miesiąca Marzec 2007"));
    QCOMPARE(results.stem, QStringLiteral("007_2007"));
    QCOMPARE(results.totalBooked, 720.0);
    QCOMPARE(results.amountToBook, 170.0);
    QCOMPARE(results.vatToBook, 26.4);
    QCOMPARE(results.table.bytes().mid(2 * 80 + 4 * 16, 16),
             testfiles::shortString(QStringLiteral("      170.00"), 15));

    // The files now sit in the memory shared with the settlement window.
    QCOMPARE(m_ws->state.mileageRecord.bytes(), exampleMileage());
    QCOMPARE(m_ws->state.costRecord.bytes(), exampleCosts());

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
    // What happens on disk and in the settlement window afterwards does not reach the choice:
    // the files change, another year is chosen and its records read into the shared memory.
    QVERIFY(QFile::remove(file(".prz")));
    QVERIFY(testfiles::writeBytes(file(".eks"), QByteArray(73232, '\0')));
    m_ws->setYear(QStringLiteral("2008"), QStringLiteral("007_2008"));
    m_ws->state.mileageRecord = Record(mileage::kSize);
    m_ws->state.costRecord = Record(cost::kSize);

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
    QTest::addColumn<int>("length"); // -1: the file is missing
    QTest::addColumn<QString>("message");
    QTest::newRow("mileage file missing") << QByteArray(".prz") << -1 << "File not found";
    QTest::newRow("mileage file one byte short")
        << QByteArray(".prz") << 412 << "Read beyond end of file";
    QTest::newRow("cost file missing") << QByteArray(".eks") << -1 << "File not found";
    QTest::newRow("cost file one byte short")
        << QByteArray(".eks") << 73231 << "Read beyond end of file";
    QTest::newRow("numerator file one byte short")
        << QByteArray(".num") << 14 << "Read beyond end of file";
}

void TestWyliczenie::unreadableYearFileKeepsTheWindowClosed()
{
    QFETCH(QByteArray, extension);
    QFETCH(int, length);
    QFETCH(QString, message);

    const QString path = file(extension.constData());
    if (length < 0)
        QVERIFY(QFile::remove(path));
    else
        QVERIFY(testfiles::writeBytes(path, QByteArray(length, 'x')));
    // What the settlement window holds must survive a file that cannot be read whole.
    m_ws->state.mileageRecord.setText(mileage::cell(mileage::kAmount, 1), QStringLiteral("held"));
    m_ws->state.costRecord.setText(cost::entry(1, cost::kNet, 1), QStringLiteral("held"));
    const Record heldMileage = m_ws->state.mileageRecord;
    const Record heldCosts = m_ws->state.costRecord;

    create();
    QVERIFY(!m_window->prepareAndOpen());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{message});
    if (extension == ".prz")
        QCOMPARE(m_ws->state.mileageRecord.bytes(), heldMileage.bytes());
    if (extension == ".prz" || extension == ".eks")
        QCOMPARE(m_ws->state.costRecord.bytes(), heldCosts.bytes());
    QCOMPARE(m_ws->state.results.month, 0);
}

void TestWyliczenie::printOpensThePanelOnTheLatestCalculation()
{
    create();
    QVERIFY(m_window->prepareAndOpen());
    // Without a panel the button does nothing.
    child<QPushButton>("SpeedButton3")->click();

    FakePrintPanel panel(m_ws->state);
    m_windows.add(ui::WindowId::PrintPanel, &panel);
    // Another client opened meanwhile leaves the settlement window's memory on its records.
    const Record owner = m_ws->state.ownerRecord;
    m_ws->state.ownerRecord = Record(owner::kSize);
    m_ws->state.ownerRecord.setText(owner::nazwa1, QStringLiteral("Anna Nowak"));
    m_ws->setYear(QStringLiteral("2008"), QStringLiteral("008_2008"));
    m_ws->state.costRecord = Record(cost::kSize);
    child<QComboBox>("listam")->setCurrentIndex(0);
    m_window->listamClick();
    child<QPushButton>("SpeedButton3")->click();
    QCOMPARE(panel.setUps, 1);
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.month, 1);
    QCOMPARE(panel.title, QStringLiteral("Rozliczenie miesiąca Styczeń 2007"));
    QCOMPARE(panel.stem, QStringLiteral("007_2007"));
    QCOMPARE(panel.ownerRecord.bytes(), owner.bytes());
    QCOMPARE(panel.costRecord.bytes(), exampleCosts());
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
    // The advice comes from the window's copy, not from what the settlement window holds now.
    m_ws->state.mileageRecord = Record(mileage::kSize);
    m_ws->state.costRecord = Record(cost::kSize);
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
    const QByteArray expected =
        settlement::EksportujCsv(m_ws->state.ownerRecord, QStringLiteral("2007"),
                                 recordOf(exampleMileage()), recordOf(exampleCosts()));
    // Another client and year in the settlement window and new files on disk change nothing.
    m_ws->state.ownerRecord = Record(owner::kSize);
    m_ws->setYear(QStringLiteral("2008"), QStringLiteral("008_2008"));
    m_ws->state.mileageRecord = Record(mileage::kSize);
    m_ws->state.costRecord = Record(cost::kSize);
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
