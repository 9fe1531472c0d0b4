// Archiving a large office: generates a working directory of 500 clients with 10 years of
// settlement files each (the year's cost file alone 73 KB), archives it with the add-on's code
// while counting the progress steps, then archives it again and stops halfway, and checks that
// the stopped run left nothing in the destination. Prints the figures; nothing here passes or
// fails on time.
//
//   archiwizacjabench <scratch-folder>
#include "archiwum.h"
#include "blad.h"
#include "konfiguracja.h"
#include "postep.h"
#include "record.h"
#include "recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

namespace {

constexpr int kClients = 500;
constexpr int kFirstYear = 2003;
constexpr int kYears = 10;

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Settlement-like bytes: short text fields and amounts amid zero padding, varied per file, so
// that they compress about as real records do rather than not at all or to nothing.
QByteArray recordLike(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (qsizetype at = 0; at + 64 <= size; at += 64 + random.bounded(64)) {
        const QByteArray text = QByteArray::number(random.bounded(100000)) + " FV/" +
                                QByteArray::number(random.bounded(1000)) + "/" +
                                QByteArray::number(random.bounded(12) + 1) + " paliwo " +
                                QByteArray::number(random.bounded(1000000) / 100.0, 'f', 2);
        bytes.replace(at, text.size(), text);
    }
    return bytes;
}

// The configuration as the program writes it at start.
storage::Record config(const QString &root)
{
    storage::Record record(52 * 201);
    auto slot = [&](int number, const QString &text) {
        record.setText({(number - 1) * 201, 200}, text);
    };
    slot(1, root + QLatin1Char('/'));
    int number = 2;
    for (const char *folder :
         {"Add_dok", "Add_zad", "Admini", "Dane", "Komentarze", "Notatki", "Terminarz"})
        slot(number++, root + QLatin1Char('/') + QLatin1String(folder) + QStringLiteral("/*.*"));
    slot(52, root);
    return record;
}

bool makeOffice(const QString &root)
{
    for (const char *folder : {"DANE", "KOSZ", "Admini", "FONT", "TAPETY", "POMOC"}) {
        if (!QDir(root).mkpath(QLatin1String(folder)))
            return false;
    }
    storage::WriteRecord(root + QStringLiteral("/archiwizator_config.dat"), config(root));
    bool ok = write(root + QStringLiteral("/DANE/klienci.dat"), recordLike(36000, 1));
    for (int client = 1; client <= kClients && ok; ++client) {
        const QString number = QStringLiteral("%1").arg(client, 3, 10, QLatin1Char('0'));
        const QString stem = root + QStringLiteral("/DANE/") + number;
        ok = write(stem + QStringLiteral(".dat"), recordLike(237, client));
        for (int year = kFirstYear; year < kFirstYear + kYears && ok; ++year) {
            const QString yearStem = stem + QLatin1Char('_') + QString::number(year);
            const quint32 seed = static_cast<quint32>(client * 100 + year);
            ok = write(yearStem + QStringLiteral(".eks"), recordLike(73232, seed)) &&
                 write(yearStem + QStringLiteral(".prz"), recordLike(413, seed + 1)) &&
                 write(yearStem + QStringLiteral(".num"), recordLike(8, seed + 2)) &&
                 write(yearStem + QStringLiteral(".mie"), recordLike(120, seed + 3)) &&
                 write(yearStem + QStringLiteral(".vat"), recordLike(5, seed + 4));
        }
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: archiwizacjabench <scratch-folder>\n");
        return 2;
    }
    const QString scratch = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString root = scratch + QStringLiteral("/biuro");
    const QString destination = scratch + QStringLiteral("/archiwa");
    if (!QDir().mkpath(destination) || !makeOffice(root)) {
        std::fprintf(stderr, "the office could not be generated in %s\n", argv[1]);
        return 1;
    }
    try {
        const archiwizator::Konfiguracja configuration = archiwizator::CzytajKonfiguracje(root);
        const QDateTime when(QDate(2026, 12, 10), QTime(15, 30));

        int steps = 0;
        QElapsedTimer timer;
        timer.start();
        const archiwizator::Archiwum made = archiwizator::Archiwizuj(
            configuration, destination, when, QString(), [&](const archiwizator::Krok &) {
                ++steps;
                return true;
            });
        const qint64 whole = timer.elapsed();
        say(QStringLiteral("office: %1 clients x %2 years, %3 files")
                .arg(kClients)
                .arg(kYears)
                .arg(made.files));
        say(QStringLiteral("archive: %1 bytes, written and checked in %2 ms, %3 progress steps")
                .arg(made.size)
                .arg(whole)
                .arg(steps));
        QFile::remove(made.path);

        // Stopped when half of the files are written.
        timer.restart();
        try {
            archiwizator::Archiwizuj(
                configuration, destination, when, QString(),
                [&](const archiwizator::Krok &step) { return step.done < step.total / 2; });
            say(QStringLiteral("stopped run: NOT STOPPED"));
            return 1;
        } catch (const archiwizator::Przerwano &) {
        }
        const QStringList left =
            QDir(destination)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        say(QStringLiteral("stopped halfway after %1 ms; left in the destination: %2")
                .arg(timer.elapsed())
                .arg(left.isEmpty() ? QStringLiteral("nothing") : left.join(QLatin1Char(' '))));
        return left.isEmpty() ? 0 : 1;
    } catch (const archiwizator::Failure &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
