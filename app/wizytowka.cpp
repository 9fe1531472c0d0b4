#include "wizytowka.h"

#include "ui_wizytowka.h"

#include "mirtalversion.h"

const QUrl Tform3::kWebPage(QStringLiteral("https://mirtal.pl"));
const QUrl Tform3::kMail(QStringLiteral("mailto:biuro@mirtal.pl?subject=Mirtal%20" MIRTAL_VERSION));

Tform3::Tform3(std::function<bool(const QUrl &)> openUrl, QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_openUrl(std::move(openUrl)),
      m_ui(std::make_unique<Ui::Tform3>())
{
    m_ui->setupUi(this);
    // The form holds the card's text with a place for the release.
    m_ui->Label1->setText(m_ui->Label1->text().arg(QLatin1String(MIRTAL_VERSION)));
    connect(m_ui->SpeedButton1, &QPushButton::clicked, this, &Tform3::SpeedButton1Click);
    connect(m_ui->SpeedButton2, &QPushButton::clicked, this, &Tform3::SpeedButton2Click);
    connect(m_ui->SpeedButton3, &QPushButton::clicked, this, &Tform3::SpeedButton3Click);
    fixSize();
}

Tform3::~Tform3() = default;

void Tform3::SpeedButton1Click()
{
    m_openUrl(kWebPage);
}

void Tform3::SpeedButton2Click()
{
    m_openUrl(kMail);
}

void Tform3::SpeedButton3Click()
{
    leave();
}
