#include "przebieg.h"

#include "clientrecords.h"
#include "datetext.h"
#include "ewidencja.h"
#include "ewidencjarules.h"
#include "guard.h"
#include "printdialogs.h"
#include "recordfile.h"
#include "registercelldelegate.h"
#include "registergrid.h"
#include "statusnote.h"
#include "textrules.h"
#include "widgets.h"

#include "helppanel.h"
#include "ui_przebieg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

using namespace seams;
using namespace storage;

namespace {

constexpr int kMonths = 12;
constexpr int kColumnWidth = 80;
constexpr int kRowHeight = 16;

const QStringList &helpLines()
{
    static const QStringList lines{
        QStringLiteral("Przebieg pojazdu obliczany jest jako iloczyn kilometrów i ustalonego "),
        QStringLiteral("przelicznika. W każdym miesiącu należy podsumować kilometry i "),
        QStringLiteral("wpisać "),
        QStringLiteral("je do odpowiedniego pola. Po wpisaniu wartości przelicznika nastąpi "),
        QStringLiteral("wyliczenie kwoty przebiegu pojazdu w danym miesiącu."),
        QStringLiteral(""),
        QStringLiteral("Wyliczenia kwoty przebiegu mogą odbywać się przy włączonym "),
        QStringLiteral("automacie lub przy jego wyłączeniu. W tym przypadku kwotę należy "),
        QStringLiteral("obliczyć \"ręcznie\" i wpisać ją do odopowiedniego pola."),
        QStringLiteral(""),
        QStringLiteral("Sumowanie kwot z poszczególnych miesięcy odbywa się automatycznie, "),
        QStringLiteral("a wyliczona suma kwot jest podstawą do wyliczenia faktycznych "),
        QStringLiteral("kosztów użytkowania samochodu do prowadzenia działalności "),
        QStringLiteral("gospodarczej. Kwota ta zostaje zapamiętana i jednocześnie "),
        QStringLiteral("przenoszona do okna formatki głównej."),
        QStringLiteral(""),
        QStringLiteral("Wszystkie wpisane dane są zapamiętywane w momencie opuszczania "),
        QStringLiteral("formatki przyciskiem \"Koniec\"."),
    };
    return lines;
}

const QStringList &columnCaptions()
{
    static const QStringList captions{QStringLiteral("Kilometry"), QStringLiteral("Przelicznik"),
                                      QStringLiteral("Kwota")};
    return captions;
}

} // namespace

Tprzebieg_f::Tprzebieg_f(Seams &seams, QWidget *parent)
    : YearWindow(FormWindow::Placement::StayOnTop, parent), m_seams(seams),
      m_ui(std::make_unique<Ui::Tprzebieg_f>())
{
    m_ui->setupUi(this);
    ui::makeHeading(m_ui->Label1, 1.5);

    QTableWidget *grid = m_ui->przebieg;
    grid->setItemDelegate(new ui::RegisterCellDelegate(settlement::AmountKey, grid));
    ui::RegisterLayout layout;
    layout.captions = columnCaptions();
    layout.widths = {kColumnWidth, kColumnWidth, kColumnWidth};
    layout.rightAligned = {0, 1, 2};
    layout.rows = kMonths;
    layout.rowCaptions = MonthNames();
    layout.minimumRowHeight = kRowHeight;
    ui::LayOutRegisterGrid(grid, layout);
    // The sums stand under their columns.
    const int monthColumn = grid->verticalHeader()->sizeHint().width();
    grid->installEventFilter(this);
    m_registerGrid = new ui::RegisterGrid(grid);
    // With the automatic amounts the amount column is worked out, not typed.
    m_registerGrid->setEditable([this](int, int column) {
        return column != 2 || m_amounts != settlement::MileageAmounts::Automatic;
    });
    m_ui->Label2->setFixedWidth(monthColumn + grid->frameWidth());
    m_ui->Label6->setMinimumWidth(
        m_ui->Label6->fontMetrics().horizontalAdvance(QStringLiteral("Ob. automatyczne")));

    // The help panel lies over the window while it is shown.
    Panel1 = ui::named(new ui::HelpPanel(this), "Panel1");
    Panel1->setLines(helpLines());

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);

    connect(Timer1, &QTimer::timeout, this, &Tprzebieg_f::Timer1Timer);
    // The mode follows the checked button, however it got checked: a click, Space, an arrow key
    // within the group or the accessibility toggle action. Only the button that became checked
    // acts, so a click (which also toggles) is handled once.
    connect(m_ui->p1, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            p1Click();
    });
    connect(m_ui->p2, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            p2Click();
    });
    // A cell changed other than by setGrid(): typed, pasted or set through the accessibility
    // interface.
    connect(grid, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling)
            m_edited = true;
    });
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton2Click);
    connect(Panel1->backButton(), &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton1Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton3Click);
    connect(m_ui->SpeedButton4, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton4Click);

    fixSize();
}

Tprzebieg_f::~Tprzebieg_f() = default;

settlement::MileageGrid Tprzebieg_f::grid() const
{
    settlement::MileageGrid cells;
    for (int row = 0; row < kMonths; ++row) {
        cells[row].kilometres = m_ui->przebieg->item(row, 0)->text();
        cells[row].rate = m_ui->przebieg->item(row, 1)->text();
        cells[row].amount = m_ui->przebieg->item(row, 2)->text();
    }
    return cells;
}

void Tprzebieg_f::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_ui->przebieg->item(row, column);
    if (item->text() != text)
        item->setText(text);
}

void Tprzebieg_f::setGrid(const settlement::MileageGrid &cells)
{
    const bool filling = m_filling;
    m_filling = true;
    for (int row = 0; row < kMonths; ++row) {
        setCell(row, 0, cells[row].kilometres);
        setCell(row, 1, cells[row].rate);
        setCell(row, 2, cells[row].amount);
    }
    m_filling = filling;
}

void Tprzebieg_f::setAutomatic(settlement::MileageAmounts amounts)
{
    m_amounts = amounts;
    m_ui->p1->setChecked(amounts == settlement::MileageAmounts::Automatic);
    m_ui->p2->setChecked(amounts != settlement::MileageAmounts::Automatic);
}

void Tprzebieg_f::showRecord(const Record &record)
{
    const bool filling = m_filling;
    m_filling = true;
    setGrid(settlement::MileageGridOf(record));
    setAutomatic(settlement::MileageAmountsFromFlag(record.byte(mileage::kAutomaticFlag)));
    m_filling = filling;
    m_edited = false;
}

bool Tprzebieg_f::FormCreate()
{
    // At program start, before the settlement window has read any year, there is nothing to show.
    if (!year())
        return true;
    m_ui->Label7->setText(headers().first);
    m_ui->Label8->setText(headers().second);
    m_ui->Label3->setText(headers().third);
    Timer1->start();
    setWindowTitle(QStringLiteral("Rok obliczeniowy ") + year()->year());
    m_ui->przebieg->setHorizontalHeaderLabels(columnCaptions());
    m_ui->przebieg->setVerticalHeaderLabels(MonthNames());
    showRecord(year()->mileage());
    // The window opens on January's kilometres, ready to be typed.
    m_ui->przebieg->setCurrentCell(0, 0);
    m_ui->przebieg->setFocus();
    return true;
}

void Tprzebieg_f::watchYear(settlement::ClientYear &year)
{
    // Another window that saved this year's mileage: shown here unless the user has typed
    // something of their own meanwhile.
    connect(&year, &settlement::ClientYear::mileageChanged, this, [this] {
        if (!m_edited && this->year())
            showRecord(this->year()->mileage());
    });
}

void Tprzebieg_f::p1Click()
{
    if (!m_filling && m_amounts != settlement::MileageAmounts::Automatic)
        m_edited = true;
    setAutomatic(settlement::MileageAmounts::Automatic);
}

void Tprzebieg_f::p2Click()
{
    if (!m_filling && m_amounts != settlement::MileageAmounts::ByHand)
        m_edited = true;
    setAutomatic(settlement::MileageAmounts::ByHand);
}

void Tprzebieg_f::Timer1Timer()
{
    const settlement::MileageView view = settlement::RefreshMileage(grid(), m_amounts);
    setGrid(view.grid);
    m_ui->Panel2->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    m_ui->Label6->setText(m_amounts == settlement::MileageAmounts::Automatic
                              ? QStringLiteral("Ob. automatyczne")
                              : QStringLiteral("Ob. ręczne"));
    m_ui->Label4->setText(view.kilometreSum);
    m_ui->Label5->setText(view.amountSum);
}

void Tprzebieg_f::SpeedButton2Click()
{
    Panel1->showOver(rect().adjusted(8, 8, -8, -8));
}

void Tprzebieg_f::SpeedButton1Click()
{
    Panel1->hide();
}

void Tprzebieg_f::SpeedButton3Click()
{
    returnWithNote();
}

void Tprzebieg_f::SpeedButton4Click()
{
    if (!year())
        return;
    if (!m_tripLog) {
        if (!m_printDialogs) {
            m_ownPrintDialogs = std::make_unique<printing::QtPrintDialogs>();
            m_printDialogs = m_ownPrintDialogs.get();
        }
        m_tripLog = std::make_unique<Tewidencja_f>(m_seams, *m_printDialogs);
        m_tripLog->setOnSaved(
            [this](settlement::ClientYear &logYear, const QList<storage::Trip> &trips) {
                takeTrips(logYear, trips);
            });
    }
    // A log of this year with unsaved entries comes back as it stands; any other is left (and
    // saved when it holds entries) before it shows this year.
    if (m_tripLog->isVisible() || m_tripLog->isMinimized()) {
        if (m_tripLog->year() == year() && m_tripLog->holdsUnsavedEntries()) {
            m_tripLog->bringBack();
            return;
        }
        if (!m_tripLog->leaveAutomatically())
            return;
    }
    m_tripLog->setYear({year(), headers()});
    m_tripLog->prepareAndOpen();
}

void Tprzebieg_f::takeTrips(settlement::ClientYear &logYear, const QList<storage::Trip> &trips)
{
    const bool shown = year().get() == &logYear;
    const settlement::MileageGrid before =
        shown ? grid() : settlement::MileageGridOf(logYear.mileage());
    const settlement::MileageAmounts amounts =
        shown ? m_amounts
              : settlement::MileageAmountsFromFlag(logYear.mileage().byte(mileage::kAutomaticFlag));
    settlement::MileageFeed feed = settlement::FeedMileage(before, amounts, trips);
    // With automatic amounts the register saves what its next refresh would show.
    if (feed.amounts == settlement::MileageAmounts::Automatic)
        feed.grid = settlement::RefreshMileage(feed.grid, feed.amounts).grid;
    const Record record = settlement::MileageRecord(feed.grid, feed.amounts);
    if (shown) {
        const bool filling = m_filling;
        m_filling = true;
        setAutomatic(feed.amounts);
        setGrid(settlement::NormalisedMileage(feed.grid));
        m_filling = filling;
    }
    logYear.saveMileage(record);
    if (shown)
        m_edited = false;
    if (!feed.twoRateMonths.isEmpty()) {
        QStringList names;
        for (int month : feed.twoRateMonths)
            names << MonthNames().value(month - 1);
        ui::StatusNote::post(
            QStringLiteral("%1: dwie stawki w miesiącu; kwota jest sumą wartości wyjazdów, "
                           "przelicznik średni, obliczanie ręczne.")
                .arg(names.join(QStringLiteral(", "))));
    }
}

QString Tprzebieg_f::returnNote() const
{
    return QStringLiteral("Zapisano przebieg roku %1.").arg(yearText());
}

bool Tprzebieg_f::leaveAsReturn()
{
    // The log opened from here is left first: what it holds reaches the register before the
    // register saves.
    if (m_tripLog && (m_tripLog->isVisible() || m_tripLog->isMinimized()) &&
        !m_tripLog->leaveAutomatically())
        return false;
    if (!year()) {
        leave();
        return true;
    }
    return Guarded(m_seams.dialogs, [this] {
        const settlement::MileageGrid typed = grid();
        const Record record = settlement::MileageRecord(typed, m_amounts);
        setGrid(settlement::NormalisedMileage(typed));
        year()->saveMileage(record);
        m_edited = false;
        leave();
    });
}

bool Tprzebieg_f::leaveAutomatically()
{
    if (m_tripLog && (m_tripLog->isVisible() || m_tripLog->isMinimized()) &&
        !m_tripLog->leaveAutomatically())
        return false;
    if (m_edited)
        return leaveAsReturn();
    leave();
    return true;
}

bool Tprzebieg_f::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the grid, also passed on from a cell editor that has committed its text, moves to
    // the same column of the next month, so that a year is typed down a column.
    if (watched == m_ui->przebieg && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui::MoveToNextRow(m_ui->przebieg);
            return true;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

void Tprzebieg_f::hideEvent(QHideEvent *event)
{
    // leave() disables the window before it hides it; a minimise or any other hiding of a
    // window still open leaves it working.
    if (!isEnabled())
        Timer1->stop();
    FormWindow::hideEvent(event);
}
