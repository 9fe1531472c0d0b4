#include "modul_hist.h"

#include "databaseconnection.h"
#include "datetext.h"
#include "fixedpoint.h"
#include "guard.h"
#include "paths.h"
#include "recordfile.h"
#include "widgets.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace storage;

Thisto_f::Thisto_f(ProgramState &state, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_state(state), m_seams(seams)
{
    setObjectName(QStringLiteral("histo_f"));
    setWindowTitle(QStringLiteral("Historia"));

    auto *layout = new QVBoxLayout(this);

    auto *Panel1 = ui::named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *grid = new QGridLayout(Panel1);
    const auto pair = [&](int row, const char *captionName, const QString &caption,
                          const char *valueName) {
        QLabel *captionLabel = ui::label(Panel1, captionName, caption);
        QLabel *value = ui::label(Panel1, valueName, QString());
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(230);
        value->setAccessibleName(caption);
        captionLabel->setBuddy(value);
        grid->addWidget(captionLabel, row, 0);
        grid->addWidget(value, row, 1);
        return value;
    };
    Label4 = pair(0, "Label1", QStringLiteral("Data ostatniego uruchomienia"), "Label4");
    Label5 = pair(1, "Label2", QStringLiteral("Czas ostatniego uruchomienia"), "Label5");
    Label6 = pair(2, "Label3", QStringLiteral("Licznik uruchomień"), "Label6");
    Label8 = pair(3, "Label7", QStringLiteral("Lokalizacja"), "Label8");
    layout->addWidget(Panel1);

    auto *Panel2 = ui::named(new QFrame(this), "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setMinimumHeight(24);
    layout->addWidget(Panel2);

    auto *bottom = new QHBoxLayout;
    Label13 = ui::label(this, "Label13", QStringLiteral("00:00:00"));
    Label13->setAccessibleName(QStringLiteral("Zegar"));
    bottom->addWidget(Label13);
    bottom->addStretch(1);
    SpeedButton1 = ui::button(this, "SpeedButton1", QStringLiteral("Powrót"));
    bottom->addWidget(SpeedButton1);
    layout->addLayout(bottom);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Thisto_f::Timer1Timer);
    connect(SpeedButton1, &QPushButton::clicked, this, &Thisto_f::SpeedButton1Click);

    fixSize();
}

bool Thisto_f::FormCreate()
{
    Timer1->start();
    Label4->setText(QStringLiteral("nieznana"));
    Label5->setText(QStringLiteral("nieznany"));
    Label6->setText(QStringLiteral("0"));
    Label8->clear();
    Label8->setToolTip(QString());

    bool ended = false;
    const bool completed = Guarded(m_seams.dialogs, [&] {
        const std::optional<ui::DatabaseConnection> database =
            ui::ConnectDatabase(m_state.workingDir, m_seams, false);
        if (!database) {
            // The network check has ended the program; nothing is left to show.
            ended = true;
            return;
        }
        const QString &baseDir = database->baseDir;
        const QString file = historia::path(baseDir);
        CreateIfMissing(file, Record(historia::kSize));
        Record record(historia::kSize);
        ReadRecord(file, record);
        Label4->setText(record.text(historia::date));
        Label5->setText(record.text(historia::time));
        Label6->setText(record.text(historia::counter));

        Label8->setToolTip(baseDir);
        Label8->setText(baseDir.size() <= 30 ? baseDir : baseDir.right(31));
    });
    return completed && !ended;
}

void Thisto_f::Timer1Timer()
{
    Label13->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
}

void Thisto_f::SpeedButton1Click()
{
    leave();
}
