#include "modul_hist.h"

#include "databaseconnection.h"
#include "datetext.h"
#include "fixedpoint.h"
#include "guard.h"
#include "paths.h"
#include "recordfile.h"
#include "widgets.h"

#include "ui_modul_hist.h"

#include <QTimer>

using namespace storage;

Thisto_f::Thisto_f(const QString &workingDir, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_workingDir(workingDir), m_seams(seams),
      m_ui(std::make_unique<Ui::Thisto_f>())
{
    m_ui->setupUi(this);
    Label4 = m_ui->Label4;
    Label5 = m_ui->Label5;
    Label6 = m_ui->Label6;
    Label8 = m_ui->Label8;
    Label13 = m_ui->Label13;
    SpeedButton1 = m_ui->SpeedButton1;

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
            ui::ConnectDatabase(m_workingDir, m_seams, false);
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

Thisto_f::~Thisto_f() = default;
