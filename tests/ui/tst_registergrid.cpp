#include "gridtyping.h"
#include "registergrid.h"
#include "statusnote.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <memory>

// What every register grid does alike: clearing with Delete or Backspace, undoing with Ctrl+Z,
// and marking the cells its checker finds fault with.
class TestRegisterGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void editing_data();
    void editing();
    void marks_data();
    void marks();

private:
    // Puts `text` into the cell through its editor and ends the edit with Enter.
    void type(int row, int column, const QString &text);
    QStringList cells() const;

    std::unique_ptr<QTableWidget> m_table;
    ui::RegisterGrid *m_grid = nullptr;
};

namespace {

const QStringList kStart{"a0", "a1", "a2", "b0", "b1", "b2"};

} // namespace

void TestRegisterGrid::init()
{
    // Two rows of three cells; the first column is not for typing, "zły" is a fault.
    m_table = std::make_unique<QTableWidget>(2, 3);
    for (int i = 0; i < kStart.size(); ++i)
        m_table->setItem(i / 3, i % 3, new QTableWidgetItem(kStart[i]));
    m_grid = new ui::RegisterGrid(m_table.get());
    m_grid->setEditable([](int, int column) { return column != 0; });
    m_grid->setChecker([](int, int, const QString &text) {
        return text.startsWith(QStringLiteral("zły")) ? QStringLiteral("Błędny tekst") : QString();
    });
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
}

void TestRegisterGrid::cleanup()
{
    m_table.reset();
}

void TestRegisterGrid::type(int row, int column, const QString &text)
{
    m_table->setCurrentCell(row, column);
    m_table->editItem(m_table->item(row, column));
    QLineEdit *editor = gridtyping::openEditor(m_table.get());
    QVERIFY(editor);
    editor->selectAll();
    editor->insert(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes the editor through a queued call.
    QCoreApplication::processEvents();
    QCOMPARE(m_table->item(row, column)->text(), text);
}

QStringList TestRegisterGrid::cells() const
{
    QStringList texts;
    for (int i = 0; i < kStart.size(); ++i)
        texts << m_table->item(i / 3, i % 3)->text();
    return texts;
}

void TestRegisterGrid::editing_data()
{
    // Steps: "Delete" and "Backspace" on all cells selected, "Ctrl+Z", "type" (b2 becomes
    // "zz"), "change" (a1 becomes "x" as the window would change it).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    const QStringList cleared{"a0", "", "", "b0", "", ""};
    QTest::newRow("Delete clears the cells open for typing") << QStringList{"Delete"} << cleared;
    QTest::newRow("Backspace clears them too") << QStringList{"Backspace"} << cleared;
    QTest::newRow("Ctrl+Z brings the cleared cells back")
        << QStringList{"Delete", "Ctrl+Z"} << kStart;
    QTest::newRow("Ctrl+Z with nothing done changes nothing") << QStringList{"Ctrl+Z"} << kStart;
    QTest::newRow("typed cell stays")
        << QStringList{"type"} << QStringList{"a0", "a1", "a2", "b0", "b1", "zz"};
    QTest::newRow("Ctrl+Z undoes the typed cell") << QStringList{"type", "Ctrl+Z"} << kStart;
    QTest::newRow("changes are undone one at a time, the latest first")
        << QStringList{"change", "type", "Delete", "Ctrl+Z", "Ctrl+Z"}
        << QStringList{"a0", "x", "a2", "b0", "b1", "b2"};
}

void TestRegisterGrid::editing()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("Delete") || step == QLatin1String("Backspace")) {
            m_table->selectAll();
            QTest::keyClick(m_table.get(),
                            step == QLatin1String("Delete") ? Qt::Key_Delete : Qt::Key_Backspace);
        } else if (step == QLatin1String("Ctrl+Z")) {
            QTest::keyClick(m_table.get(), Qt::Key_Z, Qt::ControlModifier);
        } else if (step == QLatin1String("type")) {
            type(1, 2, QStringLiteral("zz"));
        } else {
            m_grid->change([this] { m_table->item(0, 1)->setText(QStringLiteral("x")); });
        }
    }
    QCOMPARE(cells(), expected);
}

void TestRegisterGrid::marks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("sound text") << "Paliwo" << QString() << "Paliwo";
    QTest::newRow("fault") << "zły wpis"
                           << "Błędny tekst"
                           << "zły wpis\nBłędny tekst";
    QTest::newRow("empty cell") << QString() << QString() << QString();
}

void TestRegisterGrid::marks()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(QString, toolTip);
    // A fault typed over another one is marked anew, and a sound text clears the mark.
    type(0, 1, QStringLiteral("zły początek"));
    type(0, 1, text);
    QTableWidgetItem *item = m_table->item(0, 1);
    QCOMPARE(item->text(), text);
    QCOMPARE(m_grid->reason(0, 1), reason);
    QCOMPARE(item->toolTip(), toolTip);
    QCOMPARE(item->data(Qt::AccessibleDescriptionRole).toString(), reason);
    QCOMPARE(item->data(Qt::BackgroundRole).isValid(), !reason.isEmpty());
    if (!reason.isEmpty())
        QCOMPARE(ui::StatusNote::latest(), reason);
}

QTEST_MAIN(TestRegisterGrid)
#include "tst_registergrid.moc"
