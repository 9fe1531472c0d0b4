#include "bazafirm.h"

#include "blokada.h"
#include "clientrecords.h"
#include "czcionki.h"
#include "databaseconnection.h"
#include "datetext.h"
#include "guard.h"
#include "kalendarz.h"
#include "lokalizacja.h"
#include "paths.h"
#include "recordfile.h"
#include "tapety.h"
#include "uruchomienia.h"
#include "widgets.h"
#include "windowopener.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;
using printing::ApplyPrintFont;
using printing::kPrintFontFile;
using ui::WindowId;

namespace
{

const QString kAddTitle = QStringLiteral("Dodaj nowego klienta");
const QString kAddPrompt = QStringLiteral("Podaj przyjazną nazwę (np. Jan Kowalski)");
const QString kQuestionCaption = QStringLiteral("Pytanie...");

// The installed version identifier, read by the update check.
constexpr qsizetype kVersionSize = 11;
constexpr StringField kVersion{0, 10};
const QString kVersionText = QStringLiteral("24502");

} // namespace

Tbaza_f::Tbaza_f(ProgramState &state, Seams &seams, ui::WindowOpener &windows,
                 printing::PrintFontStore &fonts, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_seams(seams), m_windows(windows), m_fonts(fonts),
      m_addOnDir(QCoreApplication::applicationDirPath()), m_klienci(registerfile::kSize),
      m_owner(owner::kSize)
{
    setObjectName(QStringLiteral("baza_f"));
    buildMenu();

    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);

    // The register.
    auto *left = new QVBoxLayout;
    Panel1 = ui::named(new QLabel(central), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumHeight(28);
    Panel1->setAccessibleName(QStringLiteral("Wybrany klient"));
    left->addWidget(Panel1);

    Label2 = ui::label(central, "Label2", QStringLiteral("Lista podmiotów"));
    left->addWidget(Label2);
    lista_k = ui::named(new QListWidget(central), "lista_k");
    lista_k->setAccessibleName(Label2->text());
    Label2->setBuddy(lista_k);
    lista_k->setMinimumSize(400, 300);
    left->addWidget(lista_k, 1);

    auto *registerButtons = new QHBoxLayout;
    SpeedButton4 = ui::button(central, "SpeedButton4", QStringLiteral("Dodaj do listy"));
    SpeedButton3 = ui::button(central, "SpeedButton3", QStringLiteral("Popraw wpis"));
    SpeedButton2 = ui::button(central, "SpeedButton2", QStringLiteral("Usuń z listy"));
    for (QPushButton *button : {SpeedButton4, SpeedButton3, SpeedButton2}) {
        button->setEnabled(false);
        registerButtons->addWidget(button);
    }
    left->addLayout(registerButtons);

    auto *addOnButtons = new QHBoxLayout;
    QPushButton *reader = ui::button(central, "SpeedButton5", QStringLiteral("Czytnik zadań"));
    QPushButton *tasks = ui::button(central, "SpeedButton6", QStringLiteral("Zadania"));
    QPushButton *documents = ui::button(central, "SpeedButton7", QStringLiteral("Dokumenty"));
    QPushButton *comments = ui::button(central, "SpeedButton8", QStringLiteral("Komentarze"));
    for (QPushButton *button : {reader, tasks, documents, comments})
        addOnButtons->addWidget(button);
    left->addLayout(addOnButtons);

    Memo1 = ui::memo(
        central, "Memo1",
        {QStringLiteral("1. Aby księgować koszty lub je wyliczać wskaż nazwę klienta na liście i "
                        "kliknij myszką dwa razy"),
         QStringLiteral("2. Aby dodać nowego klienta do listy wskaż wolne miejsce na liście a "
                        "następnie uruchom przycisk Dodaj do listy. W powstałym okienku podaj "),
         QStringLiteral("nazwę przyjazną ( taką pod którą chcesz aby ten klient wystepował)."),
         QStringLiteral("3. Aby usunąć klienta z listy, wskaż jego nazwę i uruchom przycisk Usuń "
                        "z listy. ")});
    Memo1->setAccessibleName(QStringLiteral("Instrukcja"));
    Memo1->setFixedHeight(110);
    left->addWidget(Memo1);
    columns->addLayout(left);

    // The calendar banner.
    auto *banner = ui::named(new QFrame(central), "banner");
    banner->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *bannerLayout = new QVBoxLayout(banner);
    Label1 = ui::label(banner, "Label1", QStringLiteral("00:00:00"));
    QFont clockFont = Label1->font();
    clockFont.setPointSize(20);
    clockFont.setBold(true);
    Label1->setFont(clockFont);
    Label1->setAlignment(Qt::AlignCenter);
    nazwadnia = ui::label(banner, "nazwadnia", QString());
    nazwadnia->setAlignment(Qt::AlignCenter);
    QLabel *label15 = ui::label(banner, "Label15", QStringLiteral("Imieniny obchodzi :"));
    label15->setAlignment(Qt::AlignCenter);
    Label14 = ui::label(banner, "Label14", QString());
    Label14->setAlignment(Qt::AlignCenter);
    Label14->setWordWrap(true);
    Image1 = ui::named(new QLabel(banner), "Image1");
    Image1->setFixedSize(tapety::kWallpaperSize);
    Image1->setScaledContents(true);
    Image1->setFrameStyle(QFrame::NoFrame);
    SpeedButton1 = ui::button(banner, "SpeedButton1", QStringLiteral("Koniec"));
    bannerLayout->addWidget(Label1);
    bannerLayout->addWidget(nazwadnia);
    bannerLayout->addSpacing(8);
    bannerLayout->addWidget(label15);
    bannerLayout->addWidget(Label14);
    bannerLayout->addStretch();
    bannerLayout->addWidget(Image1, 0, Qt::AlignHCenter);
    bannerLayout->addStretch();
    bannerLayout->addWidget(SpeedButton1);
    banner->setFixedWidth(tapety::kWallpaperSize.width() + 30);
    columns->addWidget(banner);
    setCentralWidget(central);

    Label3 = ui::label(this, "Label3", QString());
    statusBar()->addWidget(Label3, 1);
    statusBar()->setSizeGripEnabled(false);

    Timer1 = ui::named(new QTimer(this), "Timer1");
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
    connect(SpeedButton1, &QPushButton::clicked, this, &Tbaza_f::SpeedButton1Click);
    connect(reader, &QPushButton::clicked, this, &Tbaza_f::SpeedButton5Click);
    connect(tasks, &QPushButton::clicked, this, &Tbaza_f::SpeedButton6Click);
    connect(documents, &QPushButton::clicked, this, &Tbaza_f::SpeedButton7Click);
    connect(comments, &QPushButton::clicked, this, &Tbaza_f::SpeedButton8Click);

    adjustSize();
    setFixedSize(sizeHint());
}

void Tbaza_f::buildMenu()
{
    QMenuBar *menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    auto entry = [this](QMenu *parent, const char *name, const QString &caption,
                        void (Tbaza_f::*handler)()) {
        QAction *action = parent->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu *pliki = menu->addMenu(QStringLiteral("Pliki"));
    pliki->setObjectName(QStringLiteral("Pliki1"));
    entry(pliki, "erminarzzaj1", QStringLiteral("Terminarz zajęć"), &Tbaza_f::erminarzzaj1Click);
    entry(pliki, "Mojenotatki1", QStringLiteral("Moje notatki"), &Tbaza_f::Mojenotatki1Click);
    pliki->addSeparator();
    entry(pliki, "Czcionkadruku1", QStringLiteral("Czcionka druku"), &Tbaza_f::Czcionkadruku1Click);
    pliki->addSeparator();
    entry(pliki, "Narzedziaadministratora1", QStringLiteral("Narzedzia administratora"),
          &Tbaza_f::Narzedziaadministratora1Click);
    entry(pliki, "Archiwizacjanainnychnonikach1", QStringLiteral("Ochrona danych"),
          &Tbaza_f::Archiwizacjanainnychnonikach1Click);
    entry(pliki, "Koniecpracy1", QStringLiteral("&Koniec pracy"), &Tbaza_f::Koniecpracy1Click);

    QMenu *siec = menu->addMenu(QStringLiteral("Sieć"));
    siec->setObjectName(QStringLiteral("Sie1"));
    entry(siec, "Osieci1", QStringLiteral("O sieci"), &Tbaza_f::Osieci1Click);
    entry(siec, "Ustawienia1", QStringLiteral("Ustawienia"), &Tbaza_f::Ustawienia1Click);

    QMenu *dodatki = menu->addMenu(QStringLiteral("Dodatki"));
    dodatki->setObjectName(QStringLiteral("Dodatki1"));
    entry(dodatki, "Wizytwka1", QStringLiteral("&Wizytówka"), &Tbaza_f::Wizytwka1Click);
    dodatki->addSeparator();
    entry(dodatki, "Historiauruchomie1", QStringLiteral("Historia uruchomień"),
          &Tbaza_f::Historiauruchomie1Click);
}

Record Tbaza_f::ArchiverConfig(const QString &workingDir)
{
    const QString dir = QDir::toNativeSeparators(workingDir);
    const QString sep = QDir::separator();
    const QString all = QStringLiteral("*.*");
    Record record(52 * 201);
    auto slot = [&](int number, const QString &text) {
        record.setText({(number - 1) * 201, 200}, text);
    };
    slot(1, dir + sep);
    const char *const folders[] = {"Add_dok",    "Add_zad", "Admini",   "Dane",
                                   "Komentarze", "Notatki", "Terminarz"};
    int number = 2;
    for (const char *folder : folders)
        slot(number++, dir + sep + QLatin1String(folder) + sep + all);
    slot(52, dir);
    return record;
}

void Tbaza_f::FormCreate()
{
    Guarded(m_seams.dialogs, [this] {
        PobierzDane(m_state, m_seams);
        m_state.baseDir = m_state.workingDir;
        WriteRecord(PathIn(m_state.workingDir, QStringLiteral("archiwizator_config.dat")),
                    ArchiverConfig(m_state.workingDir));
        const QString versionFile = PathIn(m_state.workingDir, QStringLiteral("Admini\\wer.dat"));
        if (!FileExists(versionFile)) {
            Record version(kVersionSize);
            version.setText(kVersion, kVersionText);
            WriteRecord(versionFile, version);
        }
        setWindowTitle(QStringLiteral("Baza firm programu Mirtal 5.02"));

        const std::optional<ui::DatabaseConnection> database =
            ui::ConnectDatabase(m_state.workingDir, m_seams, true);
        if (!database)
            return; // the program has been ended
        m_state.baseDir = database->baseDir;
        Label3->setText(database->mode == lokalizacja::Network
                            ? QStringLiteral("Podłączono bazy sieciowe")
                            : QStringLiteral("Podłączono bazy lokalne"));

        showBanner();
        Timer1->start();
        for (QPushButton *button : {SpeedButton2, SpeedButton3, SpeedButton4})
            button->setEnabled(false);

        m_fonts.CzytajFonty(kPrintFontFile);
        applyListFont();

        QRandomGenerator random(
            static_cast<quint32>(m_seams.clock.now().toMSecsSinceEpoch() & 0xFFFFFFFF));
        const QImage wallpaper = tapety::ChooseWallpaper(m_state.workingDir, random);
        Image1->setPixmap(wallpaper.isNull() ? QPixmap() : QPixmap::fromImage(wallpaper));

        loadRegister();
    });
}

void Tbaza_f::showBanner()
{
    const kalendarz::DateBanner banner =
        kalendarz::BannerFor(m_seams.clock.today(), m_seams.regional);
    Label14->setText(banner.nameDays);
    QFont font = nazwadnia->font();
    font.setPointSize(kalendarz::DateBanner::kPoints);
    nazwadnia->setFont(font);
    QPalette palette = nazwadnia->palette();
    palette.setColor(QPalette::WindowText, banner.colour);
    nazwadnia->setPalette(palette);
    nazwadnia->setText(banner.dateLine);
}

void Tbaza_f::applyListFont()
{
    ApplyPrintFont(lista_k, m_state.printFont);
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
    Panel1->setToolTip(m_owner.text(owner::nazwa1) + QLatin1Char('\n') +
                       m_owner.text(owner::nazwa2) + QLatin1Char('\n') +
                       m_owner.text(owner::nazwa3));
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
        m_windows.open(WindowId::Settlement);
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
    if (!m_seams.dialogs.question(kQuestionCaption, QStringLiteral("Usunąć wpis z listy ?")))
        return;
    const QString number = currentClientNumber();
    item->setText(number);
    Guarded(m_seams.dialogs, [&] {
        saveRegister();
        for (const QString &file : RemovedClientFiles(m_state.baseDir, number))
            DeleteFile(file);
    });
}

void Tbaza_f::startAddOn(AddOn addOn)
{
    const QString program = FindAddOn(AddOnProgram(addOn), m_addOnDir, m_state.workingDir);
    // An add-on that is not installed is simply not started.
    if (!program.isEmpty())
        m_seams.programs.startDetached(program, AddOnArguments(addOn), m_state.workingDir);
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
        const QString program = FindAddOn(AddOnProgram(addOn), m_addOnDir, m_state.workingDir);
        if (program.isEmpty())
            return;
        m_seams.programs.startDetached(
            program,
            AddOnArguments(addOn, number, m_owner.text(owner::nazwa1), m_owner.text(owner::nazwa2)),
            m_state.workingDir);
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
    m_state.notepad.file = QStringLiteral("\\POMOC\\siec.dat");
    m_state.notepad.mode = 1;
    m_state.notepad.title = QStringLiteral("Informacje o wersji sieciowej.");
    m_windows.open(WindowId::Notepad);
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
    ReleaseHeldLock(m_state.heldLockPath);
    Wygaszaj();
    // The user asked to end: a launch that cannot be recorded is reported, and the program
    // ends all the same rather than staying on as a faded-out window.
    Guarded(m_seams.dialogs, [this] { ZapiszUruchomienia(m_state); });
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

void Tbaza_f::Timer1Timer()
{
    Label1->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
    const QListWidgetItem *item = lista_k->currentItem();
    if (!item)
        return;
    Panel1->setText(item->text());
    const bool free = item->text().size() <= 3;
    SpeedButton4->setEnabled(free);
    SpeedButton3->setEnabled(!free);
    SpeedButton2->setEnabled(!free);
}
