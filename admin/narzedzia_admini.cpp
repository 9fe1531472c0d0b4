#include "narzedzia_admini.h"

#include "aktualizacja.h"
#include "blokada.h"
#include "guard.h"
#include "paths.h"
#include "programfiles.h"
#include "recordfile.h"
#include "uruchomienia.h"

#include "ui_narzedzia_admini.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

using namespace seams;
using namespace storage;

namespace {

const QString kChooseHint = QStringLiteral("Wskaż operację, którą chcesz wykonać");
const QString kHistoryHint =
    QStringLiteral("Operacja wyzeruje dane dotyczące historii uruchomień programu\n"
                   "Poprzednie informacje ulegną skasowaniu");
const QString kArchiveHint = QStringLiteral("Operacja wyzeruje dane dotyczące archiwizacji "
                                            "programu\nPoprzednie informacje ulegną skasowaniu");
const QString kLocksHint =
    QStringLiteral("Operacja usunie blokady klientów z katalogu KOSZ bazy danych\n"
                   "Klienci otwarci w tej chwili na innych stanowiskach utracą ochronę przed "
                   "jednoczesnym otwarciem\nBlokada klienta otwartego na tym stanowisku "
                   "zostaje zachowana");

// Deletes every lock file in KOSZ under the base directory, and the holder files beside them,
// except the lock this copy holds and its holder file, which still protect the client open here.
// Locks left behind by copies that ended without releasing them would otherwise keep their
// clients closed for good.
void deleteClientLocks(const QString &baseDir, const QString &heldLockPath)
{
    QStringList kept;
    if (!heldLockPath.isEmpty())
        kept = {QFileInfo(heldLockPath).canonicalFilePath(),
                QFileInfo(LockHolderPath(heldLockPath)).canonicalFilePath()};
    const QDir kosz(LockFolder(baseDir));
    const QFileInfoList locks =
        kosz.entryInfoList({QLatin1String("*.") + kLockSuffix, QLatin1String("*.") + kHolderSuffix},
                           QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &lock : locks) {
        if (kept.contains(lock.canonicalFilePath()))
            continue;
        DeleteFile(lock.absoluteFilePath());
    }
}

} // namespace

Tnarzedzia_f::Tnarzedzia_f(const QString &workingDir, LaunchValues &launch, Register registerFolder,
                           Seams &seams, admin::Network &network, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_workingDir(workingDir), m_launch(launch),
      m_register(std::move(registerFolder)), m_seams(seams),
      m_ui(std::make_unique<Ui::Tnarzedzia_f>())
{
    m_ui->setupUi(this);
    m_update = new admin::UpdateCheck(workingDir, seams, network, this);
    m_update->setObjectName(QStringLiteral("aktualizacja"));
    // The remarks are centred, which a form cannot say of a plain text.
    QTextOption centred = m_ui->Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_ui->Memo1->document()->setDefaultTextOption(centred);

    // The hint follows the checked operation, however it got checked (a click, the keyboard, the
    // accessibility toggle action).
    connect(m_ui->op3, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            op3Click();
    });
    connect(m_ui->op4, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            op4Click();
    });
    connect(m_ui->op5, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            op5Click();
    });
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tnarzedzia_f::SpeedButton2Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tnarzedzia_f::SpeedButton3Click);
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Tnarzedzia_f::SpeedButton1Click);
    // One check at a time; the button comes back when the answer is in.
    connect(m_update, &admin::UpdateCheck::started, m_ui->SpeedButton3,
            [this] { m_ui->SpeedButton3->setEnabled(false); });
    connect(m_update, &admin::UpdateCheck::finished, m_ui->SpeedButton3,
            [this] { m_ui->SpeedButton3->setEnabled(true); });

    m_ui->SpeedButton2->setToolTip(kChooseHint);
    fixSize();
}

bool Tnarzedzia_f::FormCreate()
{
    // Radio buttons of one box cannot all be cleared while they exclude one another.
    for (QRadioButton *option : {m_ui->op3, m_ui->op4, m_ui->op5}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    m_ui->SpeedButton2->setToolTip(kChooseHint);
    return true;
}

void Tnarzedzia_f::op3Click()
{
    m_ui->SpeedButton2->setToolTip(kHistoryHint);
}

void Tnarzedzia_f::op4Click()
{
    m_ui->SpeedButton2->setToolTip(kArchiveHint);
}

void Tnarzedzia_f::op5Click()
{
    m_ui->SpeedButton2->setToolTip(kLocksHint);
}

void Tnarzedzia_f::SpeedButton2Click()
{
    // The operations delete files: Enter keeps them.
    if (!m_seams.dialogs.question(QStringLiteral("Pytanie"),
                                  QStringLiteral("Wykonać wskazaną operację ?"),
                                  seams::Dialogs::Default::No))
        return;
    Guarded(m_seams.dialogs, [this] { run(); });
}

void Tnarzedzia_f::run()
{
    if (m_ui->op3->isChecked()) {
        DeleteFile(historia::path(m_workingDir));
        PobierzDane(m_launch, m_workingDir, m_seams);
    }
    if (m_ui->op4->isChecked()) {
        for (const QString &file : archiveregister::Files())
            DeleteFile(PathIn(m_workingDir, file));
    }
    if (m_ui->op5->isChecked())
        deleteClientLocks(m_register.baseDir(), m_register.heldLock());
    m_seams.dialogs.notice(QStringLiteral("Informacja"),
                           QStringLiteral("Wybrana operacja została zakończona"));
}

void Tnarzedzia_f::SpeedButton3Click()
{
    m_update->start();
}

void Tnarzedzia_f::SpeedButton1Click()
{
    leave();
}

Tnarzedzia_f::~Tnarzedzia_f() = default;
