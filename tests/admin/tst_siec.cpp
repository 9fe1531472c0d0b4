#include "fakeseams.h"
#include "recordoffsets.h"
#include "siec.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace storage;

namespace {

using recordoffsets::locationBytes;

} // namespace

class TestSiec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setUpWritesTheDefaultRecord();
    void setUpShowsTheStoredRecord();
    void save_data();
    void save();
    void failedSaveDoesNotEnd();
    void cancelWritesNothing();
    void timerEnablesThePathOfTheMode();
    void browseFillsThePath();

private:
    QString locationFile() const { return m_ws->path(QStringLiteral("Admini/siec.dat")); }
    void openWindow();
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }

    std::unique_ptr<Workspace> m_ws;
    std::unique_ptr<Tsiec_f> m_window;
};

void TestSiec::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
}

void TestSiec::cleanup()
{
    m_window.reset();
    m_ws.reset();
}

void TestSiec::openWindow()
{
    m_window = std::make_unique<Tsiec_f>(m_ws->path(), m_ws->seams.seams);
    QVERIFY(m_window->FormCreate());
    m_window->show();
}

void TestSiec::setUpWritesTheDefaultRecord()
{
    openWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Definiowanie baz danych"));
    QCOMPARE(testfiles::readBytes(locationFile()), locationBytes(1, m_ws->path(), {}));
    QVERIFY(child<QRadioButton>("we1")->isChecked());
    QVERIFY(!child<QRadioButton>("we2")->isChecked());
    QCOMPARE(child<QLineEdit>("sciezka")->text(), QString());
    QCOMPARE(child<QLineEdit>("sciezka_l")->text(), m_ws->path());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
}

void TestSiec::setUpShowsTheStoredRecord()
{
    QVERIFY(testfiles::writeBytes(
        locationFile(),
        locationBytes(2, QStringLiteral("C:\\Mirtal"), QStringLiteral("\\\\serwer\\księgowość"))));
    openWindow();
    QVERIFY(child<QRadioButton>("we2")->isChecked());
    QCOMPARE(child<QLineEdit>("sciezka")->text(), QStringLiteral("\\\\serwer\\księgowość"));
    QCOMPARE(child<QLineEdit>("sciezka_l")->text(), QStringLiteral("C:\\Mirtal"));
}

void TestSiec::save_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("network");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("network mode") << "we2"
                                  << "C:\\Mirtal"
                                  << "N:\\Program Files\\Mirtal"
                                  << locationBytes(2, "C:\\Mirtal", "N:\\Program Files\\Mirtal");
    QTest::newRow("local mode keeps the network path")
        << "we1"
        << "D:\\Biuro"
        << "N:\\Mirtal" << locationBytes(1, "D:\\Biuro", "N:\\Mirtal");

    // Both paths longer than their field: the first 200 characters are kept.
    const QString longLocal = QStringLiteral("C:\\") + QString(240, QChar(0x0142)); // ł
    const QString longNetwork = QStringLiteral("\\\\s\\") + QString(230, QLatin1Char('n'));
    QByteArray cut = locationBytes(2, longLocal.left(200), longNetwork.left(200));
    QCOMPARE(cut.mid(1, 1), QByteArray(1, char(200)));
    QTest::newRow("paths over 200 characters") << "we2" << longLocal << longNetwork << cut;
}

void TestSiec::save()
{
    QFETCH(QString, radio);
    QFETCH(QString, local);
    QFETCH(QString, network);
    QFETCH(QByteArray, stored);

    openWindow();
    child<QRadioButton>(radio.toLatin1().constData())->click();
    child<QLineEdit>("sciezka_l")->setText(local);
    child<QLineEdit>("sciezka")->setText(network);
    child<QPushButton>("SpeedButton2")->click();

    QCOMPARE(testfiles::readBytes(locationFile()), stored);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown[0].kind, ShownDialog::Kind::Notice);
    QCOMPARE(m_ws->seams.dialogs.shown[0].caption, QStringLiteral("Informacja"));
    QCOMPARE(m_ws->seams.dialogs.shown[0].text, QStringLiteral("Uruchom ponownie program"));
    QCOMPARE(m_ws->seams.endCalls, QList<int>{0});
}

void TestSiec::failedSaveDoesNotEnd()
{
    openWindow();
    QVERIFY(QDir(m_ws->path(QStringLiteral("Admini"))).removeRecursively());
    m_window->SpeedButton2Click();
    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{QStringLiteral("Invalid filename")});
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestSiec::cancelWritesNothing()
{
    openWindow();
    const QByteArray before = testfiles::readBytes(locationFile());
    child<QRadioButton>("we2")->click();
    child<QLineEdit>("sciezka")->setText(QStringLiteral("N:\\Mirtal"));
    child<QPushButton>("SpeedButton1")->click();

    QCOMPARE(testfiles::readBytes(locationFile()), before);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QVERIFY(m_ws->seams.endCalls.isEmpty());
}

void TestSiec::timerEnablesThePathOfTheMode()
{
    openWindow();
    auto *timer = child<QTimer>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);

    auto *network = child<QLineEdit>("sciezka");
    auto *local = child<QLineEdit>("sciezka_l");
    auto *browseNetwork = child<QPushButton>("przegladaj");
    auto *browseLocal = child<QPushButton>("przegladaj_l");
    m_window->Timer1Timer();
    QCOMPARE(network->isEnabled(), false);
    QCOMPARE(browseNetwork->isEnabled(), false);
    QCOMPARE(local->isEnabled(), true);
    QCOMPARE(browseLocal->isEnabled(), true);

    child<QRadioButton>("we2")->click();
    m_window->Timer1Timer();
    QCOMPARE(network->isEnabled(), true);
    QCOMPARE(browseNetwork->isEnabled(), true);
    QCOMPARE(local->isEnabled(), false);
    QCOMPARE(browseLocal->isEnabled(), false);
}

void TestSiec::browseFillsThePath()
{
    openWindow();
    QStringList asked;
    QString answer = QStringLiteral("/srv/biuro/mirtal");
    m_window->chooseFolder = [&](QWidget *, const QString &caption, const QString &start) {
        asked << caption + QLatin1Char('|') + start;
        return answer;
    };

    m_window->przegladaj_lClick();
    QCOMPARE(child<QLineEdit>("sciezka_l")->text(), QDir::toNativeSeparators(answer));
    QCOMPARE(asked.last(), QStringLiteral("Ścieżka lokalna dostępu do bazy|") + m_ws->path());

    // A cancelled choice leaves the path as it was.
    answer.clear();
    child<QLineEdit>("sciezka")->setText(QStringLiteral("N:\\Mirtal"));
    m_window->przegladajClick();
    QCOMPARE(asked.last(), QStringLiteral("Ścieżka dostępu do bazy sieciowej|N:\\Mirtal"));
    QCOMPARE(child<QLineEdit>("sciezka")->text(), QStringLiteral("N:\\Mirtal"));
}

QTEST_MAIN(TestSiec)
#include "tst_siec.moc"
