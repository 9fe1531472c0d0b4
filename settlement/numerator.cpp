#include "numerator.h"

#include "clientrecords.h"
#include "guard.h"
#include "numeratorrules.h"
#include "recordfile.h"
#include "widgets.h"

#include "helppanel.h"
#include "ui_numerator.h"

#include <QPushButton>

using namespace storage;

Tnumerator_f::Tnumerator_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_seams(seams),
      m_ui(std::make_unique<Ui::NumeratorForm>())
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

QString Tnumerator_f::numeratorFile() const
{
    return YearFile(m_state.workingDir, m_stem, QStringLiteral(".num"));
}

bool Tnumerator_f::FormCreate()
{
    m_stem = m_state.yearStem;
    setWindowTitle(QStringLiteral("Numerator  Rok obliczeniowy ") + m_state.yearText);
    m_ui->Label3->setText(m_state.header1);
    m_ui->Label4->setText(m_state.header2);
    m_ui->Label5->setText(m_state.header3);
    Panel1->hide();
    return Guarded(m_seams.dialogs, [this] {
        CreateIfMissing(numeratorFile(), numerator::defaultRecord());
        Record record(numerator::kSize);
        ReadRecord(numeratorFile(), record);
        m_ui->numerator->setText(QString::number(record.int32(numerator::kNumber)));
        m_ui->rozszerzenie->setText(record.text(numerator::suffix));
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
    const Record record =
        settlement::NumeratorRecord(m_ui->numerator->text(), m_ui->rozszerzenie->text());
    if (!Guarded(m_seams.dialogs, [&] { WriteRecord(numeratorFile(), record); }))
        return false;
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
