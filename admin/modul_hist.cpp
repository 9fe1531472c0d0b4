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

using namespace seams;
using namespace storage;

Thisto_f::Thisto_f(const QString &workingDir, Seams &seams, QWidget *parent)
    : FormWindow(Placement::Default, parent), m_workingDir(workingDir), m_seams(seams),
      m_ui(std::make_unique<Ui::Thisto_f>())
{
    m_ui->setupUi(this);

    Timer1 = ui::named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Thisto_f::Timer1Timer);
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Thisto_f::SpeedButton1Click);

    fixSize();
}

bool Thisto_f::FormCreate()
{
    Timer1->start();
    m_ui->Label4->setText(QStringLiteral("nieznana"));
    m_ui->Label5->setText(QStringLiteral("nieznany"));
    m_ui->Label6->setText(QStringLiteral("0"));
    m_ui->Label8->clear();
    m_ui->Label8->setToolTip(QString());

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
        m_ui->Label4->setText(record.text(historia::date));
        m_ui->Label5->setText(record.text(historia::time));
        m_ui->Label6->setText(record.text(historia::counter));

        m_ui->Label8->setToolTip(baseDir);
        m_ui->Label8->setText(baseDir.size() <= 30 ? baseDir : baseDir.right(31));
    });
    return completed && !ended;
}

void Thisto_f::Timer1Timer()
{
    m_ui->Label13->setText(LongTime(m_seams.clock.now().time(), m_seams.regional));
}

void Thisto_f::SpeedButton1Click()
{
    leave();
}

Thisto_f::~Thisto_f() = default;
