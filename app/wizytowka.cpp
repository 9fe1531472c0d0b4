#include "wizytowka.h"

#include "widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QUrl Tform3::kWebPage(QStringLiteral("https://mirtal.pl"));
const QUrl Tform3::kMail(QStringLiteral("mailto:biuro@mirtal.pl?subject=Mirtal%205.02"));

Tform3::Tform3(std::function<bool(const QUrl &)> openUrl, QWidget *parent)
    : FormWindow(Placement::StayOnTop, parent), m_openUrl(std::move(openUrl))
{
    setObjectName(QStringLiteral("form3"));
    setWindowTitle(QStringLiteral("Wizytówka"));
    auto *layout = new QVBoxLayout(this);
    QLabel *text = ui::label(this, "Label1",
                             QStringLiteral("<b>Mirtal 5.02</b><br>"
                                            "Rozliczanie kosztów używania samochodu<br>"
                                            "w działalności gospodarczej<br><br>"
                                            "Zespół programu Mirtal<br>"
                                            "strona: mirtal.pl<br>"
                                            "e-mail: biuro@mirtal.pl"));
    text->setTextFormat(Qt::RichText);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto *buttons = new QHBoxLayout;
    QPushButton *web = ui::button(this, "SpeedButton1", QStringLiteral("Strona internetowa"));
    QPushButton *mail = ui::button(this, "SpeedButton2", QStringLiteral("Napisz e-mail"));
    QPushButton *back = ui::button(this, "SpeedButton3", QStringLiteral("Powrót"));
    for (QPushButton *button : {web, mail, back})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(web, &QPushButton::clicked, this, &Tform3::SpeedButton1Click);
    connect(mail, &QPushButton::clicked, this, &Tform3::SpeedButton2Click);
    connect(back, &QPushButton::clicked, this, &Tform3::SpeedButton3Click);
    fixSize();
}

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
