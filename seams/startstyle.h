#pragma once

#include <QProxyStyle>

namespace seams {

// The desktop's style, unchanged but for one thing: the arrow of the button a menu bar shows when
// its menus do not fit is read from its picture file only when it is first drawn. Every menu bar
// makes that button (hidden) and asks for its icon, and reading a picture file loads every image
// format plugin of the system; the main window's menus always fit, so its start need not pay for
// that.
class StartStyle : public QProxyStyle
{
public:
    // On the desktop's default style.
    StartStyle() = default;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace seams
