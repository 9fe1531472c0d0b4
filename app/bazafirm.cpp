#include "bazafirm.h"

#include "blokada.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "databaseconnection.h"
#include "datetext.h"
#include "guard.h"
#include "kalendarz.h"
#include "lokalizacja.h"
#include "mirtalversion.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"
#include "registerrules.h"
#include "rejestr.h"
#include "startup.h"
#include "tapety.h"
#include "uruchomienia.h"
#include "widgets.h"
#include "windowopener.h"
#include "zabezpieczenieklienta.h"

#include "ui_bazafirm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

using namespace seams;
using namespace storage;
using printing::ApplyPrintFont;
using printing::kPrintFontFile;
using ui::WindowId;

namespace {

const QString kAddTitle = QStringLiteral("Dodaj nowego klienta");
const QString kAddPrompt = QStringLiteral("Podaj przyjazną nazwę (np. Jan Kowalski)");
const QString kQuestionCaption = QStringLiteral("Pytanie...");
// A line that another workstation changed since this screen showed it.
const QString kChangedElsewhere =
    QStringLiteral("Wpis na tej pozycji został w międzyczasie zmieniony na innym stanowisku.\n"
                   "Lista pokazuje teraz jego aktualną treść. Sprawdź go i w razie potrzeby "
                   "ponów operację.");

} // namespace

Tbaza_f::Tbaza_f(const QString &workingDir, LaunchValues &launch, Seams &seams,
                 ui::WindowOpener &windows, Openers openers, ui::ClientWindows &clientWindows,
                 printing::PrintFontStore &fonts, QWidget *parent)
    : QMainWindow(parent), m_workingDir(workingDir), m_baseDir(workingDir), m_launch(launch),
      m_seams(seams), m_windows(windows), m_openers(std::move(openers)),
      m_clientWindows(clientWindows), m_fonts(fonts),
      m_addOnDir(QCoreApplication::applicationDirPath()), m_owner(owner::kSize),
      m_ui(std::make_unique<Ui::Tbaza_f>()),
      m_wallpaper(tapety::ChooseWallpaperAhead(
          workingDir, static_cast<quint32>(seams.clock.now().toMSecsSinceEpoch() & 0xFFFFFFFF)))
{
    m_ui->setupUi(this);
    // The picture box and the banner around it take the size of the wallpapers.
    m_ui->Image1->setFixedSize(tapety::kWallpaperSize);
    m_ui->banner->setFixedWidth(tapety::kWallpaperSize.width() + 30);

    // A status bar of a form holds no widgets: the mode label is added here.
    Label3 = ui::label(this, "Label3", QString());
    statusBar()->addWidget(Label3, 1);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tbaza_f::Timer1Timer);

    connect(m_ui->lista_k, &QListWidget::itemPressed, this, [this] { lista_kClick(); });
    // Moving through the list with the keyboard counts as a click on the new line; a mouse
    // press is handled above, once.
    connect(m_ui->lista_k, &QListWidget::currentRowChanged, this, [this] {
        if (QApplication::mouseButtons() == Qt::NoButton)
            lista_kClick();
    });
    // A double-click, or Enter on a line (see eventFilter), opens the client; never a single
    // click, whatever the desktop's setting for activating items.
    connect(m_ui->lista_k, &QListWidget::itemDoubleClicked, this, [this] { lista_kDblClick(); });
    m_ui->lista_k->installEventFilter(this);
    connect(m_ui->SpeedButton4, &QPushButton::clicked, this, &Tbaza_f::SpeedButton4Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tbaza_f::SpeedButton3Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tbaza_f::SpeedButton2Click);
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Tbaza_f::SpeedButton1Click);
    connect(m_ui->SpeedButton5, &QPushButton::clicked, this, &Tbaza_f::SpeedButton5Click);
    connect(m_ui->SpeedButton6, &QPushButton::clicked, this, &Tbaza_f::SpeedButton6Click);
    connect(m_ui->SpeedButton7, &QPushButton::clicked, this, &Tbaza_f::SpeedButton7Click);
    connect(m_ui->SpeedButton8, &QPushButton::clicked, this, &Tbaza_f::SpeedButton8Click);

    const std::pair<QAction *, void (Tbaza_f::*)()> menuEntries[] = {
        {m_ui->erminarzzaj1, &Tbaza_f::erminarzzaj1Click},
        {m_ui->Mojenotatki1, &Tbaza_f::Mojenotatki1Click},
        {m_ui->Czcionkadruku1, &Tbaza_f::Czcionkadruku1Click},
        {m_ui->Narzedziaadministratora1, &Tbaza_f::Narzedziaadministratora1Click},
        {m_ui->Archiwizacjanainnychnonikach1, &Tbaza_f::Archiwizacjanainnychnonikach1Click},
        {m_ui->Koniecpracy1, &Tbaza_f::Koniecpracy1Click},
        {m_ui->Osieci1, &Tbaza_f::Osieci1Click},
        {m_ui->Ustawienia1, &Tbaza_f::Ustawienia1Click},
        {m_ui->Wizytwka1, &Tbaza_f::Wizytwka1Click},
        {m_ui->Historiauruchomie1, &Tbaza_f::Historiauruchomie1Click},
    };
    for (const auto &[action, handler] : menuEntries)
        connect(action, &QAction::triggered, this, handler);
    // F10 opens the first menu, as on other desktops; the menus also open with Alt and the
    // underlined letter.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });

    adjustSize();
    setFixedSize(sizeHint());
}

void Tbaza_f::FormCreate()
{
    Guarded(m_seams.dialogs, [this] {
        startup::PrepareFiles(m_launch, m_workingDir, m_seams);
        m_baseDir = m_workingDir;
        setWindowTitle(QStringLiteral("Baza firm programu Mirtal " MIRTAL_VERSION));

        const std::optional<ui::DatabaseConnection> database =
            ui::ConnectDatabase(m_workingDir, m_seams, true);
        if (!database)
            return; // the program has been ended
        m_baseDir = database->baseDir;
        Label3->setText(database->mode == lokalizacja::Network
                            ? QStringLiteral("Podłączono bazy sieciowe")
                            : QStringLiteral("Podłączono bazy lokalne"));

        showBanner();
        Timer1->start();
        for (QPushButton *button : {m_ui->SpeedButton2, m_ui->SpeedButton3, m_ui->SpeedButton4})
            button->setEnabled(false);

        m_fonts.CzytajFonty(kPrintFontFile);
        applyListFont();

        const QImage wallpaper = m_wallpaper.valid() ? m_wallpaper.get() : QImage();
        m_ui->Image1->setPixmap(wallpaper.isNull() ? QPixmap() : QPixmap::fromImage(wallpaper));

        loadRegister();
    });
}

Tbaza_f::~Tbaza_f() = default;

void Tbaza_f::showBanner()
{
    const kalendarz::DateBanner banner =
        kalendarz::BannerFor(m_seams.clock.today(), m_seams.regional);
    m_ui->Label14->setText(banner.nameDays);
    QFont font = m_ui->nazwadnia->font();
    font.setPointSize(kalendarz::DateBanner::kPoints);
    m_ui->nazwadnia->setFont(font);
    QPalette palette = m_ui->nazwadnia->palette();
    palette.setColor(QPalette::WindowText, banner.colour);
    m_ui->nazwadnia->setPalette(palette);
    m_ui->nazwadnia->setText(banner.dateLine);
}

void Tbaza_f::applyListFont()
{
    ApplyPrintFont(m_ui->lista_k, m_fonts.settings());
}

void Tbaza_f::loadRegister()
{
    const QString path = RegisterPath(m_baseDir);
    if (!FileExists(path))
        WriteRecord(path, registerfile::defaultRecord());
    Record record(registerfile::kSize);
    ReadRecord(path, record);

    const QSignalBlocker blocker(m_ui->lista_k);
    m_ui->lista_k->clear();
    for (int position = 1; position <= registerfile::kPositions; ++position)
        m_ui->lista_k->addItem(record.text(registerfile::line(position)));
    m_ui->lista_k->setCurrentRow(0);
    refreshOwnerHint();
}

void Tbaza_f::showRegister(const Record &record)
{
    // The lines are replaced in place, so the selected position stays selected.
    for (int position = 1; position <= registerfile::kPositions; ++position) {
        if (QListWidgetItem *item = m_ui->lista_k->item(position - 1))
            item->setText(record.text(registerfile::line(position)));
    }
    Timer1Timer();
}

// Replaces the selected position's line in the register on disk, provided it is still `shown`,
// the line this screen showed when the action began, and shows all the lines as they now are on
// disk, other workstations' changes included. Returns whether the line was saved.
bool Tbaza_f::changeRegisterLine(const QString &shown, const QString &newLine)
{
    const int position = m_ui->lista_k->currentRow() + 1;
    bool saved = false;
    GuardedOnDatabase(m_seams.dialogs, m_baseDir, [&] {
        const RegisterChange change = ChangeRegisterLine(m_baseDir, position, shown, newLine);
        showRegister(change.record);
        saved = change.outcome == RegisterChange::Outcome::Saved;
        if (!saved)
            m_seams.dialogs.notice(QStringLiteral("Informacja"), kChangedElsewhere);
    });
    return saved;
}

QString Tbaza_f::currentClientNumber() const
{
    const int row = m_ui->lista_k->currentRow();
    return row < 0 ? QString() : ClientNumber(row);
}

void Tbaza_f::refreshOwnerHint()
{
    const QString number = currentClientNumber();
    if (number.isEmpty())
        return;
    const QString path = OwnerFile(m_baseDir, number);
    if (!FileExists(path))
        return;
    ReadRecord(path, m_owner);
    m_ui->Panel1->setToolTip(m_owner.text(owner::nazwa1) + QLatin1Char('\n') +
                             m_owner.text(owner::nazwa2) + QLatin1Char('\n') +
                             m_owner.text(owner::nazwa3));
}

void Tbaza_f::lista_kClick()
{
    Guarded(m_seams.dialogs, [this] { refreshOwnerHint(); });
}

// The message for a client whose lock another copy holds. The lock's holder file, when there is
// one, tells whom to ask: a copy on this very workstation (a second window of the program), or
// another workstation since when, which also names a workstation that was switched off or
// crashed while holding the client, until an administrator clears its lock.
QString Tbaza_f::busyMessage(const QString &lockPath) const
{
    const std::optional<LockHolder> holder = ReadLockHolder(lockPath);
    if (holder && holder->workstation == ThisWorkstation())
        return QStringLiteral("Rekord danych jest otwarty w innej kopii programu na tym "
                              "stanowisku (od %1).\nZakończ tam pracę z tym klientem a następnie "
                              "ponów operację")
            .arg(holder->since.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    QString text = QStringLiteral("Rekord danych chwilowo zajęty przez innego użytkownika.\n"
                                  "Poczekaj na jego zwolnienie a następnie ponów operację");
    if (holder)
        text += QStringLiteral("\nKlient jest otwarty na stanowisku %1 od %2.")
                    .arg(holder->workstation,
                         holder->since.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    return text;
}

// Reads the register again and shows its lines as they now are. Returns the register as read.
Record Tbaza_f::rereadRegister()
{
    Record record(registerfile::kSize);
    ReadRecord(RegisterPath(m_baseDir), record);
    showRegister(record);
    return record;
}

void Tbaza_f::lista_kDblClick()
{
    const QString number = currentClientNumber();
    if (number.isEmpty())
        return;
    const QString shown = m_ui->lista_k->currentItem()->text();
    // Another workstation may have changed or removed the client since the list was shown: the
    // register is read again, and a line that changed is shown anew and not opened, so nothing
    // is written for a client that is gone.
    bool unchanged = false;
    if (!GuardedOnDatabase(m_seams.dialogs, m_baseDir, [&] {
            const Record record = rereadRegister();
            unchanged = record.text(registerfile::line(m_ui->lista_k->currentRow() + 1)) == shown;
        }))
        return;
    if (!unchanged) {
        m_seams.dialogs.notice(QStringLiteral("Informacja"), kChangedElsewhere);
        return;
    }
    const QString lock = LockPath(m_baseDir, number);
    // The open client's windows go first, saving what was typed, while its lock is still held.
    if (lock != m_heldLockPath && !m_clientWindows.closeAll())
        return;
    GuardedOnDatabase(m_seams.dialogs, m_baseDir, [&] {
        if (TakeClientLock(lock, m_heldLockPath, ThisWorkstation(), m_seams.clock.now()) ==
            LockOutcome::Busy) {
            m_seams.dialogs.notice(QStringLiteral("Informacja"), busyMessage(lock));
            return;
        }
        m_openers.settlement(number);
    });
}

void Tbaza_f::SpeedButton4Click()
{
    const QListWidgetItem *item = m_ui->lista_k->currentItem();
    if (!item)
        return;
    const QString shown = item->text();
    const std::optional<QString> name = m_seams.dialogs.inputText(kAddTitle, kAddPrompt, QString());
    if (!name)
        return;
    changeRegisterLine(shown, registerrules::LineOf(currentClientNumber(), *name));
}

void Tbaza_f::SpeedButton3Click()
{
    const QListWidgetItem *item = m_ui->lista_k->currentItem();
    if (!item)
        return;
    const QString number = currentClientNumber();
    const QString shown = item->text();
    const std::optional<QString> name =
        m_seams.dialogs.inputText(kAddTitle, kAddPrompt, registerrules::NameOnLine(shown));
    if (!name)
        return;
    changeRegisterLine(shown, registerrules::LineOf(number, *name));
}

void Tbaza_f::SpeedButton2Click()
{
    const QListWidgetItem *item = m_ui->lista_k->currentItem();
    if (!item)
        return;
    const QString shown = item->text();
    if (!m_seams.dialogs.question(kQuestionCaption, QStringLiteral("Usunąć wpis z listy ?"),
                                  Dialogs::Default::No, shown))
        return;
    const QString number = currentClientNumber();
    // Nothing is deleted, not even the register line, before the client's files are archived.
    if (!ZabezpieczKlienta(this, m_seams, m_addOnDir, m_baseDir, number))
        return;
    // The files belong to the client the screen showed; when the line was changed elsewhere,
    // they may be another client's now and stay.
    if (!changeRegisterLine(shown, number))
        return;
    Guarded(m_seams.dialogs, [&] {
        for (const QString &file : RemovedClientFiles(m_baseDir, number))
            DeleteFile(file);
    });
}

void Tbaza_f::startAddOn(AddOn addOn)
{
    const QString program = FindAddOn(AddOnProgram(addOn), m_addOnDir, m_workingDir);
    // An add-on that is not installed is simply not started.
    if (!program.isEmpty())
        m_seams.programs.startDetached(program, AddOnArguments(addOn), m_workingDir);
}

void Tbaza_f::startClientAddOn(AddOn addOn)
{
    const QString number = currentClientNumber();
    if (number.isEmpty())
        return;
    Guarded(m_seams.dialogs, [&] {
        // A client without an owner record is handed over with empty name lines, never with
        // the names of the client read before.
        m_owner.clear();
        refreshOwnerHint();
        const QString program = FindAddOn(AddOnProgram(addOn), m_addOnDir, m_workingDir);
        if (program.isEmpty())
            return;
        m_seams.programs.startDetached(
            program,
            AddOnArguments(addOn, number, m_owner.text(owner::nazwa1), m_owner.text(owner::nazwa2)),
            m_workingDir);
    });
}

void Tbaza_f::SpeedButton5Click()
{
    startAddOn(AddOn::TaskReader);
}

void Tbaza_f::SpeedButton6Click()
{
    startClientAddOn(AddOn::Tasks);
}

void Tbaza_f::SpeedButton7Click()
{
    startClientAddOn(AddOn::Documents);
}

void Tbaza_f::SpeedButton8Click()
{
    startClientAddOn(AddOn::Comments);
}

void Tbaza_f::erminarzzaj1Click()
{
    startAddOn(AddOn::Schedule);
}

void Tbaza_f::Mojenotatki1Click()
{
    startAddOn(AddOn::Notes);
}

void Tbaza_f::Archiwizacjanainnychnonikach1Click()
{
    startAddOn(AddOn::Archiver);
}

void Tbaza_f::Czcionkadruku1Click()
{
    Guarded(m_seams.dialogs, [this] {
        m_fonts.ZapiszFonty(kPrintFontFile);
        applyListFont();
    });
}

void Tbaza_f::Narzedziaadministratora1Click()
{
    m_windows.open(WindowId::Tools);
}

void Tbaza_f::Osieci1Click()
{
    m_openers.notepad({networkhelp::kName, 1, QStringLiteral("Informacje o wersji sieciowej.")});
}

void Tbaza_f::Ustawienia1Click()
{
    m_windows.open(WindowId::Location);
}

void Tbaza_f::Wizytwka1Click()
{
    m_windows.open(WindowId::BusinessCard);
}

void Tbaza_f::Historiauruchomie1Click()
{
    m_windows.open(WindowId::History);
}

void Tbaza_f::SpeedButton1Click()
{
    KoniecPracy();
}

void Tbaza_f::Koniecpracy1Click()
{
    KoniecPracy();
}

bool Tbaza_f::KoniecPracy()
{
    if (!m_seams.dialogs.question(kQuestionCaption, QStringLiteral("Koniec pracy ?")))
        return false;
    return ZakonczBezPytania();
}

bool Tbaza_f::ZakonczBezPytania()
{
    // What was typed in the client's windows is saved while its lock is still held; a window
    // that cannot save keeps the program running, with its lock.
    if (!m_clientWindows.closeAll())
        return false;
    ReleaseHeldLock(m_heldLockPath);
    Wygaszaj();
    // The user asked to end: a launch that cannot be recorded is reported, and the program
    // ends all the same rather than staying on as a faded-out window.
    Guarded(m_seams.dialogs, [this] { ZapiszUruchomienia(m_launch, m_workingDir); });
    m_seams.endProgram(0);
    return true;
}

void Tbaza_f::Wygaszaj()
{
    for (int opacity = 255; opacity >= 10; opacity -= 5)
        setWindowOpacity(opacity / 255.0);
}

void Tbaza_f::closeEvent(QCloseEvent *event)
{
    if (KoniecPracy())
        event->accept();
    else
        event->ignore();
}

bool Tbaza_f::event(QEvent *event)
{
    // Coming back to the main window shows the register as other workstations have left it. A
    // register that cannot be read now stays as shown: an error box here would activate the
    // window again and again; the next action on the register reports it.
    if (event->type() == QEvent::WindowActivate && m_ui->lista_k->count() > 0) {
        try {
            rereadRegister();
        } catch (const FileError &) {
        }
    }
    return QMainWindow::event(event);
}

bool Tbaza_f::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->lista_k && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lista_kDblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tbaza_f::Timer1Timer()
{
    m_ui->Label1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    const QListWidgetItem *item = m_ui->lista_k->currentItem();
    if (!item)
        return;
    m_ui->Panel1->setText(item->text());
    const registerrules::Buttons buttons = registerrules::ButtonsFor(item->text());
    m_ui->SpeedButton4->setEnabled(buttons.add);
    m_ui->SpeedButton3->setEnabled(buttons.correct);
    m_ui->SpeedButton2->setEnabled(buttons.remove);
}
