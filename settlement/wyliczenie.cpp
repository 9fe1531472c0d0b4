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

using namespace seams;
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

Twyliczenie_f::Twyliczenie_f(Seams &seams, PrintPanelOpener openPrintPanel, QWidget *parent)
    : YearWindow(Placement::StayOnTop, parent), m_seams(seams),
      m_openPrintPanel(std::move(openPrintPanel)), m_ui(std::make_unique<Ui::Twyliczenie_f>())
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
    m_calculated = false;
    // At program start, before the settlement window has read any year, there is nothing to
    // work out.
    if (!year())
        return true;
    setWindowTitle(QStringLiteral("Rok obliczeniowy ") + year()->year());
    m_ui->Label1->setText(headers().first);
    m_ui->Label2->setText(headers().second);
    m_ui->Label3->setText(headers().third);

    return Guarded(m_seams.dialogs, [this] {
        year()->numerator();
        m_results = settlement::CalculationResults{};
        m_results.stem = year()->stem();

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
        m_calculated = true;
    });
}

void Twyliczenie_f::watchYear(settlement::ClientYear &year)
{
    // A register saved while the calculation is open: its month is worked out again.
    const auto recalculate = [this] {
        if (m_calculated)
            WyliczKoszty();
    };
    connect(&year, &settlement::ClientYear::mileageChanged, this, recalculate);
    connect(&year, &settlement::ClientYear::costsChanged, this, recalculate);
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
                      QLatin1Char(' ') + year()->year();
    WyliczKoszty();
}

void Twyliczenie_f::WyliczKoszty()
{
    if (!year())
        return;
    const Record &mileage = year()->mileage();
    const Record &costs = year()->costs();
    const settlement::MonthFigures figures =
        settlement::WyliczKoszty(mileage, costs, m_month, m_results);
    m_ui->Label7->setText(settlement::FigureText(figures.mileage));
    m_ui->Label9->setText(settlement::FigureText(figures.costs));
    m_ui->Label11->setText(settlement::FigureText(figures.cumulativeMileage));
    m_ui->Label13->setText(settlement::FigureText(figures.cumulativeCosts));
    m_ui->Label17->setText(settlement::FigureText(figures.toBook));
    m_ui->Label18->setText(settlement::FigureText(figures.vat));
    m_ui->Label19->setText(settlement::NapiszPorade(mileage, costs, m_month));
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
    if (!year())
        return;
    // The panel prints this copy until it is opened again; the owner record as last saved.
    m_openPrintPanel({m_results, year()->owner(), year()->costs(), year()});
}

void Twyliczenie_f::SpeedButton5Click()
{
    if (!year())
        return;
    const QString proposed =
        QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(year()->workingDir()))
                                     .filePath(year()->stem() + QStringLiteral(".csv")));
    const std::optional<QString> path =
        m_seams.dialogs.saveFileName(QStringLiteral("Eksport CSV"), proposed,
                                     QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    if (!path || path->isEmpty())
        return;
    const bool saved = Guarded(m_seams.dialogs, [&] {
        settlement::ZapiszCsv(*path, settlement::EksportujCsv(year()->owner(), year()->year(),
                                                              year()->mileage(), year()->costs()));
    });
    if (saved)
        ui::StatusNote::post(
            QStringLiteral("Zapisano plik CSV %1.").arg(QFileInfo(*path).fileName()));
}

void Twyliczenie_f::SpeedButton4Click()
{
    leave();
}
