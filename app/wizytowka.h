#pragma once

#include "formwindow.h"

#include <QUrl>

#include <functional>

// The business card: who makes the program and how to reach them.
class Tform3 : public FormWindow
{
    Q_OBJECT

public:
    // `openUrl` hands a web or mail address to the desktop's default program.
    explicit Tform3(std::function<bool(const QUrl &)> openUrl, QWidget *parent = nullptr);

    static const QUrl kWebPage;
    static const QUrl kMail;

    void SpeedButton1Click(); // the web page
    void SpeedButton2Click(); // a new e-mail message
    void SpeedButton3Click(); // "Powrót"

private:
    std::function<bool(const QUrl &)> m_openUrl;
};
