#include "numerator.h"

#include "clientrecords.h"
#include "guard.h"
#include "numeratorrules.h"
#include "recordfile.h"
#include "widgets.h"

#include "helppanel.h"
#include "ui_numerator.h"

#include <QLineEdit>
#include <QPushButton>

using namespace seams;
using namespace storage;

Tnumerator_f::Tnumerator_f(Seams &seams, QWidget *parent)
    : YearWindow(Placement::Default, parent), m_seams(seams),
      m_ui(std::make_unique<Ui::Tnumerator_f>())
{
    m_ui->setupUi(this);

    // The help panel covers the window while it is shown.
    Panel1 = ui::named(new ui::HelpPanel(this), "Panel1");
    Panel1->setLines(
        {QStringLiteral("Każdy drukowany dokument rozliczający pojazd w danym miesiącu jest "),
         QStringLiteral("numerowany. Numerator jest automatyczny i rozpoczyna się od podanego "),
         QStringLiteral("numeru. Dodatkowo do numeratora można dołączyć rozszerzenie."),
         QStringLiteral("Pierwszy wygenerowany dokument będzie więc posiadał numer "),
         QStringLiteral("1/rozszerzenie np 1/2000.")});

    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tnumerator_f::SpeedButton2Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tnumerator_f::SpeedButton3Click);
    connect(Panel1->backButton(), &QPushButton::clicked, this, &Tnumerator_f::SpeedButton1Click);
    fixSize();
}

Tnumerator_f::~Tnumerator_f() = default;

void Tnumerator_f::showRecord(const Record &record)
{
    m_shownNumber = QString::number(record.int32(numerator::kNumber));
    m_shownSuffix = record.text(numerator::suffix);
    m_ui->numerator->setText(m_shownNumber);
    m_ui->rozszerzenie->setText(m_shownSuffix);
}

bool Tnumerator_f::edited() const
{
    return m_ui->numerator->text() != m_shownNumber || m_ui->rozszerzenie->text() != m_shownSuffix;
}

bool Tnumerator_f::FormCreate()
{
    Panel1->hide();
    // At program start, before the settlement window has read any year, there is nothing to show.
    if (!year())
        return true;
    setWindowTitle(QStringLiteral("Numerator  Rok obliczeniowy ") + year()->year());
    m_ui->Label3->setText(headers().first);
    m_ui->Label4->setText(headers().second);
    m_ui->Label5->setText(headers().third);
    return Guarded(m_seams.dialogs, [this] { showRecord(year()->numerator()); });
}

void Tnumerator_f::watchYear(settlement::ClientYear &year)
{
    connect(&year, &settlement::ClientYear::numeratorChanged, this, [this](const Record &record) {
        if (!edited())
            showRecord(record);
    });
}

void Tnumerator_f::SpeedButton3Click()
{
    returnWithNote();
}

QString Tnumerator_f::returnNote() const
{
    return QStringLiteral("Zapisano numerator i rozszerzenie.");
}

bool Tnumerator_f::leaveAsReturn()
{
    if (!year()) {
        leave();
        return true;
    }
    const Record record =
        settlement::NumeratorRecord(m_ui->numerator->text(), m_ui->rozszerzenie->text());
    if (!Guarded(m_seams.dialogs, [&] { year()->saveNumerator(record); }))
        return false;
    leave();
    return true;
}

bool Tnumerator_f::leaveAutomatically()
{
    if (edited())
        return leaveAsReturn();
    leave();
    return true;
}

void Tnumerator_f::SpeedButton2Click()
{
    Panel1->showOver(rect());
}

void Tnumerator_f::SpeedButton1Click()
{
    Panel1->hide();
}
