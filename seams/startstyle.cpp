#include "startstyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace seams {

namespace {

// A standard icon of `style`, asked of it when a picture of the icon is first wanted.
class DeferredStandardIcon : public QIconEngine
{
public:
    DeferredStandardIcon(QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : m_style(style), m_which(which), m_widget(const_cast<QWidget *>(widget))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredStandardIcon(*this); }
    // The style's arrows always have pictures; asking must not read them.
    bool isNull() override { return false; }

private:
    const QIcon &icon()
    {
        if (!m_loaded && m_style) {
            m_icon = m_style->standardIcon(m_which, nullptr, m_widget);
            m_loaded = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    // The icon's right-to-left variant follows the widget's direction.
    QPointer<QWidget> m_widget;
    bool m_loaded = false;
    QIcon m_icon;
};

} // namespace

QIcon StartStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), which, widget));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace seams
