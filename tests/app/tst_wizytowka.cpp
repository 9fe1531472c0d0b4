#include "wizytowka.h"
#include "workspace.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The business card names this release in its text and in the subject of a new e-mail.
class TestWizytowka : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cardNamesTheRelease();
};

void TestWizytowka::cardNamesTheRelease()
{
    QList<QUrl> opened;
    Tform3 card([&](const QUrl &url) {
        opened << url;
        return true;
    });
    QCOMPARE(findChildNamed<QLabel>(&card, "Label1")->text(),
             QStringLiteral("<b>Mirtal 5.02</b><br>Rozliczanie kosztów używania samochodu<br>w "
                            "działalności gospodarczej<br><br>Zespół programu Mirtal<br>strona: "
                            "mirtal.pl<br>e-mail: biuro@mirtal.pl"));
    findChildNamed<QPushButton>(&card, "SpeedButton2")->click();
    findChildNamed<QPushButton>(&card, "SpeedButton1")->click();
    QCOMPARE(opened,
             (QList<QUrl>{QUrl(QStringLiteral("mailto:biuro@mirtal.pl?subject=Mirtal%205.02")),
                          QUrl(QStringLiteral("https://mirtal.pl"))}));
}

QTEST_MAIN(TestWizytowka)
#include "tst_wizytowka.moc"
