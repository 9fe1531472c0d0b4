#include "page.h"
#include "printdialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

// The production printing dialogs, looked at while they are open and then cancelled.
class TestPrintDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printDialogProposesTheFileGiven();
    void previewOpensFittedToTheWidth();
};

void TestPrintDialogs::printDialogProposesTheFileGiven()
{
    const QString proposed = QDir::toNativeSeparators(
        QDir::current().absoluteFilePath(QStringLiteral("004_2016_03.pdf")));
    printing::QtPrintDialogs dialogs;
    QPrinter printer;
    QString shown = QStringLiteral("(no file field)");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        if (auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
            shown = file->text();
        dialog->reject();
    });
    QVERIFY(!dialogs.print(printer, proposed));
    QVERIFY(seen);
    QCOMPARE(shown, proposed);
    QCOMPARE(printer.docName(), QStringLiteral("004_2016_03"));
}

void TestPrintDialogs::previewOpensFittedToTheWidth()
{
    printing::QtPrintDialogs dialogs;
    int drawn = 0;
    QPrintPreviewWidget::ZoomMode mode = QPrintPreviewWidget::CustomZoom;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        QVERIFY(preview);
        mode = preview->zoomMode();
        dialog->reject();
    });
    dialogs.preview([&](printing::Page &) { ++drawn; });
    QCOMPARE(mode, QPrintPreviewWidget::FitToWidth);
    QVERIFY(drawn > 0);
}

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
