// Writes the demo year of client 001 (2000) and the default print font into a working
// directory whose DANE and FONT folders exist: the mileage of twelve months at 0.8358 zł/km,
// invoices with 22 % VAT in ten months, the numerator with the suffix "/2000", the place name
// of the print panel, the print font of a fresh installation, and the mileage log whose monthly
// sums are the register's kilometres, with the client's fixed routes.

#include "clientrecords.h"
#include "datatree.h"
#include "fileerror.h"
#include "fixedpoint.h"
#include "paths.h"
#include "recordfile.h"
#include "triplog.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>

using namespace storage;

namespace {

const QString kStem = QStringLiteral("001_2000");
constexpr double kRate = 0.8358;
constexpr int kKilometres[12] = {1520, 1385, 1642, 1470, 1730, 1605,
                                 1210, 640,  1688, 1754, 1532, 1268};

struct Invoice {
    int month;
    int day;
    const char *kind;
    const char *document;
    double net;
};

// Two months have no invoice: the holiday month of August and May, so that the settlement of a
// month without invoices can be seen too.
const Invoice kInvoices[] = {
    {1, 7, "Paliwo", "FV 112/01/2000", 412.30},
    {1, 21, "Wymiana oleju i filtrów", "FV 18/2000", 186.00},
    {2, 4, "Paliwo", "FV 356/02/2000", 398.77},
    {2, 25, "Paliwo", "FV 611/02/2000", 205.50},
    {3, 3, "Paliwo", "FV 702/03/2000", 421.15},
    {3, 14, "Opony zimowe - wymiana na letnie", "FV 44/03/2000", 120.00},
    {3, 28, "Myjnia", "R 1093", 24.59},
    {4, 11, "Paliwo", "FV 1021/04/2000", 436.40},
    {4, 19, "Naprawa układu hamulcowego", "FV 7/04/2000", 1480.00},
    {6, 2, "Paliwo", "FV 1488/06/2000", 455.80},
    {6, 30, "Ubezpieczenie AC", "PL 220145", 1350.00},
    {7, 9, "Paliwo", "FV 1702/07/2000", 380.25},
    {9, 5, "Paliwo", "FV 2210/09/2000", 468.90},
    {9, 18, "Przegląd techniczny", "FV 91/2000", 98.36},
    {10, 6, "Paliwo", "FV 2583/10/2000", 472.00},
    {10, 27, "Akumulator", "FV 301/10/2000", 245.90},
    {11, 8, "Paliwo", "FV 2911/11/2000", 430.60},
    {11, 22, "Opony zimowe", "FV 66/11/2000", 820.00},
    {12, 4, "Paliwo", "FV 3240/12/2000", 445.10},
    {12, 20, "Myjnia", "R 2207", 24.59},
};

QString DataFile(const QString &root, const QString &extension)
{
    return YearFile(root, kStem, extension);
}

void WriteMileage(const QString &root)
{
    Record record = mileage::defaultRecord();
    double total = 0.0;
    for (int month = 1; month <= 12; ++month) {
        const double kilometres = kKilometres[month - 1];
        const QString amount = FormatStored(kilometres * kRate, mileage::kCellWidth, 2);
        record.setText(mileage::cell(mileage::kKilometres, month),
                       FormatStored(kilometres, mileage::kCellWidth, 2));
        record.setText(mileage::cell(mileage::kRate, month),
                       FormatStored(kRate, mileage::kCellWidth, 4));
        record.setText(mileage::cell(mileage::kAmount, month), amount);
        // The register sums the amounts as its cells show them.
        total += ParseFixed(amount);
    }
    record.setText(mileage::yearTotal, FormatFixed(total, mileage::kTotalWidth, 2));
    record.setByte(mileage::kAutomaticFlag, 1);
    WriteRecord(DataFile(root, QStringLiteral(".prz")), record);
}

void WriteCosts(const QString &root)
{
    Record record = cost::defaultRecord();
    int row[13] = {};
    double netTotal = 0.0;
    double vatTotal = 0.0;
    for (const Invoice &invoice : kInvoices) {
        const int r = ++row[invoice.month];
        const QString net = FormatStored(invoice.net, cost::kAmountWidth, 2);
        // "Licz 22%": the VAT of the net amount at 22 %, as the register computes it.
        const QString vat = FormatStored(invoice.net * 0.22, cost::kAmountWidth, 2);
        const QString date = QStringLiteral("%1/%2/2000")
                                 .arg(invoice.day, 2, 10, QLatin1Char('0'))
                                 .arg(invoice.month, 2, 10, QLatin1Char('0'));
        record.setText(cost::entry(invoice.month, cost::kDate, r), date);
        record.setText(cost::entry(invoice.month, cost::kKind, r), QString::fromUtf8(invoice.kind));
        record.setText(cost::entry(invoice.month, cost::kDocument, r),
                       QString::fromUtf8(invoice.document));
        record.setText(cost::entry(invoice.month, cost::kNet, r), net);
        record.setText(cost::entry(invoice.month, cost::kVat, r), vat);
        netTotal += ParseFixed(net);
        vatTotal += ParseFixed(vat);
    }
    record.setText(cost::netTotal, FormatFixed(netTotal, cost::kTotalWidth, 2));
    record.setText(cost::vatTotal, FormatFixed(vatTotal, cost::kTotalWidth, 2));
    WriteRecord(DataFile(root, QStringLiteral(".eks")), record);

    Record vatSetting = vatsetting::defaultRecord();
    vatSetting.setByte(vatsetting::kMode, vatsetting::Vat22);
    WriteRecord(DataFile(root, QStringLiteral(".vat")), vatSetting);
}

void WritePrintPanel(const QString &root)
{
    // Statements of January to November were printed: the next one is number 12.
    Record number = numerator::defaultRecord();
    number.setInt32(numerator::kNumber, 12);
    number.setText(numerator::suffix, QStringLiteral("/2000"));
    WriteRecord(DataFile(root, QStringLiteral(".num")), number);

    // As the print panel's "Powrót" leaves it: the place name, the reserved numbers zero.
    Record memory(storage::mie::kSize);
    memory.setText(storage::mie::miejscowosc, QStringLiteral("Warszawa"));
    WriteRecord(DataFile(root, QStringLiteral(".mie")), memory);
}

// The routes the demo client drives; each month is made of them in turn, and the kilometres left
// over make one round of the clients in town.
const FixedRoute kRoutes[] = {
    {QStringLiteral("Warszawa – Łódź (klient Textil)"), QStringLiteral("negocjacje umowy"),
     QStringLiteral("   135.00")},
    {QStringLiteral("Warszawa – Radom (hurtownia)"), QStringLiteral("zakup towaru"),
     QStringLiteral("   105.00")},
    {QStringLiteral("Biuro – urząd skarbowy"), QStringLiteral("złożenie deklaracji"),
     QStringLiteral("    12.00")},
    {QStringLiteral("Warszawa – Płock (serwis)"), QStringLiteral("serwis u klienta"),
     QStringLiteral("   118.00")},
};

void WriteTripLog(const QString &root)
{
    TripLog log;
    log.person1 = QStringLiteral("Jan Kowalski");
    log.person2 = QStringLiteral("ul. Lipowa 5");
    log.person3 = QStringLiteral("00-950 Warszawa");
    log.registration = QStringLiteral("WA 12345");
    log.engine = 1598;
    log.vehicleClass = triplog::CarOver900;
    const QString rate = FormatStored(kRate, 9, 4);
    for (int month = 1; month <= 12; ++month) {
        QList<Trip> trips;
        double left = kKilometres[month - 1];
        for (int i = 0;; ++i) {
            const FixedRoute &route = kRoutes[i % std::size(kRoutes)];
            const double kilometres = ParseFixed(route.kilometres);
            if (left < kilometres)
                break;
            trips << Trip{month, {}, route.route, route.purpose, route.kilometres, rate, {}};
            left -= kilometres;
        }
        if (left > 0)
            trips << Trip{month,
                          {},
                          QStringLiteral("Biuro – klienci na Mokotowie i Ursynowie"),
                          QStringLiteral("wizyty u klientów"),
                          FormatStored(left, 9, 2),
                          rate,
                          {}};
        // The trips spread over the month, one a day at most.
        const int days = QDate(2000, month, 1).daysInMonth();
        for (qsizetype i = 0; i < trips.size(); ++i) {
            const int day = 1 + static_cast<int>(i * days / trips.size());
            trips[i].date = QDate(2000, month, day).toString(QStringLiteral("dd.MM.yyyy"));
        }
        log.trips << trips;
    }
    WriteTripLog(DataFile(root, triplog::kExtension), log);
    WriteRoutes(ClientFile(root, QStringLiteral("001"), routes::kExtension),
                QList<FixedRoute>(std::begin(kRoutes), std::end(kRoutes)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: demoseed WORKING-DIRECTORY\n");
        return 2;
    }
    const QString root = arguments.at(1);
    try {
        WriteMileage(root);
        WriteCosts(root);
        WritePrintPanel(root);
        WriteTripLog(root);
        WriteRecord(PathIn(root, printfont::relativePath()), DefaultPrintFontRecord());
    } catch (const FileError &error) {
        std::fprintf(stderr, "demoseed: %s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
