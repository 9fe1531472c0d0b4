#include "eksploatacja.h"
#include "numerator.h"
#include "przebieg.h"
#include "rozliczenie.h"
#include "workspace.h"
#include "wyliczenie.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>

// The forms of the five settlement windows: the keyboard order of their controls, their fixed
// size and the names assistive technologies read. A control moved or renamed in a form shows here.
namespace {

// The windows need no client's year to be laid out: none is handed to them.
std::unique_ptr<FormWindow> windowNamed(const QString &name, Workspace &ws,
                                        settlement::ClientYears &years,
                                        settlement::YearWindowOpener &windows)
{
    if (name == QLatin1String("rozliczeniesamochodu_f"))
        return std::make_unique<Trozliczeniesamochodu_f>(years, ws.seams.seams, windows);
    if (name == QLatin1String("przebieg_f"))
        return std::make_unique<Tprzebieg_f>(ws.seams.seams);
    if (name == QLatin1String("eksploatacja_f"))
        return std::make_unique<Teksploatacja_f>(ws.path(), ws.seams.seams);
    if (name == QLatin1String("numerator_f"))
        return std::make_unique<Tnumerator_f>(ws.seams.seams);
    if (name == QLatin1String("wyliczenie_f"))
        return std::make_unique<Twyliczenie_f>(
            ws.seams.seams, [](const settlement::StatementHandOver &) { return true; });
    qFatal("no settlement window named %s", qPrintable(name));
    return {};
}

// The named controls that Tab reaches, in the order it reaches them.
QStringList tabOrder(QWidget *window)
{
    QStringList names;
    QWidget *widget = window->nextInFocusChain();
    while (widget != window) {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty())
            names << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    return names;
}

} // namespace

class TestSettlementForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabOrderAndFixedSize_data();
    void tabOrderAndFixedSize();
    void accessibleNames_data();
    void accessibleNames();
    void valueLabelsReadTheirText_data();
    void valueLabelsReadTheirText();
};

void TestSettlementForms::tabOrderAndFixedSize_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("settlement") << "rozliczeniesamochodu_f"
                                << QStringList{"nazwa1",       "nazwa2",       "nazwa3",
                                               "nip",          "rejestracja",  "marka",
                                               "id",           "listarok",     "SpeedButton1",
                                               "SpeedButton5", "SpeedButton4", "SpeedButton3",
                                               "SpeedButton2", "SpeedButton6", "Memo1"};
    QTest::newRow("mileage") << "przebieg_f"
                             << QStringList{"przebieg",     "p1",           "p2",
                                            "SpeedButton4", "SpeedButton2", "SpeedButton3",
                                            "Memo1",        "SpeedButton1"};
    QTest::newRow("operating costs")
        << "eksploatacja_f"
        << QStringList{"lista",        "eksp",         "Button2", "Button3", "Button4",
                       "v1",           "v2",           "v3",      "v4",      "innyvat",
                       "SpeedButton3", "SpeedButton2", "listaTr", "Memo1",   "SpeedButton1"};
    QTest::newRow("numerator") << "numerator_f"
                               << QStringList{"numerator",    "rozszerzenie", "SpeedButton2",
                                              "SpeedButton3", "Memo1",        "SpeedButton1"};
    QTest::newRow("calculation") << "wyliczenie_f"
                                 << QStringList{"listam",       "Memo1",        "SpeedButton1",
                                                "SpeedButton2", "SpeedButton3", "SpeedButton5",
                                                "SpeedButton4"};
}

void TestSettlementForms::tabOrderAndFixedSize()
{
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    Workspace ws;
    settlement::ClientYears years(ws.path());
    settlement::YearWindowTable windows;
    const std::unique_ptr<FormWindow> form = windowNamed(window, ws, years, windows);
    QCOMPARE(form->objectName(), window);
    QCOMPARE(tabOrder(form.get()), order);
    QVERIFY(!form->minimumSize().isEmpty());
    QCOMPARE(form->maximumSize(), form->minimumSize());
}

void TestSettlementForms::accessibleNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char *window, const char *control, const char *name) {
        QTest::addRow("%s %s", window, control) << window << control << QString::fromUtf8(name);
    };
    row("rozliczeniesamochodu_f", "nazwa1", "Nazwa");
    row("rozliczeniesamochodu_f", "nazwa3", "Nazwa, trzeci wiersz");
    row("rozliczeniesamochodu_f", "id", "Identyfikator");
    row("rozliczeniesamochodu_f", "listarok", "Rok obliczeniowy");
    row("rozliczeniesamochodu_f", "SpeedButton2", "Wyliczenie kosztów");
    row("przebieg_f", "przebieg", "Przebieg pojazdu");
    row("przebieg_f", "Memo1", "Pomoc");
    row("eksploatacja_f", "eksp", "Eksploatacja pojazdu");
    row("eksploatacja_f", "lista", "Miesiąc");
    row("eksploatacja_f", "innyvat", "Inny Vat [%]");
    row("eksploatacja_f", "Button3", "Wstaw treść");
    row("eksploatacja_f", "listaTr", "Treści");
    row("numerator_f", "numerator", "Aktualny numer generowanego dokumentu");
    row("numerator_f", "rozszerzenie", "Zastosowane rozszerzenie numeratora");
    row("numerator_f", "Memo1", "Pomoc");
    row("wyliczenie_f", "listam", "Miesiąc");
    row("wyliczenie_f", "SpeedButton3", "Wydruk");
}

void TestSettlementForms::accessibleNames()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    Workspace ws;
    settlement::ClientYears years(ws.path());
    settlement::YearWindowTable windows;
    const std::unique_ptr<FormWindow> form = windowNamed(window, ws, years, windows);
    QCOMPARE(findChildNamed<QWidget>(form.get(), control.toLatin1().constData())->accessibleName(),
             name);
}

void TestSettlementForms::valueLabelsReadTheirText_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("meaning");
    const auto row = [](const char *window, const char *control, const char *meaning) {
        QTest::addRow("%s %s", window, control) << window << control << QString::fromUtf8(meaning);
    };
    row("rozliczeniesamochodu_f", "Label9", "Netto przebiegu narastająco");
    row("rozliczeniesamochodu_f", "Label13", "Vat eksploatacji");
    row("przebieg_f", "Label4", "Suma kilometrów");
    row("przebieg_f", "Label5", "Suma kwot");
    row("przebieg_f", "Panel2", "Zegar");
    row("eksploatacja_f", "Label3", "Razem netto");
    row("eksploatacja_f", "Label4", "Razem Vat");
    row("wyliczenie_f", "Label7", "Przebieg pojazdu w wybranym miesiącu");
    row("wyliczenie_f", "Label13", "Eksploatacja narastająco");
    row("wyliczenie_f", "Label17", "Kwota netto");
    row("wyliczenie_f", "Label18", "Vat");
    row("wyliczenie_f", "Panel1", "Zegar");
}

// A label that shows a figure is read as the figure, follows it when it changes, and says what
// it means in its description.
void TestSettlementForms::valueLabelsReadTheirText()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, meaning);
    Workspace ws;
    settlement::ClientYears years(ws.path());
    settlement::YearWindowTable windows;
    const std::unique_ptr<FormWindow> form = windowNamed(window, ws, years, windows);
    auto *label = findChildNamed<QLabel>(form.get(), control.toLatin1().constData());
    QAccessibleInterface *read = QAccessible::queryAccessibleInterface(label);
    QVERIFY(read);
    QCOMPARE(read->text(QAccessible::Name), label->text());
    label->setText(QStringLiteral("1234.56"));
    QCOMPARE(read->text(QAccessible::Name), QStringLiteral("1234.56"));
    QCOMPARE(read->text(QAccessible::Description), meaning);
}

QTEST_MAIN(TestSettlementForms)
#include "tst_settlementforms.moc"
