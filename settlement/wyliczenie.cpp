#include "wyliczenie.h"

#include "clientrecords.h"
#include "datetext.h"
#include "guard.h"
#include "koszty.h"
#include "recordfile.h"
#include "widgets.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;

namespace
{

const QStringList &helpLines()
{
    static const QStringList lines{
        QStringLiteral("W formatce automatycznie dokonuje się rozliczenie miesiąca zgodnego z "
                       "miesiącem "),
        QStringLiteral("pobranym z zegara komputera. Aby dokonać rozliczenia innego miesiąca, "
                       "należy go "),
        QStringLiteral("wybrać z listy miesięcy."),
        QString(),
        QStringLiteral("Rozliczenie dokonuje się na podstawię wzoru widocznego w formatce. "
                       "Podstawą do "),
        QStringLiteral("wyliczenia kosztów użytkowania samochodu są kwoty przebiegu pojazdu i "
                       "eksploatacji "),
        QStringLiteral("liczone narastająco. Do naliczania kosztów pobierana jest zawsze kwota "
                       "mniejsza, od "),
        QStringLiteral("której odejmowane są wszystkie dotychczas wyliczone faktyczne koszty z "),
        QStringLiteral("poszczególnych miesięcy. Kwota podatku Vat z eksloatacji zaliczana jest "
                       "do kosztów w "),
        QStringLiteral("całości."),
        QString(),
        QStringLiteral("Rozliczenie można drukować po uruchomieniu przycisku PRZYGOTOWANIE "),
        QStringLiteral("WYDRUKU..."),
        QStringLiteral("Przed wydrukiem w formatce powstałej na ekranie należy sprawdzić "
                       "wskazania "),
        QStringLiteral("numeratora, jego rozszerzenia oraz datę i nazwę miejscowości. Podana "
                       "nazwa "),
        QStringLiteral("miejscowości będzie obowiązywała aż do jej zmiany i zostaje zapamiętana "
                       "po wydruku "),
        QStringLiteral("dokumentu."),
    };
    return lines;
}

// One row of the figures panel: letter, caption and the right-aligned value.
QLabel *addFigure(QGridLayout *grid, int row, const QString &letter, const QString &caption,
                  const char *name, const QString &design)
{
    QWidget *parent = grid->parentWidget();
    if (!letter.isEmpty()) {
        auto *letterLabel = new QLabel(letter, parent);
        QFont bold = letterLabel->font();
        bold.setBold(true);
        letterLabel->setFont(bold);
        grid->addWidget(letterLabel, row, 0);
    }
    grid->addWidget(new QLabel(caption, parent), row, 1);
    QLabel *value = ui::label(parent, name, design);
    value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 15);
    value->setAccessibleName(caption);
    grid->addWidget(value, row, 2);
    return value;
}

} // namespace

Twyliczenie_f::Twyliczenie_f(ProgramState &state, Seams &seams, ui::WindowOpener &windows,
                             QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_state(state), m_seams(seams), m_windows(windows)
{
    setObjectName(QStringLiteral("wyliczenie_f"));
    setWindowTitle(QStringLiteral("Rok obliczeniowy "));
    auto *layout = new QVBoxLayout(this);

    // Header: heading, the chosen month's name and the month list.
    auto *header = new QHBoxLayout;
    Label4 = ui::label(this, "Label4", QStringLiteral("Wyliczenie kosztów"));
    QFont headingFont = Label4->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    Label4->setFont(headingFont);
    header->addWidget(Label4);
    header->addStretch(1);
    Label5 = ui::label(this, "Label5", QStringLiteral("Miesiąc"));
    Label5->setMinimumWidth(Label5->fontMetrics().horizontalAdvance(QStringLiteral("Październik")));
    header->addWidget(Label5);
    listam = ui::named(new QComboBox(this), "listam");
    listam->setAccessibleName(QStringLiteral("Miesiąc"));
    Label5->setBuddy(listam);
    header->addWidget(listam);
    layout->addLayout(header);

    // The figures, with the help panel in the same place above them.
    auto *middle = new QGridLayout;
    Panel2 = ui::named(new QFrame(this), "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *figures = new QGridLayout(Panel2);
    figures->setColumnStretch(1, 1);
    const QString design = QStringLiteral("0.00 zł");
    Label7 = addFigure(figures, 0, QStringLiteral("A"),
                       QStringLiteral("Przebieg pojazdu w wybranym miesiącu"), "Label7", design);
    Label9 = addFigure(figures, 1, QStringLiteral("B"),
                       QStringLiteral("Eksploatacja w wybranym miesiącu"), "Label9", design);
    Label11 = addFigure(figures, 2, QStringLiteral("C"),
                        QStringLiteral("Przebieg pojazdu narastająco"), "Label11", design);
    Label13 = addFigure(figures, 3, QStringLiteral("D"), QStringLiteral("Eksploatacja narastająco"),
                        "Label13", design);
    auto *letterE = new QLabel(QStringLiteral("E"), Panel2);
    QFont bold = letterE->font();
    bold.setBold(true);
    letterE->setFont(bold);
    figures->addWidget(letterE, 4, 0);
    figures->addWidget(new QLabel(QStringLiteral("Do zaksięgowania :"), Panel2), 4, 1);
    Label17 = addFigure(figures, 5, QString(), QStringLiteral("Kwota netto"), "Label17",
                        QStringLiteral("0.00"));
    Label18 =
        addFigure(figures, 6, QString(), QStringLiteral("Vat"), "Label18", QStringLiteral("0.00"));

    auto *rule = ui::named(new QFrame(Panel2), "ruleBox");
    rule->setFrameStyle(QFrame::Box | QFrame::Plain);
    rule->setAutoFillBackground(true);
    QPalette ruleColours = rule->palette();
    ruleColours.setColor(QPalette::Window, QColor(0xd3, 0xd3, 0xd3));
    rule->setPalette(ruleColours);
    auto *ruleLines = new QVBoxLayout(rule);
    ruleLines->addWidget(new QLabel(QStringLiteral("Jeżeli C>D to E=D-Epm"), rule));
    ruleLines->addWidget(new QLabel(QStringLiteral("Jeżeli C<D to E=C-Epm"), rule));
    figures->addWidget(rule, 7, 0, 1, 3);
    middle->addWidget(Panel2, 0, 0);

    Panel3 = ui::named(new QFrame(this), "Panel3");
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel3->setAutoFillBackground(true);
    auto *helpLayout = new QVBoxLayout(Panel3);
    Memo1 = ui::memo(Panel3, "Memo1", helpLines());
    Memo1->setAccessibleName(QStringLiteral("Pomoc"));
    helpLayout->addWidget(Memo1, 1);
    SpeedButton1 = ui::button(Panel3, "SpeedButton1", QStringLiteral("Powrót"));
    helpLayout->addWidget(SpeedButton1, 0, Qt::AlignRight);
    Panel3->hide();
    middle->addWidget(Panel3, 0, 0);
    layout->addLayout(middle);

    // Owner and car, filled from the settlement window's header texts.
    auto *bottom = ui::named(new QFrame(this), "ownerFrame");
    bottom->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto *bottomLines = new QVBoxLayout(bottom);
    Label1 = ui::label(bottom, "Label1", QString());
    Label2 = ui::label(bottom, "Label2", QString());
    Label3 = ui::label(bottom, "Label3", QString());
    for (QLabel *line : {Label1, Label2, Label3})
        bottomLines->addWidget(line);
    layout->addWidget(bottom);

    auto *buttons = new QHBoxLayout;
    Panel1 = ui::label(this, "Panel1", QStringLiteral("11:11:11"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumWidth(Panel1->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) +
                            20);
    Panel1->setAccessibleName(QStringLiteral("Zegar"));
    buttons->addWidget(Panel1);
    buttons->addStretch(1);
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Pomoc"));
    SpeedButton3 = ui::button(this, "SpeedButton3", QStringLiteral("Wydruk"));
    SpeedButton4 = ui::button(this, "SpeedButton4", QStringLiteral("Powrót"));
    for (QPushButton *button : {SpeedButton2, SpeedButton3, SpeedButton4})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Twyliczenie_f::Timer1Timer);

    connect(listam, &QComboBox::activated, this, [this] { listamClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton4Click);

    fixSize();
}

bool Twyliczenie_f::FormCreate()
{
    Timer1->start();
    m_yearText = m_state.yearText;
    setWindowTitle(QStringLiteral("Rok obliczeniowy ") + m_yearText);
    Label1->setText(m_state.header1);
    Label2->setText(m_state.header2);
    Label3->setText(m_state.header3);

    return Guarded(m_seams.dialogs, [this] {
        const QString stem = m_state.yearStem;
        const QString numeratorPath = YearFile(m_state.workingDir, stem, QStringLiteral(".num"));
        CreateIfMissing(numeratorPath, numerator::defaultRecord());
        m_state.results.stem = stem;

        // Each record replaces the shared one only once it has been read whole, so a file that
        // fails leaves the settlement window's copy as it was.
        Record mileageRecord(mileage::kSize);
        ReadRecord(YearFile(m_state.workingDir, stem, QStringLiteral(".prz")), mileageRecord);
        m_state.mileageRecord = std::move(mileageRecord);
        Record costRecord(cost::kSize);
        ReadRecord(YearFile(m_state.workingDir, stem, QStringLiteral(".eks")), costRecord);
        m_state.costRecord = std::move(costRecord);
        Record numeratorRecord(numerator::kSize);
        ReadRecord(numeratorPath, numeratorRecord);

        {
            const QSignalBlocker blocker(listam);
            listam->clear();
            listam->addItems(MonthNames());
        }
        int month = m_seams.clock.today().month();
        if (month < 1 || month > 12)
            month = 1;
        listam->setCurrentIndex(month - 1);
        Label5->setText(MonthNames().at(month - 1));
        selectMonth(month);
    });
}

void Twyliczenie_f::listamClick()
{
    const int index = listam->currentIndex();
    if (index < 0)
        return;
    Label5->setText(listam->currentText());
    selectMonth(index + 1);
}

void Twyliczenie_f::selectMonth(int month)
{
    m_month = month;
    m_state.results.month = month;
    m_state.results.title = QStringLiteral("Rozliczenie miesiąca ") + MonthNames().at(month - 1) +
                            QLatin1Char(' ') + m_yearText;
    WyliczKoszty();
}

void Twyliczenie_f::WyliczKoszty()
{
    const settlement::MonthFigures figures = settlement::WyliczKoszty(
        m_state.mileageRecord, m_state.costRecord, m_month, m_state.results);
    Label7->setText(settlement::FigureText(figures.mileage));
    Label9->setText(settlement::FigureText(figures.costs));
    Label11->setText(settlement::FigureText(figures.cumulativeMileage));
    Label13->setText(settlement::FigureText(figures.cumulativeCosts));
    Label17->setText(settlement::FigureText(figures.toBook));
    Label18->setText(settlement::FigureText(figures.vat));
}

void Twyliczenie_f::Timer1Timer()
{
    Panel1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
}

void Twyliczenie_f::SpeedButton1Click()
{
    Panel3->hide();
}

void Twyliczenie_f::SpeedButton2Click()
{
    Panel3->show();
    Panel3->raise();
}

void Twyliczenie_f::SpeedButton3Click()
{
    m_windows.open(ui::WindowId::PrintPanel);
}

void Twyliczenie_f::SpeedButton4Click()
{
    leave();
}
