// The application style every program starts with: a menu bar no longer loads the image format
// plugins when it is made, and its overflow button still shows the desktop style's arrow.
#include "startstyle.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

namespace {

// Whether an image format plugin is mapped into this process.
bool imageFormatPluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains("/imageformats/");
}

} // namespace

class TestStartStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuBarLoadsNoImagePluginUntilItsArrowIsDrawn();
};

void TestStartStyle::menuBarLoadsNoImagePluginUntilItsArrowIsDrawn()
{
    const QString chosen = QApplication::style()->name();
    auto *style = new seams::StartStyle(chosen);
    QApplication::setStyle(style);
    QCOMPARE(style->baseStyle()->name(), chosen);
    QVERIFY(!imageFormatPluginLoaded());

    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Pliki"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *arrow = window.menuBar()->findChild<QToolButton *>();
    QVERIFY(arrow);
    QVERIFY(!arrow->icon().isNull());
    QVERIFY(!imageFormatPluginLoaded());

    // Drawn, it is the base style's arrow, read from its picture file then.
    const QImage drawn = arrow->icon().pixmap(QSize(16, 16)).toImage();
    const QImage base =
        style->baseStyle()
            ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, window.menuBar())
            .pixmap(QSize(16, 16))
            .toImage();
    QVERIFY(!base.isNull());
    QCOMPARE(drawn, base);
    QVERIFY(imageFormatPluginLoaded());
}

QTEST_MAIN(TestStartStyle)
#include "tst_startstyle.moc"
