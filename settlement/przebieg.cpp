#include "przebieg.h"

#include "clientrecords.h"
#include "datetext.h"
#include "guard.h"
#include "recordfile.h"
#include "textrules.h"
#include "widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

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

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

RegisterCellDelegate::RegisterCellDelegate(Keys keys, QObject *parent)
    : QStyledItemDelegate(parent), m_keys(keys)
{
}

std::optional<QChar> RegisterCellDelegate::AmountKey(QChar typed)
{
    return settlement::AmountKey(typed);
}

QWidget *RegisterCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        auto *self = const_cast<RegisterCellDelegate *>(this);
        connect(edit, &QLineEdit::textChanged, self,
                [self, edit] { Q_EMIT self->commitData(edit); });
    }
    return editor;
}

void RegisterCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // The cell changed under the open editor (a timer tick): show the new text, keeping the
    // cursor where it was; the editor's own changes come back equal and are left alone.
    const QString text = index.data(Qt::EditRole).toString();
    if (edit->text() == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

bool RegisterCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (m_keys == Keys::Amount && edit && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        // Keys without a character, and control characters (Backspace, Tab, Enter, Escape,
        // the editing shortcuts), keep their usual meaning.
        const bool character =
            !typed.isEmpty() && std::none_of(typed.begin(), typed.end(), isControl);
        if (character) {
            QString accepted;
            for (QChar c : typed) {
                if (const std::optional<QChar> key = AmountKey(c))
                    accepted.append(*key);
            }
            if (accepted != typed) {
                if (!accepted.isEmpty())
                    edit->insert(accepted);
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

Tprzebieg_f::Tprzebieg_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(FormWindow::Placement::StayOnTop, parent), m_state(state), m_seams(seams)
{
    setObjectName(QStringLiteral("przebieg_f"));
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    columns->addLayout(left);

    Label1 = ui::label(this, "Label1", QStringLiteral("Przebieg pojazdu"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    Label1->setFont(heading);
    left->addWidget(Label1);
    Label7 = ui::label(this, "Label7", QStringLiteral("........"));
    Label8 = ui::label(this, "Label8", QStringLiteral("........"));
    Label3 = ui::label(this, "Label3", QStringLiteral("........"));
    for (QLabel *header : {Label7, Label8, Label3})
        left->addWidget(header);

    przebieg = ui::named(new QTableWidget(kMonths, 3, this), "przebieg");
    przebieg->setAccessibleName(Label1->text());
    przebieg->setHorizontalHeaderLabels(columnCaptions());
    przebieg->setVerticalHeaderLabels(MonthNames());
    przebieg->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    przebieg->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    przebieg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    przebieg->verticalHeader()->setDefaultSectionSize(
        std::max(kRowHeight, przebieg->fontMetrics().height() + 6));
    przebieg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    przebieg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    przebieg->setSelectionMode(QAbstractItemView::SingleSelection);
    przebieg->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    przebieg->setTabKeyNavigation(true);
    przebieg->setItemDelegate(
        new RegisterCellDelegate(RegisterCellDelegate::Keys::Amount, przebieg));
    for (int row = 0; row < kMonths; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            przebieg->setItem(row, column, item);
        }
    }
    const int frame = 2 * przebieg->frameWidth();
    const int monthColumn = przebieg->verticalHeader()->sizeHint().width();
    const int captionRow = przebieg->horizontalHeader()->sizeHint().height();
    przebieg->setFixedSize(monthColumn + 3 * kColumnWidth + frame,
                           captionRow + kMonths * przebieg->verticalHeader()->defaultSectionSize() +
                               frame);
    przebieg->setCurrentCell(0, 0);
    left->addWidget(przebieg);

    // The sums stand under their columns.
    auto *sums = new QHBoxLayout;
    sums->setSpacing(0);
    Label2 = ui::label(this, "Label2", QStringLiteral("SUMA"));
    Label2->setFixedWidth(monthColumn + przebieg->frameWidth());
    Label4 = ui::label(this, "Label4", QStringLiteral("0.00"));
    Label5 = ui::label(this, "Label5", QStringLiteral("0.00"));
    Label4->setAccessibleName(QStringLiteral("Suma kilometrów"));
    Label5->setAccessibleName(QStringLiteral("Suma kwot"));
    for (QLabel *sum : {Label4, Label5}) {
        sum->setFixedWidth(kColumnWidth);
        sum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    sums->addWidget(Label2);
    sums->addWidget(Label4);
    sums->addSpacing(kColumnWidth);
    sums->addWidget(Label5);
    sums->addStretch();
    left->addLayout(sums);

    auto *right = new QVBoxLayout;
    columns->addLayout(right);
    Panel2 = ui::label(this, "Panel2", QString());
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setMinimumHeight(28);
    Panel2->setAccessibleName(QStringLiteral("Zegar"));
    right->addWidget(Panel2);

    GroupBox1 = ui::named(new QGroupBox(QStringLiteral("Automat"), this), "GroupBox1");
    auto *automat = new QVBoxLayout(GroupBox1);
    p1 = ui::named(new QRadioButton(QStringLiteral("Tak"), GroupBox1), "p1");
    p2 = ui::named(new QRadioButton(QStringLiteral("Nie"), GroupBox1), "p2");
    p2->setChecked(true);
    automat->addWidget(p1);
    automat->addWidget(p2);
    right->addWidget(GroupBox1);
    Label6 = ui::label(this, "Label6", QStringLiteral("Ob. ręczne"));
    Label6->setMinimumWidth(
        Label6->fontMetrics().horizontalAdvance(QStringLiteral("Ob. automatyczne")));
    right->addWidget(Label6);
    right->addStretch();
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Pomoc"));
    SpeedButton3 = ui::button(this, "SpeedButton3", QStringLiteral("Powrót"));
    right->addWidget(SpeedButton2);
    right->addWidget(SpeedButton3);

    // The help panel lies over the window while it is shown.
    Panel1 = ui::named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    auto *help = new QVBoxLayout(Panel1);
    Memo1 = ui::memo(Panel1, "Memo1", helpLines());
    Memo1->setAccessibleName(QStringLiteral("Pomoc"));
    help->addWidget(Memo1);
    SpeedButton1 = ui::button(Panel1, "SpeedButton1", QStringLiteral("Powrót"));
    help->addWidget(SpeedButton1, 0, Qt::AlignRight);
    Panel1->hide();

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);

    connect(Timer1, &QTimer::timeout, this, &Tprzebieg_f::Timer1Timer);
    connect(p1, &QRadioButton::clicked, this, &Tprzebieg_f::p1Click);
    connect(p2, &QRadioButton::clicked, this, &Tprzebieg_f::p2Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton2Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton1Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Tprzebieg_f::SpeedButton3Click);

    fixSize();
}

QString Tprzebieg_f::filePath() const
{
    return YearFile(m_state.workingDir, m_stem, QStringLiteral(".prz"));
}

settlement::MileageGrid Tprzebieg_f::grid() const
{
    settlement::MileageGrid cells;
    for (int row = 0; row < kMonths; ++row) {
        cells[row].kilometres = przebieg->item(row, 0)->text();
        cells[row].rate = przebieg->item(row, 1)->text();
        cells[row].amount = przebieg->item(row, 2)->text();
    }
    return cells;
}

void Tprzebieg_f::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = przebieg->item(row, column);
    if (item->text() != text)
        item->setText(text);
}

void Tprzebieg_f::setGrid(const settlement::MileageGrid &cells)
{
    for (int row = 0; row < kMonths; ++row) {
        setCell(row, 0, cells[row].kilometres);
        setCell(row, 1, cells[row].rate);
        setCell(row, 2, cells[row].amount);
    }
}

void Tprzebieg_f::setAutomatic(settlement::MileageAmounts amounts)
{
    m_amounts = amounts;
    p1->setChecked(amounts == settlement::MileageAmounts::Automatic);
    p2->setChecked(amounts != settlement::MileageAmounts::Automatic);
}

bool Tprzebieg_f::FormCreate()
{
    m_year = m_state.yearText;
    m_stem = m_state.yearStem;
    Label7->setText(m_state.header1);
    Label8->setText(m_state.header2);
    Label3->setText(m_state.header3);
    return Guarded(m_seams.dialogs, [this] {
        Timer1->start();
        setWindowTitle(QStringLiteral("Rok obliczeniowy ") + m_year);
        przebieg->setHorizontalHeaderLabels(columnCaptions());
        przebieg->setVerticalHeaderLabels(MonthNames());

        const QString path = filePath();
        CreateIfMissing(path, mileage::defaultRecord());
        Record record(mileage::kSize);
        ReadRecord(path, record);
        setGrid(settlement::MileageGridOf(record));
        setAutomatic(settlement::MileageAmountsFromFlag(record.byte(mileage::kAutomaticFlag)));
    });
}

void Tprzebieg_f::p1Click()
{
    setAutomatic(settlement::MileageAmounts::Automatic);
}

void Tprzebieg_f::p2Click()
{
    setAutomatic(settlement::MileageAmounts::ByHand);
}

void Tprzebieg_f::Timer1Timer()
{
    const settlement::MileageView view = settlement::RefreshMileage(grid(), m_amounts);
    setGrid(view.grid);
    Panel2->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    Label6->setText(m_amounts == settlement::MileageAmounts::Automatic
                        ? QStringLiteral("Ob. automatyczne")
                        : QStringLiteral("Ob. ręczne"));
    Label4->setText(view.kilometreSum);
    Label5->setText(view.amountSum);
}

void Tprzebieg_f::SpeedButton2Click()
{
    Panel1->setGeometry(rect().adjusted(8, 8, -8, -8));
    Panel1->raise();
    Panel1->show();
}

void Tprzebieg_f::SpeedButton1Click()
{
    Panel1->hide();
}

void Tprzebieg_f::SpeedButton3Click()
{
    Guarded(m_seams.dialogs, [this] {
        const settlement::MileageGrid typed = grid();
        const Record record = settlement::MileageRecord(typed, m_amounts);
        setGrid(settlement::NormalisedMileage(typed));
        WriteRecord(filePath(), record);
        leave();
    });
}

void Tprzebieg_f::hideEvent(QHideEvent *event)
{
    Timer1->stop();
    FormWindow::hideEvent(event);
}
