#pragma once

#include "formwindow.h"

#include <QUrl>

#include <functional>
#include <memory>

namespace Ui {
class Tform3;
}

// The business card: who makes the program and how to reach them.
class Tform3 : public FormWindow
{
    Q_OBJECT

public:
    // `openUrl` hands a web or mail address to the desktop's default program.
    explicit Tform3(std::function<bool(const QUrl &)> openUrl, QWidget *parent = nullptr);
    ~Tform3() override;
    Q_DISABLE_COPY(Tform3)

    static const QUrl kWebPage;
    static const QUrl kMail;

    void SpeedButton1Click(); // the web page
    void SpeedButton2Click(); // a new e-mail message
    void SpeedButton3Click(); // "Powrót"

private:
    std::function<bool(const QUrl &)> m_openUrl;
    std::unique_ptr<Ui::Tform3> m_ui;
};
