#include "rozliczenie.h"

#include "clientrecords.h"
#include "guard.h"
#include "ownerrules.h"
#include "recordfile.h"
#include "statusnote.h"
#include "widgets.h"

#include "ui_rozliczenie.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace seams;
using namespace storage;

Trozliczeniesamochodu_f::Trozliczeniesamochodu_f(settlement::ClientYears &years, Seams &seams,
                                                 settlement::YearWindowOpener &windows,
                                                 QWidget *parent)
    : FormWindow(Placement::Default, parent), m_years(years), m_seams(seams), m_windows(windows),
      m_ui(std::make_unique<Ui::Trozliczeniesamochodu_f>())
{
    m_ui->setupUi(this);

    QPalette grey = m_ui->id->palette();
    grey.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    m_ui->id->setPalette(grey);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    for (QLabel *value : {m_ui->Label9, m_ui->Label12, m_ui->Label13})
        value->setFont(mono);
    m_ui->Memo1->setPlainText(QStringList{
        QStringLiteral("1. Wszystkie pola koloru białego muszą zostać wypełnione."),
        QStringLiteral("2. Po wypełnieniu pól nastąpi \"włączenie\" przycisków umożliwiających "
                       "rejestrację kosztów."),
        QStringLiteral("3. Aby dokonać wyliczenia kosztów użytkowania samochodu należy "
                       "uruchomić przycisk \"Wyliczenie kosztów\"."),
        QStringLiteral("4. Kolejne dokumenty są opatrzone automatycznie zmieniającym się "
                       "numeratorem i rozszerzeniem."),
        QStringLiteral("5. Numerator i rozszerzenie można dowolnie definiować po uruchomieniu "
                       "przycisku \"Numerator i rozszerzenie\"")}
                                  .join(QLatin1Char('\n')));

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Trozliczeniesamochodu_f::Timer1Timer);
    connect(m_ui->listarok, &QComboBox::activated, this, &Trozliczeniesamochodu_f::listarokClick);
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton1Click);
    connect(m_ui->SpeedButton5, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton5Click);
    connect(m_ui->SpeedButton4, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton4Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton3Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton2Click);
    connect(m_ui->SpeedButton6, &QPushButton::clicked, this,
            &Trozliczeniesamochodu_f::SpeedButton6Click);

    addStatusLine();
    fixSize();
}

Trozliczeniesamochodu_f::~Trozliczeniesamochodu_f() = default;

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
    m_ui->SpeedButton5->setWhatsThis(QStringLiteral(
        "Wpisywanie kosztów przebiegu pojazdu w postaci ilości\nprzebytych kilometrów oraz "
        "przelicznika. Wartość kosztów\nmoże być obliczona automatycznie lub może byc wpisana "
        "\"ręcznie\""));
    m_ui->SpeedButton4->setWhatsThis(QStringLiteral(
        "Wpisywanie kosztów eksploatacji pojazdu w postaci kolejnych wydatków z tytułu zakupu "
        "paliwa, napraw itp\nKoszty podawane są w kwotach netto i kwotach Vat. Podatek ten można "
        "wpisać \"ręcznie\" lub wyliczyć\nautomatycznie"));

    m_ui->listarok->clear();
    for (int year = kFirstYear; year <= kLastYear; ++year)
        m_ui->listarok->addItem(QString::number(year));
    const int year = DefaultYear(m_seams.clock.today());
    m_ui->listarok->setCurrentIndex(year - kFirstYear);
    m_year = QString::number(year);
    m_ui->Label15->setText(QStringLiteral("Rok ") + m_year);

    Timer1->start();

    return Guarded(m_seams.dialogs, [this] {
        // Another client is opened under a lock just taken: what was read of any client while
        // no lock was held is read again. The same client opened again (its lock held all the
        // while) keeps the years its open windows share.
        if (m_client != m_readClient)
            m_years.forgetAll();
        m_readClient = m_client;
        m_rok = m_years.open(m_client, m_year);
        const Record &record = m_rok->owner();
        m_ui->nazwa1->setText(record.text(owner::nazwa1));
        m_ui->nazwa2->setText(record.text(owner::nazwa2));
        m_ui->nazwa3->setText(record.text(owner::nazwa3));
        m_ui->nip->setText(record.text(owner::nip));
        m_ui->marka->setText(record.text(owner::marka));
        m_ui->rejestracja->setText(record.text(owner::rejestracja));
        m_ui->id->setText(record.text(owner::id));
    });
}

bool Trozliczeniesamochodu_f::openClient(const QString &client)
{
    m_client = client;
    return prepareAndOpen();
}

settlement::YearHandOver Trozliczeniesamochodu_f::handOver() const
{
    return {m_rok,
            {m_ui->nazwa1->text(), m_ui->nazwa2->text(),
             m_ui->marka->text() + QLatin1Char(' ') + m_ui->rejestracja->text()}};
}

void Trozliczeniesamochodu_f::Timer1Timer()
{
    const bool complete =
        OwnerComplete(m_ui->nazwa1->text(), m_ui->nazwa2->text(), m_ui->nazwa3->text(),
                      m_ui->marka->text(), m_ui->rejestracja->text());
    for (QPushButton *button :
         {m_ui->SpeedButton2, m_ui->SpeedButton3, m_ui->SpeedButton4, m_ui->SpeedButton5})
        button->setEnabled(complete);

    const settlement::TotalsDisplay totals =
        m_rok ? settlement::TotalsDisplayOf(m_rok->mileage(), m_rok->costs())
              : settlement::TotalsDisplayOf(Record(mileage::kSize), Record(cost::kSize));
    m_ui->Label9->setText(totals.mileage);
    m_ui->Label12->setText(totals.net);
    m_ui->Label13->setText(totals.vat);
    m_ui->Label15->setText(QStringLiteral("Rok ") + m_year);
}

void Trozliczeniesamochodu_f::listarokClick()
{
    if (m_ui->listarok->currentIndex() < 0)
        return;
    const QString chosen = m_ui->listarok->currentText();
    const bool opened = Guarded(m_seams.dialogs, [&] {
        m_rok = m_years.open(m_client, chosen);
        m_year = chosen;
    });
    // A year whose files cannot be read is not taken: the list goes back to the year shown.
    if (!opened)
        m_ui->listarok->setCurrentIndex(m_ui->listarok->findText(m_year));
}

void Trozliczeniesamochodu_f::SpeedButton1Click()
{
    if (m_ui->id->text().isEmpty()) {
        m_seams.dialogs.notice(
            QStringLiteral("Uwaga !"),
            QStringLiteral("Brak numeru identyfikacji właściciela pojazdu. Zapis wstrzymany."));
        return;
    }
    const Record record = owner::recordOf(
        {m_ui->nazwa1->text(), m_ui->nazwa2->text(), m_ui->nazwa3->text(), m_ui->nip->text(),
         m_ui->rejestracja->text(), m_ui->marka->text(), m_ui->id->text()});
    if (!m_rok)
        return;
    const bool saved = Guarded(m_seams.dialogs, [&] { m_rok->saveOwner(record); });
    if (saved)
        ui::StatusNote::post(QStringLiteral("Zapisano dane właściciela pojazdu."));
}

void Trozliczeniesamochodu_f::openWorkingWindow(ui::WindowId window)
{
    m_windows.open(window, handOver());
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
    leaveAsReturn();
}

bool Trozliczeniesamochodu_f::leaveAsReturn()
{
    Timer1->stop();
    leave();
    return true;
}
