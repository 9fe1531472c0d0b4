#include "clientrecords.h"
#include "eksploatacja.h"
#include "fakeseams.h"
#include "fileerrorassert.h"
#include "gridtyping.h"
#include "paths.h"
#include "recordoffsets.h"
#include "statusnote.h"
#include "testfiles.h"
#include "textcodec.h"
#include "workspace.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace seams;
using namespace storage;

namespace {

using namespace recordoffsets::costs;

} // namespace

class TestEksploatacja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newYearOpensOnTheCurrentMonth();
    void vatModes_data();
    void vatModes();
    void vatWithoutNetIsEmptied();
    void tickFixesTheCommaOfTheCurrentNet();
    void sumsOfTheMonth();
    void keyFilterActsInTheAmountEditors();
    void enterNormalisesEveryRow();
    void monthOfInvoicesTypedWithEnterAndTab();
    void vatModeFollowsTheCheckedButton_data();
    void vatModeFollowsTheCheckedButton();
    void monthChangeWritesTheMonthShown();
    void loadingNormalisesToTwoDecimals();
    void powrotWritesTheYear();
    void vatSettingComesBackCut();
    void modeByteOutsideReadsAsTheNearest_data();
    void modeByteOutsideReadsAsTheNearest();
    void phraseListIsSortedAndFillsOnlyAnEmptyCell();
    void missingPhraseFileShowsNothing();
    void editorStartsOnThePhraseFile();
    void dateButtonFillsOnlyAnEmptyCell();
    void savesIntoTheYearItWasOpenedWith();
    void shortFileIsRefused_data();
    void shortFileIsRefused();
    void costFileRemovedMeanwhileIsReported();
    void helpPanel();
    void utf8PhraseIsStoredInWindows1250();
    void timerRunsUntilPowrot();
    void focusFollowsTheWork();
    void escapeAndCloseRequestLeaveAsPowrot_data();
    void escapeAndCloseRequestLeaveAsPowrot();
    void windowWhoseSaveFailsStaysOpen();
    void escapeInACellEditorOrTheListStays();
    void deleteClearsAndCtrlZUndoes();
    void ctrlDeleteRemovesTheRowAfterAQuestion_data();
    void ctrlDeleteRemovesTheRowAfterAQuestion();
    void datesAreMarkedNeverBlocking_data();
    void datesAreMarkedNeverBlocking();
    void textIsShownWhole();

private:
    // The window is handed the client's year, read from the files as they are now.
    settlement::YearHandOver yearOf(const QString &year) const;
    void hand(const QString &year = QStringLiteral("2007")) { m_window->setYear(yearOf(year)); }
    bool start();
    QTableWidget *grid() const { return child<QTableWidget>("eksp"); }
    // row 1..20, column 0..4
    QTableWidgetItem *cell(int row, int column) const { return grid()->item(row - 1, column); }
    void type(int row, int column, const QString &text) { cell(row, column)->setText(text); }
    void chooseMonth(int month);
    QString file(const QString &name) const { return m_ws->path(QStringLiteral("DANE/") + name); }
    QByteArray costs() const { return testfiles::readBytes(file(QStringLiteral("007_2007.eks"))); }
    QString text(const char *label) const { return child<QLabel>(label)->text(); }
    QLineEdit *openEditor() const;
    void typeKeys(const QString &keys);
    void press(Qt::Key key);
    // Shows the window as "Eksploatacja" opens it, the timer left to the test.
    void openShown();
    void undoKey()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    }
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<Teksploatacja_f> m_window;
};

void TestEksploatacja::init()
{
    m_ws = std::make_unique<Workspace>(); // today is 15 March 2007
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_window = std::make_unique<Teksploatacja_f>(m_ws->path(), m_ws->seams.seams);
}

settlement::YearHandOver TestEksploatacja::yearOf(const QString &year) const
{
    return {std::make_shared<settlement::ClientYear>(m_ws->path(), QStringLiteral("007"), year),
            {QStringLiteral("Jan Kowalski"), QStringLiteral("ul. Żytnia 5"),
             QStringLiteral("Fiat 126p WA 12345")}};
}

void TestEksploatacja::cleanup()
{
    m_window.reset();
    m_ws.reset();
}

// Runs the set-up; the test drives the timer ticks itself.
bool TestEksploatacja::start()
{
    if (!m_window->year())
        hand();
    const bool opened = m_window->FormCreate();
    child<QTimer>("Timer1")->stop();
    return opened;
}

void TestEksploatacja::chooseMonth(int month)
{
    auto *months = child<QComboBox>("lista");
    months->setCurrentIndex(month - 1);
    Q_EMIT months->activated(month - 1);
}

QLineEdit *TestEksploatacja::openEditor() const
{
    return gridtyping::openEditor(grid());
}

void TestEksploatacja::newYearOpensOnTheCurrentMonth()
{
    QCOMPARE(text("Label5"), QStringLiteral("Brak wybranego miesiąca"));
    QVERIFY(start());
    QCOMPARE(costs(), QByteArray(73232, '\0'));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("007_2007.vat"))), QByteArray("\x01"
                                                                                    "0\0\0\x01",
                                                                                    5));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Rok obliczeniowy 2007"));
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(text("Label6"), QStringLiteral("Jan Kowalski"));
    QCOMPARE(text("Label7"), QStringLiteral("ul. Żytnia 5"));
    QCOMPARE(text("Label8"), QStringLiteral("Fiat 126p WA 12345"));

    auto *months = child<QComboBox>("lista");
    QCOMPARE(months->count(), 12);
    QCOMPARE(months->itemText(0), QStringLiteral("Styczeń"));
    QCOMPARE(months->currentText(), QStringLiteral("Marzec"));
    QCOMPARE(m_window->shownMonth(), 3);
    QCOMPARE(text("Label5"), QStringLiteral("Marzec"));

    QCOMPARE(grid()->rowCount(), 20);
    QCOMPARE(grid()->columnCount(), 5);
    const QStringList captions{"Data", "Rodzaj wydatku", "Nr dokumentu", "Kwota", "Vat [zł]"};
    // The column widths, widened only where the font needs it.
    const QList<int> widths{75, 322, 89, 61, 59};
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(grid()->horizontalHeaderItem(column)->text(), captions.at(column));
        QVERIFY(grid()->columnWidth(column) >= widths.at(column));
    }
    QCOMPARE(grid()->columnWidth(1), 322);
    QVERIFY(grid()->verticalHeader()->isHidden());
    QVERIFY(grid()->tabKeyNavigation());
    for (int row = 1; row <= 20; ++row) {
        for (int column = 0; column < 5; ++column)
            QCOMPARE(cell(row, column)->text(), QString());
    }
    QVERIFY(child<QRadioButton>("v1")->isChecked());
    QCOMPARE(child<QLineEdit>("innyvat")->text(), QStringLiteral("0"));
    QVERIFY(child<QListWidget>("listaTr")->isHidden());
    QCOMPARE(text("Label3"), QStringLiteral("0.00"));

    m_window->Timer1Timer();
    QCOMPARE(text("Panel1"), QStringLiteral("12:30:45"));
    QCOMPARE(text("Label3"), QStringLiteral("    0.00"));
    QCOMPARE(text("Label4"), QStringLiteral("    0.00"));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::vatModes_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("otherRate");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("vat");
    QTest::newRow("22 %") << "v2"
                          << "0"
                          << "100"
                          << "   22.00";
    QTest::newRow("7 %") << "v3"
                         << "0"
                         << "100"
                         << "    7.00";
    QTest::newRow("other 8 %") << "v4"
                               << "8"
                               << "100"
                               << "    8.00";
    QTest::newRow("other 12.5 %") << "v4"
                                  << "12.5"
                                  << "10"
                                  << "    1.25";
    QTest::newRow("other rate malformed") << "v4"
                                          << "x"
                                          << "100"
                                          << "    0.00";
    QTest::newRow("22 % rounds") << "v2"
                                 << "0"
                                 << "10.05"
                                 << "    2.21";
    QTest::newRow("no VAT keeps the hand value") << "v1"
                                                 << "0"
                                                 << "100"
                                                 << "5";
}

void TestEksploatacja::vatModes()
{
    QFETCH(QString, mode);
    QFETCH(QString, otherRate);
    QFETCH(QString, net);
    QFETCH(QString, vat);
    QVERIFY(start());
    child<QRadioButton>(mode.toLatin1().constData())->click();
    child<QLineEdit>("innyvat")->setText(otherRate);
    // Row 2 holds the cursor; row 5 is not visited and keeps what was typed.
    grid()->setCurrentCell(1, kNet);
    type(2, kNet, net);
    type(2, kVat, QStringLiteral("5"));
    type(5, kNet, QStringLiteral("100"));
    type(5, kVat, QStringLiteral("5"));
    m_window->Timer1Timer();
    QCOMPARE(cell(2, kVat)->text(), vat);
    QCOMPARE(cell(5, kVat)->text(), QStringLiteral("5"));
}

void TestEksploatacja::vatWithoutNetIsEmptied()
{
    QVERIFY(start());
    child<QRadioButton>("v2")->click();
    grid()->setCurrentCell(0, 0);
    type(7, kVat, QStringLiteral("3"));
    type(8, kNet, QStringLiteral("10"));
    type(8, kVat, QStringLiteral("4"));
    m_window->Timer1Timer();
    QCOMPARE(cell(7, kVat)->text(), QString());
    QCOMPARE(cell(8, kVat)->text(), QStringLiteral("4"));
    // The current row, without a net amount, computes nothing and loses its VAT as well.
    type(1, kVat, QStringLiteral("9"));
    m_window->Timer1Timer();
    QCOMPARE(cell(1, kVat)->text(), QString());
}

void TestEksploatacja::tickFixesTheCommaOfTheCurrentNet()
{
    QVERIFY(start());
    child<QRadioButton>("v2")->click();
    grid()->setCurrentCell(2, kNet);
    type(3, kNet, QStringLiteral("12,50"));
    type(4, kNet, QStringLiteral("12,50"));
    m_window->Timer1Timer();
    QCOMPARE(cell(3, kNet)->text(), QStringLiteral("12.50"));
    QCOMPARE(cell(3, kVat)->text(), QStringLiteral("    2.75"));
    QCOMPARE(cell(4, kNet)->text(), QStringLiteral("12,50"));

    type(3, kNet, QStringLiteral("1,5"));
    m_window->Timer1Timer();
    QCOMPARE(cell(3, kNet)->text(), QStringLiteral("1,5"));
}

void TestEksploatacja::sumsOfTheMonth()
{
    QVERIFY(start());
    type(1, kNet, QStringLiteral("100"));
    type(1, kVat, QStringLiteral("22"));
    type(2, kNet, QStringLiteral("0.5"));
    type(20, kNet, QStringLiteral("1000"));
    type(20, kVat, QStringLiteral("70.25"));
    m_window->Timer1Timer();
    QCOMPARE(text("Label3"), QStringLiteral(" 1100.50"));
    QCOMPARE(text("Label4"), QStringLiteral("   92.25"));
}

void TestEksploatacja::keyFilterActsInTheAmountEditors()
{
    QVERIFY(start());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    grid()->setCurrentCell(0, kNet);
    grid()->editItem(cell(1, kNet));
    QLineEdit *editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1a2,5 PLN"));
    QCOMPARE(cell(1, kNet)->text(), QStringLiteral("12.5"));

    // Tab goes on to the VAT cell, which filters the same way.
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(grid()->currentColumn(), kVat);
    editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("2,75%"));
    QCOMPARE(cell(1, kVat)->text(), QStringLiteral("2.75"));

    // The text columns take any character.
    QTest::keyClick(editor, Qt::Key_Escape);
    grid()->setCurrentCell(0, 1);
    grid()->editItem(cell(1, 1));
    editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("Olej, filtr 5W-40"));
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("Olej, filtr 5W-40"));
}

void TestEksploatacja::enterNormalisesEveryRow()
{
    QVERIFY(start());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    type(3, kNet, QStringLiteral("100.5"));
    type(3, kVat, QStringLiteral("0"));
    QTest::keyClick(grid(), Qt::Key_Return);
    QCOMPARE(cell(3, kNet)->text(), QStringLiteral("  100.50"));
    QCOMPARE(cell(3, kVat)->text(), QString());

    // Enter in an open editor commits the cell first.
    grid()->setCurrentCell(3, kNet);
    grid()->editItem(cell(4, kNet));
    QLineEdit *editor = openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell(4, kNet)->text(), QStringLiteral("    7.00"));
}

// Keys go where a user's keys would: into the open cell editor, else to the grid.
void TestEksploatacja::typeKeys(const QString &keys)
{
    gridtyping::typeKeys(grid(), keys);
}

void TestEksploatacja::press(Qt::Key key)
{
    gridtyping::press(grid(), key);
}

void TestEksploatacja::monthOfInvoicesTypedWithEnterAndTab()
{
    QVERIFY(start());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_window->focusWidget(), grid());
    QCOMPARE(grid()->currentRow(), 0);
    QCOMPARE(grid()->currentColumn(), 0);

    // The first invoice across with Tab, Enter at its net amount.
    typeKeys(QStringLiteral("15.03.2007"));
    press(Qt::Key_Tab);
    typeKeys(QStringLiteral("Paliwo"));
    press(Qt::Key_Tab);
    typeKeys(QStringLiteral("FV 1"));
    press(Qt::Key_Tab);
    typeKeys(QStringLiteral("100,5"));
    press(Qt::Key_Return);
    QVERIFY(!openEditor());
    QCOMPARE(grid()->currentRow(), 1);
    QCOMPARE(grid()->currentColumn(), kNet);
    // Enter normalised the rows before it moved on.
    QCOMPARE(cell(1, kNet)->text(), QStringLiteral("  100.50"));

    // The further net amounts down the column, each ended with Enter.
    for (const char *net : {"20", "3.25"}) {
        typeKeys(QString::fromLatin1(net));
        press(Qt::Key_Return);
    }
    QCOMPARE(grid()->currentRow(), 3);
    QCOMPARE(grid()->currentColumn(), kNet);
    // Escape leaves an editor with the typed text in the cell.
    typeKeys(QStringLiteral("7"));
    QVERIFY(openEditor());
    press(Qt::Key_Escape);
    QVERIFY(!openEditor());
    QCOMPARE(cell(4, kNet)->text(), QStringLiteral("7"));

    m_window->Timer1Timer();
    QCOMPARE(cell(1, 0)->text(), QStringLiteral("15.03.2007"));
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("Paliwo"));
    QCOMPARE(cell(1, 2)->text(), QStringLiteral("FV 1"));
    QCOMPARE(cell(2, kNet)->text(), QStringLiteral("   20.00"));
    QCOMPARE(cell(3, kNet)->text(), QStringLiteral("    3.25"));
    QCOMPARE(text("Label3"), QStringLiteral("  130.75"));

    // Enter on the last row stays there.
    grid()->setCurrentCell(19, kNet);
    press(Qt::Key_Return);
    QCOMPARE(grid()->currentRow(), 19);
}

void TestEksploatacja::vatModeFollowsTheCheckedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("byAction");
    QTest::addColumn<char>("mode");
    for (const bool byAction : {false, true}) {
        const char *way = byAction ? "toggle action" : "click";
        QTest::addRow("v1 %s", way) << "v1" << byAction << '\x01';
        QTest::addRow("v2 %s", way) << "v2" << byAction << '\x02';
        QTest::addRow("v3 %s", way) << "v3" << byAction << '\x03';
        QTest::addRow("v4 %s", way) << "v4" << byAction << '\x04';
    }
}

// A VAT mode chosen by the accessibility toggle action is saved by "Powrót" as a clicked one.
void TestEksploatacja::vatModeFollowsTheCheckedButton()
{
    QFETCH(QString, button);
    QFETCH(bool, byAction);
    QFETCH(char, mode);
    QVERIFY(start());
    child<QRadioButton>(button == QLatin1String("v2") ? "v3" : "v2")->click();
    auto *target = child<QRadioButton>(button.toLatin1().constData());
    if (byAction) {
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(target);
        QVERIFY(read && read->actionInterface());
        QVERIFY(read->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::toggleAction()));
        read->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        target->click();
    }
    QVERIFY(target->isChecked());
    child<QPushButton>("SpeedButton2")->click();
    const QByteArray vat = testfiles::readBytes(file(QStringLiteral("007_2007.vat")));
    QVERIFY(!vat.isEmpty());
    QCOMPARE(vat.back(), mode);
}

void TestEksploatacja::monthChangeWritesTheMonthShown()
{
    QVERIFY(start());
    type(2, 0, QStringLiteral("15.03.2007"));
    type(2, 1, QStringLiteral("Paliwo"));
    type(2, 2, QStringLiteral("FV 12/03"));
    type(2, kNet, QStringLiteral("100.5"));
    type(2, kVat, QStringLiteral("22.11"));
    chooseMonth(4);

    QCOMPARE(m_window->shownMonth(), 4);
    QCOMPARE(text("Label5"), QStringLiteral("Kwiecień"));
    QCOMPARE(cell(2, 1)->text(), QString());
    const QByteArray bytes = costs();
    QCOMPARE(bytes.size(), 73232);
    QCOMPARE(bytes.mid(entryOffset(3, 0, 2), 61), entry("15.03.2007"));
    QCOMPARE(bytes.mid(entryOffset(3, 1, 2), 61), entry("Paliwo"));
    QCOMPARE(bytes.mid(entryOffset(3, 2, 2), 61), entry("FV 12/03"));
    QCOMPARE(bytes.mid(entryOffset(3, kNet, 2), 61), entry("  100.50"));
    QCOMPARE(bytes.mid(entryOffset(3, kVat, 2), 61), entry("   22.11"));
    // The year totals are left as they were; only "Powrót" computes them.
    QCOMPARE(bytes.mid(kNetTotalOffset, 32), QByteArray(32, '\0'));

    chooseMonth(3);
    QCOMPARE(cell(2, 1)->text(), QStringLiteral("Paliwo"));
    QCOMPARE(cell(2, kNet)->text(), QStringLiteral("  100.50"));
    QCOMPARE(cell(2, kVat)->text(), QStringLiteral("   22.11"));
}

void TestEksploatacja::loadingNormalisesToTwoDecimals()
{
    QByteArray bytes(73232, '\0');
    bytes.replace(entryOffset(3, kNet, 1), 61, entry("100.5"));
    bytes.replace(entryOffset(3, kVat, 1), 61, entry("22.114"));
    bytes.replace(entryOffset(3, kNet, 2), 61, entry("0"));
    bytes.replace(entryOffset(3, kVat, 2), 61, entry("-5"));
    bytes.replace(entryOffset(3, 1, 3), 61, entry("Łożysko"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("007_2007.eks")), bytes));
    QVERIFY(start());
    QCOMPARE(cell(1, kNet)->text(), QStringLiteral("  100.50"));
    QCOMPARE(cell(1, kVat)->text(), QStringLiteral("   22.11"));
    QCOMPARE(cell(2, kNet)->text(), QString());
    QCOMPARE(cell(2, kVat)->text(), QString());
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("Łożysko"));
}

void TestEksploatacja::powrotWritesTheYear()
{
    QByteArray bytes(73232, '\0');
    bytes.replace(entryOffset(1, kNet, 20), 61, entry("  200.00"));
    bytes.replace(entryOffset(1, kVat, 20), 61, entry("   44.00"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("007_2007.eks")), bytes));
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();

    const QString longText = QString(70, QLatin1Char('x'));
    type(1, 1, longText);
    type(1, kNet, QStringLiteral("1,5"));
    type(1, kVat, QStringLiteral("0.375"));
    child<QRadioButton>("v4")->click();
    child<QLineEdit>("innyvat")->setText(QStringLiteral("12.5"));
    child<QPushButton>("SpeedButton2")->click();

    const QByteArray saved = costs();
    QCOMPARE(saved.mid(entryOffset(3, 1, 1), 61), entry(QString(60, QLatin1Char('x'))));
    QCOMPARE(saved.mid(entryOffset(3, kNet, 1), 61), entry("    1.50"));
    QCOMPARE(saved.mid(entryOffset(3, kVat, 1), 61), entry("    0.38"));
    QCOMPARE(saved.mid(entryOffset(1, kNet, 20), 61), entry("  200.00"));
    QCOMPARE(saved.mid(kNetTotalOffset, 16), testfiles::shortString("    201.50", 15));
    QCOMPARE(saved.mid(kVatTotalOffset, 16), testfiles::shortString("     44.38", 15));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("007_2007.vat"))), QByteArray("\x03"
                                                                                    "12.\x04",
                                                                                    5));
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->isEnabled());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::vatSettingComesBackCut()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("007_2007.vat")), QByteArray("\x03"
                                                                                   "12.\x04",
                                                                                   5)));
    QVERIFY(start());
    QCOMPARE(child<QLineEdit>("innyvat")->text(), QStringLiteral("12."));
    QVERIFY(child<QRadioButton>("v4")->isChecked());
    type(1, kNet, QStringLiteral("100"));
    m_window->Timer1Timer();
    QCOMPARE(cell(1, kVat)->text(), QStringLiteral("   12.00"));
}

void TestEksploatacja::modeByteOutsideReadsAsTheNearest_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("checked");
    QTest::newRow("0 reads as Nie licz") << 0 << "v1";
    QTest::newRow("5 reads as Licz inny") << 5 << "v4";
    QTest::newRow("255 reads as Licz inny") << 255 << "v4";
}

void TestEksploatacja::modeByteOutsideReadsAsTheNearest()
{
    QFETCH(int, mode);
    QFETCH(QString, checked);
    const QByteArray bytes = QByteArray("\x01"
                                        "9\0\0",
                                        4) +
                             char(mode);
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("007_2007.vat")), bytes));
    QVERIFY(start());
    QVERIFY(child<QRadioButton>(checked.toLatin1().constData())->isChecked());
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("007_2007.vat"))), bytes);
}

void TestEksploatacja::phraseListIsSortedAndFillsOnlyAnEmptyCell()
{
    const QString phrases = QStringLiteral("Paliwo\r\nŁożyska\r\nnaprawa\nLampa\r\nAkumulator\r\n"
                                           "Mycie\r\n");
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("eksptresc.dat")), ToWindows1250(phrases)));
    QVERIFY(start());
    auto *list = child<QListWidget>("listaTr");
    m_window->Button3Click();
    QVERIFY(!list->isHidden());
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items, QStringList({"Akumulator", "Lampa", "Łożyska", "Mycie", "naprawa", "Paliwo"}));

    grid()->setCurrentCell(4, 0);
    list->setCurrentRow(2);
    m_window->listaTrDblClick();
    QCOMPARE(cell(5, 1)->text(), QStringLiteral("Łożyska"));
    QVERIFY(list->isHidden());

    // A filled cell keeps its text; the list is hidden all the same.
    m_window->Button3Click();
    QCOMPARE(list->count(), 6);
    list->setCurrentRow(0);
    m_window->listaTrDblClick();
    QCOMPARE(cell(5, 1)->text(), QStringLiteral("Łożyska"));
    QVERIFY(list->isHidden());

    // Escape hides the list without a choice.
    grid()->setCurrentCell(5, 0);
    m_window->Button3Click();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(list->isHidden());
    QCOMPARE(cell(6, 1)->text(), QString());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::missingPhraseFileShowsNothing()
{
    QVERIFY(start());
    m_window->Button3Click();
    QVERIFY(child<QListWidget>("listaTr")->isHidden());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QVERIFY(!QFile::exists(file(QStringLiteral("eksptresc.dat"))));
}

void TestEksploatacja::editorStartsOnThePhraseFile()
{
    QVERIFY(start());
    child<QPushButton>("Button4")->click();
    QCOMPARE(m_ws->seams.programs.started.size(), 1);
    const FakePrograms::Start &start = m_ws->seams.programs.started.first();
    QCOMPARE(start.workingDir, m_ws->path());
#ifdef Q_OS_WIN
    QCOMPARE(start.program, QStringLiteral("notepad.exe"));
    QCOMPARE(start.arguments, QStringList{QStringLiteral("DANE\\eksptresc.dat")});
#else
    QString expected = QStringLiteral("xdg-open");
    for (const char *editor :
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(editor));
        if (!found.isEmpty()) {
            expected = found;
            break;
        }
    }
    QCOMPARE(start.program, expected);
    QCOMPARE(start.arguments, QStringList{m_ws->path(QStringLiteral("DANE/eksptresc.dat"))});
#endif
    // The program never writes the phrase file itself.
    QVERIFY(!QFile::exists(file(QStringLiteral("eksptresc.dat"))));
}

void TestEksploatacja::dateButtonFillsOnlyAnEmptyCell()
{
    QVERIFY(start());
    grid()->setCurrentCell(3, 2);
    child<QPushButton>("Button2")->click();
    QCOMPARE(cell(4, 0)->text(), QStringLiteral("15.03.2007"));

    m_ws->seams.clock.current = QDateTime(QDate(2007, 4, 2), QTime(8, 0));
    m_ws->seams.regional.separator = QStringLiteral("/");
    m_window->Button2Click();
    QCOMPARE(cell(4, 0)->text(), QStringLiteral("15.03.2007"));
    grid()->setCurrentCell(4, 0);
    m_window->Button2Click();
    QCOMPARE(cell(5, 0)->text(), QStringLiteral("02/04/2007"));
}

void TestEksploatacja::savesIntoTheYearItWasOpenedWith()
{
    QVERIFY(start());
    // The settlement window chooses another year while this window is open.
    const settlement::YearHandOver next = yearOf(QStringLiteral("2008"));
    type(1, kNet, QStringLiteral("10"));
    chooseMonth(5);
    m_window->SpeedButton2Click();
    QCOMPARE(m_window->yearStem(), QStringLiteral("007_2007"));
    QCOMPARE(costs().mid(entryOffset(3, kNet, 1), 61), entry("   10.00"));
    QCOMPARE(costs().mid(kNetTotalOffset, 16), testfiles::shortString("     10.00", 15));
    QCOMPARE(testfiles::readBytes(file(QStringLiteral("007_2008.eks"))), QByteArray(73232, '\0'));
    QVERIFY(!QFile::exists(file(QStringLiteral("007_2008.vat"))));
    Q_UNUSED(next)
}

void TestEksploatacja::shortFileIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::newRow("cost record") << "007_2007.eks" << 73231;
    QTest::newRow("VAT setting") << "007_2007.vat" << 4;
}

void TestEksploatacja::shortFileIsRefused()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    const QByteArray shortRecord(size, '\x01');
    QVERIFY(testfiles::writeBytes(file(name), shortRecord));
    if (name.endsWith(QLatin1String(".eks"))) {
        // The cost record is read when the year is opened, before a window is handed it.
        QVERIFY_FILE_ERROR(yearOf(QStringLiteral("2007")), 100,
                           QStringLiteral("Read beyond end of file"));
    } else {
        hand();
        QVERIFY(!m_window->prepareAndOpen());
        QCOMPARE(m_ws->seams.dialogs.ioErrors(),
                 QStringList{QStringLiteral("Read beyond end of file")});
        QVERIFY(!m_window->isVisible());
    }
    QCOMPARE(testfiles::readBytes(file(name)), shortRecord);
}

void TestEksploatacja::costFileRemovedMeanwhileIsReported()
{
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    QVERIFY(QFile::remove(file(QStringLiteral("007_2007.eks"))));
    QVERIFY(QFile::remove(file(QStringLiteral("007_2007.vat"))));
    type(1, kNet, QStringLiteral("10"));

    // The cost record is overwritten in place: a missing file is not created again.
    chooseMonth(4);
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{QStringLiteral("File not found")});
    QCOMPARE(m_window->shownMonth(), 3);
    QCOMPARE(text("Label5"), QStringLiteral("Marzec"));

    m_window->SpeedButton2Click();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(),
             QStringList({QStringLiteral("File not found"), QStringLiteral("File not found")}));
    QVERIFY(m_window->isVisible());
    QVERIFY(!QFile::exists(file(QStringLiteral("007_2007.eks"))));
    QVERIFY(!QFile::exists(file(QStringLiteral("007_2007.vat"))));
}

void TestEksploatacja::helpPanel()
{
    QVERIFY(start());
    const QString help = child<QPlainTextEdit>("Memo1")->toPlainText();
    const QStringList lines = help.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines.at(3), QStringLiteral("data pobrana z zegara komutera."));
    QCOMPARE(lines.at(14), QString());
    QCOMPARE(lines.last(), QStringLiteral("podaku Vat zostaną zapamietane."));
    QCOMPARE(child<QPushButton>("Button3")->text(), QStringLiteral("&Wstaw treść"));
    QCOMPARE(child<QPushButton>("Button3")->accessibleName(), QStringLiteral("Wstaw treść"));

    QWidget *panel = child<QWidget>("Panel2");
    QVERIFY(panel->isHidden());
    m_window->SpeedButton3Click();
    QVERIFY(!panel->isHidden());
    m_window->SpeedButton1Click();
    QVERIFY(panel->isHidden());
}

void TestEksploatacja::utf8PhraseIsStoredInWindows1250()
{
    // Saved as today's editors save: UTF-8 without a byte-order mark.
    const QString phrases = QStringLiteral("żółć paliwo\r\nopłata za przejazd\r\n");
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("eksptresc.dat")), phrases.toUtf8()));
    QVERIFY(start());
    child<QPushButton>("Button3")->click();
    auto *list = child<QListWidget>("listaTr");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("opłata za przejazd"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("żółć paliwo"));

    grid()->setCurrentCell(0, 1);
    list->setCurrentRow(0);
    m_window->listaTrDblClick();
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("opłata za przejazd"));

    child<QPushButton>("SpeedButton2")->click();
    const QByteArray stored = QByteArray("\x12"
                                         "op\xB3"
                                         "ata za przejazd") +
                              QByteArray(42, '\0');
    QCOMPARE(costs().mid(entryOffset(3, 1, 1), 61), stored);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::timerRunsUntilPowrot()
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

    child<QPushButton>("SpeedButton2")->click();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!timer->isActive());
}

void TestEksploatacja::openShown()
{
    hand();
    QVERIFY(m_window->prepareAndOpen());
    child<QTimer>("Timer1")->stop();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

// After "Data", "Wstaw treść" (a phrase taken with Enter, or the list left with Escape) and a
// month change the keyboard is back on the grid, so that the next keys fill the row.
void TestEksploatacja::focusFollowsTheWork()
{
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("eksptresc.dat")),
                                  ToWindows1250(QStringLiteral("Paliwo\r\nMycie\r\n"))));
    openShown();
    grid()->setCurrentCell(1, 0);
    QTest::mouseClick(child<QPushButton>("Button2"), Qt::LeftButton);
    QCOMPARE(cell(2, 0)->text(), QStringLiteral("15.03.2007"));
    QCOMPARE(m_window->focusWidget(), grid());
    press(Qt::Key_Tab);
    typeKeys(QStringLiteral("Myjnia"));
    press(Qt::Key_Return);
    QCOMPARE(cell(2, 1)->text(), QStringLiteral("Myjnia"));

    auto *list = child<QListWidget>("listaTr");
    grid()->setCurrentCell(3, 1);
    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    QCOMPARE(m_window->focusWidget(), list);
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(list->isHidden());
    QCOMPARE(cell(4, 1)->text(), QStringLiteral("Paliwo"));
    QCOMPARE(m_window->focusWidget(), grid());
    QCOMPARE(grid()->currentRow(), 3);

    QTest::mouseClick(child<QPushButton>("Button3"), Qt::LeftButton);
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(list->isHidden());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->focusWidget(), grid());

    child<QComboBox>("lista")->setFocus();
    chooseMonth(4);
    QCOMPARE(m_window->shownMonth(), 4);
    QCOMPARE(m_window->focusWidget(), grid());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::escapeAndCloseRequestLeaveAsPowrot_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape on the grid") << true;
    QTest::newRow("close request of the window manager") << false;
}

// Escape outside a cell editor and a close request save and hide as "Powrót" does, and the
// status line says so.
void TestEksploatacja::escapeAndCloseRequestLeaveAsPowrot()
{
    QFETCH(bool, escape);
    openShown();
    QVERIFY(m_window->windowFlags() & Qt::WindowCloseButtonHint);
    type(1, kNet, QStringLiteral("10"));
    ui::StatusNote::post(QString());
    if (escape)
        QTest::keyClick(grid(), Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(costs().mid(entryOffset(3, kNet, 1), 61), entry("   10.00"));
    QCOMPARE(ui::StatusNote::latest(), QStringLiteral("Zapisano eksploatację roku 2007."));
    QCOMPARE(child<ui::StatusNote>("StatusNote")->text(), ui::StatusNote::latest());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::windowWhoseSaveFailsStaysOpen()
{
    openShown();
    QVERIFY(QFile::remove(file(QStringLiteral("007_2007.eks"))));
    ui::StatusNote::post(QString());
    QTest::keyClick(grid(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_ws->seams.dialogs.ioErrors(),
             QStringList({QStringLiteral("File not found"), QStringLiteral("File not found")}));
    QCOMPARE(ui::StatusNote::latest(), QString());
}

void TestEksploatacja::escapeInACellEditorOrTheListStays()
{
    openShown();
    grid()->setCurrentCell(0, kNet);
    typeKeys(QStringLiteral("12"));
    QVERIFY(openEditor());
    press(Qt::Key_Escape);
    QVERIFY(!openEditor());
    QVERIFY(m_window->isVisible());
    // The next Escape, outside the editor, leaves.
    press(Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(costs().mid(entryOffset(3, kNet, 1), 61), entry("   12.00"));
}

// Delete and Backspace clear the selected cells; Ctrl+Z takes back the last change, an edit
// typed included, until another month is shown.
void TestEksploatacja::deleteClearsAndCtrlZUndoes()
{
    openShown();
    type(1, 0, QStringLiteral("15.03.2007"));
    type(1, 1, QStringLiteral("Paliwo"));
    type(1, kNet, QStringLiteral("100.00"));
    type(2, 1, QStringLiteral("Mycie"));
    grid()->setCurrentCell(0, 0);
    QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(cell(1, 0)->text(), QString());
    QCOMPARE(cell(1, 1)->text(), QString());
    QCOMPARE(cell(1, kNet)->text(), QStringLiteral("100.00"));
    QVERIFY(!openEditor());

    grid()->setCurrentCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_Backspace);
    QCOMPARE(cell(2, 1)->text(), QString());

    grid()->setCurrentCell(2, 1);
    typeKeys(QStringLiteral("Olej"));
    press(Qt::Key_Return);
    QCOMPARE(cell(3, 1)->text(), QStringLiteral("Olej"));

    undoKey();
    QCOMPARE(cell(3, 1)->text(), QString());
    undoKey();
    QCOMPARE(cell(2, 1)->text(), QStringLiteral("Mycie"));
    undoKey();
    QCOMPARE(cell(1, 0)->text(), QStringLiteral("15.03.2007"));
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("Paliwo"));
    undoKey();
    QCOMPARE(cell(1, 1)->text(), QStringLiteral("Paliwo"));

    // Another month: what was done to March is not undone into April's rows.
    grid()->setCurrentCell(0, 1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    chooseMonth(4);
    undoKey();
    QCOMPARE(cell(1, 1)->text(), QString());
    QCOMPARE(cell(1, 0)->text(), QString());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestEksploatacja::ctrlDeleteRemovesTheRowAfterAQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Tak") << true;
    QTest::newRow("Nie") << false;
}

void TestEksploatacja::ctrlDeleteRemovesTheRowAfterAQuestion()
{
    QFETCH(bool, answer);
    openShown();
    const QStringList kinds{"Paliwo", "Mycie", "Olej"};
    const QStringList nets{"10.00", "20.00", "30.00"};
    for (int row = 1; row <= 3; ++row) {
        type(row, 1, kinds.at(row - 1));
        type(row, kNet, nets.at(row - 1));
    }
    grid()->setCurrentCell(1, kNet);
    m_ws->seams.dialogs.answers << answer;
    QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    const ShownDialog &question = m_ws->seams.dialogs.shown.constFirst();
    QCOMPARE(question.kind, ShownDialog::Kind::Question);
    QCOMPARE(question.text, QStringLiteral("Usunąć fakturę z wiersza 2 ?"));
    QCOMPARE(question.defaultButton, Dialogs::Default::No);
    QCOMPARE(question.detail, QStringLiteral("Jan Kowalski\nMycie  20.00"));

    m_window->Timer1Timer();
    const QStringList left = answer ? QStringList{"Paliwo", "Olej", ""} : kinds;
    for (int row = 1; row <= 3; ++row)
        QCOMPARE(cell(row, 1)->text(), left.at(row - 1));
    QCOMPARE(text("Label3"), answer ? QStringLiteral("   40.00") : QStringLiteral("   60.00"));
    QCOMPARE(m_window->focusWidget(), grid());
    if (answer) {
        undoKey();
        QCOMPARE(cell(2, 1)->text(), QStringLiteral("Mycie"));
        QCOMPARE(cell(3, 1)->text(), QStringLiteral("Olej"));
    }

    // An empty row has nothing to remove and asks nothing.
    grid()->setCurrentCell(10, 0);
    QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
}

void TestEksploatacja::datesAreMarkedNeverBlocking_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such day") << "32.13.2007"
                                 << "Data 32.13.2007 nie jest prawdziwym dniem.";
    QTest::newRow("another month") << "01.04.2007"
                                   << "Data 01.04.2007 leży poza miesiącem marzec 2007.";
    QTest::newRow("another year") << "15.03.2006"
                                  << "Data 15.03.2006 leży poza miesiącem marzec 2007.";
    QTest::newRow("a day of the month") << "15.03.2007"
                                        << "";
}

// A date that is no day, or not of the month on screen, is coloured and its reason goes to the
// status line, the tool tip and the cell's description; it is saved as typed all the same.
void TestEksploatacja::datesAreMarkedNeverBlocking()
{
    QFETCH(QString, date);
    QFETCH(QString, reason);
    openShown();
    ui::StatusNote::post(QString());
    grid()->setCurrentCell(0, 0);
    typeKeys(date);
    press(Qt::Key_Return);
    QTableWidgetItem *typed = cell(1, 0);
    QCOMPARE(typed->text(), date);
    QCOMPARE(typed->data(Qt::AccessibleDescriptionRole).toString(), reason);
    QCOMPARE(typed->data(Qt::BackgroundRole).isValid(), !reason.isEmpty());
    QCOMPARE(typed->toolTip(), reason.isEmpty() ? date : date + QLatin1Char('\n') + reason);
    QCOMPARE(ui::StatusNote::latest(), reason);

    // Coming back to the cell reads the reason again.
    ui::StatusNote::post(QString());
    grid()->setCurrentCell(0, 1);
    grid()->setCurrentCell(0, 0);
    QCOMPARE(ui::StatusNote::latest(), reason);

    child<QPushButton>("SpeedButton2")->click();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(costs().mid(entryOffset(3, 0, 1), 61), entry(date));
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

// A document number longer than its column widens it at the expense of "Rodzaj wydatku", the
// grid keeping its width; every cell holds its whole text as its tool tip.
void TestEksploatacja::textIsShownWhole()
{
    QVERIFY(start());
    const auto leftWidth = [this] {
        return grid()->columnWidth(0) + grid()->columnWidth(1) + grid()->columnWidth(2);
    };
    const int before = leftWidth();
    const int kindBefore = grid()->columnWidth(1);
    const QString number = QStringLiteral("FV 123/03/2016/KOREKTA");
    type(1, 2, number);
    QVERIFY(grid()->columnWidth(2) > grid()->fontMetrics().horizontalAdvance(number));
    QVERIFY(grid()->columnWidth(1) < kindBefore);
    QCOMPARE(leftWidth(), before);
    QCOMPARE(cell(1, 2)->toolTip(), number);

    const QString kind = QStringLiteral("Wymiana oleju, filtrów powietrza i kabiny, płynu "
                                        "hamulcowego oraz przegląd okresowy");
    type(2, 1, kind);
    QCOMPARE(cell(2, 1)->toolTip(), kind);

    // Shorter again, the columns go back.
    type(1, 2, QStringLiteral("FV 1"));
    QCOMPARE(grid()->columnWidth(1), kindBefore);
}

QTEST_MAIN(TestEksploatacja)
#include "tst_eksploatacja.moc"
