#include "siec.h"

#include "guard.h"
#include "lokalizacja.h"
#include "widgets.h"

#include "ui_siec.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace seams;
using namespace storage;

Tsiec_f::Tsiec_f(const QString &workingDir, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_workingDir(workingDir), m_seams(seams),
      m_ui(std::make_unique<Ui::Tsiec_f>())
{
    m_ui->setupUi(this);
    chooseFolder = [](QWidget *owner, const QString &caption, const QString &start) {
        return QFileDialog::getExistingDirectory(owner, caption, start);
    };

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tsiec_f::Timer1Timer);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tsiec_f::SpeedButton2Click);
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Tsiec_f::SpeedButton1Click);
    connect(m_ui->przegladaj, &QPushButton::clicked, this, &Tsiec_f::przegladajClick);
    connect(m_ui->przegladaj_l, &QPushButton::clicked, this, &Tsiec_f::przegladaj_lClick);

    fixSize();
}

bool Tsiec_f::FormCreate()
{
    Timer1->start();
    return Guarded(m_seams.dialogs, [this] {
        const DatabaseLocation location = ReadLocation(m_workingDir);
        m_mode = location.mode;
        (location.mode == lokalizacja::Network ? m_ui->we2 : m_ui->we1)->setChecked(true);
        m_ui->sciezka->setText(location.networkPath);
        m_ui->sciezka_l->setText(location.localPath);
    });
}

void Tsiec_f::Timer1Timer()
{
    if (!m_ui->we1->isChecked() && !m_ui->we2->isChecked())
        return;
    const bool network = m_ui->we2->isChecked();
    m_ui->sciezka->setEnabled(network);
    m_ui->przegladaj->setEnabled(network);
    m_ui->sciezka_l->setEnabled(!network);
    m_ui->przegladaj_l->setEnabled(!network);
}

void Tsiec_f::SpeedButton2Click()
{
    const int mode = m_ui->we1->isChecked()   ? lokalizacja::Local
                     : m_ui->we2->isChecked() ? lokalizacja::Network
                                              : m_mode;
    const bool saved = Guarded(m_seams.dialogs, [&] {
        WriteLocation(m_workingDir, mode, m_ui->sciezka_l->text(), m_ui->sciezka->text());
    });
    if (!saved)
        return;
    m_seams.dialogs.notice(QStringLiteral("Informacja"),
                           QStringLiteral("Uruchom ponownie program"));
    m_seams.endProgram(0);
}

void Tsiec_f::SpeedButton1Click()
{
    leave();
}

void Tsiec_f::browseInto(QLineEdit *edit, const QString &caption)
{
    const QString folder = chooseFolder(this, caption, edit->text());
    if (!folder.isEmpty())
        edit->setText(QDir::toNativeSeparators(folder));
}

void Tsiec_f::przegladajClick()
{
    browseInto(m_ui->sciezka, QStringLiteral("Ścieżka dostępu do bazy sieciowej"));
}

void Tsiec_f::przegladaj_lClick()
{
    browseInto(m_ui->sciezka_l, QStringLiteral("Ścieżka lokalna dostępu do bazy"));
}

Tsiec_f::~Tsiec_f() = default;
