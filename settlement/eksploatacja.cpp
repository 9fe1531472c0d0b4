#include "eksploatacja.h"

#include "clientrecords.h"
#include "datetext.h"
#include "fileerror.h"
#include "guard.h"
#include "paths.h"
#include "przebieg.h"
#include "recordfile.h"
#include "textcodec.h"
#include "widgets.h"

#include <QCollator>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace storage;

namespace {

constexpr int kColumns = 5;
constexpr int kColumnWidths[kColumns] = {75, 322, 89, 61, 59};

const QString kPhraseFile = QStringLiteral("DANE\\eksptresc.dat");

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

// The cost record is overwritten in place: the existing file is opened for writing without
// truncation, so a file removed while the window is open fails with "File not found" instead of
// being created again.
void OverwriteRecord(const QString &path, const Record &record)
{
    if (!FileExists(path))
        throw FileError::fromErrno(ENOENT, path);
    WriteRecord(path, record);
}

// One item a line; lines end in CR LF or LF, and a final line end makes no empty item.
QStringList PhraseLines(const QByteArray &bytes)
{
    QStringList lines = FromWindows1250(bytes).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

Teksploatacja_f::Teksploatacja_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(FormWindow::Placement::StayOnTop, parent), m_state(state), m_seams(seams),
      m_record(cost::kSize)
{
    setObjectName(QStringLiteral("eksploatacja_f"));
    auto *rows = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    rows->addLayout(top);
    auto *headers = new QVBoxLayout;
    top->addLayout(headers, 1);
    Label1 = ui::label(this, "Label1", QStringLiteral("Eksploatacja pojazdu"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    Label1->setFont(heading);
    headers->addWidget(Label1);
    Label6 = ui::label(this, "Label6", QString());
    Label7 = ui::label(this, "Label7", QString());
    Label8 = ui::label(this, "Label8", QString());
    for (QLabel *header : {Label6, Label7, Label8})
        headers->addWidget(header);

    auto *month = new QVBoxLayout;
    top->addLayout(month);
    lista = ui::named(new QComboBox(this), "lista");
    lista->setAccessibleName(QStringLiteral("Miesiąc"));
    lista->addItems(MonthNames());
    month->addWidget(lista);
    Label5 = ui::label(this, "Label5", QStringLiteral("Brak wybranego miesiąca"));
    QFont monthFont = Label5->font();
    monthFont.setBold(true);
    Label5->setFont(monthFont);
    month->addWidget(Label5);
    month->addStretch();

    Panel1 = ui::label(this, "Panel1", QString());
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumSize(90, 28);
    Panel1->setAccessibleName(QStringLiteral("Zegar"));
    top->addWidget(Panel1, 0, Qt::AlignTop);

    eksp = ui::named(new QTableWidget(cost::kRows, kColumns, this), "eksp");
    eksp->setAccessibleName(Label1->text());
    eksp->setHorizontalHeaderLabels(headerLabels());
    eksp->verticalHeader()->hide();
    eksp->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    eksp->verticalHeader()->setDefaultSectionSize(eksp->fontMetrics().height() + 6);
    eksp->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The column widths, widened where the font would cut a date or an amount.
    const QFontMetrics metrics = eksp->fontMetrics();
    const int padding = 2 * eksp->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    int widths[kColumns];
    std::copy(std::begin(kColumnWidths), std::end(kColumnWidths), std::begin(widths));
    widths[cost::kDate] = std::max(
        widths[cost::kDate], metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + padding);
    for (int column : {cost::kNet, cost::kVat})
        widths[column] = std::max(widths[column],
                                  metrics.horizontalAdvance(QStringLiteral("00000.00")) + padding);
    int gridWidth = 0;
    for (int column = 0; column < kColumns; ++column) {
        eksp->setColumnWidth(column, widths[column]);
        gridWidth += widths[column];
    }
    eksp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    eksp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    eksp->setSelectionMode(QAbstractItemView::SingleSelection);
    eksp->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    eksp->setTabKeyNavigation(true);
    auto *textCells = new RegisterCellDelegate(RegisterCellDelegate::Keys::Any, eksp);
    auto *amountCells = new RegisterCellDelegate(RegisterCellDelegate::Keys::Amount, eksp);
    eksp->setItemDelegate(textCells);
    eksp->setItemDelegateForColumn(cost::kNet, amountCells);
    eksp->setItemDelegateForColumn(cost::kVat, amountCells);
    for (int row = 0; row < cost::kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto *item = new QTableWidgetItem;
            if (column >= cost::kNet)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            eksp->setItem(row, column, item);
        }
    }
    const int frame = 2 * eksp->frameWidth();
    eksp->setFixedSize(gridWidth + frame,
                       eksp->horizontalHeader()->sizeHint().height() +
                           cost::kRows * eksp->verticalHeader()->defaultSectionSize() + frame);
    eksp->setCurrentCell(0, 0);
    // Enter reaches the grid also from an open cell editor, which passes the key on to it; the
    // cell already holds the editor's text.
    eksp->installEventFilter(this);
    rows->addWidget(eksp);

    auto *sums = new QHBoxLayout;
    sums->setSpacing(0);
    Label2 = ui::label(this, "Label2", QStringLiteral("RAZEM"));
    Label3 = ui::label(this, "Label3", QStringLiteral("0.00"));
    Label4 = ui::label(this, "Label4", QStringLiteral("0.00"));
    Label3->setAccessibleName(QStringLiteral("Razem netto"));
    Label4->setAccessibleName(QStringLiteral("Razem Vat"));
    Label2->setFixedWidth(eksp->frameWidth() + widths[cost::kDate] + widths[cost::kKind] +
                          widths[cost::kDocument] - 6);
    Label3->setFixedWidth(widths[cost::kNet]);
    Label4->setFixedWidth(widths[cost::kVat]);
    for (QLabel *sum : {Label2, Label3, Label4})
        sum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sums->addWidget(Label2);
    sums->addSpacing(6);
    sums->addWidget(Label3);
    sums->addWidget(Label4);
    sums->addStretch();
    rows->addLayout(sums);

    auto *bottom = new QHBoxLayout;
    rows->addLayout(bottom);
    auto *entryButtons = new QVBoxLayout;
    bottom->addLayout(entryButtons);
    Button2 = ui::button(this, "Button2", QStringLiteral("&Data"));
    Button3 = ui::button(this, "Button3", QStringLiteral("&Wstaw treść"));
    Button4 = ui::button(this, "Button4", QStringLiteral("&Edytor treści"));
    for (QPushButton *button : {Button2, Button3, Button4})
        entryButtons->addWidget(button);

    RadioGroup1 = ui::named(new QGroupBox(QStringLiteral("Obliczanie Vat"), this), "RadioGroup1");
    auto *modes = new QGridLayout(RadioGroup1);
    v1 = ui::named(new QRadioButton(QStringLiteral("Nie licz"), RadioGroup1), "v1");
    v2 = ui::named(new QRadioButton(QStringLiteral("Licz 22%"), RadioGroup1), "v2");
    v3 = ui::named(new QRadioButton(QStringLiteral("Licz 7%"), RadioGroup1), "v3");
    v4 = ui::named(new QRadioButton(QStringLiteral("Licz inny"), RadioGroup1), "v4");
    v1->setChecked(true);
    modes->addWidget(v1, 0, 0);
    modes->addWidget(v2, 0, 1);
    modes->addWidget(v3, 1, 0);
    modes->addWidget(v4, 1, 1);
    bottom->addWidget(RadioGroup1);

    RadioGroup2 = ui::named(new QGroupBox(QStringLiteral("Inny Vat [%]"), this), "RadioGroup2");
    auto *otherRate = new QVBoxLayout(RadioGroup2);
    innyvat = ui::edit(RadioGroup2, "innyvat", nullptr);
    innyvat->setAccessibleName(RadioGroup2->title());
    innyvat->setText(QStringLiteral("0"));
    innyvat->setMaximumWidth(60);
    otherRate->addWidget(innyvat);
    bottom->addWidget(RadioGroup2);
    bottom->addStretch();

    auto *leaveButtons = new QVBoxLayout;
    bottom->addLayout(leaveButtons);
    SpeedButton3 = ui::button(this, "SpeedButton3", QStringLiteral("Pomoc"));
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Powrót"));
    leaveButtons->addWidget(SpeedButton3);
    leaveButtons->addWidget(SpeedButton2);

    // The phrase list and the help panel lie over the window while they are shown.
    listaTr = ui::named(new QListWidget(this), "listaTr");
    listaTr->setAccessibleName(QStringLiteral("Treści"));
    listaTr->installEventFilter(this);
    listaTr->hide();

    Panel2 = ui::named(new QFrame(this), "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setAutoFillBackground(true);
    auto *help = new QVBoxLayout(Panel2);
    Memo1 = ui::memo(Panel2, "Memo1", helpLines());
    Memo1->setAccessibleName(QStringLiteral("Pomoc"));
    help->addWidget(Memo1);
    SpeedButton1 = ui::button(Panel2, "SpeedButton1", QStringLiteral("Powrót"));
    help->addWidget(SpeedButton1, 0, Qt::AlignRight);
    Panel2->hide();

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);

    connect(Timer1, &QTimer::timeout, this, &Teksploatacja_f::Timer1Timer);
    connect(lista, &QComboBox::activated, this, &Teksploatacja_f::listaClick);
    connect(Button2, &QPushButton::clicked, this, &Teksploatacja_f::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Teksploatacja_f::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &Teksploatacja_f::Button4Click);
    connect(listaTr, &QListWidget::itemDoubleClicked, this, &Teksploatacja_f::listaTrDblClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton3Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Teksploatacja_f::SpeedButton2Click);

    fixSize();
}

QString Teksploatacja_f::costPath() const
{
    return YearFile(m_state.workingDir, m_stem, QStringLiteral(".eks"));
}

QString Teksploatacja_f::vatPath() const
{
    return YearFile(m_state.workingDir, m_stem, QStringLiteral(".vat"));
}

QString Teksploatacja_f::phrasePath() const
{
    return PathIn(m_state.workingDir, kPhraseFile);
}

QString Teksploatacja_f::cell(int row, int column) const
{
    return eksp->item(row - 1, column)->text();
}

void Teksploatacja_f::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = eksp->item(row - 1, column);
    if (item->text() != text)
        item->setText(text);
}

int Teksploatacja_f::currentRow() const
{
    return std::max(eksp->currentRow(), 0) + 1;
}

settlement::CostMonth Teksploatacja_f::rows() const
{
    settlement::CostMonth cells;
    for (int row = 1; row <= cost::kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            cells[row - 1][column] = cell(row, column);
    }
    return cells;
}

void Teksploatacja_f::setRows(const settlement::CostMonth &cells)
{
    for (int row = 1; row <= cost::kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            setCell(row, column, cells[row - 1][column]);
    }
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

void Teksploatacja_f::writeCosts()
{
    OverwriteRecord(costPath(), m_record);
}

settlement::VatMode Teksploatacja_f::vatMode() const
{
    if (v2->isChecked())
        return settlement::VatMode::Vat22;
    if (v3->isChecked())
        return settlement::VatMode::Vat7;
    if (v4->isChecked())
        return settlement::VatMode::OtherVat;
    return settlement::VatMode::NoVat;
}

bool Teksploatacja_f::FormCreate()
{
    m_year = m_state.yearText;
    m_stem = m_state.yearStem;
    Label6->setText(m_state.header1);
    Label7->setText(m_state.header2);
    Label8->setText(m_state.header3);
    return Guarded(m_seams.dialogs, [this] {
        v1->setChecked(true);
        listaTr->hide();
        Timer1->start();
        setWindowTitle(QStringLiteral("Rok obliczeniowy ") + m_year);

        eksp->setHorizontalHeaderLabels(headerLabels());
        {
            const QSignalBlocker blocker(lista);
            lista->clear();
            lista->addItems(MonthNames());
            m_month = m_seams.clock.today().month();
            lista->setCurrentIndex(m_month - 1);
        }
        Label5->setText(MonthNames().at(m_month - 1));

        CreateIfMissing(costPath(), cost::defaultRecord());
        ReadRecord(costPath(), m_record);

        CreateIfMissing(vatPath(), vatsetting::defaultRecord());
        Record record(vatsetting::kSize);
        ReadRecord(vatPath(), record);
        // A mode byte outside 1..4 reads as the nearest mode (settlement::VatModeFromByte).
        const settlement::VatSetting setting = settlement::VatSettingOf(record);
        innyvat->setText(setting.otherRate);
        switch (setting.mode) {
        case settlement::VatMode::NoVat:
            v1->setChecked(true);
            break;
        case settlement::VatMode::Vat22:
            v2->setChecked(true);
            break;
        case settlement::VatMode::Vat7:
            v3->setChecked(true);
            break;
        case settlement::VatMode::OtherVat:
            v4->setChecked(true);
            break;
        }

        loadGrid();
        if (eksp->currentRow() < 0)
            eksp->setCurrentCell(0, 0);
    });
}

void Teksploatacja_f::listaClick()
{
    const int chosen = lista->currentIndex() + 1;
    if (chosen < 1)
        return;
    Guarded(m_seams.dialogs, [this, chosen] {
        storeGrid(rows());
        writeCosts();
        Label5->setText(MonthNames().at(chosen - 1));
        m_month = chosen;
        loadGrid();
    });
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
        settlement::RefreshCosts(rows(), currentRow(), vatMode(), innyvat->text());
    setRows(view.rows);
    Panel1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    Label3->setText(view.sums.net);
    Label4->setText(view.sums.vat);
}

void Teksploatacja_f::Button2Click()
{
    const int row = currentRow();
    if (cell(row, cost::kDate).isEmpty())
        setCell(row, cost::kDate, ShortDate(m_seams.clock.today(), m_seams.regional));
}

void Teksploatacja_f::Button3Click()
{
    const QString path = phrasePath();
    if (!FileExists(path))
        return;
    Guarded(m_seams.dialogs, [this, &path] {
        const QRect area = eksp->geometry();
        const int left =
            area.left() + eksp->frameWidth() + eksp->columnViewportPosition(cost::kKind);
        const int top = area.top() + eksp->horizontalHeader()->height();
        listaTr->setGeometry(left, top, eksp->columnWidth(cost::kKind), area.bottom() - top);
        listaTr->raise();
        listaTr->show();
        listaTr->clear();

        QStringList phrases = PhraseLines(ReadTextFile(path));
        QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(phrases.begin(), phrases.end(), collator);
        listaTr->addItems(phrases);
        listaTr->setFocus();
    });
}

void Teksploatacja_f::Button4Click()
{
#ifdef Q_OS_WIN
    m_seams.programs.startDetached(QStringLiteral("notepad.exe"), {kPhraseFile},
                                   m_state.workingDir);
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
    m_seams.programs.startDetached(program, {phrasePath()}, m_state.workingDir);
#endif
}

void Teksploatacja_f::listaTrDblClick()
{
    const QListWidgetItem *phrase = listaTr->currentItem();
    const int row = currentRow();
    if (phrase && phrase->isSelected() && cell(row, cost::kKind).isEmpty())
        setCell(row, cost::kKind, phrase->text());
    listaTr->hide();
}

void Teksploatacja_f::listaTrKeyDown(int key)
{
    if (key == 27)
        listaTr->hide();
}

void Teksploatacja_f::SpeedButton3Click()
{
    Panel2->setGeometry(rect().adjusted(8, 8, -8, -8));
    Panel2->raise();
    Panel2->show();
}

void Teksploatacja_f::SpeedButton1Click()
{
    Panel2->hide();
}

void Teksploatacja_f::SpeedButton2Click()
{
    Guarded(m_seams.dialogs, [this] {
        storeGrid(settlement::CostMonthForSave(rows()));
        settlement::SetCostYearTotals(m_record);
        writeCosts();
        WriteRecord(vatPath(), settlement::VatSettingRecord({innyvat->text(), vatMode()}));
        leave();
    });
}

bool Teksploatacja_f::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == eksp && (key == Qt::Key_Return || key == Qt::Key_Enter))
            ekspKeyDown(13);
        else if (watched == listaTr && key == Qt::Key_Escape)
            listaTrKeyDown(27);
    }
    return FormWindow::eventFilter(watched, event);
}

void Teksploatacja_f::hideEvent(QHideEvent *event)
{
    Timer1->stop();
    FormWindow::hideEvent(event);
}
