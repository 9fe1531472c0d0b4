#include "numerator.h"

#include "clientrecords.h"
#include "guard.h"
#include "numeratorrules.h"
#include "recordfile.h"
#include "widgets.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace storage;

Tnumerator_f::Tnumerator_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_seams(seams)
{
    setObjectName(QStringLiteral("numerator_f"));
    auto *layout = new QVBoxLayout(this);

    auto *fields = new QGridLayout;
    QLabel *label1 =
        ui::label(this, "Label1", QStringLiteral("Aktualny numer generowanego dokumentu"));
    numerator = ui::edit(this, "numerator", label1);
    QLabel *label2 =
        ui::label(this, "Label2", QStringLiteral("Zastosowane rozszerzenie numeratora"));
    rozszerzenie = ui::edit(this, "rozszerzenie", label2);
    fields->addWidget(label1, 0, 0);
    fields->addWidget(numerator, 0, 1);
    fields->addWidget(label2, 1, 0);
    fields->addWidget(rozszerzenie, 1, 1);
    layout->addLayout(fields);

    auto *headers = ui::named(new QFrame(this), "headers");
    headers->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *headerLines = new QVBoxLayout(headers);
    Label3 = ui::label(headers, "Label3", QString());
    Label4 = ui::label(headers, "Label4", QString());
    Label5 = ui::label(headers, "Label5", QString());
    for (QLabel *label : {Label3, Label4, Label5})
        headerLines->addWidget(label);
    layout->addWidget(headers);

    auto *buttons = new QHBoxLayout;
    QPushButton *help = ui::button(this, "SpeedButton2", QStringLiteral("Pomoc"));
    QPushButton *back = ui::button(this, "SpeedButton3", QStringLiteral("Powrót"));
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(back);
    layout->addLayout(buttons);

    Panel1 = ui::named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *helpLayout = new QVBoxLayout(Panel1);
    QPlainTextEdit *memo = ui::memo(
        Panel1, "Memo1",
        {QStringLiteral("Każdy drukowany dokument rozliczający pojazd w danym miesiącu jest "),
         QStringLiteral("numerowany. Numerator jest automatyczny i rozpoczyna się od podanego "),
         QStringLiteral("numeru. Dodatkowo do numeratora można dołączyć rozszerzenie."),
         QStringLiteral("Pierwszy wygenerowany dokument będzie więc posiadał numer "),
         QStringLiteral("1/rozszerzenie np 1/2000.")});
    helpLayout->addWidget(memo);
    QPushButton *helpBack = ui::button(Panel1, "SpeedButton1", QStringLiteral("Powrót"));
    helpLayout->addWidget(helpBack, 0, Qt::AlignRight);
    // The help panel covers the window while it is shown.
    Panel1->hide();

    connect(help, &QPushButton::clicked, this, &Tnumerator_f::SpeedButton2Click);
    connect(back, &QPushButton::clicked, this, &Tnumerator_f::SpeedButton3Click);
    connect(helpBack, &QPushButton::clicked, this, &Tnumerator_f::SpeedButton1Click);
    setMinimumWidth(520);
    fixSize();
}

QString Tnumerator_f::numeratorFile() const
{
    return YearFile(m_state.workingDir, m_stem, QStringLiteral(".num"));
}

bool Tnumerator_f::FormCreate()
{
    m_stem = m_state.yearStem;
    setWindowTitle(QStringLiteral("Numerator  Rok obliczeniowy ") + m_state.yearText);
    Label3->setText(m_state.header1);
    Label4->setText(m_state.header2);
    Label5->setText(m_state.header3);
    Panel1->hide();
    return Guarded(m_seams.dialogs, [this] {
        CreateIfMissing(numeratorFile(), numerator::defaultRecord());
        Record record(numerator::kSize);
        ReadRecord(numeratorFile(), record);
        numerator->setText(QString::number(record.int32(numerator::kNumber)));
        rozszerzenie->setText(record.text(numerator::suffix));
    });
}

void Tnumerator_f::SpeedButton3Click()
{
    const Record record = settlement::NumeratorRecord(numerator->text(), rozszerzenie->text());
    if (Guarded(m_seams.dialogs, [&] { WriteRecord(numeratorFile(), record); }))
        leave();
}

void Tnumerator_f::SpeedButton2Click()
{
    Panel1->setGeometry(rect());
    Panel1->show();
    Panel1->raise();
}

void Tnumerator_f::SpeedButton1Click()
{
    Panel1->hide();
}
