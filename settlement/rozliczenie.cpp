#include "rozliczenie.h"

#include "clientrecords.h"
#include "guard.h"
#include "ownerrules.h"
#include "recordfile.h"
#include "widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;

Trozliczeniesamochodu_f::Trozliczeniesamochodu_f(ProgramState &state, Seams &seams,
                                                 ui::WindowOpener &windows, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_seams(seams), m_windows(windows)
{
    setObjectName(QStringLiteral("rozliczeniesamochodu_f"));
    setWindowTitle(QStringLiteral(
        "Koszty użytkowania samochodu do celów prowadzonej działalności gospodarczej"));

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;

    // Owner and car.
    auto *ownerBox = new QVBoxLayout;
    ownerBox->addWidget(ui::label(this, "Label1", QStringLiteral("Dane właściciela samochodu")));
    auto *fields = new QGridLayout;
    QLabel *label2 = ui::label(this, "Label2", QStringLiteral("Nazwa"));
    nazwa1 = ui::edit(this, "nazwa1", label2, 50);
    nazwa2 = ui::edit(this, "nazwa2", nullptr, 50);
    nazwa3 = ui::edit(this, "nazwa3", nullptr, 50);
    nazwa2->setAccessibleName(QStringLiteral("Nazwa, drugi wiersz"));
    nazwa3->setAccessibleName(QStringLiteral("Nazwa, trzeci wiersz"));
    QLabel *label3 = ui::label(this, "Label3", QStringLiteral("Nip"));
    nip = ui::edit(this, "nip", label3, 50);
    QLabel *label4 = ui::label(this, "Label4", QStringLiteral("Nr rejestracyjny"));
    rejestracja = ui::edit(this, "rejestracja", label4, 20);
    QLabel *label5 = ui::label(this, "Label5", QStringLiteral("Marka pojazdu"));
    marka = ui::edit(this, "marka", label5, 20);
    QLabel *label6 = ui::label(this, "Label6", QStringLiteral("Identyfikator"));
    id = ui::edit(this, "id", label6, 20);
    id->setReadOnly(true);
    QPalette grey = id->palette();
    grey.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    id->setPalette(grey);
    fields->addWidget(label2, 0, 0);
    fields->addWidget(nazwa1, 0, 1);
    fields->addWidget(nazwa2, 1, 1);
    fields->addWidget(nazwa3, 2, 1);
    fields->addWidget(label3, 3, 0);
    fields->addWidget(nip, 3, 1);
    fields->addWidget(label4, 4, 0);
    fields->addWidget(rejestracja, 4, 1);
    fields->addWidget(label5, 5, 0);
    fields->addWidget(marka, 5, 1);
    fields->addWidget(label6, 6, 0);
    fields->addWidget(id, 6, 1);
    for (QLineEdit *edit : {nazwa1, nazwa2, nazwa3})
        edit->setMinimumWidth(330);
    ownerBox->addLayout(fields);
    top->addLayout(ownerBox);

    // Year and totals.
    auto *side = new QVBoxLayout;
    QLabel *label14 = ui::label(this, "Label14", QStringLiteral("Rok obliczeniowy"));
    listarok = ui::named(new QComboBox(this), "listarok");
    label14->setBuddy(listarok);
    listarok->setAccessibleName(label14->text());
    Label15 = ui::label(this, "Label15", QStringLiteral("Rok "));
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(label14);
    yearRow->addWidget(listarok);
    yearRow->addWidget(Label15);
    side->addLayout(yearRow);

    side->addWidget(ui::label(this, "Label7", QStringLiteral("Panel kontrolny kwot")));
    auto *panel = ui::named(new QFrame(this), "Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *totals = new QGridLayout(panel);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    auto totalRow = [&](int row, const char *captionName, const QString &caption,
                        const char *valueName) {
        totals->addWidget(ui::label(panel, captionName, caption), row, 0);
        QLabel *value = ui::label(panel, valueName, QStringLiteral("0.00"));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFont(mono);
        value->setMinimumWidth(130);
        totals->addWidget(value, row, 1);
        return value;
    };
    Label9 = totalRow(0, "Label8", QStringLiteral("Netto przebiegu narastająco"), "Label9");
    Label12 = totalRow(1, "Label10", QStringLiteral("Netto eksploatacji narastająco"), "Label12");
    Label13 = totalRow(2, "Label11", QStringLiteral("Vat eksloatacji"), "Label13");
    side->addWidget(panel);
    side->addStretch();
    top->addLayout(side);
    layout->addLayout(top);

    auto *buttons = new QHBoxLayout;
    SpeedButton1 = ui::button(this, "SpeedButton1", QStringLiteral("Zapisz"));
    SpeedButton5 = ui::button(this, "SpeedButton5", QStringLiteral("Przebieg"));
    SpeedButton4 = ui::button(this, "SpeedButton4", QStringLiteral("Eksploatacja"));
    SpeedButton3 = ui::button(this, "SpeedButton3", QStringLiteral("Numerator"));
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Wyliczenie kosztów"));
    SpeedButton6 = ui::button(this, "SpeedButton6", QStringLiteral("Powrót"));
    for (QPushButton *button :
         {SpeedButton1, SpeedButton5, SpeedButton4, SpeedButton3, SpeedButton2, SpeedButton6})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    Memo1 = ui::memo(
        this, "Memo1",
        {QStringLiteral("1. Wszystkie pola koloru białego muszą zostać wypełnione."),
         QStringLiteral("2. Po wypełnieniu pól nastąpi \"włączenie\" przycisków umożliwiających "
                        "rejestrację kosztów."),
         QStringLiteral("3. Aby dokonać wyliczenia kosztów użytkowania samochodu należy "
                        "uruchomić przycisk \"Wyliczenie kosztów\"."),
         QStringLiteral("4. Kolejne dokumenty są opatrzone automatycznie zmieniającym się "
                        "numeratorem i rozszerzeniem."),
         QStringLiteral("5. Numerator i rozszerzenie można dowolnie definiować po uruchomieniu "
                        "przycisku \"Numerator i rozszerzenie\"")});
    Memo1->setEnabled(false);
    Memo1->setFixedHeight(100);
    layout->addWidget(Memo1);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Trozliczeniesamochodu_f::Timer1Timer);
    connect(listarok, &QComboBox::activated, this, &Trozliczeniesamochodu_f::listarokClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton1Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton5Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton4Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton3Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton2Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &Trozliczeniesamochodu_f::SpeedButton6Click);

    fixSize();
}

int Trozliczeniesamochodu_f::DefaultYear(const QDate &today)
{
    return settlement::DefaultYear(today);
}

bool Trozliczeniesamochodu_f::OwnerComplete(const QString &nazwa1, const QString &nazwa2,
                                            const QString &nazwa3, const QString &marka,
                                            const QString &rejestracja)
{
    return settlement::OwnerComplete(nazwa1, nazwa2, nazwa3, marka, rejestracja);
}

bool Trozliczeniesamochodu_f::FormCreate()
{
    // The hints are kept with the buttons (What's This) rather than popping up as tool tips.
    SpeedButton5->setWhatsThis(QStringLiteral(
        "Wpisywanie kosztów przebiegu pojazdu w postaci ilości\nprzebytych kilometrów oraz "
        "przelicznika. Wartość kosztów\nmoże być obliczona automatycznie lub może byc wpisana "
        "\"ręcznie\""));
    SpeedButton4->setWhatsThis(QStringLiteral(
        "Wpisywanie kosztów eksploatacji pojazdu w postaci kolejnych wydatków z tytułu zakupu "
        "paliwa, napraw itp\nKoszty podawane są w kwotach netto i kwotach Vat. Podatek ten można "
        "wpisać \"ręcznie\" lub wyliczyć\nautomatycznie"));

    listarok->clear();
    for (int year = kFirstYear; year <= kLastYear; ++year)
        listarok->addItem(QString::number(year));
    const int year = DefaultYear(m_seams.clock.today());
    listarok->setCurrentIndex(year - kFirstYear);
    m_year = QString::number(year);
    Label15->setText(QStringLiteral("Rok ") + m_year);

    m_client = m_state.currentClient.isEmpty() ? QStringLiteral("1") : m_state.currentClient;
    Timer1->start();

    return Guarded(m_seams.dialogs, [this] {
        const QString ownerFile = ClientFile(m_state.workingDir, m_client, QStringLiteral(".dat"));
        if (!FileExists(ownerFile))
            WriteRecord(ownerFile, owner::defaultRecord(m_client.left(owner::id.capacity)));
        Record record(owner::kSize);
        ReadRecord(ownerFile, record);
        m_state.ownerRecord = record;
        nazwa1->setText(record.text(owner::nazwa1));
        nazwa2->setText(record.text(owner::nazwa2));
        nazwa3->setText(record.text(owner::nazwa3));
        nip->setText(record.text(owner::nip));
        marka->setText(record.text(owner::marka));
        rejestracja->setText(record.text(owner::rejestracja));
        id->setText(record.text(owner::id));

        m_stem = YearStem(id->text(), m_year);
        m_state.yearStem = m_stem;
        loadYearFiles();
    });
}

void Trozliczeniesamochodu_f::loadYearFiles()
{
    const QString mileageFile = YearFile(m_state.workingDir, m_stem, QStringLiteral(".prz"));
    CreateIfMissing(mileageFile, mileage::defaultRecord());
    ReadRecord(mileageFile, m_state.mileageRecord);
    const QString costFile = YearFile(m_state.workingDir, m_stem, QStringLiteral(".eks"));
    CreateIfMissing(costFile, cost::defaultRecord());
    ReadRecord(costFile, m_state.costRecord);
}

void Trozliczeniesamochodu_f::Timer1Timer()
{
    const bool complete = OwnerComplete(nazwa1->text(), nazwa2->text(), nazwa3->text(),
                                        marka->text(), rejestracja->text());
    for (QPushButton *button : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5})
        button->setEnabled(complete);

    const settlement::TotalsDisplay totals =
        settlement::TotalsDisplayOf(m_state.mileageRecord, m_state.costRecord);
    Label9->setText(totals.mileage);
    Label12->setText(totals.net);
    Label13->setText(totals.vat);
    Label15->setText(QStringLiteral("Rok ") + m_year);
}

void Trozliczeniesamochodu_f::listarokClick()
{
    if (listarok->currentIndex() < 0)
        return;
    m_year = listarok->currentText();
    m_stem = YearStem(id->text(), m_year);
    m_state.yearStem = m_stem;
    Guarded(m_seams.dialogs, [this] { loadYearFiles(); });
}

void Trozliczeniesamochodu_f::SpeedButton1Click()
{
    if (id->text().isEmpty()) {
        m_seams.dialogs.notice(
            QStringLiteral("Uwaga !"),
            QStringLiteral("Brak numeru identyfikacji właściciela pojazdu. Zapis wstrzymany."));
        return;
    }
    Record record(owner::kSize);
    record.setText(owner::nazwa1, nazwa1->text());
    record.setText(owner::nazwa2, nazwa2->text());
    record.setText(owner::nazwa3, nazwa3->text());
    record.setText(owner::nip, nip->text());
    record.setText(owner::rejestracja, rejestracja->text());
    record.setText(owner::marka, marka->text());
    record.setText(owner::id, id->text());
    Guarded(m_seams.dialogs, [&] {
        WriteRecord(ClientFile(m_state.workingDir, m_client, QStringLiteral(".dat")), record);
        m_state.ownerRecord = record;
    });
}

void Trozliczeniesamochodu_f::openWorkingWindow(ui::WindowId window)
{
    m_state.yearText = m_year;
    m_state.yearStem = m_stem;
    m_state.header1 = nazwa1->text();
    m_state.header2 = nazwa2->text();
    m_state.header3 = marka->text() + QLatin1Char(' ') + rejestracja->text();
    m_windows.open(window);
}

void Trozliczeniesamochodu_f::SpeedButton5Click()
{
    openWorkingWindow(ui::WindowId::Mileage);
}

void Trozliczeniesamochodu_f::SpeedButton4Click()
{
    openWorkingWindow(ui::WindowId::OperatingCosts);
}

void Trozliczeniesamochodu_f::SpeedButton3Click()
{
    openWorkingWindow(ui::WindowId::Numerator);
}

void Trozliczeniesamochodu_f::SpeedButton2Click()
{
    openWorkingWindow(ui::WindowId::Calculation);
}

void Trozliczeniesamochodu_f::SpeedButton6Click()
{
    Timer1->stop();
    leave();
}
