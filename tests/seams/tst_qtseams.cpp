#include "qtseams.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Where the program's boxes appear: the parts of the production dialogs that can be checked
// without showing a box.
class TestQtSeams : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxBelongsToTheActiveWindow();
    void boxStaysAboveWindowsThatStayOnTop();
    void questionStartsOnTheGivenButton_data();
    void questionStartsOnTheGivenButton();
    void clockFormatLeavesOutTheTimeZone_data();
    void clockFormatLeavesOutTheTimeZone();
};

void TestQtSeams::clockFormatLeavesOutTheTimeZone_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("clock");
    QTest::newRow("Polish") << "HH:mm:ss t"
                            << "HH:mm:ss";
    QTest::newRow("no zone") << "HH:mm:ss"
                             << "HH:mm:ss";
    QTest::newRow("long zone name") << "HH:mm:ss tttt"
                                    << "HH:mm:ss";
    QTest::newRow("zone first") << "t HH:mm:ss"
                                << "HH:mm:ss";
    QTest::newRow("zone between") << "h:mm:ss t AP"
                                  << "h:mm:ssAP";
    QTest::newRow("several blanks") << "HH:mm:ss \t  t  "
                                    << "HH:mm:ss";
    QTest::newRow("two zones") << "t HH:mm t"
                               << "HH:mm";
    QTest::newRow("blanks elsewhere kept") << "HH mm  ss t"
                                           << "HH mm  ss";
    QTest::newRow("zone only") << "t"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestQtSeams::clockFormatLeavesOutTheTimeZone()
{
    QFETCH(QString, format);
    QFETCH(QString, clock);
    QCOMPARE(ClockFormat(format), clock);
}

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

void TestQtSeams::questionStartsOnTheGivenButton_data()
{
    QTest::addColumn<bool>("startsOnNo");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<bool>("enterAnswers");
    QTest::newRow("deleting question: No, client named below")
        << true << QStringLiteral("004 Jan Kowalski") << false;
    QTest::newRow("other questions keep Yes") << false << QString() << true;
}

void TestQtSeams::questionStartsOnTheGivenButton()
{
    QFETCH(bool, startsOnNo);
    const auto defaultButton =
        startsOnNo ? seams::Dialogs::Default::No : seams::Dialogs::Default::Yes;
    QFETCH(QString, detail);
    QFETCH(bool, enterAnswers);
    QWidget main;
    QtDialogs dialogs;
    dialogs.setMainWindow(&main);
    QString seenDetail;
    QString seenDefault;
    // The box is modal: it is looked at, and answered with Enter, from the event loop it runs.
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenDetail = box->informativeText();
        seenDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const bool answer = dialogs.question(
        QStringLiteral("Pytanie"), QStringLiteral("Usunąć wpis z listy ?"), defaultButton, detail);
    QCOMPARE(answer, enterAnswers);
    QCOMPARE(seenDetail, detail);
    QVERIFY(!seenDefault.isEmpty());
}

QTEST_MAIN(TestQtSeams)
#include "tst_qtseams.moc"
