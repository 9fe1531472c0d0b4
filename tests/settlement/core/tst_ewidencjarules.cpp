#include "clientrecords.h"
#include "ewidencjarules.h"
#include "recordfile.h"
#include "stawki.h"
#include "textcodec.h"

#include <QTest>

using namespace settlement;
using storage::Trip;

namespace {

Trip trip(int month, const QString &date, const QString &kilometres, const QString &rate,
          const QString &route = QStringLiteral("Biuro – klient"),
          const QString &purpose = QStringLiteral("spotkanie"))
{
    return Trip{month, date, route, purpose, kilometres, rate, {}};
}

} // namespace

class TestEwidencjaRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateCheck_data();
    void dateCheck();
    void rateProposal_data();
    void rateProposal();
    void monthOfTwoRatesSumsEachRate();
    void feedOfOneRateIsWhatTypedSumsGive();
    void feedOfTwoRatesGoesByHand();
    void warnings_data();
    void warnings();
    void import_data();
    void import();
    void exportHoldsEveryTripAndTheSums();
    void demoLogGivesTheDemoRegister();
};

void TestEwidencjaRules::dateCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("check");
    QTest::newRow("a day of the month") << "14.11.2007" << int(TripDateCheck::Fine);
    QTest::newRow("blanks around") << " 01.11.2007 " << int(TripDateCheck::Fine);
    QTest::newRow("empty") << "" << int(TripDateCheck::Empty);
    QTest::newRow("31 November") << "31.11.2007" << int(TripDateCheck::NotADay);
    QTest::newRow("one digit") << "1.11.2007" << int(TripDateCheck::NotADay);
    QTest::newRow("other separator") << "14/11/2007" << int(TripDateCheck::NotADay);
    QTest::newRow("another month") << "30.10.2007" << int(TripDateCheck::OutsideMonth);
    QTest::newRow("another year") << "14.11.2008" << int(TripDateCheck::OutsideMonth);
}

void TestEwidencjaRules::dateCheck()
{
    QFETCH(QString, text);
    QFETCH(int, check);
    QCOMPARE(int(CheckTripDate(text, 11, 2007)), check);
    QCOMPARE(TripDateReason(text, 11, 2007).isEmpty(),
             check == int(TripDateCheck::Fine) || check == int(TripDateCheck::Empty));
}

void TestEwidencjaRules::rateProposal_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("vehicleClass");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("act");

    using K = RateProposal::Kind;
    // Up to 13 November 2007 the rates of 2004, which one source alone gives: a suggestion.
    QTest::newRow("13.11.2007, car over 900")
        << QDate(2007, 11, 13) << 2 << int(K::Suggestion) << "   0.7846"
        << "Dz.U. 2004";
    QTest::newRow("14.11.2007, car over 900")
        << QDate(2007, 11, 14) << 2 << int(K::Confirmed) << "   0.8358"
        << "Dz.U. 2007";
    QTest::newRow("14.11.2007, car up to 900")
        << QDate(2007, 11, 14) << 1 << int(K::Confirmed) << "   0.5214"
        << "Dz.U. 2007";
    QTest::newRow("2016, moped") << QDate(2016, 6, 1) << 4 << int(K::Confirmed) << "   0.1382"
                                 << "Dz.U. 2007";
    QTest::newRow("3.11.2004, motorcycle")
        << QDate(2004, 11, 3) << 3 << int(K::Suggestion) << "   0.2161"
        << "Dz.U. 2004";
    QTest::newRow("before the first set") << QDate(2004, 11, 2) << 2 << int(K::None) << ""
                                          << "";
    QTest::newRow("no class") << QDate(2010, 1, 1) << 0 << int(K::None) << ""
                              << "";
    QTest::newRow("no date") << QDate() << 2 << int(K::None) << ""
                             << "";
}

void TestEwidencjaRules::rateProposal()
{
    QFETCH(QDate, date);
    QFETCH(int, vehicleClass);
    QFETCH(int, kind);
    QFETCH(QString, rate);
    QFETCH(QString, act);
    const RateProposal proposal = ProposeRate(date, quint8(vehicleClass));
    QCOMPARE(int(proposal.kind), kind);
    QCOMPARE(proposal.rate, rate);
    QVERIFY2(proposal.act.contains(act), qPrintable(proposal.act));
}

void TestEwidencjaRules::monthOfTwoRatesSumsEachRate()
{
    // November 2007: 100.50 km at the old rate, 200.25 km at the new one.
    const QList<Trip> trips{
        trip(11, "05.11.2007", "    60.25", "   0.7846"),
        trip(11, "13.11.2007", "    40.25", "   0.7846"),
        trip(11, "14.11.2007", "   200.25", "   0.8358"),
        trip(12, "03.12.2007", "    10.00", "   0.8358"),
    };
    const TripSums sums = SumMonth(trips, 11);
    QCOMPARE(sums.kilometres, 300.75);
    QCOMPARE(sums.rates, (QList<double>{0.7846, 0.8358}));
    // 100.50 × 0.7846 = 78.8523 → 78.85; 200.25 × 0.8358 = 167.36895 → 167.37.
    QCOMPARE(sums.value, 78.85 + 167.37);
    QCOMPARE(YearValueTo(trips, 12), 78.85 + 167.37 + 8.36);
    QCOMPARE(FirstEntryNumber(trips, 12), 4);
    QCOMPARE(TripValue("   200.25", "   0.8358"), QStringLiteral("   167.37"));
}

void TestEwidencjaRules::feedOfOneRateIsWhatTypedSumsGive()
{
    MileageGrid grid;
    grid[0] = {QStringLiteral("500"), QStringLiteral("0.5"), QStringLiteral("250.00")};
    grid[2] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("99.99")};
    // March in three trips: 1520 km, the same as typed as one sum.
    const QList<Trip> trips{trip(3, "01.03.2008", "   500.00", "   0.8358"),
                            trip(3, "02.03.2008", "  1000.00", "   0.8358"),
                            trip(3, "03.03.2008", "    20.00", "   0.8358")};
    const MileageFeed feed = FeedMileage(grid, MileageAmounts::Automatic, trips);
    QCOMPARE(feed.fedMonths, QList<int>{3});
    QVERIFY(feed.twoRateMonths.isEmpty());
    QCOMPARE(feed.amounts, MileageAmounts::Automatic);
    QCOMPARE(feed.grid[2],
             (MileageMonth{"  1520.00", "   0.8358", AutomaticAmount("1520", "0.8358")}));
    QCOMPARE(feed.grid[2].amount, QStringLiteral("  1270.42"));
    // A month without trips keeps what was typed by hand.
    QCOMPARE(feed.grid[0], grid[0]);
    QCOMPARE(MileageRecord(feed.grid, feed.amounts).bytes(),
             MileageRecord(
                 [&] {
                     MileageGrid typed = grid;
                     typed[2] = {QStringLiteral("1520"), QStringLiteral("0.8358"),
                                 AutomaticAmount("1520", "0.8358")};
                     return typed;
                 }(),
                 MileageAmounts::Automatic)
                 .bytes());
}

void TestEwidencjaRules::feedOfTwoRatesGoesByHand()
{
    const QList<Trip> trips{trip(11, "05.11.2007", "   100.50", "   0.7846"),
                            trip(11, "14.11.2007", "   200.25", "   0.8358")};
    const MileageFeed feed = FeedMileage(MileageGrid{}, MileageAmounts::Automatic, trips);
    QCOMPARE(feed.twoRateMonths, QList<int>{11});
    QCOMPARE(feed.amounts, MileageAmounts::ByHand);
    // The amount is the sum of the values at each rate; the rate is that amount per kilometre.
    QCOMPARE(feed.grid[10].kilometres, QStringLiteral("   300.75"));
    QCOMPARE(feed.grid[10].amount, QStringLiteral("   246.22"));
    QCOMPARE(feed.grid[10].rate, QStringLiteral("   0.8187"));
    // By hand, a refresh keeps the amount.
    QCOMPARE(RefreshMileage(feed.grid, feed.amounts).grid[10].amount, QStringLiteral("   246.22"));
}

void TestEwidencjaRules::warnings_data()
{
    QTest::addColumn<QList<Trip>>("trips");
    QTest::addColumn<int>("costMonth"); // a month with an invoice, 0 for none
    QTest::addColumn<QStringList>("expected");

    const Trip fine = trip(3, "05.03.2007", "    10.00", "   0.8358");
    Trip bare = trip(3, "", "", "", "", "");
    QTest::newRow("fine") << QList<Trip>{fine} << 0 << QStringList{};
    QTest::newRow("nothing filled in")
        << QList<Trip>{fine, bare} << 0
        << QStringList{"Wpis 2: brak daty, trasy, celu wyjazdu, kilometrów."};
    QTest::newRow("date outside the month")
        << QList<Trip>{trip(3, "05.04.2007", "    10.00", "")} << 0
        << QStringList{"Wpis 1: Data 05.04.2007 leży poza miesiącem marzec 2007."};
    QTest::newRow("same route and distance on a day")
        << QList<Trip>{fine, trip(3, "06.03.2007", "    10.00", ""), fine} << 0
        << QStringList{"Wpisy 1 i 3: ta sama trasa i liczba kilometrów tego samego dnia."};
    QTest::newRow("costs without trips")
        << QList<Trip>{fine} << 2
        << QStringList{"Luty: są koszty eksploatacji, a w ewidencji nie ma wyjazdów."};
    QTest::newRow("costs with trips") << QList<Trip>{fine} << 3 << QStringList{};
    // Only the chosen month's trips are checked, but they keep their numbers in the year.
    QTest::newRow("numbers of the year")
        << QList<Trip>{trip(1, "05.01.2007", "    10.00", ""), trip(3, "", "    10.00", "")} << 0
        << QStringList{"Wpis 2: brak daty."};
}

void TestEwidencjaRules::warnings()
{
    QFETCH(QList<Trip>, trips);
    QFETCH(int, costMonth);
    QFETCH(QStringList, expected);
    storage::Record costs(storage::cost::kSize);
    if (costMonth > 0)
        costs.setText(storage::cost::entry(costMonth, storage::cost::kNet, 4),
                      QStringLiteral("  100.00"));
    QCOMPARE(TripWarnings(trips, 3, 2007, costs), expected);
}

void TestEwidencjaRules::import_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("trips");    // month|date|route|purpose|km|rate
    QTest::addColumn<QStringList>("rejected"); // line: reason

    QTest::newRow("semicolons, UTF-8, decimal comma, header")
        << QByteArray("Data;Trasa;Cel;Km\r\n"
                      "14.11.2007;Łódź – Kraków;szkolenie;120,5\r\n"
                      "2007-11-13;\"Kraków; dworzec\";powrót;100;0,7846;bez uwag\r\n")
        << QStringList{"11|14.11.2007|Łódź – Kraków|szkolenie|   120.50|   0.8358",
                       "11|13.11.2007|Kraków; dworzec|powrót|   100.00|   0.7846"}
        << QStringList{};
    QTest::newRow("commas, Windows-1250, decimal point")
        << storage::ToWindows1250(QStringLiteral("5.1.2007,Biuro – Żyrardów,zakupy,12.5\n"))
        << QStringList{"1|05.01.2007|Biuro – Żyrardów|zakupy|    12.50|"} << QStringList{};
    QTest::newRow("rejected lines with reasons")
        << QByteArray("01.02.2007;a;b;10\n"
                      "31.02.2007;a;b;10\n"
                      "01.02.2006;a;b;10\n"
                      "01.02.2007;a;b;-3\n"
                      "01.02.2007;a;b;dziesięć\n"
                      "01.02.2007;a;b\n"
                      "01.02.2007;a;b;10;0,8x\n"
                      "\n")
        << QStringList{"2|01.02.2007|a|b|    10.00|"}
        << QStringList{"2: data „31.02.2007” nie jest dniem w postaci dd.mm.rrrr ani rrrr-mm-dd",
                       "3: data 01.02.2006 spoza roku 2007",
                       "4: kilometry „-3” nie są liczbą większą od zera",
                       "5: kilometry „dziesięć” nie są liczbą większą od zera",
                       "6: za mało pól: potrzebne data, trasa, cel i kilometry",
                       "7: stawka „0,8x” nie jest liczbą"};
}

void TestEwidencjaRules::import()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, trips);
    QFETCH(QStringList, rejected);
    // A car over 900 cm³: a trip without a rate takes the confirmed rate of its day only.
    const TripImport result = ImportTripsCsv(bytes, 2007, storage::triplog::CarOver900);
    QStringList got;
    for (const Trip &t : result.trips)
        got << QStringLiteral("%1|%2|%3|%4|%5|%6")
                   .arg(t.month)
                   .arg(t.date, t.route, t.purpose, t.kilometres, t.rate);
    QCOMPARE(got, trips);
    QStringList reasons;
    for (const ImportedLine &line : result.rejected)
        reasons << QStringLiteral("%1: %2").arg(line.line).arg(line.reason);
    QCOMPARE(reasons, rejected);
}

void TestEwidencjaRules::exportHoldsEveryTripAndTheSums()
{
    storage::TripLog log;
    log.person1 = QStringLiteral("Jan Kowalski");
    log.registration = QStringLiteral("WA 12345");
    log.engine = 1242;
    log.vehicleClass = storage::triplog::CarOver900;
    log.trips << trip(11, "05.11.2007", "   100.50", "   0.7846", "Biuro; dom")
              << trip(11, "14.11.2007", "   200.25", "   0.8358");
    const QByteArray bytes = ExportTripsCsv(log, QStringLiteral("2007"));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(1),
             QStringLiteral("Jan Kowalski;;;WA 12345;1242;samochód powyżej 900 cm3;2007"));
    QCOMPARE(lines.at(4),
             QStringLiteral("1;Listopad;05.11.2007;\"Biuro; dom\";spotkanie;100,50;0,7846;78,85;"));
    QCOMPARE(
        lines.at(5),
        QStringLiteral("2;Listopad;14.11.2007;Biuro – klient;spotkanie;200,25;0,8358;167,37;"));
    QCOMPARE(lines.at(6), QStringLiteral("Razem;;;;;300,75;;246,22;"));
}

void TestEwidencjaRules::demoLogGivesTheDemoRegister()
{
    const QString dane = QStringLiteral(DEMO_SEED_DIR "/DANE/");
    const storage::TripLog log = storage::ReadTripLog(dane + QStringLiteral("001_2000.ewp"));
    storage::Record register_(storage::mileage::kSize);
    storage::ReadRecord(dane + QStringLiteral("001_2000.prz"), register_);
    QVERIFY(log.trips.size() > 12);
    // Handed to an empty register with automatic amounts, the demo log gives the demo register.
    const MileageFeed feed = FeedMileage(MileageGrid{}, MileageAmounts::Automatic, log.trips);
    QCOMPARE(feed.fedMonths.size(), 12);
    QCOMPARE(MileageRecord(feed.grid, feed.amounts).bytes(), register_.bytes());
}

QTEST_GUILESS_MAIN(TestEwidencjaRules)
#include "tst_ewidencjarules.moc"
