#include "bazafirm.h"
#include "clientrecords.h"
#include "ewidencja.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "network.h"
#include "program.h"
#include "przebieg.h"
#include "rozliczenie.h"
#include "testfiles.h"
#include "workspace.h"
#include "wyliczenie.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <set>

// The whole program as a screen reader meets it: every window's accessibility tree after its
// set-up, the figures read as they are shown, and the checkable controls driven through their
// accessibility actions.
class TestDostepnosc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void noLabelHidesItsText();
    void keyboardReachesEveryControl_data();
    void keyboardReachesEveryControl();
    void mnemonicOfTheDateButton();
    void figuresAreReadAsShown();
    void mileageLogIsNamedAndReadAsShown();

private:
    class NoNetwork : public admin::Network
    {
    public:
        admin::Connection connection() override { return admin::Connection::Disconnected; }
        void download(const QUrl &, const QString &, QObject *, std::function<void(bool)>) override
        {
        }
    };

    QWidget *window(int position) const { return m_program->windowsInOrder().at(position); }
    bool open(int position);
    template <typename T> T *child(int position, const char *name) const
    {
        return findChildNamed<T>(window(position), name);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    NoNetwork m_network;
    std::unique_ptr<Program> m_program;
};

namespace {

constexpr int kMain = 0;
constexpr int kSettlement = 1;
constexpr int kCosts = 2;
constexpr int kMileage = 3;
constexpr int kPrintPanel = 4;
constexpr int kCalculation = 5;
constexpr int kNumerator = 6;
constexpr int kBusinessCard = 7;
constexpr int kHistory = 8;
constexpr int kTools = 9;
constexpr int kNotepad = 10;
constexpr int kLocation = 11;

// The roles a user operates, each of which a screen reader has to be able to name.
bool operated(QAccessible::Role role)
{
    static const std::set<QAccessible::Role> roles{
        QAccessible::PushButton, QAccessible::EditableText, QAccessible::ComboBox,
        QAccessible::List,       QAccessible::Table,        QAccessible::RadioButton,
        QAccessible::CheckBox,   QAccessible::Window,       QAccessible::Dialog,
    };
    return roles.count(role) > 0;
}

void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    if (!node || !node->isValid())
        return;
    if (operated(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject *object = node->object();
        unnamed << QStringLiteral("%1 (role %2)")
                       .arg(object ? object->objectName() : QStringLiteral("?"))
                       .arg(int(node->role()));
    }
    // The cells of a grid and the rows of a list are named by their text and headers; a combo
    // box's drop-down list is read as the combo box.
    if (node->role() == QAccessible::Table || node->role() == QAccessible::List ||
        node->role() == QAccessible::ComboBox)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed);
}

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
    return node ? node->text(QAccessible::Name) : QString();
}

} // namespace

void TestDostepnosc::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_program = std::make_unique<Program>(
        m_ws->path(), Program::Services{m_ws->seams.seams, m_printDialogs, m_network,
                                        [](const QUrl &) { return true; }});
    // A client opened from the register, as the settlement windows need one.
    Tbaza_f &baza = m_program->mainWindow();
    baza.findChild<QListWidget *>(QStringLiteral("lista_k"))->setCurrentRow(4);
    baza.lista_kDblClick();
    QVERIFY(window(kSettlement)->isVisible());
}

void TestDostepnosc::cleanup()
{
    m_program.reset();
    m_ws.reset();
}

// Opens the window as a user does: the working windows through the settlement window's
// buttons, the print panel through the calculation's "Wydruk", the notepad through its menu entry.
bool TestDostepnosc::open(int position)
{
    if (window(position)->isVisible())
        return true;
    auto *settlement = static_cast<Trozliczeniesamochodu_f *>(window(kSettlement));
    switch (position) {
    case kMain:
        window(kMain)->show();
        break;
    case kCosts:
        settlement->SpeedButton4Click();
        break;
    case kMileage:
        settlement->SpeedButton5Click();
        break;
    case kPrintPanel:
        open(kCalculation);
        static_cast<Twyliczenie_f *>(window(kCalculation))->SpeedButton3Click();
        break;
    case kCalculation:
        settlement->SpeedButton2Click();
        break;
    case kNumerator:
        settlement->SpeedButton3Click();
        break;
    case kNotepad:
        m_program->mainWindow().Osieci1Click();
        break;
    case kBusinessCard:
        m_program->windows().open(ui::WindowId::BusinessCard);
        break;
    case kHistory:
        m_program->windows().open(ui::WindowId::History);
        break;
    case kTools:
        m_program->windows().open(ui::WindowId::Tools);
        break;
    case kLocation:
        m_program->windows().open(ui::WindowId::Location);
        break;
    }
    return window(position)->isVisible();
}

void TestDostepnosc::everyControlHasAName_data()
{
    QTest::addColumn<int>("position");
    const char *names[] = {"baza_f",         "rozliczeniesamochodu_f",
                           "eksploatacja_f", "przebieg_f",
                           "wydruk_f",       "wyliczenie_f",
                           "numerator_f",    "form3",
                           "histo_f",        "narzedzia_f",
                           "logowania_f",    "siec_f"};
    for (int position = 0; position < 12; ++position)
        QTest::addRow("%s", names[position]) << position;
}

void TestDostepnosc::everyControlHasAName()
{
    QFETCH(int, position);
    QVERIFY(open(position));
    QCOMPARE(window(position)->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window(position)), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

// A label that overrides its accessible name is read as the override, never as the text it
// shows; what a label means goes to its description.
void TestDostepnosc::noLabelHidesItsText()
{
    QStringList overridden;
    for (QWidget *shown : m_program->windowsInOrder()) {
        for (const QLabel *label : shown->findChildren<QLabel *>()) {
            if (!label->accessibleName().isEmpty())
                overridden << label->objectName() + QLatin1Char('@') + shown->objectName();
        }
    }
    QVERIFY2(overridden.isEmpty(), qPrintable(overridden.join(QStringLiteral(", "))));
}

void TestDostepnosc::keyboardReachesEveryControl_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("first"); // the control that has the focus as the window opens
    QTest::newRow("main") << kMain << "lista_k";
    QTest::newRow("settlement") << kSettlement << "nazwa1";
    QTest::newRow("operating costs") << 2 << "eksp";
    QTest::newRow("mileage") << kMileage << "przebieg";
    QTest::newRow("print panel") << 4 << "num";
    QTest::newRow("calculation") << kCalculation << "listam";
    QTest::newRow("numerator") << 6 << "numerator";
    QTest::newRow("business card") << 7 << "SpeedButton1";
    QTest::newRow("history") << 8 << "SpeedButton1";
    QTest::newRow("administrator tools") << 9 << "op3";
    QTest::newRow("notepad") << 10 << "Memo1";
    QTest::newRow("database location") << 11 << "we1";
}

// Tab goes round every button, list, grid, edit and combo box that can be used, and the window
// opens on the control a user needs first.
void TestDostepnosc::keyboardReachesEveryControl()
{
    QFETCH(int, position);
    QFETCH(QString, first);
    QVERIFY(open(position));
    QWidget *shown = window(position);
    QList<QWidget *> chain;
    for (QWidget *next = shown->nextInFocusChain(); next != shown;
         next = next->nextInFocusChain()) {
        if (next->isVisibleTo(shown) && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus))
            chain << next;
    }
    QStringList unreachable;
    for (QWidget *control : shown->findChildren<QWidget *>()) {
        const bool operated =
            qobject_cast<QPushButton *>(control) || qobject_cast<QAbstractItemView *>(control) ||
            qobject_cast<QLineEdit *>(control) || qobject_cast<QComboBox *>(control) ||
            qobject_cast<QRadioButton *>(control);
        // A combo box's own drop-down list and line edit are reached through the combo box.
        // A grid's headers are part of the grid.
        const bool inner = qobject_cast<QComboBox *>(control->parentWidget()) ||
                           qobject_cast<QAbstractItemView *>(control->parentWidget()) ||
                           control->parentWidget()->inherits("QComboBoxPrivateContainer");
        if (operated && !inner && control->isVisibleTo(shown) && control->isEnabled() &&
            !chain.contains(control))
            unreachable << control->objectName();
    }
    QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(QStringLiteral(", "))));
    QWidget *focused = shown->focusWidget();
    if (!focused && !chain.isEmpty())
        focused = chain.first();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), first);
}

// "&Data" fills the date of the current invoice from the keyboard.
void TestDostepnosc::mnemonicOfTheDateButton()
{
    QVERIFY(open(2));
    QWidget *costs = window(2);
    costs->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(costs));
    auto *grid = child<QTableWidget>(2, "eksp");
    QVERIFY(grid->item(0, 0)->text().isEmpty());
    QTest::keyClick(costs, Qt::Key_D, Qt::AltModifier);
    // A mnemonic clicks its button with a short animation.
    QTRY_COMPARE(grid->item(0, 0)->text(), QStringLiteral("15.03.2007"));
}

void TestDostepnosc::figuresAreReadAsShown()
{
    QVERIFY(open(kMileage));
    auto *mileage = static_cast<Tprzebieg_f *>(window(kMileage));
    child<QTimer>(kMileage, "Timer1")->stop();
    QAccessibleInterface *automat =
        QAccessible::queryAccessibleInterface(child<QRadioButton>(kMileage, "p1"));
    QVERIFY(automat && automat->actionInterface());
    automat->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    auto *grid = child<QTableWidget>(kMileage, "przebieg");
    grid->item(0, 0)->setText(QStringLiteral("400"));
    grid->item(0, 1)->setText(QStringLiteral("1"));
    mileage->Timer1Timer();
    auto *amount = child<QLabel>(kMileage, "Label5");
    QCOMPARE(amount->text().trimmed(), QStringLiteral("400.00"));
    QCOMPARE(accessibleName(amount), amount->text());
    QCOMPARE(accessibleName(child<QLabel>(kMileage, "Label4")),
             child<QLabel>(kMileage, "Label4")->text());
    // "Powrót" stores the mode switched on through the action.
    child<QPushButton>(kMileage, "SpeedButton3")->click();
    const QString stem =
        static_cast<Trozliczeniesamochodu_f *>(m_program->windowsInOrder().at(1))->stem();
    const QByteArray stored =
        testfiles::readBytes(m_ws->path(QStringLiteral("DANE/") + stem + QStringLiteral(".prz")));
    QCOMPARE(stored.size(), 413);
    QCOMPARE(stored.at(412), '\x01');

    // The calculation of January: each figure is read as it stands after the recalculation.
    QVERIFY(open(kCalculation));
    auto *calculation = static_cast<Twyliczenie_f *>(window(kCalculation));
    child<QTimer>(kCalculation, "Timer1")->stop();
    child<QComboBox>(kCalculation, "listam")->setCurrentIndex(0);
    calculation->listamClick();
    for (const char *name : {"Label7", "Label9", "Label11", "Label13", "Label17", "Label18"}) {
        auto *figure = child<QLabel>(kCalculation, name);
        QCOMPARE(accessibleName(figure), figure->text());
        QVERIFY2(!figure->accessibleDescription().isEmpty(), name);
    }
    QVERIFY(child<QLabel>(kCalculation, "Label7")->text().contains(QStringLiteral("400.00")));
    // The clock is read as the time.
    auto *clock = child<QLabel>(kCalculation, "Panel1");
    calculation->Timer1Timer();
    QVERIFY(!clock->text().isEmpty());
    QCOMPARE(accessibleName(clock), clock->text());
}

// The mileage log, opened from the mileage register: every control named, no label hiding
// its text, the sums read as shown.
void TestDostepnosc::mileageLogIsNamedAndReadAsShown()
{
    QVERIFY(open(kMileage));
    auto *mileage = static_cast<Tprzebieg_f *>(window(kMileage));
    mileage->SpeedButton4Click();
    QWidget *log = mileage->tripLog();
    QVERIFY(log && log->isVisible());
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(log), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    for (const QLabel *label : log->findChildren<QLabel *>())
        QVERIFY2(label->accessibleName().isEmpty(), qPrintable(label->objectName()));
    auto *sum = findChildNamed<QLabel>(log, "sumaMiesiaca");
    QCOMPARE(accessibleName(sum), sum->text());
}

QTEST_MAIN(TestDostepnosc)
#include "tst_dostepnosc.moc"
