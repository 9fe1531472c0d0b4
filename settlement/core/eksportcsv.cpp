#include "eksportcsv.h"

#include "calculationresults.h"
#include "clientrecords.h"
#include "datetext.h"
#include "fixedpoint.h"
#include "koszty.h"
#include "recordfile.h"

#include <QStringList>

using namespace storage;

namespace settlement {

namespace {

constexpr QLatin1String kLineEnd("\r\n");

// A text field; quoted, with its quotes doubled, only where a spreadsheet would otherwise split
// it or end it early.
QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// An amount with two decimals and a decimal comma, as a Polish spreadsheet reads numbers.
QString number(double value)
{
    return FormatFixed(value, 0, 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A stored amount: empty stays empty, anything else is its value with two decimals.
QString storedAmount(const QString &text)
{
    return text.trimmed().isEmpty() ? QString() : number(ParseFixed(text));
}

void addRow(QString &out, const QStringList &fields)
{
    out += fields.join(QLatin1Char(';')) + kLineEnd;
}

void addOwner(QString &out, const Record &owner, const QString &year)
{
    addRow(out, {QStringLiteral("Nazwa 1"), QStringLiteral("Nazwa 2"), QStringLiteral("Nazwa 3"),
                 QStringLiteral("NIP"), QStringLiteral("Marka"), QStringLiteral("Nr rejestracyjny"),
                 QStringLiteral("Rok")});
    addRow(out,
           {field(owner.text(owner::nazwa1)), field(owner.text(owner::nazwa2)),
            field(owner.text(owner::nazwa3)), field(owner.text(owner::nip)),
            field(owner.text(owner::marka)), field(owner.text(owner::rejestracja)), field(year)});
}

void addMonths(QString &out, const Record &mileage, const Record &costs)
{
    CalculationResults december;
    WyliczKoszty(mileage, costs, 12, december);

    addRow(out, {QStringLiteral("Miesiąc"), QStringLiteral("Przebieg pojazdu miesięcznie [zł]"),
                 QStringLiteral("Przebieg pojazdu narastająco [zł]"),
                 QStringLiteral("Eksploatacja pojazdu miesięcznie [zł]"),
                 QStringLiteral("Eksploatacja pojazdu narastająco [zł]"),
                 QStringLiteral("Koszty uzyskania przychodu [zł]")});
    for (int month = 1; month <= 12; ++month) {
        QStringList row{seams::MonthNames().at(month - 1)};
        // The table's texts, so that the file shows the figures the printout shows.
        for (int column = 0; column < 5; ++column)
            row << december.table.text(CalculationResults::cell(month, column))
                       .trimmed()
                       .replace(QLatin1Char('.'), QLatin1Char(','));
        addRow(out, row);
    }
    addRow(out, {QStringLiteral("Razem"), number(december.cumulativeMileage), QString(),
                 number(december.cumulativeCosts), QString(), number(december.totalBooked)});
}

void addInvoices(QString &out, const Record &costs)
{
    addRow(out, {QStringLiteral("Miesiąc"), QStringLiteral("Data"),
                 QStringLiteral("Rodzaj wydatku"), QStringLiteral("Nr dokumentu"),
                 QStringLiteral("Netto [zł]"), QStringLiteral("Vat [zł]")});
    double netSum = 0.0;
    double vatSum = 0.0;
    for (int month = 1; month <= 12; ++month) {
        for (int row = 1; row <= cost::kRows; ++row) {
            const QString date = costs.text(cost::entry(month, cost::kDate, row));
            const QString kind = costs.text(cost::entry(month, cost::kKind, row));
            const QString document = costs.text(cost::entry(month, cost::kDocument, row));
            const QString net = costs.text(cost::entry(month, cost::kNet, row));
            const QString vat = costs.text(cost::entry(month, cost::kVat, row));
            netSum += ParseFixed(net);
            vatSum += ParseFixed(vat);
            if ((date + kind + document + net + vat).trimmed().isEmpty())
                continue;
            addRow(out, {seams::MonthNames().at(month - 1), field(date), field(kind),
                         field(document), storedAmount(net), storedAmount(vat)});
        }
    }
    addRow(out, {QStringLiteral("Razem"), QString(), QString(), QString(), number(netSum),
                 number(vatSum)});
}

} // namespace

QByteArray EksportujCsv(const Record &owner, const QString &year, const Record &mileage,
                        const Record &costs)
{
    QString out;
    addOwner(out, owner, year);
    out += kLineEnd;
    addMonths(out, mileage, costs);
    out += kLineEnd;
    addInvoices(out, costs);
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

void ZapiszCsv(const QString &path, const QByteArray &bytes)
{
    // The record writer already writes any bytes whole through a temporary file and a rename.
    Record file(bytes.size());
    file.bytes() = bytes;
    WriteRecord(path, file);
}

} // namespace settlement
