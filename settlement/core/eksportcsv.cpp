#include "eksportcsv.h"

#include "calculationresults.h"
#include "clientrecords.h"
#include "csvformat.h"
#include "datetext.h"
#include "fixedpoint.h"
#include "koszty.h"
#include "recordfile.h"

#include <QStringList>

using namespace storage;

namespace settlement {

namespace {

void addOwner(QString &out, const Record &owner, const QString &year)
{
    csv::AddLine(out, {QStringLiteral("Nazwa 1"), QStringLiteral("Nazwa 2"),
                       QStringLiteral("Nazwa 3"), QStringLiteral("NIP"), QStringLiteral("Marka"),
                       QStringLiteral("Nr rejestracyjny"), QStringLiteral("Rok")});
    csv::AddLine(out, {csv::Field(owner.text(owner::nazwa1)), csv::Field(owner.text(owner::nazwa2)),
                       csv::Field(owner.text(owner::nazwa3)), csv::Field(owner.text(owner::nip)),
                       csv::Field(owner.text(owner::marka)),
                       csv::Field(owner.text(owner::rejestracja)), csv::Field(year)});
}

void addMonths(QString &out, const Record &mileage, const Record &costs)
{
    CalculationResults december;
    WyliczKoszty(mileage, costs, 12, december);

    csv::AddLine(out,
                 {QStringLiteral("Miesiąc"), QStringLiteral("Przebieg pojazdu miesięcznie [zł]"),
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
        csv::AddLine(out, row);
    }
    csv::AddLine(out, {QStringLiteral("Razem"), csv::Number(december.cumulativeMileage, 2),
                       QString(), csv::Number(december.cumulativeCosts, 2), QString(),
                       csv::Number(december.totalBooked, 2)});
}

void addInvoices(QString &out, const Record &costs)
{
    csv::AddLine(out, {QStringLiteral("Miesiąc"), QStringLiteral("Data"),
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
            csv::AddLine(out, {seams::MonthNames().at(month - 1), csv::Field(date),
                               csv::Field(kind), csv::Field(document), csv::StoredNumber(net, 2),
                               csv::StoredNumber(vat, 2)});
        }
    }
    csv::AddLine(out, {QStringLiteral("Razem"), QString(), QString(), QString(),
                       csv::Number(netSum, 2), csv::Number(vatSum, 2)});
}

} // namespace

QByteArray EksportujCsv(const Record &owner, const QString &year, const Record &mileage,
                        const Record &costs)
{
    QString out;
    addOwner(out, owner, year);
    out += csv::kLineEnd;
    addMonths(out, mileage, costs);
    out += csv::kLineEnd;
    addInvoices(out, costs);
    return csv::FileBytes(out);
}

void ZapiszCsv(const QString &path, const QByteArray &bytes)
{
    // The record writer already writes any bytes whole through a temporary file and a rename.
    Record file(bytes.size());
    file.bytes() = bytes;
    WriteRecord(path, file);
}

} // namespace settlement
