#pragma once

#include <QProxyStyle>

namespace seams {

// The application's style, unchanged but for one thing: the arrow of the button a menu bar shows
// when its menus do not fit is read from its picture file only when it is first drawn. Every menu
// bar makes that button (hidden) and asks for its icon, and reading a picture file loads every
// image format plugin of the system; the main window's menus always fit, so its start need not pay
// for that.
class StartStyle : public QProxyStyle
{
public:
    // On a new style of the key `baseKey` (a QStyle::name()): the one the desktop or the user
    // chose for the application; the desktop's default style for an unknown key.
    explicit StartStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace seams
