#include "wyliczenie.h"

#include "clientrecords.h"
#include "datetext.h"
#include "eksportcsv.h"
#include "guard.h"
#include "koszty.h"
#include "porada.h"
#include "recordfile.h"
#include "statusnote.h"
#include "widgets.h"

#include "ui_wyliczenie.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

using namespace storage;

namespace {

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

} // namespace

Twyliczenie_f::Twyliczenie_f(ProgramState &state, Seams &seams, ui::WindowOpener &windows,
                             QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_state(state), m_seams(seams), m_windows(windows),
      m_ui(std::make_unique<Ui::WyliczenieForm>())
{
    m_ui->setupUi(this);

    ui::makeHeading(m_ui->Label4, 1.4);
    m_ui->Label5->setMinimumWidth(
        m_ui->Label5->fontMetrics().horizontalAdvance(QStringLiteral("Październik")));
    // The figures: right-aligned in a monospaced font, wide enough for 15 digits.
    for (QLabel *value :
         {m_ui->Label7, m_ui->Label9, m_ui->Label11, m_ui->Label13, m_ui->Label17, m_ui->Label18}) {
        value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 15);
    }
    // Room for the longest advice, December's, within the width of the figures.
    m_ui->Label19->setMinimumHeight(m_ui->Label19->fontMetrics().lineSpacing() * 3);
    QPalette ruleColours = m_ui->ruleBox->palette();
    ruleColours.setColor(QPalette::Window, QColor(0xd3, 0xd3, 0xd3));
    m_ui->ruleBox->setPalette(ruleColours);
    m_ui->Panel3->setLines(helpLines());
    m_ui->Panel1->setMinimumWidth(
        m_ui->Panel1->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 20);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Twyliczenie_f::Timer1Timer);

    connect(m_ui->listam, &QComboBox::activated, this, [this] { listamClick(); });
    connect(m_ui->Panel3->backButton(), &QPushButton::clicked, this,
            &Twyliczenie_f::SpeedButton1Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton2Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton3Click);
    connect(m_ui->SpeedButton4, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton4Click);
    connect(m_ui->SpeedButton5, &QPushButton::clicked, this, &Twyliczenie_f::SpeedButton5Click);

    addStatusLine();
    fixSize();
}

Twyliczenie_f::~Twyliczenie_f() = default;

bool Twyliczenie_f::FormCreate()
{
    Timer1->start();
    m_yearText = m_state.yearText;
    m_stem = m_state.yearStem;
    m_owner = m_state.ownerRecord;
    setWindowTitle(QStringLiteral("Rok obliczeniowy ") + m_yearText);
    m_ui->Label1->setText(m_state.header1);
    m_ui->Label2->setText(m_state.header2);
    m_ui->Label3->setText(m_state.header3);

    return Guarded(m_seams.dialogs, [this] {
        const QString numeratorPath = YearFile(m_state.workingDir, m_stem, QStringLiteral(".num"));
        CreateIfMissing(numeratorPath, numerator::defaultRecord());

        // Each record replaces the shared one only once it has been read whole, so a file that
        // fails leaves the settlement window's copy as it was.
        Record mileageRecord(mileage::kSize);
        ReadRecord(YearFile(m_state.workingDir, m_stem, QStringLiteral(".prz")), mileageRecord);
        Record costRecord(cost::kSize);
        ReadRecord(YearFile(m_state.workingDir, m_stem, QStringLiteral(".eks")), costRecord);
        m_state.mileageRecord = mileageRecord;
        m_state.costRecord = costRecord;
        m_mileage = std::move(mileageRecord);
        m_costs = std::move(costRecord);
        Record numeratorRecord(numerator::kSize);
        ReadRecord(numeratorPath, numeratorRecord);
        m_results = CalculationResults{};
        m_results.stem = m_stem;

        {
            const QSignalBlocker blocker(m_ui->listam);
            m_ui->listam->clear();
            m_ui->listam->addItems(MonthNames());
        }
        int month = m_seams.clock.today().month();
        if (month < 1 || month > 12)
            month = 1;
        m_ui->listam->setCurrentIndex(month - 1);
        m_ui->Label5->setText(MonthNames().at(month - 1));
        selectMonth(month);
    });
}

void Twyliczenie_f::listamClick()
{
    const int index = m_ui->listam->currentIndex();
    if (index < 0)
        return;
    m_ui->Label5->setText(m_ui->listam->currentText());
    selectMonth(index + 1);
}

void Twyliczenie_f::selectMonth(int month)
{
    m_month = month;
    m_results.month = month;
    m_results.title = QStringLiteral("Rozliczenie miesiąca ") + MonthNames().at(month - 1) +
                      QLatin1Char(' ') + m_yearText;
    WyliczKoszty();
}

void Twyliczenie_f::WyliczKoszty()
{
    const settlement::MonthFigures figures =
        settlement::WyliczKoszty(m_mileage, m_costs, m_month, m_results);
    m_ui->Label7->setText(settlement::FigureText(figures.mileage));
    m_ui->Label9->setText(settlement::FigureText(figures.costs));
    m_ui->Label11->setText(settlement::FigureText(figures.cumulativeMileage));
    m_ui->Label13->setText(settlement::FigureText(figures.cumulativeCosts));
    m_ui->Label17->setText(settlement::FigureText(figures.toBook));
    m_ui->Label18->setText(settlement::FigureText(figures.vat));
    m_ui->Label19->setText(settlement::NapiszPorade(m_mileage, m_costs, m_month));
}

void Twyliczenie_f::Timer1Timer()
{
    m_ui->Panel1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
}

void Twyliczenie_f::SpeedButton1Click()
{
    m_ui->Panel3->hide();
}

void Twyliczenie_f::SpeedButton2Click()
{
    m_ui->Panel3->show();
    m_ui->Panel3->raise();
}

void Twyliczenie_f::SpeedButton3Click()
{
    // The panel takes its copy of these when it opens.
    m_state.results = m_results;
    m_state.statementOwner = m_owner;
    m_state.statementCosts = m_costs;
    m_windows.open(ui::WindowId::PrintPanel);
}

void Twyliczenie_f::SpeedButton5Click()
{
    const QString proposed =
        QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(m_state.workingDir))
                                     .filePath(m_stem + QStringLiteral(".csv")));
    const std::optional<QString> path =
        m_seams.dialogs.saveFileName(QStringLiteral("Eksport CSV"), proposed,
                                     QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    if (!path || path->isEmpty())
        return;
    const bool saved = Guarded(m_seams.dialogs, [&] {
        settlement::ZapiszCsv(*path,
                              settlement::EksportujCsv(m_owner, m_yearText, m_mileage, m_costs));
    });
    if (saved)
        ui::StatusNote::post(
            QStringLiteral("Zapisano plik CSV %1.").arg(QFileInfo(*path).fileName()));
}

void Twyliczenie_f::SpeedButton4Click()
{
    leave();
}
