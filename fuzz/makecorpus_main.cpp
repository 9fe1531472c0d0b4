// Writes the seed corpus of the fuzz drivers, a few valid files of each kind made from the
// record layouts, into the folder given as its argument (fuzz/corpus). Run it again after a
// layout changes; the files are kept in the repository.
#include "aktualizacja.h"
#include "clientrecords.h"
#include "fuzzinput.h"
#include "lokalizacja.h"
#include "mirtalversion.h"
#include "modul_hist.h"
#include "printfontrecord.h"
#include "programfiles.h"
#include "textcodec.h"
#include "triplog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

using namespace storage;

namespace {

QString g_root;

void write(const char *driver, const char *name, const QByteArray &bytes)
{
    const QString folder = g_root + QLatin1Char('/') + QLatin1String(driver);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s/%s\n", driver, name);
        std::exit(1);
    }
}

void write(const char *driver, const char *name, const Record &record)
{
    write(driver, name, record.bytes());
}

QByteArray jpeg(const QImage &picture, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(75);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(picture)) {
        std::fprintf(stderr, "the JPEG writer is missing\n");
        std::exit(1);
    }
    return bytes;
}

// One input of a driver that reads several files: the files joined by the part marker.
QByteArray joined(std::initializer_list<QByteArray> parts)
{
    QByteArray bytes;
    bool first = true;
    for (const QByteArray &part : parts) {
        if (!first)
            bytes += fuzz::kPartMarker;
        bytes += part;
        first = false;
    }
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    Record klienci = registerfile::defaultRecord();
    write("fuzz_register", "default", klienci);
    klienci.setText(registerfile::line(1), QStringLiteral("001 Kowalski Jan, Łódź"));
    klienci.setText(registerfile::line(2), QStringLiteral("002 Zażółć Gęślą Jaźń sp. z o.o."));
    klienci.setText(registerfile::line(500), QStringLiteral("500 Nowak"));
    klienci.bytes()[registerfile::kUnusedOffset] = 'x';
    write("fuzz_register", "clients", klienci);

    Record owner = owner::defaultRecord(QStringLiteral("001"));
    write("fuzz_owner", "default", owner);
    owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
    owner.setText(owner::nazwa2, QStringLiteral("Usługi Transportowe"));
    owner.setText(owner::nazwa3, QStringLiteral("ul. Długa 5, 90-001 Łódź"));
    owner.setText(owner::nip, QStringLiteral("725-100-20-30"));
    owner.setText(owner::rejestracja, QStringLiteral("EL 12345"));
    owner.setText(owner::marka, QStringLiteral("Fiat"));
    write("fuzz_owner", "filled", owner);

    Record przebieg = mileage::defaultRecord();
    write("fuzz_mileage", "default", przebieg);
    for (int month = 1; month <= 12; ++month) {
        przebieg.setText(mileage::cell(mileage::kKilometres, month), QStringLiteral("      850"));
        przebieg.setText(mileage::cell(mileage::kRate, month), QStringLiteral("   0.8358"));
        przebieg.setText(mileage::cell(mileage::kAmount, month), QStringLiteral("   710.43"));
    }
    przebieg.setText(mileage::yearTotal, QStringLiteral("   8525.16"));
    przebieg.setByte(mileage::kAutomaticFlag, 1);
    write("fuzz_mileage", "automatic", przebieg);

    Record koszty = cost::defaultRecord();
    write("fuzz_cost", "default", koszty);
    for (int month = 1; month <= 12; month += 3) {
        for (int row = 1; row <= 3; ++row) {
            koszty.setText(cost::entry(month, cost::kDate, row), QStringLiteral("12.03.2007"));
            koszty.setText(cost::entry(month, cost::kKind, row), QStringLiteral("paliwo"));
            koszty.setText(cost::entry(month, cost::kDocument, row), QStringLiteral("FV 12/2007"));
            koszty.setText(cost::entry(month, cost::kNet, row), QStringLiteral("  250.00"));
            koszty.setText(cost::entry(month, cost::kVat, row), QStringLiteral("   55.00"));
        }
    }
    koszty.setText(cost::netTotal, QStringLiteral("   3000.00"));
    koszty.setText(cost::vatTotal, QStringLiteral("    660.00"));
    write("fuzz_cost", "invoices", koszty);

    write("fuzz_vat", "default", vatsetting::defaultRecord());
    for (const quint8 mode : {vatsetting::Vat22, vatsetting::Vat7, vatsetting::OtherVat}) {
        Record setting = vatsetting::defaultRecord();
        setting.setText(vatsetting::otherRate, QStringLiteral("23"));
        setting.setByte(vatsetting::kMode, mode);
        write("fuzz_vat", QByteArray("mode").append(char('0' + mode)).constData(), setting);
    }

    write("fuzz_numerator", "default", numerator::defaultRecord());
    Record number = numerator::defaultRecord();
    number.setInt32(numerator::kNumber, 2147483647);
    number.setText(numerator::suffix, QStringLiteral("/2007/ŁK"));
    write("fuzz_numerator", "largest", number);

    write("fuzz_mie", "default", storage::mie::defaultRecord());
    Record memory = storage::mie::defaultRecord();
    memory.setText(storage::mie::miejscowosc, QStringLiteral("Kraków"));
    write("fuzz_mie", "place", memory);

    Record location = lokalizacja::defaultRecord(QStringLiteral("C:\\MIRTAL"));
    write("fuzz_lokalizacja", "local", QByteArray(1, '\0') + location.bytes());
    write("fuzz_lokalizacja", "local-main", QByteArray(1, '\1') + location.bytes());
    location.setByte(lokalizacja::kMode, lokalizacja::Network);
    location.setText(lokalizacja::networkPath, QStringLiteral("\\\\serwer\\biuro\\MIRTAL"));
    write("fuzz_lokalizacja", "network", QByteArray(1, '\1') + location.bytes());

    Record history(historia::kSize);
    write("fuzz_historia", "new", history);
    history.setText(historia::date, QStringLiteral("15.03.2007"));
    history.setText(historia::time, QStringLiteral("12:30:45"));
    history.setText(historia::counter, QStringLiteral("41"));
    history.bytes()[60] = 'r';
    write("fuzz_historia", "used", history);

    Record font(printfont::kSize);
    write("fuzz_font", "empty", font);
    font.setInt32(printfont::kColour, 0x0000FF);
    font.setText(printfont::face, QStringLiteral("DejaVu Sans"));
    font.setInt32(printfont::kPoints, 12);
    font.setByte(printfont::kStyle, 5);
    write("fuzz_font", "dejavu", font);

    Record version(versionfile::kSize);
    version.setText(versionfile::identifier, QStringLiteral(MIRTAL_VERSION));
    write("fuzz_wersja", "current", version);

    write("fuzz_fixedpoint", "amount", QByteArray("\x0c\x02   710.43"));
    write("fuzz_fixedpoint", "exponent", QByteArray("\x09\x04-1.5e3"));
    write("fuzz_fixedpoint", "prefix",
          QByteArray("\x08\x00"
                     "12.5.7abc",
                     11));
    write("fuzz_fixedpoint", "number", QByteArray("\x00\x00 2147483648", 13));

    write("fuzz_aktualizacja", "current",
          QByteArray("\x04" MIRTAL_VERSION MIRTAL_VERSION "\r\nk\r\nhttp://mirtal.pl/\r\n"));
    write("fuzz_aktualizacja", "newer",
          QByteArray("\x04" MIRTAL_VERSION "5.03\nd\nhttp://mirtal.pl/"));
    write("fuzz_aktualizacja", "silent", QByteArray("\x04" MIRTAL_VERSION MIRTAL_VERSION "\rx\r"));

    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, 160, 200, Qt::red);
    write("fuzz_tapety", "baseline.jpg", jpeg(picture, false));
    write("fuzz_tapety", "progressive.jpg", jpeg(picture.scaled(90, 40), true));
    write("fuzz_tapety", "grey.jpg",
          jpeg(picture.convertToFormat(QImage::Format_Grayscale8), false));

    write("fuzz_koszty", "march",
          QByteArray("\x67"
                     "710.43\n710.43\n710.43\n0\n0\n0\n0\n0\n0\n0\n0\n0\n"
                     "250.00\n55.00\n300\n66\n1e3\n220"));
    write("fuzz_koszty", "equal",
          QByteArray("\x6c"
                     "100\n\n\n\n\n\n\n\n\n\n\n\n100\n22"));

    write("fuzz_numeratorrules", "plain", QByteArray("17"));
    write("fuzz_numeratorrules", "beyond", QByteArray(" \t-2147483649x"));
    write("fuzz_numeratorrules", "largest", QByteArray("+2147483647/2007/\xa3K"));

    write("fuzz_okno_bazafirm", "clients", joined({klienci.bytes(), owner.bytes()}));
    write("fuzz_okno_bazafirm", "no-owner", klienci.bytes());
    write("fuzz_okno_bazafirm", "default",
          joined({registerfile::defaultRecord().bytes(),
                  owner::defaultRecord(QStringLiteral("001")).bytes()}));

    write("fuzz_okno_rozliczenie", "filled",
          joined({owner.bytes(), przebieg.bytes(), koszty.bytes()}));
    write("fuzz_okno_rozliczenie", "owner-only", owner.bytes());

    Record byHand = przebieg;
    byHand.setByte(mileage::kAutomaticFlag, 0);
    byHand.setText(mileage::cell(mileage::kAmount, 2), QStringLiteral("  1200.5"));
    write("fuzz_okno_przebieg", "default", mileage::defaultRecord());
    write("fuzz_okno_przebieg", "automatic", przebieg);
    write("fuzz_okno_przebieg", "by-hand", byHand);

    Record otherVat = vatsetting::defaultRecord();
    otherVat.setText(vatsetting::otherRate, QStringLiteral("23"));
    otherVat.setByte(vatsetting::kMode, vatsetting::OtherVat);
    write("fuzz_okno_eksploatacja", "invoices", joined({koszty.bytes(), otherVat.bytes()}));
    write("fuzz_okno_eksploatacja", "default",
          joined({cost::defaultRecord().bytes(), vatsetting::defaultRecord().bytes()}));

    write("fuzz_okno_numerator", "default", numerator::defaultRecord());
    write("fuzz_okno_numerator", "largest", number);

    write("fuzz_okno_wydruk", "march",
          QByteArray("\x67") +
              joined({memory.bytes(), number.bytes(), przebieg.bytes(), koszty.bytes()}));
    write("fuzz_okno_wydruk", "default",
          QByteArray("\x70") +
              joined({storage::mie::defaultRecord().bytes(), numerator::defaultRecord().bytes(),
                      mileage::defaultRecord().bytes(), cost::defaultRecord().bytes()}));

    // A log with November's two rates, a trip left without a date and two alike on one day,
    // and the fixed routes of the client.
    TripLog log;
    log.person1 = QStringLiteral("Jan Kowalski");
    log.person2 = QStringLiteral("ul. Żytnia 5");
    log.registration = QStringLiteral("WA 12345");
    log.engine = 1242;
    log.vehicleClass = triplog::CarOver900;
    log.trips << Trip{3,
                      QStringLiteral("05.03.2007"),
                      QStringLiteral("Biuro – hurtownia"),
                      QStringLiteral("zakupy"),
                      QStringLiteral("    30.50"),
                      QStringLiteral("   0.7846"),
                      {}}
              << Trip{3,
                      QStringLiteral("05.03.2007"),
                      QStringLiteral("Biuro – hurtownia"),
                      QStringLiteral("zakupy"),
                      QStringLiteral("    30.50"),
                      QStringLiteral("   0.7846"),
                      QStringLiteral("powtórzony")}
              << Trip{11,
                      QStringLiteral("13.11.2007"),
                      QStringLiteral("Biuro – Radom"),
                      QStringLiteral("dostawa"),
                      QStringLiteral("   100.50"),
                      QStringLiteral("   0.7846"),
                      {}}
              << Trip{11,
                      QStringLiteral("14.11.2007"),
                      QStringLiteral("Biuro – Radom"),
                      QStringLiteral("dostawa"),
                      QStringLiteral("   200.25"),
                      QStringLiteral("   0.8358"),
                      {}}
              << Trip{12, {}, QStringLiteral("Biuro – bank"), {}, QStringLiteral("     7.00"),
                      {}, {}};
    const QList<FixedRoute> routes{{QStringLiteral("Biuro – hurtownia"), QStringLiteral("zakupy"),
                                    QStringLiteral("    30.50")}};
    write("fuzz_okno_ewidencja", "trips", joined({EncodeTripLog(log), EncodeRoutes(routes)}));
    write("fuzz_okno_ewidencja", "empty", joined({EncodeTripLog({}), EncodeRoutes({})}));
    return 0;
}
