// How long the mileage log takes with a busy month: 300 trips in March, the window opened on it
// (read, grid filled, sums and warnings), one cell typed, and the month printed to a PDF file.
// Benchmarks only: run with -iterations N or -median N for steadier figures.
#include "clientrecords.h"
#include "ewidencja.h"
#include "fakeprintdialogs.h"
#include "fakeseams.h"
#include "triplog.h"
#include "workspace.h"

#include <QFile>
#include <QTableWidget>
#include <QTest>

using namespace storage;

class BenchEwidencja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void openMonthOf300Trips();
    void typeIntoMonthOf300Trips();
    void printMonthOf300Trips();

private:
    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<Tewidencja_f> m_window;
    std::shared_ptr<settlement::ClientYear> m_year;
};

void BenchEwidencja::initTestCase()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    TripLog log;
    log.vehicleClass = triplog::CarOver900;
    for (int i = 0; i < 300; ++i) {
        log.trips << Trip{3,
                          QStringLiteral("%1.03.2007").arg(1 + i % 31, 2, 10, QLatin1Char('0')),
                          QStringLiteral("Biuro – klient %1").arg(i % 40),
                          QStringLiteral("dostawa"),
                          QStringLiteral("    12.50"),
                          QStringLiteral("   0.8358"),
                          {}};
    }
    WriteTripLog(m_ws->path(QStringLiteral("DANE/007_2007.ewp")), log);
    m_year = std::make_shared<settlement::ClientYear>(m_ws->path(), QStringLiteral("007"),
                                                      QStringLiteral("2007"));
    m_window = std::make_unique<Tewidencja_f>(m_ws->seams.seams, m_printDialogs);
    m_window->setYear({m_year, {}});
}

void BenchEwidencja::cleanupTestCase()
{
    m_window.reset();
    m_year.reset();
    m_ws.reset();
}

void BenchEwidencja::openMonthOf300Trips()
{
    // The fake clock stands in March 2007: the window opens on the busy month.
    QBENCHMARK
    {
        QVERIFY(m_window->FormCreate());
    }
    QCOMPARE(findChildNamed<QTableWidget>(m_window.get(), "trasy")->rowCount(), 300);
}

void BenchEwidencja::typeIntoMonthOf300Trips()
{
    QVERIFY(m_window->FormCreate());
    QTableWidget *grid = findChildNamed<QTableWidget>(m_window.get(), "trasy");
    int i = 0;
    QBENCHMARK
    {
        grid->item(150, Tewidencja_f::Km)->setText(QString::number(10 + (i++ % 5)));
    }
}

void BenchEwidencja::printMonthOf300Trips()
{
    QVERIFY(m_window->FormCreate());
    const QString pdf = m_ws->path(QStringLiteral("marzec.pdf"));
    QBENCHMARK
    {
        m_printDialogs.printAnswers = {true};
        m_printDialogs.pdfFiles = {pdf};
        m_window->drukujMiesiacClick();
    }
    QVERIFY(PdfPageCount(pdf) > 1);
}

QTEST_MAIN(BenchEwidencja)
#include "tst_ewidencjabench.moc"
