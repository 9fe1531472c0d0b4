#include "siec.h"

#include "guard.h"
#include "lokalizacja.h"
#include "widgets.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;

Tsiec_f::Tsiec_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_seams(seams)
{
    setObjectName(QStringLiteral("siec_f"));
    setWindowTitle(QStringLiteral("Definiowanie baz danych"));
    chooseFolder = [](QWidget *owner, const QString &caption, const QString &start) {
        return QFileDialog::getExistingDirectory(owner, caption, start);
    };

    auto *layout = new QVBoxLayout(this);

    auto *access =
        ui::named(new QGroupBox(QStringLiteral("Dostęp do baz danych"), this), "GroupBox1");
    auto *accessLayout = new QHBoxLayout(access);
    we1 = ui::named(new QRadioButton(QStringLiteral("baza lokalna"), access), "we1");
    we2 = ui::named(new QRadioButton(QStringLiteral("baza sieciowa"), access), "we2");
    accessLayout->addWidget(we1);
    accessLayout->addWidget(we2);
    accessLayout->addStretch(1);
    layout->addWidget(access);

    auto *paths = new QGridLayout;
    const auto browseButton = [this](const char *name, const QString &accessible) {
        QPushButton *button = ui::button(this, name, QStringLiteral("..."));
        button->setAccessibleName(accessible);
        button->setToolTip(accessible);
        return button;
    };

    auto *networkCaption = new QHBoxLayout;
    QLabel *Label1 = ui::label(this, "Label1", QStringLiteral("Ścieżka dostępu do bazy sieciowej"));
    networkCaption->addWidget(Label1);
    networkCaption->addWidget(
        ui::label(this, "Label2", QStringLiteral("(np. F:\\Program Files\\Mirtal)")));
    networkCaption->addStretch(1);
    paths->addLayout(networkCaption, 0, 0, 1, 2);
    sciezka = ui::edit(this, "sciezka", Label1);
    sciezka->setMinimumWidth(360);
    paths->addWidget(sciezka, 1, 0);
    przegladaj = browseButton("przegladaj", QStringLiteral("Wybierz folder bazy sieciowej"));
    paths->addWidget(przegladaj, 1, 1);

    QLabel *Label3 = ui::label(this, "Label3", QStringLiteral("Ścieżka lokalna dostępu do bazy"));
    paths->addWidget(Label3, 2, 0, 1, 2);
    sciezka_l = ui::edit(this, "sciezka_l", Label3);
    paths->addWidget(sciezka_l, 3, 0);
    przegladaj_l = browseButton("przegladaj_l", QStringLiteral("Wybierz folder bazy lokalnej"));
    paths->addWidget(przegladaj_l, 3, 1);
    layout->addLayout(paths);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    SpeedButton2 = ui::button(this, "SpeedButton2", QStringLiteral("Zapisz"));
    SpeedButton1 = ui::button(this, "SpeedButton1", QStringLiteral("Rezygnuj"));
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(SpeedButton1);
    layout->addLayout(buttons);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tsiec_f::Timer1Timer);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tsiec_f::SpeedButton2Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &Tsiec_f::SpeedButton1Click);
    connect(przegladaj, &QPushButton::clicked, this, &Tsiec_f::przegladajClick);
    connect(przegladaj_l, &QPushButton::clicked, this, &Tsiec_f::przegladaj_lClick);

    fixSize();
}

bool Tsiec_f::FormCreate()
{
    Timer1->start();
    return Guarded(m_seams.dialogs, [this] {
        const DatabaseLocation location = ReadLocation(m_state.workingDir);
        m_mode = location.mode;
        (location.mode == lokalizacja::Network ? we2 : we1)->setChecked(true);
        sciezka->setText(location.networkPath);
        sciezka_l->setText(location.localPath);
    });
}

void Tsiec_f::Timer1Timer()
{
    if (!we1->isChecked() && !we2->isChecked())
        return;
    const bool network = we2->isChecked();
    sciezka->setEnabled(network);
    przegladaj->setEnabled(network);
    sciezka_l->setEnabled(!network);
    przegladaj_l->setEnabled(!network);
}

void Tsiec_f::SpeedButton2Click()
{
    const int mode = we1->isChecked()   ? lokalizacja::Local
                     : we2->isChecked() ? lokalizacja::Network
                                        : m_mode;
    const bool saved = Guarded(m_seams.dialogs, [&] {
        WriteLocation(m_state.workingDir, mode, sciezka_l->text(), sciezka->text());
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
    browseInto(sciezka, QStringLiteral("Ścieżka dostępu do bazy sieciowej"));
}

void Tsiec_f::przegladaj_lClick()
{
    browseInto(sciezka_l, QStringLiteral("Ścieżka lokalna dostępu do bazy"));
}
