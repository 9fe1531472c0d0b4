#include "clientrecords.h"
#include "fakeseams.h"
#include "gridtyping.h"
#include "przebieg.h"
#include "recordoffsets.h"
#include "statusnote.h"
#include "testfiles.h"
#include "workspace.h"
#include "yearwindows.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace storage;

namespace {

using namespace recordoffsets::mileage;

} // namespace

class TestPrzebieg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newYearOpensEmptyInManualMode();
    void storedTextsAreShownUnchanged();
    void automaticAmount_data();
    void automaticAmount();
    void manualModeKeepsTypedAmounts();
    void tickCommaRules_data();
    void tickCommaRules();
    void keyFilterActsInTheCellEditor();
    void yearOfKilometresTypedWithEnter();
    void automatFollowsTheCheckedButton_data();
    void automatFollowsTheCheckedButton();
    void sumsCountTheCellsAsTheyStand();
    void powrotWritesTheRecord();
    void powrotStoredForms_data();
    void powrotStoredForms();
    void yearTotalIsCutTo15();
    void yearTotalNeedsNoTick();
    void flagAboveOneReadsAsAutomatic();
    void savesIntoTheYearItWasOpenedWith();
    void helpPanel();
    void timerRunsUntilPowrot();
    void settlementButtonBringsTheOpenWindowBack();
    void deleteClearsTheTypedCellsAndCtrlZUndoes_data();
    void deleteClearsTheTypedCellsAndCtrlZUndoes();
    void escapeAndCloseRequestSaveAsPowrot_data();
    void escapeAndCloseRequestSaveAsPowrot();

private:
    // The window is handed the client's year, read from the files as they are now.
    settlement::YearHandOver yearOf(const QString &year) const;
    void hand(const QString &year = QStringLiteral("2007")) { m_window->setYear(yearOf(year)); }
    bool start();
    QTableWidget *grid() const { return child<QTableWidget>("przebieg"); }
    // month 1..12, column 1 kilometres, 2 rate, 3 amount
    QTableWidgetItem *cell(int month, int column) const
    {
        return grid()->item(month - 1, column - 1);
    }
    void type(int month, int column, const QString &text) { cell(month, column)->setText(text); }
    QString file() const { return m_ws->path(QStringLiteral("DANE/007_2007.prz")); }
    QByteArray stored() const { return testfiles::readBytes(file()); }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    QLineEdit *openEditor() const;
    void typeKeys(const QString &keys);
    void press(Qt::Key key);
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<Tprzebieg_f> m_window;
};

void TestPrzebieg::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_window = std::make_unique<Tprzebieg_f>(m_ws->seams.seams);
}

settlement::YearHandOver TestPrzebieg::yearOf(const QString &year) const
{
    return {std::make_shared<settlement::ClientYear>(m_ws->path(), QStringLiteral("007"), year),
            {QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5"),
             QStringLiteral("Fiat 126p WA 12345")}};
}

void TestPrzebieg::cleanup()
{
    m_window.reset();
    m_ws.reset();
}

// Runs the set-up; the test drives the timer ticks itself.
bool TestPrzebieg::start()
{
    if (!m_window->year())
        hand();
    const bool opened = m_window->FormCreate();
    child<QTimer>("Timer1")->stop();
    return opened;
}

QLineEdit *TestPrzebieg::openEditor() const
{
    return gridtyping::openEditor(grid());
}

void TestPrzebieg::newYearOpensEmptyInManualMode()
{
    QVERIFY(start());
    QCOMPARE(stored(), QByteArray(413, '\0'));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Rok obliczeniowy 2007"));
    QCOMPARE(text("Label7"), QStringLiteral("Jan Kowalski"));
    QCOMPARE(text("Label8"), QStringLiteral("ul. Żytnia 5"));
    QCOMPARE(text("Label3"), QStringLiteral("Fiat 126p WA 12345"));
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);

    QCOMPARE(grid()->rowCount(), 12);
    QCOMPARE(grid()->columnCount(), 3);
    QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Kilometry"));
    QCOMPARE(grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Przelicznik"));
    QCOMPARE(grid()->horizontalHeaderItem(2)->text(), QStringLiteral("Kwota"));
    QCOMPARE(grid()->verticalHeaderItem(0)->text(), QStringLiteral("Styczeń"));
    QCOMPARE(grid()->verticalHeaderItem(11)->text(), QStringLiteral("Grudzień"));
    QVERIFY(grid()->tabKeyNavigation());
    for (int month = 1; month <= 12; ++month) {
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(cell(month, column)->text(), QString());
    }
    QVERIFY(child<QRadioButton>("p2")->isChecked());
    QVERIFY(!child<QRadioButton>("p1")->isChecked());
    QCOMPARE(text("Label4"), QStringLiteral("0.00"));
    QCOMPARE(text("Label5"), QStringLiteral("0.00"));

    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. ręczne"));
    QCOMPARE(text("Panel2"), QStringLiteral("12:30:45"));
    QCOMPARE(text("Label4"), QStringLiteral("      0.00"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestPrzebieg::storedTextsAreShownUnchanged()
{
    QByteArray bytes(413, '\0');
    bytes.replace(cellOffset(1, 3), 11, testfiles::shortString(QStringLiteral("1520"), 10));
    bytes.replace(cellOffset(2, 3), 11, testfiles::shortString(QStringLiteral("0,8358"), 10));
    bytes.replace(cellOffset(3, 12), 11, testfiles::shortString(QStringLiteral("  99.00"), 10));
    bytes[kFlagOffset] = 1;
    QVERIFY(testfiles::writeBytes(file(), bytes));
    QVERIFY(start());
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("1520"));
    QCOMPARE(cell(3, 2)->text(), QStringLiteral("0,8358"));
    QCOMPARE(cell(12, 3)->text(), QStringLiteral("  99.00"));
    QVERIFY(child<QRadioButton>("p1")->isChecked());
    QVERIFY(!child<QRadioButton>("p2")->isChecked());
    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. automatyczne"));
}

void TestPrzebieg::automaticAmount_data()
{
    QTest::addColumn<QString>("kilometres");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("amount");
    QTest::newRow("1520 km at 0.8358") << "1520"
                                       << "0.8358"
                                       << "  1270.42";
    QTest::newRow("half a cent rounds up") << "1"
                                           << "0.125"
                                           << "     0.13";
    QTest::newRow("decimal kilometres") << "152.5"
                                        << "2"
                                        << "   305.00";
    QTest::newRow("comma rate fixed first") << "100"
                                            << "0,8358"
                                            << "    83.58";
    QTest::newRow("no rate") << "1520"
                             << ""
                             << "";
    QTest::newRow("no kilometres") << ""
                                   << "0.8358"
                                   << "";
    QTest::newRow("malformed counts its prefix") << "10.5.7"
                                                 << "2"
                                                 << "    21.00";
}

void TestPrzebieg::automaticAmount()
{
    QFETCH(QString, kilometres);
    QFETCH(QString, rate);
    QFETCH(QString, amount);
    QVERIFY(start());
    m_window->p1Click();
    type(5, 1, kilometres);
    type(5, 2, rate);
    type(5, 3, QStringLiteral("999"));
    m_window->Timer1Timer();
    QCOMPARE(cell(5, 3)->text(), amount);
    QCOMPARE(text("Label6"), QStringLiteral("Ob. automatyczne"));
}

void TestPrzebieg::manualModeKeepsTypedAmounts()
{
    QVERIFY(start());
    child<QRadioButton>("p1")->click();
    type(1, 1, QStringLiteral("1520"));
    type(1, 2, QStringLiteral("0.8358"));
    m_window->Timer1Timer();
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("  1270.42"));

    child<QRadioButton>("p2")->click();
    QVERIFY(child<QRadioButton>("p2")->isChecked());
    QVERIFY(!child<QRadioButton>("p1")->isChecked());
    type(1, 1, QStringLiteral("2000"));
    type(2, 3, QStringLiteral("50"));
    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. ręczne"));
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("  1270.42"));
    QCOMPARE(cell(2, 3)->text(), QStringLiteral("50"));

    m_window->SpeedButton3Click();
    QCOMPARE(quint8(stored().at(kFlagOffset)), quint8(0));
}

void TestPrzebieg::tickCommaRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("km comma before two digits") << 1 << "12,50"
                                                << "12.50";
    QTest::newRow("km comma before one digit") << 1 << "12,5"
                                               << "12,5";
    QTest::newRow("km too short") << 1 << ",50"
                                  << ",50";
    QTest::newRow("km comma elsewhere") << 1 << "1,500"
                                        << "1,500";
    QTest::newRow("rate comma before four digits") << 2 << "0,8358"
                                                   << "0.8358";
    QTest::newRow("rate text of five") << 2 << ",8358"
                                       << ".8358";
    QTest::newRow("rate comma before three digits") << 2 << "0,835"
                                                    << "0,835";
    QTest::newRow("amount is left alone") << 3 << "12,50"
                                          << "12,50";
}

void TestPrzebieg::tickCommaRules()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QVERIFY(start());
    type(7, column, typed);
    m_window->Timer1Timer();
    QCOMPARE(cell(7, column)->text(), shown);
}

void TestPrzebieg::keyFilterActsInTheCellEditor()
{
    QVERIFY(start());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    grid()->setCurrentCell(0, 0);
    grid()->editItem(cell(1, 1));
    QLineEdit *editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1a5,2x5 -"));
    QCOMPARE(editor->text(), QStringLiteral("15.25"));
    // The cell follows the editor while it is still open.
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("15.25"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("15.2"));

    // Tab moves to the next cell and edits it.
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(grid()->currentRow(), 0);
    QCOMPARE(grid()->currentColumn(), 1);
    editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("0,8358"));
    QCOMPARE(cell(1, 2)->text(), QStringLiteral("0.8358"));

    m_window->p1Click();
    m_window->Timer1Timer();
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("    12.70"));

    // A key typed on a cell that is not being edited opens the editor through the same filter.
    QTest::keyClick(editor, Qt::Key_Escape);
    grid()->setCurrentCell(3, 0);
    QTest::keyClick(grid(), Qt::Key_Comma, Qt::NoModifier);
    editor = openEditor();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("."));
}

// Keys go where a user's keys would: into the open cell editor, else to the grid.
void TestPrzebieg::typeKeys(const QString &keys)
{
    gridtyping::typeKeys(grid(), keys);
}

void TestPrzebieg::press(Qt::Key key)
{
    gridtyping::press(grid(), key);
}

void TestPrzebieg::yearOfKilometresTypedWithEnter()
{
    QVERIFY(start());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_window->focusWidget(), grid());
    QCOMPARE(grid()->currentRow(), 0);
    QCOMPARE(grid()->currentColumn(), 0);

    for (int month = 1; month <= 12; ++month) {
        typeKeys(QString::number(month * 10));
        press(Qt::Key_Return);
        QVERIFY(!openEditor());
        QCOMPARE(grid()->currentRow(), std::min(month, 11));
        QCOMPARE(grid()->currentColumn(), 0);
    }
    for (int month = 1; month <= 12; ++month)
        QCOMPARE(cell(month, 1)->text(), QString::number(month * 10));

    // The rate of December, then Escape leaves its editor with the text in the cell.
    press(Qt::Key_Right);
    typeKeys(QStringLiteral("0,5"));
    press(Qt::Key_Escape);
    QVERIFY(!openEditor());
    QCOMPARE(cell(12, 2)->text(), QStringLiteral("0.5"));

    m_window->p1Click();
    m_window->Timer1Timer();
    QCOMPARE(text("Label4"), QStringLiteral("    780.00"));
    QCOMPARE(cell(12, 3)->text(), QStringLiteral("    60.00"));
}

void TestPrzebieg::automatFollowsTheCheckedButton_data()
{
    QTest::addColumn<bool>("byAction");
    QTest::newRow("click") << false;
    QTest::newRow("toggle action") << true;
}

// "Tak" and "Nie" act the same whether clicked or toggled through their accessibility action,
// and "Powrót" saves the mode they show.
void TestPrzebieg::automatFollowsTheCheckedButton()
{
    QFETCH(bool, byAction);
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    const auto activate = [byAction](QRadioButton *button) {
        if (!byAction) {
            button->click();
            return;
        }
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(button);
        QVERIFY(read && read->actionInterface());
        read->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    type(1, 1, QStringLiteral("100"));
    type(1, 2, QStringLiteral("0.5"));

    activate(child<QRadioButton>("p1"));
    QVERIFY(child<QRadioButton>("p1")->isChecked());
    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. automatyczne"));
    QCOMPARE(cell(1, 3)->text(), QStringLiteral("    50.00"));
    m_window->SpeedButton3Click();
    QCOMPARE(stored().at(kFlagOffset), '\x01');

    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    activate(child<QRadioButton>("p2"));
    QVERIFY(child<QRadioButton>("p2")->isChecked());
    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. ręczne"));
    m_window->SpeedButton3Click();
    QCOMPARE(stored().at(kFlagOffset), '\x00');
}

void TestPrzebieg::sumsCountTheCellsAsTheyStand()
{
    QVERIFY(start());
    type(1, 1, QStringLiteral("100"));
    type(2, 1, QStringLiteral("200.5"));
    // Amounts typed by hand count unrounded in the sum, while each cell is saved rounded.
    type(1, 3, QStringLiteral("10.125"));
    type(2, 3, QStringLiteral("10.125"));
    m_window->Timer1Timer();
    QCOMPARE(text("Label4"), QStringLiteral("    300.50"));
    QCOMPARE(text("Label5"), QStringLiteral("     20.25"));

    m_window->SpeedButton3Click();
    const QByteArray bytes = stored();
    QCOMPARE(bytes.mid(cellOffset(3, 1), 11), testfiles::shortString("    10.13", 10));
    QCOMPARE(bytes.mid(kYearTotalOffset, 16),
             testfiles::shortString(QStringLiteral("     20.25"), 15));
}

void TestPrzebieg::powrotWritesTheRecord()
{
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    m_window->p1Click();
    type(3, 1, QStringLiteral("1520"));
    type(3, 2, QStringLiteral("0.8358"));
    type(4, 1, QStringLiteral("152.5"));
    m_window->Timer1Timer();
    QCOMPARE(text("Label5"), QStringLiteral("   1270.42"));
    child<QPushButton>("SpeedButton3")->click();

    QByteArray expected(413, '\0');
    expected.replace(cellOffset(1, 3), 11, testfiles::shortString(QStringLiteral("  1520.00"), 10));
    expected.replace(cellOffset(2, 3), 11, testfiles::shortString(QStringLiteral("   0.8358"), 10));
    expected.replace(cellOffset(3, 3), 11, testfiles::shortString(QStringLiteral("  1270.42"), 10));
    expected.replace(cellOffset(1, 4), 11, testfiles::shortString(QStringLiteral("   152.50"), 10));
    expected.replace(kYearTotalOffset, 16,
                     testfiles::shortString(QStringLiteral("   1270.42"), 15));
    expected[kFlagOffset] = 1;
    QCOMPARE(stored(), expected);
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("  1520.00"));
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->isEnabled());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestPrzebieg::powrotStoredForms_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("kilometres") << 1 << "100" << testfiles::shortString("   100.00", 10);
    QTest::newRow("rate rounded to 4") << 2 << "0.83576" << testfiles::shortString("   0.8358", 10);
    QTest::newRow("amount rounded to 2")
        << 3 << "1270.416" << testfiles::shortString("  1270.42", 10);
    QTest::newRow("zero is empty") << 1 << "0" << testfiles::shortString("", 10);
    QTest::newRow("negative is empty") << 3 << "-5" << testfiles::shortString("", 10);
    QTest::newRow("empty stays empty") << 2 << "" << testfiles::shortString("", 10);
    QTest::newRow("cut to 10") << 3 << "12345678.9" << testfiles::shortString("12345678.9", 10);
    QTest::newRow("malformed") << 1 << "1.5.3" << testfiles::shortString("     1.50", 10);
}

void TestPrzebieg::powrotStoredForms()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QVERIFY(start());
    type(9, column, typed);
    m_window->SpeedButton3Click();
    QCOMPARE(this->stored().mid(cellOffset(column, 9), 11), stored);
}

void TestPrzebieg::yearTotalIsCutTo15()
{
    QVERIFY(start());
    type(1, 3, QStringLiteral("1000000000000"));
    m_window->Timer1Timer();
    QCOMPARE(text("Label5"), QStringLiteral("1000000000000.00"));
    m_window->SpeedButton3Click();
    QCOMPARE(stored().mid(kYearTotalOffset, 16), testfiles::shortString("1000000000000.0", 15));
    QCOMPARE(stored().mid(cellOffset(3, 1), 11), testfiles::shortString("1000000000", 10));
}

void TestPrzebieg::yearTotalNeedsNoTick()
{
    QVERIFY(start());
    type(1, 3, QStringLiteral("12.5"));
    type(2, 3, QStringLiteral("0.006"));
    m_window->SpeedButton3Click();
    QCOMPARE(text("Label5"), QStringLiteral("0.00")); // no tick has run
    QCOMPARE(stored().mid(kYearTotalOffset, 16), testfiles::shortString("     12.51", 15));
}

void TestPrzebieg::flagAboveOneReadsAsAutomatic()
{
    QByteArray bytes(413, '\0');
    bytes[kFlagOffset] = char(7);
    QVERIFY(testfiles::writeBytes(file(), bytes));
    QVERIFY(start());
    QVERIFY(child<QRadioButton>("p1")->isChecked());
    QVERIFY(!child<QRadioButton>("p2")->isChecked());
    QCOMPARE(stored(), bytes); // reading alone does not rewrite the file
    m_window->Timer1Timer();
    QCOMPARE(text("Label6"), QStringLiteral("Ob. automatyczne"));
    m_window->SpeedButton3Click();
    QCOMPARE(stored().at(kFlagOffset), '\1');
}

void TestPrzebieg::savesIntoTheYearItWasOpenedWith()
{
    QVERIFY(start());
    // The settlement window chooses another year while this window is open.
    const settlement::YearHandOver next = yearOf(QStringLiteral("2008"));
    type(1, 1, QStringLiteral("10"));
    m_window->SpeedButton3Click();
    QCOMPARE(m_window->yearStem(), QStringLiteral("007_2007"));
    QCOMPARE(stored().mid(cellOffset(1, 1), 11), testfiles::shortString("    10.00", 10));
    QCOMPARE(testfiles::readBytes(m_ws->path(QStringLiteral("DANE/007_2008.prz"))),
             QByteArray(413, '\0'));

    // The next opening takes the new year.
    m_window->setYear(next);
    QVERIFY(start());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Rok obliczeniowy 2008"));
    QCOMPARE(cell(1, 1)->text(), QString());
}

void TestPrzebieg::helpPanel()
{
    QVERIFY(start());
    auto *memo = child<QPlainTextEdit>("Memo1");
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 18);
    QCOMPARE(
        lines.first(),
        QStringLiteral("Przebieg pojazdu obliczany jest jako iloczyn kilometrów i ustalonego "));
    QCOMPARE(lines.at(8),
             QStringLiteral("obliczyć \"ręcznie\" i wpisać ją do odopowiedniego pola."));
    QCOMPARE(lines.last(), QStringLiteral("formatki przyciskiem \"Koniec\"."));

    QWidget *panel = child<QWidget>("Panel1");
    QVERIFY(panel->isHidden());
    m_window->SpeedButton2Click();
    QVERIFY(!panel->isHidden());
    m_window->SpeedButton1Click();
    QVERIFY(panel->isHidden());

    // Escape leaves the open panel first, then the window.
    m_window->open();
    m_window->SpeedButton2Click();
    QTest::keyClick(grid(), Qt::Key_Escape);
    QVERIFY(panel->isHidden());
    QVERIFY(m_window->isVisible());
    QTest::keyClick(grid(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

void TestPrzebieg::timerRunsUntilPowrot()
{
    hand();
    QVERIFY(m_window->prepareAndOpen());
    auto *timer = child<QTimer>("Timer1");
    QVERIFY(timer->isActive());

    // Hidden by the window manager, as a minimise does, and shown again.
    QHideEvent hidden;
    QCoreApplication::sendEvent(m_window.get(), &hidden);
    QVERIFY(timer->isActive());
    m_window->hide();
    m_window->show();
    QVERIFY(timer->isActive());
    m_window->showMinimized();
    QVERIFY(timer->isActive());
    m_window->showNormal();
    QVERIFY(timer->isActive());

    child<QPushButton>("SpeedButton3")->click();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!timer->isActive());
}

void TestPrzebieg::settlementButtonBringsTheOpenWindowBack()
{
    settlement::YearWindowTable windows;
    windows.add(ui::WindowId::Mileage, m_window.get());
    const settlement::YearHandOver year2007 = yearOf(QStringLiteral("2007"));
    QVERIFY(windows.open(ui::WindowId::Mileage, year2007));
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->holdsUnsavedEntries());
    type(2, 1, QStringLiteral("123"));
    QVERIFY(m_window->holdsUnsavedEntries());
    m_window->showMinimized();
    QVERIFY(m_window->isMinimized());

    // The same year again: the open window is restored with what was typed, nothing saved.
    QVERIFY(windows.open(ui::WindowId::Mileage, year2007));
    QVERIFY(!m_window->isMinimized());
    QVERIFY(m_window->isVisible());
    QCOMPARE(cell(2, 1)->text(), QStringLiteral("123"));
    QCOMPARE(stored(), QByteArray(413, '\0'));

    // Another year chosen meanwhile: what was typed goes into its own year, and the window is
    // set up on the year chosen now.
    QVERIFY(windows.open(ui::WindowId::Mileage, yearOf(QStringLiteral("2008"))));
    QVERIFY(m_window->isVisible());
    QCOMPARE(stored().mid(cellOffset(1, 2), 11), testfiles::shortString("   123.00", 10));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Rok obliczeniowy 2008"));
    QCOMPARE(cell(2, 1)->text(), QString());
    QVERIFY(!m_window->holdsUnsavedEntries());

    // A window without unsaved entries is set up afresh: it shows the year's record as it stands.
    Record changed(mileage::kSize);
    changed.setText(mileage::cell(mileage::kKilometres, 3), QStringLiteral("     7.00"));
    m_window->year()->saveMileage(changed);
    QVERIFY(windows.open(ui::WindowId::Mileage, {m_window->year(), m_window->headers()}));
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("     7.00"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestPrzebieg::deleteClearsTheTypedCellsAndCtrlZUndoes_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::newRow("automatic amounts: the amount stays") << true;
    QTest::newRow("amounts by hand") << false;
}

void TestPrzebieg::deleteClearsTheTypedCellsAndCtrlZUndoes()
{
    QFETCH(bool, automatic);
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    if (automatic)
        child<QRadioButton>("p1")->click();
    type(3, 1, QStringLiteral("1520"));
    type(3, 2, QStringLiteral("0.8358"));
    type(3, 3, QStringLiteral("1270.42"));
    grid()->setCurrentCell(2, 0);
    QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(cell(3, 1)->text(), QString());
    QCOMPARE(cell(3, 2)->text(), QString());
    QCOMPARE(cell(3, 3)->text(), automatic ? QStringLiteral("1270.42") : QString());
    QVERIFY(!openEditor());

    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("1520"));
    QCOMPARE(cell(3, 2)->text(), QStringLiteral("0.8358"));
    QCOMPARE(cell(3, 3)->text(), QStringLiteral("1270.42"));
}

void TestPrzebieg::escapeAndCloseRequestSaveAsPowrot_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close request") << false;
}

void TestPrzebieg::escapeAndCloseRequestSaveAsPowrot()
{
    QFETCH(bool, escape);
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    type(4, 1, QStringLiteral("152.5"));
    ui::StatusNote::post(QString());
    if (escape)
        QTest::keyClick(grid(), Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(stored().mid(cellOffset(1, 4), 11),
             testfiles::shortString(QStringLiteral("   152.50"), 10));
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Zapisano przebieg roku 2007."));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

QTEST_MAIN(TestPrzebieg)
#include "tst_przebieg.moc"
