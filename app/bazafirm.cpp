#include "bazafirm.h"

#include "blokada.h"
#include "clientrecords.h"
#include "formwindow.h"
#include "guard.h"
#include "paths.h"
#include "recordfile.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;

namespace {

const QString kAddTitle = QStringLiteral("Dodaj nowego klienta");
const QString kAddPrompt = QStringLiteral("Podaj przyjazną nazwę (np. Jan Kowalski)");

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

Tbaza_f::Tbaza_f(ProgramState &state, Seams &seams, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_seams(seams), m_klienci(registerfile::kSize),
      m_owner(owner::kSize)
{
    setObjectName(QStringLiteral("baza_f"));

    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);

    auto *left = new QVBoxLayout;
    Panel1 = named(new QLabel(central), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumHeight(28);
    Panel1->setAccessibleName(QStringLiteral("Wybrany klient"));
    left->addWidget(Panel1);

    Label2 = named(new QLabel(QStringLiteral("Lista podmiotów"), central), "Label2");
    left->addWidget(Label2);
    lista_k = named(new QListWidget(central), "lista_k");
    lista_k->setAccessibleName(Label2->text());
    Label2->setBuddy(lista_k);
    lista_k->setMinimumSize(380, 300);
    left->addWidget(lista_k, 1);

    auto *buttons = new QHBoxLayout;
    SpeedButton4 = named(new QPushButton(QStringLiteral("Dodaj do listy"), central), "SpeedButton4");
    SpeedButton3 = named(new QPushButton(QStringLiteral("Popraw wpis"), central), "SpeedButton3");
    SpeedButton2 = named(new QPushButton(QStringLiteral("Usuń z listy"), central), "SpeedButton2");
    for (QPushButton *button : {SpeedButton4, SpeedButton3, SpeedButton2}) {
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    left->addLayout(buttons);

    Memo1 = named(new QPlainTextEdit(central), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("Instrukcja"));
    Memo1->setPlainText(QStringList{
        QStringLiteral("1. Aby księgować koszty lub je wyliczać wskaż nazwę klienta na liście i "
                       "kliknij myszką dwa razy"),
        QStringLiteral("2. Aby dodać nowego klienta do listy wskaż wolne miejsce na liście a "
                       "następnie uruchom przycisk Dodaj do listy. W powstałym okienku podaj "),
        QStringLiteral("nazwę przyjazną ( taką pod którą chcesz aby ten klient wystepował)."),
        QStringLiteral("3. Aby usunąć klienta z listy, wskaż jego nazwę i uruchom przycisk Usuń z "
                       "listy. "),
    }.join(QLatin1Char('\n')));
    Memo1->setFixedHeight(110);
    left->addWidget(Memo1);
    columns->addLayout(left);

    // The right half carries the calendar banner.
    auto *banner = named(new QFrame(central), "banner");
    banner->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    banner->setFixedWidth(285);
    columns->addWidget(banner);

    setCentralWidget(central);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tbaza_f::Timer1Timer);

    connect(lista_k, &QListWidget::itemPressed, this, [this] { lista_kClick(); });
    // Moving through the list with the keyboard counts as a click on the new line; a mouse
    // press is handled above, once.
    connect(lista_k, &QListWidget::currentRowChanged, this, [this] {
        if (QApplication::mouseButtons() == Qt::NoButton)
            lista_kClick();
    });
    // A double-click, or Enter on a line, opens the client.
    connect(lista_k, &QListWidget::itemActivated, this, [this] { lista_kDblClick(); });
    connect(SpeedButton4, &QPushButton::clicked, this, &Tbaza_f::SpeedButton4Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Tbaza_f::SpeedButton3Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tbaza_f::SpeedButton2Click);

    adjustSize();
    setFixedSize(sizeHint());
}

void Tbaza_f::FormCreate()
{
    setWindowTitle(QStringLiteral("Baza firm programu Mirtal 5.02"));
    Guarded(m_seams.dialogs, [this] {
        Timer1->start();
        for (QPushButton *button : {SpeedButton2, SpeedButton3, SpeedButton4})
            button->setEnabled(false);
        loadRegister();
    });
}

QString Tbaza_f::registerPath() const
{
    return PathIn(m_state.baseDir, QStringLiteral("\\DANE\\klienci.dat"));
}

void Tbaza_f::loadRegister()
{
    const QString path = registerPath();
    if (!FileExists(path))
        WriteRecord(path, registerfile::defaultRecord());
    ReadRecord(path, m_klienci);

    const QSignalBlocker blocker(lista_k);
    lista_k->clear();
    for (int position = 1; position <= registerfile::kPositions; ++position)
        lista_k->addItem(m_klienci.text(registerfile::line(position)));
    lista_k->setCurrentRow(0);
    refreshOwnerHint();
}

void Tbaza_f::saveRegister()
{
    for (int position = 1; position <= registerfile::kPositions; ++position)
        m_klienci.setText(registerfile::line(position), lista_k->item(position - 1)->text());
    WriteRecord(registerPath(), m_klienci);
}

QString Tbaza_f::currentClientNumber() const
{
    const int row = lista_k->currentRow();
    return row < 0 ? QString() : ClientNumber(row);
}

void Tbaza_f::refreshOwnerHint()
{
    const QString number = currentClientNumber();
    if (number.isEmpty())
        return;
    const QString path = ClientFile(m_state.baseDir, number, QStringLiteral(".dat"));
    if (!FileExists(path))
        return;
    ReadRecord(path, m_owner);
    Panel1->setToolTip(m_owner.text(owner::nazwa1) + QLatin1Char('\n') + m_owner.text(owner::nazwa2)
                       + QLatin1Char('\n') + m_owner.text(owner::nazwa3));
}

void Tbaza_f::lista_kClick()
{
    Guarded(m_seams.dialogs, [this] { refreshOwnerHint(); });
}

void Tbaza_f::lista_kDblClick()
{
    const QString number = currentClientNumber();
    if (number.isEmpty())
        return;
    Guarded(m_seams.dialogs, [&] {
        const QString lock = LockPath(m_state.baseDir, number);
        if (TakeClientLock(lock, m_state.heldLockPath) == LockOutcome::Busy) {
            m_seams.dialogs.notice(
                QStringLiteral("Informacja"),
                QStringLiteral("Rekord danych chwilowo zajęty przez innego użytkownika.\n"
                               "Poczekaj na jego zwolnienie a następnie ponów operację"));
            return;
        }
        m_state.currentClient = number;
        if (m_settlement)
            m_settlement->prepareAndOpen();
    });
}

void Tbaza_f::SpeedButton4Click()
{
    QListWidgetItem *item = lista_k->currentItem();
    if (!item)
        return;
    const std::optional<QString> name = m_seams.dialogs.inputText(kAddTitle, kAddPrompt, QString());
    if (!name)
        return;
    item->setText(currentClientNumber() + QLatin1Char(' ') + *name);
    Guarded(m_seams.dialogs, [this] { saveRegister(); });
}

void Tbaza_f::SpeedButton3Click()
{
    QListWidgetItem *item = lista_k->currentItem();
    if (!item)
        return;
    const QString number = currentClientNumber();
    const QString line = item->text();
    const QString initial = line.size() > 4 ? line.mid(4) : QString();
    const std::optional<QString> name = m_seams.dialogs.inputText(kAddTitle, kAddPrompt, initial);
    if (!name)
        return;
    item->setText(number + QLatin1Char(' ') + *name);
    Guarded(m_seams.dialogs, [this] { saveRegister(); });
}

void Tbaza_f::SpeedButton2Click()
{
    QListWidgetItem *item = lista_k->currentItem();
    if (!item)
        return;
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie..."), QStringLiteral("Usunąć wpis z listy ?")))
        return;
    const QString number = currentClientNumber();
    item->setText(number);
    Guarded(m_seams.dialogs, [&] {
        saveRegister();
        for (const QString &file : RemovedClientFiles(m_state.baseDir, number))
            DeleteFile(file);
    });
}

void Tbaza_f::Timer1Timer()
{
    const QListWidgetItem *item = lista_k->currentItem();
    if (!item)
        return;
    Panel1->setText(item->text());
    const bool free = item->text().size() <= 3;
    SpeedButton4->setEnabled(free);
    SpeedButton3->setEnabled(!free);
    SpeedButton2->setEnabled(!free);
}
