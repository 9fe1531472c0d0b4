#include "ewidencjadruk.h"

#include "datetext.h"
#include "ewidencjarules.h"
#include "fixedpoint.h"

#include <QRegularExpression>

#include <algorithm>

using namespace seams;
using namespace storage;
using settlement::TripSums;

namespace printing {

namespace {

const QString kFixedFace = QStringLiteral("Courier New");
const QString kPlainFace = QStringLiteral("Sans Serif");
constexpr int kRowPoints = 7;
constexpr int kHeaderPoints = 6;
// Courier New's letters are 0.6 em wide: at 7 points 1.46 print units each.
constexpr double kRowCharWidth = 0.6 * kRowPoints / 72.0 * 25.0;
constexpr int kLineHeight = 3;
constexpr int kMaxLines = 4;

enum Column { Number, Date, Route, Purpose, Km, Rate, Value, Signature, Notes, kColumns };
constexpr int kX[kColumns] = {15, 23, 40, 82, 110, 126, 140, 156, 170};
constexpr int kW[kColumns] = {8, 17, 42, 28, 16, 14, 16, 14, 15};

const QList<QStringList> &captions()
{
    static const QList<QStringList> lines{
        {QStringLiteral("Nr"), QStringLiteral("kolejny"), QStringLiteral("wpisu")},
        {QStringLiteral("Data"), QStringLiteral("wyjazdu")},
        {QStringLiteral("Opis trasy wyjazdu"), QStringLiteral("(skąd – dokąd)")},
        {QStringLiteral("Cel wyjazdu")},
        {QStringLiteral("Liczba"), QStringLiteral("faktycznie"), QStringLiteral("przejechanych"),
         QStringLiteral("km")},
        {QStringLiteral("Stawka"), QStringLiteral("za 1 km"), QStringLiteral("przebiegu")},
        {QStringLiteral("Wartość"), QStringLiteral("(5) × (6)")},
        {QStringLiteral("Podpis")},
        {QStringLiteral("Uwagi")},
    };
    return lines;
}

int charsIn(int column)
{
    return std::max(1, static_cast<int>((kW[column] - 1) / kRowCharWidth));
}

// A text cut into lines that fit its column, at blanks where it can; at most kMaxLines, the
// last one cut.
QStringList wrap(const QString &text, int column)
{
    const int width = charsIn(column);
    QStringList lines;
    QString rest = text.simplified();
    while (!rest.isEmpty() && lines.size() < kMaxLines) {
        if (rest.size() <= width) {
            lines << rest;
            break;
        }
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), width);
        if (cut <= 0)
            cut = width;
        lines << rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
    }
    if (lines.isEmpty())
        lines << QString();
    return lines;
}

QString amount(double value, int decimals)
{
    return FormatFixed(value, 0, decimals);
}

class TripLogPainter
{
public:
    TripLogPainter(Page &page, const TripLogPrintInput &input)
        : m_page(page), m_in(input),
          m_face(input.font.currentFace.isEmpty() ? kPlainFace : input.font.currentFace),
          m_size(input.font.currentSize > 0 ? input.font.currentSize : 8),
          m_style(input.font.record.byte(PrintFontSettings::kStyle))
    {
    }

    void draw(int firstMonth, int lastMonth)
    {
        m_page.setFontStyle(m_style);
        m_page.setFontColour(quint32(m_in.font.record.int32(PrintFontSettings::kColour)));
        m_page.UstawStrone();
        bool first = true;
        for (int month = std::max(firstMonth, 1); month <= std::min(lastMonth, 12); ++month) {
            if (!first)
                m_page.newPage();
            first = false;
            drawMonth(month);
        }
    }

private:
    void settingsFont() { m_page.UstawCzcionke(m_face, m_size); }
    void boldOff()
    {
        m_page.Pogrubienie(0);
        m_page.setFontStyle(m_style);
    }
    QString monthTitle(int month) const
    {
        return MonthNames().value(month - 1) + QLatin1Char(' ') + m_in.year;
    }

    // The heading of the month's first sheet; returns the y below it.
    int heading(int month)
    {
        const TripLog &log = m_in.log;
        m_page.Pogrubienie(1);
        m_page.UstawCzcionke(m_face, m_size + 4);
        m_page.PiszTekst(15, 5, QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU"));
        m_page.PiszTekst(130, 5, monthTitle(month));
        boldOff();
        settingsFont();
        m_page.PiszTekst(15, 13,
                         QStringLiteral("Imię, nazwisko i adres osoby używającej pojazdu:"));
        m_page.PiszTekst(15, 17,
                         QStringList{log.person1, log.person2, log.person3}
                             .filter(QRegularExpression(QStringLiteral("\\S")))
                             .join(QStringLiteral(", ")));
        m_page.PiszTekst(15, 22, QStringLiteral("Nr rejestracyjny pojazdu: ") + log.registration);
        m_page.PiszTekst(100, 22,
                         QStringLiteral("Pojemność silnika: ") +
                             (log.engine > 0 ? QString::number(log.engine) + QStringLiteral(" cm³")
                                             : QString()));
        return 28;
    }

    // The heading of a further sheet of the month; returns the y below it.
    int continuation(int month)
    {
        settingsFont();
        m_page.PiszTekst(15, 5,
                         QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU – ") + monthTitle(month) +
                             QStringLiteral(" (ciąg dalszy)"));
        return 11;
    }

    // The column captions and their numbers; returns the y below them.
    int tableHeader(int y)
    {
        m_page.UstawCzcionke(m_face, kHeaderPoints);
        for (int c = 0; c < kColumns; ++c) {
            m_page.RysujRamke(kX[c], y, kW[c], 13);
            m_page.RysujRamke(kX[c], y + 13, kW[c], 4);
        }
        for (int c = 0; c < kColumns; ++c) {
            const QStringList &lines = captions()[c];
            for (int i = 0; i < lines.size(); ++i)
                m_page.PiszTekst(kX[c] + 1, y + 1 + 3 * i, lines[i]);
        }
        for (int c = 0; c < kColumns; ++c) {
            m_page.PiszTekst(kX[c] + 1, y + 13, QStringLiteral("(%1)").arg(c + 1));
        }
        return y + 17;
    }

    // A row of carried totals under the label in the route column.
    int totalsRow(int y, const QString &label, const TripSums &sums)
    {
        m_page.UstawCzcionke(kFixedFace, kRowPoints);
        for (int c = Route; c <= Value; ++c)
            m_page.RysujRamke(kX[c], y, kW[c], 5);
        m_page.PiszTekst(kX[Route] + 1, y + 1, label);
        m_page.PiszTekst(kX[Km] + 1, y + 1, amount(sums.kilometres, 2));
        m_page.PiszTekst(kX[Value] + 1, y + 1, amount(sums.value, 2));
        return y + 5;
    }

    void drawMonth(int month)
    {
        QList<Trip> trips;
        for (const Trip &trip : m_in.log.trips) {
            if (trip.month == month)
                trips << trip;
        }
        const int firstNumber = settlement::FirstEntryNumber(m_in.log.trips, month);

        int y = tableHeader(heading(month));
        // The rows stop above the carried totals of the sheet.
        const int rowsBottom = kTripLogPageBottom - 6;
        QList<Trip> done;
        for (qsizetype i = 0; i < trips.size(); ++i) {
            const Trip &trip = trips[i];
            const QStringList route = wrap(trip.route, Route);
            const QStringList purpose = wrap(trip.purpose, Purpose);
            const QStringList notes = wrap(trip.notes, Notes);
            const int lines =
                static_cast<int>(std::max({route.size(), purpose.size(), notes.size()}));
            const int height = 2 + kLineHeight * lines;
            if (y + height > rowsBottom) {
                totalsRow(y, QStringLiteral("Do przeniesienia"), settlement::SumTrips(done));
                m_page.newPage();
                y = tableHeader(continuation(month));
                y = totalsRow(y, QStringLiteral("Z przeniesienia"), settlement::SumTrips(done));
            }
            m_page.UstawCzcionke(kFixedFace, kRowPoints);
            for (int c = 0; c < kColumns; ++c)
                m_page.RysujRamke(kX[c], y, kW[c], height);
            m_page.PiszTekst(kX[Number] + 1, y + 1, QString::number(firstNumber + i));
            m_page.PiszTekst(kX[Date] + 1, y + 1, trip.date.trimmed());
            for (int l = 0; l < route.size(); ++l)
                m_page.PiszTekst(kX[Route] + 1, y + 1 + kLineHeight * l, route[l]);
            for (int l = 0; l < purpose.size(); ++l)
                m_page.PiszTekst(kX[Purpose] + 1, y + 1 + kLineHeight * l, purpose[l]);
            m_page.PiszTekst(kX[Km] + 1, y + 1, trip.kilometres.trimmed());
            m_page.PiszTekst(kX[Rate] + 1, y + 1, trip.rate.trimmed());
            m_page.PiszTekst(kX[Value] + 1, y + 1,
                             settlement::TripValue(trip.kilometres, trip.rate).trimmed());
            for (int l = 0; l < notes.size(); ++l)
                m_page.PiszTekst(kX[Notes] + 1, y + 1 + kLineHeight * l, notes[l]);
            y += height;
            done << trip;
        }
        summary(y + 3, month, settlement::SumTrips(trips));
    }

    void summary(int y, int month, const TripSums &sums)
    {
        constexpr int kSummaryHeight = 34;
        if (y + kSummaryHeight > kTripLogPageBottom) {
            m_page.newPage();
            y = continuation(month) + 2;
        }
        settingsFont();
        m_page.Pogrubienie(1);
        m_page.PiszTekst(15, y, QStringLiteral("Podsumowanie miesiąca"));
        boldOff();
        settingsFont();
        const double yearValue = settlement::YearValueTo(m_in.log.trips, month);
        const QList<std::pair<QString, QString>> lines{
            {QStringLiteral("Liczba faktycznie przejechanych km"), amount(sums.kilometres, 2)},
            {QStringLiteral("Wartość przebiegu w miesiącu [zł]"), amount(sums.value, 2)},
            {QStringLiteral("Wartość przebiegu od początku roku [zł]"), amount(yearValue, 2)},
        };
        int line = y + 5;
        for (const auto &[label, value] : lines) {
            m_page.RysujRamke(15, line, 80, 5);
            m_page.RysujRamke(95, line, 30, 5);
            m_page.PiszTekst(16, line + 1, label);
            m_page.PiszTekst(96, line + 1, value);
            line += 5;
        }
        m_page.PiszTekst(110, line + 8, QStringLiteral("......................................"));
        m_page.PiszTekst(110, line + 12, QStringLiteral("podpis podatnika"));
    }

    Page &m_page;
    const TripLogPrintInput &m_in;
    QString m_face;
    int m_size;
    quint8 m_style;
};

} // namespace

void DrawTripLog(Page &page, const TripLogPrintInput &input, int firstMonth, int lastMonth)
{
    TripLogPainter(page, input).draw(firstMonth, lastMonth);
}

} // namespace printing
