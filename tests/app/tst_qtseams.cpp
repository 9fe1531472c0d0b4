#include "qtseams.h"

#include <QMessageBox>
#include <QTest>
#include <QWidget>

// Where the program's boxes appear: the parts of the production dialogs that can be checked
// without showing a box.
class TestQtSeams : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxBelongsToTheActiveWindow();
    void boxStaysAboveWindowsThatStayOnTop();
};

void TestQtSeams::boxBelongsToTheActiveWindow()
{
    QWidget main;
    QWidget working(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    // No window of the program is active: the main window takes the box.
    QCOMPARE(DialogParent(&main), &main);

    main.show();
    working.show();
    working.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&working));
    QCOMPARE(DialogParent(&main), &working);

    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QCOMPARE(DialogParent(&main), &main);
}

void TestQtSeams::boxStaysAboveWindowsThatStayOnTop()
{
    QWidget working(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Informacja"), QStringLiteral("Tekst"),
                    QMessageBox::Ok);
    PrepareDialog(box, &working);
    QCOMPARE(box.parentWidget(), &working);
    QVERIFY(box.isWindow());
    QCOMPARE(box.windowType(), Qt::Dialog);
    QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(box.windowModality(), Qt::ApplicationModal);
    QCOMPARE(box.text(), QStringLiteral("Tekst"));
}

QTEST_MAIN(TestQtSeams)
#include "tst_qtseams.moc"
