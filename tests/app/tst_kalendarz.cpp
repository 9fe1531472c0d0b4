#include "fakeseams.h"
#include "kalendarz.h"

#include <QFile>
#include <QSet>
#include <QTest>

using namespace kalendarz;

class TestKalendarz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameDays_data();
    void nameDays();
    void tableHoldsEveryLineOfTheDataFile();
    void weekdayNames_data();
    void weekdayNames();
    void banner_data();
    void banner();
};

void TestKalendarz::nameDays_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("names");

    QTest::newRow("1 January") << 1 << 1 << QStringLiteral("Maria,Mieczysław");
    QTest::newRow("2 January") << 1 << 2 << QStringLiteral("Izydor,Makary");
    QTest::newRow("6 January, three names") << 1 << 6 << QStringLiteral("Kacper,Melchior,Baltazar");
    QTest::newRow("29 February") << 2 << 29 << QStringLiteral("Rufina,Hilarego");
    QTest::newRow("1 November, a feast") << 11 << 1 << QStringLiteral("Wszystkich Świętych");
    QTest::newRow("25 December, a feast") << 12 << 25 << QStringLiteral("Boże Narodzenie");
    QTest::newRow("31 December, last cell") << 12 << 31 << QStringLiteral("Sylwester,Sebastian");
    QTest::newRow("30 February") << 2 << 30 << QString();
    QTest::newRow("31 February") << 2 << 31 << QString();
    QTest::newRow("31 April") << 4 << 31 << QString();
    QTest::newRow("31 June") << 6 << 31 << QString();
    QTest::newRow("31 September") << 9 << 31 << QString();
    QTest::newRow("31 November") << 11 << 31 << QString();
    QTest::newRow("month 0") << 0 << 1 << QString();
    QTest::newRow("month 13") << 13 << 1 << QString();
    QTest::newRow("day 0") << 1 << 0 << QString();
    QTest::newRow("day 32") << 1 << 32 << QString();
}

void TestKalendarz::nameDays()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, names);
    QCOMPARE(NameDays(month, day), names);
}

// The compiled table against the data file it is generated from: every line in its own cell,
// and no text in any cell the file leaves out.
void TestKalendarz::tableHoldsEveryLineOfTheDataFile()
{
    QFile data(QStringLiteral(IMIENINY_TSV));
    QVERIFY2(data.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(data.errorString()));
    QSet<int> listed;
    while (!data.atEnd()) {
        const QString line = QString::fromUtf8(data.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 3);
        const int month = fields.at(0).toInt();
        const int day = fields.at(1).toInt();
        QCOMPARE(NameDays(month, day), fields.at(2));
        listed.insert(month * 100 + day);
    }
    QCOMPARE(listed.size(), 366);
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            if (!listed.contains(month * 100 + day))
                QVERIFY2(NameDays(month, day).isEmpty(),
                         qPrintable(QStringLiteral("%1.%2").arg(day).arg(month)));
        }
    }
}

void TestKalendarz::weekdayNames_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("name");

    QTest::newRow("Sunday") << QDate(2024, 11, 3) << 1 << QStringLiteral("niedziela");
    QTest::newRow("Monday") << QDate(2024, 11, 4) << 2 << QStringLiteral("poniedziałek");
    QTest::newRow("Tuesday") << QDate(2024, 11, 5) << 3 << QStringLiteral("wtorek");
    QTest::newRow("Wednesday") << QDate(2024, 11, 6) << 4 << QStringLiteral("środa");
    QTest::newRow("Thursday") << QDate(2024, 11, 7) << 5 << QStringLiteral("czwartek");
    QTest::newRow("Friday") << QDate(2024, 11, 8) << 6 << QStringLiteral("piątek");
    QTest::newRow("Saturday") << QDate(2024, 11, 9) << 7 << QStringLiteral("sobota");
    QTest::newRow("invalid date") << QDate() << 0 << QString();
}

void TestKalendarz::weekdayNames()
{
    QFETCH(QDate, date);
    QFETCH(int, weekday);
    QFETCH(QString, name);
    QCOMPARE(PlatformWeekday(date), weekday);
    QCOMPARE(WeekdayName(weekday), name);
}

void TestKalendarz::banner_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("dateLine");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("nameDays");

    const QColor grey(128, 128, 128);
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("leap day, Thursday")
        << QDate(2024, 2, 29) << QStringLiteral(".") << QStringLiteral("29.02.2024 czwartek")
        << grey << QStringLiteral("Rufina,Hilarego");
    QTest::newRow("Epiphany, Saturday")
        << QDate(2024, 1, 6) << QStringLiteral(".") << QStringLiteral("06.01.2024 sobota") << blue
        << QStringLiteral("Kacper,Melchior,Baltazar");
    QTest::newRow("All Saints, Sunday")
        << QDate(2026, 11, 1) << QStringLiteral(".") << QStringLiteral("01.11.2026 niedziela")
        << red << QStringLiteral("Wszystkich Świętych");
    QTest::newRow("Christmas, Monday")
        << QDate(2023, 12, 25) << QStringLiteral(".") << QStringLiteral("25.12.2023 poniedziałek")
        << grey << QStringLiteral("Boże Narodzenie");
    QTest::newRow("Friday, other separator")
        << QDate(2007, 3, 16) << QStringLiteral("-") << QStringLiteral("16-03-2007 piątek") << grey
        << QStringLiteral("Izabela,Hilary");
}

void TestKalendarz::banner()
{
    QFETCH(QDate, date);
    QFETCH(QString, separator);
    QFETCH(QString, dateLine);
    QFETCH(QColor, colour);
    QFETCH(QString, nameDays);

    FakeRegionalSettings regional;
    regional.separator = separator;
    const DateBanner banner = BannerFor(date, regional);
    QCOMPARE(banner.dateLine, dateLine);
    QCOMPARE(banner.colour, colour);
    QCOMPARE(banner.nameDays, nameDays);
}

QTEST_GUILESS_MAIN(TestKalendarz)
#include "tst_kalendarz.moc"
