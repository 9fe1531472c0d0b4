#include "eksploatacja.h"

#include "clientrecords.h"
#include "daterules.h"
#include "datetext.h"
#include "fileerror.h"
#include "guard.h"
#include "helppanel.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"
#include "registercelldelegate.h"
#include "registergrid.h"
#include "statusnote.h"
#include "textcodec.h"
#include "textrules.h"
#include "ui_eksploatacja.h"
#include "widgets.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <optional>

using namespace seams;
using namespace storage;

namespace {

constexpr int kColumns = 5;
constexpr int kColumnWidths[kColumns] = {75, 322, 89, 61, 59};
// "Rodzaj wydatku" gives way to a longer date or document number down to this width.
constexpr int kKindMinimumWidth = 160;

const QString kPhraseFile = storage::phrasefile::kName;

const QStringList &headerLabels()
{
    static const QStringList labels{QStringLiteral("Data"), QStringLiteral("Rodzaj wydatku"),
                                    QStringLiteral("Nr dokumentu"), QStringLiteral("Kwota"),
                                    QStringLiteral("Vat [zł]")};
    return labels;
}

const QStringList &helpLines()
{
    static const QStringList lines{
        QStringLiteral("Koszty eksploatacji pojazdu to koszty poniesione z tytułu zakupu paliwa, "
                       "napraw itp. Podstawą do naliczenia tych kosztów są "),
        QStringLiteral("faktury Vat otrzymane przez właściciela pojazdu. Koszty te są wpisywane do "
                       "odpowiednich pól poczynając od daty."),
        QStringLiteral("Datę można wpisywać ręcznie lub będąc w odpowienim wierszu wpisu uruchomić "
                       "przycisk DATA. Do pola zostanie wstawiona "),
        QStringLiteral("data pobrana z zegara komutera."),
        QStringLiteral("Kolejną czynnością jest wpisanie rodzju poniesionych wydatków. Treść można "
                       "wpisywać \"ręcznie\" lub wcześniej przygotować "),
        QStringLiteral("częściej występujące hasła w edytorze treści. Po uruchomieniu przycisku "
                       "EDYTOR TREŚCI na ekranie powstanie standartowy "),
        QStringLiteral("edytor Windows. Kolejne hasła-treści należy wpisywać od nowej linijki. Po "
                       "zakończeniu wpisywanie, zawartość edytora należy "),
        QStringLiteral("zapisać w opcji PLIKI uruchamiając opcję ZACHOWAJ."),
        QStringLiteral("Jeżeli w edytorze zostały zapisane częściej występujące treści rodzaju "
                       "wydatków, można je wstawiać do pól przez uruchomienie "),
        QStringLiteral("przycisku WSTAW TREŚĆ. Na ekranie powstanie lista ułożonych alfabetycznie "
                       "treści. Właściwą treść należy odszukać klikając "),
        QStringLiteral("w obszarze listy myszką i klawiszami góra/dół lub myszką wertować listę aż "
                       "do znależienia szukanej treści."),
        QStringLiteral("Ostanią czynnościa jest wpisanie kwoty netto poniesionych wydatków i kwoty "
                       "podatku Vat. Wpisane kwoty sumują się "),
        QStringLiteral("automatycznie."),
        QStringLiteral("Zapis danych następuje w momencie opuszczania formatki przyciskiem "
                       "KONIEC."),
        QStringLiteral(""),
        QStringLiteral("Dla ułatwienia wpisywania kwot podatku Vat przewidziano możliwość "
                       "włączenia automatycznego jego obliczania. Standartowo "),
        QStringLiteral("przyjęto stawkę 22 i 7 procent. Można też zdefiniować własną stawkę. Po "
                       "uruchomieniu przycisku KONIEC, ustalenia dotyczące "),
        QStringLiteral("podaku Vat zostaną zapamietane."),
    };
    return lines;
}

} // namespace

Teksploatacja_f::Teksploatacja_f(const QString &workingDir, Seams &seams, QWidget *parent)
    : YearWindow(FormWindow::Placement::StayOnTop, parent), m_workingDir(workingDir),
      m_seams(seams), m_record(cost::kSize), m_ui(std::make_unique<Ui::Teksploatacja_f>())
{
    m_ui->setupUi(this);
    ui::makeHeading(m_ui->Label1, 1.5);
    m_ui->lista->addItems(MonthNames());

    QTableWidget *eksp = m_ui->eksp;
    // The column widths, widened where the font would cut a date or an amount.
    const QFontMetrics metrics = eksp->fontMetrics();
    const int padding = 2 * eksp->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    QList<int> widths(std::begin(kColumnWidths), std::end(kColumnWidths));
    widths[cost::kDate] = std::max(
        widths[cost::kDate], metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + padding);
    for (int column : {cost::kNet, cost::kVat})
        widths[column] = std::max(widths[column],
                                  metrics.horizontalAdvance(QStringLiteral("00000.00")) + padding);
    auto *amountCells = new ui::RegisterCellDelegate(settlement::AmountKey, eksp);
    eksp->setItemDelegate(new ui::RegisterCellDelegate({}, eksp));
    eksp->setItemDelegateForColumn(cost::kNet, amountCells);
    eksp->setItemDelegateForColumn(cost::kVat, amountCells);
    ui::RegisterLayout layout;
    layout.captions = headerLabels();
    layout.widths = widths;
    layout.rightAligned = {cost::kNet, cost::kVat};
    layout.rows = cost::kRows;
    ui::LayOutRegisterGrid(eksp, layout);
    // Enter reaches the grid also from an open cell editor, which passes the key on to it; the
    // cell already holds the editor's text.
    eksp->installEventFilter(this);

    // The sums stand under their columns.
    m_ui->Label2->setFixedWidth(eksp->frameWidth() + widths[cost::kDate] + widths[cost::kKind] +
                                widths[cost::kDocument] - 6);
    m_ui->Label3->setFixedWidth(widths[cost::kNet]);
    m_ui->Label4->setFixedWidth(widths[cost::kVat]);

    m_registerGrid = new ui::RegisterGrid(eksp);
    m_registerGrid->setChecker([this](int, int column, const QString &text) {
        return column == cost::kDate ? settlement::CostDateReason(text, m_month, yearText().toInt())
                                     : QString();
    });
    m_registerGrid->fitColumns({cost::kDate, cost::kDocument}, cost::kKind, kKindMinimumWidth);

    listaTr = ui::named(new QListWidget(this), "listaTr");
    listaTr->setAccessibleName(QStringLiteral("Treści"));
    listaTr->installEventFilter(this);
    listaTr->hide();

    Panel2 = ui::named(new ui::HelpPanel(this), "Panel2");
    Panel2->setLines(helpLines());

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);

    connect(Timer1, &QTimer::timeout, this, &Teksploatacja_f::Timer1Timer);
    connect(m_ui->lista, &QComboBox::activated, this, &Teksploatacja_f::listaClick);
    connect(m_ui->Button2, &QPushButton::clicked, this, &Teksploatacja_f::Button2Click);
    connect(m_ui->Button3, &QPushButton::clicked, this, &Teksploatacja_f::Button3Click);
    connect(m_ui->Button4, &QPushButton::clicked, this, &Teksploatacja_f::Button4Click);
    connect(listaTr, &QListWidget::itemDoubleClicked, this, &Teksploatacja_f::listaTrDblClick);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton3Click);
    connect(Panel2->backButton(), &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton1Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton2Click);
    // What the user changes, however it is changed (typed, pasted, a phrase or the date put in,
    // the accessibility interface), is what an automatic leave saves.
    connect(eksp, &QTableWidget::itemChanged, this, &Teksploatacja_f::markEdited);
    connect(m_ui->innyvat, &QLineEdit::textChanged, this, &Teksploatacja_f::markEdited);
    for (QRadioButton *mode : {m_ui->v1, m_ui->v2, m_ui->v3, m_ui->v4})
        connect(mode, &QRadioButton::toggled, this, &Teksploatacja_f::markEdited);

    addStatusLine();
    fixSize();
}

Teksploatacja_f::~Teksploatacja_f() = default;

QString Teksploatacja_f::phrasePath() const
{
    return PathIn(m_workingDir, kPhraseFile);
}

void Teksploatacja_f::markEdited()
{
    if (!m_filling)
        m_edited = true;
}

QString Teksploatacja_f::cell(int row, int column) const
{
    return m_ui->eksp->item(row, column)->text();
}

void Teksploatacja_f::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_ui->eksp->item(row, column);
    if (item->text() != text)
        item->setText(text);
}

int Teksploatacja_f::currentRow() const
{
    return std::max(m_ui->eksp->currentRow(), 0);
}

settlement::CostMonth Teksploatacja_f::rows() const
{
    settlement::CostMonth cells;
    for (int row = 0; row < cost::kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            cells[row][column] = cell(row, column);
    }
    return cells;
}

void Teksploatacja_f::setRows(const settlement::CostMonth &cells)
{
    const bool filling = m_filling;
    m_filling = true;
    for (int row = 0; row < cost::kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            setCell(row, column, cells[row][column]);
    }
    m_filling = filling;
}

void Teksploatacja_f::loadGrid()
{
    setRows(settlement::CostMonthOf(m_record, m_month));
}

void Teksploatacja_f::storeGrid(const settlement::CostMonth &cells)
{
    settlement::CostMonth normalised = cells;
    for (settlement::CostRow &row : normalised)
        row = settlement::NormalisedRow(row);
    setRows(normalised);
    settlement::StoreCostMonth(m_record, m_month, normalised);
}

settlement::VatMode Teksploatacja_f::vatMode() const
{
    if (m_ui->v2->isChecked())
        return settlement::VatMode::Vat22;
    if (m_ui->v3->isChecked())
        return settlement::VatMode::Vat7;
    if (m_ui->v4->isChecked())
        return settlement::VatMode::OtherVat;
    return settlement::VatMode::NoVat;
}

bool Teksploatacja_f::FormCreate()
{
    // At program start, before the settlement window has read any year, there is nothing to show.
    if (!year())
        return true;
    m_ui->Label6->setText(headers().first);
    m_ui->Label7->setText(headers().second);
    m_ui->Label8->setText(headers().third);
    m_filling = true;
    const bool done = Guarded(m_seams.dialogs, [this] {
        m_ui->v1->setChecked(true);
        listaTr->hide();
        Timer1->start();
        setWindowTitle(QStringLiteral("Rok obliczeniowy ") + year()->year());

        m_ui->eksp->setHorizontalHeaderLabels(headerLabels());
        {
            const QSignalBlocker blocker(m_ui->lista);
            m_ui->lista->clear();
            m_ui->lista->addItems(MonthNames());
            m_month = m_seams.clock.today().month();
            m_ui->lista->setCurrentIndex(m_month - 1);
        }
        m_ui->Label5->setText(MonthNames().at(m_month - 1));

        m_record = year()->costs();
        const Record record = year()->vatSetting();
        // A mode byte outside 1..4 reads as the nearest mode (settlement::VatModeFromByte).
        const settlement::VatSetting setting = settlement::VatSettingOf(record);
        m_ui->innyvat->setText(setting.otherRate);
        switch (setting.mode) {
        case settlement::VatMode::NoVat:
            m_ui->v1->setChecked(true);
            break;
        case settlement::VatMode::Vat22:
            m_ui->v2->setChecked(true);
            break;
        case settlement::VatMode::Vat7:
            m_ui->v3->setChecked(true);
            break;
        case settlement::VatMode::OtherVat:
            m_ui->v4->setChecked(true);
            break;
        }

        loadGrid();
        if (m_ui->eksp->currentRow() < 0)
            m_ui->eksp->setCurrentCell(0, 0);
        m_ui->eksp->setFocus();
    });
    m_filling = false;
    m_edited = false;
    return done;
}

void Teksploatacja_f::listaClick()
{
    const int chosen = m_ui->lista->currentIndex() + 1;
    if (chosen < 1 || !year())
        return;
    Guarded(m_seams.dialogs, [this, chosen] {
        storeGrid(rows());
        year()->saveCosts(m_record);
        m_ui->Label5->setText(MonthNames().at(chosen - 1));
        m_month = chosen;
        loadGrid();
        // The changes that Ctrl+Z undoes were made to the month shown before.
        m_registerGrid->forget();
        m_registerGrid->recheck();
    });
    backToGrid();
}

void Teksploatacja_f::backToGrid()
{
    if (m_ui->eksp->currentRow() < 0)
        m_ui->eksp->setCurrentCell(0, 0);
    m_ui->eksp->setFocus();
}

void Teksploatacja_f::ekspKeyDown(int key)
{
    if (key != 13)
        return;
    settlement::CostMonth cells = rows();
    for (settlement::CostRow &row : cells)
        row = settlement::NormalisedRow(row);
    setRows(cells);
}

void Teksploatacja_f::Timer1Timer()
{
    const settlement::CostView view =
        settlement::RefreshCosts(rows(), currentRow(), vatMode(), m_ui->innyvat->text());
    setRows(view.rows);
    m_ui->Panel1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    m_ui->Label3->setText(view.sums.net);
    m_ui->Label4->setText(view.sums.vat);
}

void Teksploatacja_f::Button2Click()
{
    const int row = currentRow();
    m_registerGrid->change([&] {
        if (cell(row, cost::kDate).isEmpty())
            setCell(row, cost::kDate, ShortDate(m_seams.clock.today(), m_seams.regional));
    });
    backToGrid();
}

void Teksploatacja_f::Button3Click()
{
    const QString path = phrasePath();
    if (!FileExists(path)) {
        backToGrid();
        return;
    }
    Guarded(m_seams.dialogs, [this, &path] {
        const QRect area = m_ui->eksp->geometry();
        const int left = area.left() + m_ui->eksp->frameWidth() +
                         m_ui->eksp->columnViewportPosition(cost::kKind);
        const int top = area.top() + m_ui->eksp->horizontalHeader()->height();
        listaTr->setGeometry(left, top, m_ui->eksp->columnWidth(cost::kKind), area.bottom() - top);
        listaTr->raise();
        listaTr->show();
        listaTr->clear();

        listaTr->addItems(settlement::SortedPhrases(ReadTextLines(path)));
        listaTr->setFocus();
    });
}

void Teksploatacja_f::Button4Click()
{
#ifdef Q_OS_WIN
    m_seams.programs.startDetached(QStringLiteral("notepad.exe"), {kPhraseFile}, m_workingDir);
#else
    QString program = QStringLiteral("xdg-open");
    for (const char *editor :
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(editor));
        if (!found.isEmpty()) {
            program = found;
            break;
        }
    }
    m_seams.programs.startDetached(program, {phrasePath()}, m_workingDir);
#endif
}

void Teksploatacja_f::listaTrDblClick()
{
    const QListWidgetItem *phrase = listaTr->currentItem();
    const int row = currentRow();
    m_registerGrid->change([&] {
        if (phrase && phrase->isSelected() && cell(row, cost::kKind).isEmpty())
            setCell(row, cost::kKind, phrase->text());
    });
    listaTr->hide();
    backToGrid();
}

void Teksploatacja_f::listaTrKeyDown(int key)
{
    if (key == 27) {
        listaTr->hide();
        backToGrid();
    }
}

void Teksploatacja_f::SpeedButton3Click()
{
    Panel2->showOver(rect().adjusted(8, 8, -8, -8));
}

void Teksploatacja_f::SpeedButton1Click()
{
    Panel2->hide();
}

void Teksploatacja_f::SpeedButton2Click()
{
    returnWithNote();
}

QString Teksploatacja_f::returnNote() const
{
    return QStringLiteral("Zapisano eksploatację roku %1.").arg(yearText());
}

void Teksploatacja_f::removeCurrentRow()
{
    const int row = currentRow();
    QStringList invoice;
    for (int column = 0; column < kColumns; ++column) {
        if (!cell(row, column).trimmed().isEmpty())
            invoice << cell(row, column).trimmed();
    }
    if (invoice.isEmpty())
        return;
    // The question names the client and the invoice; Enter keeps the row.
    if (!m_seams.dialogs.question(
            QStringLiteral("Pytanie..."),
            QStringLiteral("Usunąć fakturę z wiersza %1 ?").arg(row + 1), Dialogs::Default::No,
            m_ui->Label6->text() + QLatin1Char('\n') + invoice.join(QStringLiteral("  ")))) {
        backToGrid();
        return;
    }
    m_registerGrid->change([&] {
        settlement::CostMonth cells = rows();
        std::move(cells.begin() + row + 1, cells.end(), cells.begin() + row);
        cells.back() = settlement::CostRow{};
        setRows(cells);
    });
    ui::StatusNote::post(QStringLiteral("Usunięto fakturę z wiersza %1.").arg(row + 1));
    backToGrid();
}

bool Teksploatacja_f::leaveAsReturn()
{
    if (!year()) {
        leave();
        return true;
    }
    return Guarded(m_seams.dialogs, [this] {
        storeGrid(settlement::CostMonthForSave(rows()));
        settlement::SetCostYearTotals(m_record);
        year()->saveCosts(m_record);
        year()->saveVatSetting(settlement::VatSettingRecord({m_ui->innyvat->text(), vatMode()}));
        m_edited = false;
        leave();
    });
}

bool Teksploatacja_f::leaveAutomatically()
{
    if (m_edited)
        return leaveAsReturn();
    leave();
    return true;
}

bool Teksploatacja_f::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_ui->eksp && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // Every row normalised, then on down the same column: a month is typed with Enter
            // and Tab alone.
            ekspKeyDown(13);
            ui::MoveToNextRow(m_ui->eksp);
            return true;
        }
        if (watched == m_ui->eksp && key == Qt::Key_Delete &&
            static_cast<QKeyEvent *>(event)->modifiers() == Qt::ControlModifier &&
            !m_registerGrid->editing()) {
            removeCurrentRow();
            return true;
        }
        if (watched == listaTr && key == Qt::Key_Escape) {
            // Escape closes the list only; the window stays.
            listaTrKeyDown(27);
            return true;
        }
        if (watched == listaTr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            listaTrDblClick();
            return true;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

void Teksploatacja_f::hideEvent(QHideEvent *event)
{
    // leave() disables the window before it hides it; a minimise or any other hiding of a
    // window still open leaves it working.
    if (!isEnabled())
        Timer1->stop();
    FormWindow::hideEvent(event);
}
