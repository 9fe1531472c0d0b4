#include "archiwum.h"
#include "daneprobne.h"
#include "fakeseams.h"
#include "konfiguracja.h"
#include "odtworzdane.h"
#include "rejestrarchiwow.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace archiwizator;

namespace {

// What stands in the way of the restore.
enum class Fault {
    None,
    DestinationIsAFile,    // the safety archive has nowhere to go
    StopSafetyArchive,     // "Anuluj" while the safety archive is written
    FolderWhereAFileIs,    // one of the archive's files cannot be written
    StopAfterThreeFiles,   // "Anuluj" before the fourth file is restored
    ArchiveRegisterFolder, // the safety archive cannot be recorded
    RestoreRegisterFolder, // the restore cannot be recorded
};

const QString kChanged = QStringLiteral("DANE/001_2007.prz");
// A restore row counting all of the archive's files.
constexpr int kAllFiles = -2;

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(KoniecOdtworzenia)

// The restore of the data after the question: the safety archive first, then the files, then
// the register rows, and the notices each outcome gives.
class TestOdtworzDane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outcome_data();
    void outcome();
};

void TestOdtworzDane::outcome_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<KoniecOdtworzenia>("koniec");
    // The beginnings of the notices, in order; %A stands for the restored archive's name, %S
    // for the safety archive's.
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<bool>("safetyRecorded");
    // -1: no restore row; otherwise its number of files.
    QTest::addColumn<int>("restoreRowFiles");
    // Whether the changed file DANE/001_2007.prz is back as archived.
    QTest::addColumn<bool>("dataRestored");
    QTest::addColumn<int>("ioErrors");

    const QString done = QStringLiteral("Dane zostały odtworzone z archiwum %A (%F plików).\n"
                                        "Stan danych sprzed odtwarzania zapisano w archiwum %S.");
    QTest::newRow("restored") << Fault::None << KoniecOdtworzenia::Wykonane << QStringList{done}
                              << true << kAllFiles << true << 0;
    QTest::newRow("safety archive impossible")
        << Fault::DestinationIsAFile << KoniecOdtworzenia::NieRozpoczete
        << QStringList{QStringLiteral("Nie udało się zarchiwizować obecnych danych, więc "
                                      "odtwarzanie nie zostało rozpoczęte.\n")}
        << false << -1 << false << 0;
    QTest::newRow("safety archive stopped")
        << Fault::StopSafetyArchive << KoniecOdtworzenia::NieRozpoczete
        << QStringList{QStringLiteral("Archiwizację przerwano; archiwum nie zostało zapisane.\n"
                                      "Odtwarzanie nie zostało rozpoczęte.")}
        << false << -1 << false << 0;
    QTest::newRow("file cannot be written")
        << Fault::FolderWhereAFileIs << KoniecOdtworzenia::Nieudane
        << QStringList{QStringLiteral("Nie udało się odtworzyć pliku DANE/250.dat: ")} << true << -1
        << true << 0; // the changed file comes before DANE/250.dat
    QTest::newRow("stopped after three files")
        << Fault::StopAfterThreeFiles << KoniecOdtworzenia::Przerwane
        << QStringList{QStringLiteral("Odtwarzanie z archiwum %A przerwano.\n"
                                      "Odtworzone w całości pliki (3):\n")}
        << true << 3 << false << 0;
    QTest::newRow("safety archive not recorded")
        << Fault::ArchiveRegisterFolder << KoniecOdtworzenia::Wykonane
        << QStringList{QStringLiteral("Archiwum %S zostało zapisane i sprawdzone, ale nie "
                                      "udało się wpisać go do rejestru archiwizacji: "),
                       done}
        << false << kAllFiles << true << 0;
    QTest::newRow("restore not recorded")
        << Fault::RestoreRegisterFolder << KoniecOdtworzenia::Wykonane << QStringList{done} << true
        << -1 << true << 1;
}

void TestOdtworzDane::outcome()
{
    QFETCH(Fault, fault);
    QFETCH(KoniecOdtworzenia, koniec);
    QFETCH(QStringList, notices);
    QFETCH(bool, safetyRecorded);
    QFETCH(int, restoreRowFiles);
    QFETCH(bool, dataRestored);
    QFETCH(int, ioErrors);

    Workspace ws;
    QVERIFY2(ws.setUpError.isEmpty(), qPrintable(ws.setUpError));
    const QString root = ws.path();
    QVERIFY(daneprobne::MakeOffice(root));
    QTemporaryDir archives;
    QVERIFY(archives.isValid());
    const Konfiguracja config = CzytajKonfiguracje(root);
    const Archiwum archived =
        Archiwizuj(config, archives.path(), QDateTime(QDate(2026, 12, 10), QTime(15, 30)));
    const PlanOdtworzenia plan = SprawdzArchiwum(archived.path);
    const QByteArray before = testfiles::readBytes(ws.path(kChanged));
    QVERIFY(testfiles::writeBytes(ws.path(kChanged), "zmienione"));

    QString destination = archives.path();
    switch (fault) {
    case Fault::DestinationIsAFile:
        destination = archives.filePath(QStringLiteral("plik"));
        QVERIFY(testfiles::writeBytes(destination, "x"));
        break;
    case Fault::FolderWhereAFileIs:
        QVERIFY(QFile::remove(ws.path(QStringLiteral("DANE/250.dat"))));
        QVERIFY(QDir().mkpath(ws.path(QStringLiteral("DANE/250.dat"))));
        break;
    case Fault::ArchiveRegisterFolder:
        QVERIFY(QDir().mkpath(ws.path(QStringLiteral("Admini/data_ar.dat"))));
        break;
    case Fault::RestoreRegisterFolder:
        QVERIFY(QDir().mkpath(ws.path(QStringLiteral("Admini/data_or.dat"))));
        break;
    default:
        break;
    }

    // The steps of each run are counted; a fault that stops a run answers false at its step.
    int run = 0;
    const Wykonaj wykonaj = [&](const QString &, const std::function<void(const Postep &)> &work) {
        ++run;
        int steps = 0;
        work([&](const Krok &) {
            ++steps;
            if (fault == Fault::StopSafetyArchive && run == 1)
                return false;
            return !(fault == Fault::StopAfterThreeFiles && run == 2 && steps == 4);
        });
    };
    ws.seams.clock.current = QDateTime(QDate(2026, 12, 12), QTime(9, 0));
    const WynikOdtworzenia result = OdtworzDane(root, config, plan, destination,
                                                ws.seams.clock.current, ws.seams.seams, wykonaj);

    const QString safetyName = QStringLiteral("mirtal-2026-12-12-0900-przed-odtworzeniem.zip");
    QCOMPARE(result.koniec, koniec);
    QCOMPARE(result.komunikaty.size(), notices.size());
    for (qsizetype i = 0; i < notices.size(); ++i) {
        const QString expected = QString(notices[i])
                                     .replace(QLatin1String("%A"), archived.fileName)
                                     .replace(QLatin1String("%S"), safetyName)
                                     .replace(QLatin1String("%F"), QString::number(plan.files));
        QVERIFY2(result.komunikaty[i].startsWith(expected),
                 qPrintable(result.komunikaty[i] + QStringLiteral("\n---\n") + expected));
    }
    QCOMPARE(ws.seams.dialogs.ioErrors().size(), ioErrors);

    // The safety archive exists whenever the restore began, and is recorded with its note.
    const bool began = koniec != KoniecOdtworzenia::NieRozpoczete;
    QCOMPARE(QFileInfo::exists(archives.filePath(safetyName)), began);
    if (fault != Fault::ArchiveRegisterFolder) {
        const QList<Wpis> made = CzytajRejestr(root, Rejestr::Archiwa);
        QCOMPARE(made.size(), safetyRecorded ? 1 : 0);
        if (safetyRecorded) {
            QCOMPARE(made[0].file, safetyName);
            QCOMPARE(made[0].note, QStringLiteral("kopia przed odtworzeniem"));
            QCOMPARE(made[0].folder, QDir::toNativeSeparators(archives.path()));
        }
    }
    if (fault != Fault::RestoreRegisterFolder) {
        const QList<Wpis> restores = CzytajRejestr(root, Rejestr::Odtworzenia);
        QCOMPARE(restores.size(), restoreRowFiles == -1 ? 0 : 1);
        if (restoreRowFiles != -1) {
            QCOMPARE(restores[0].files,
                     restoreRowFiles == kAllFiles ? plan.files : restoreRowFiles);
            QCOMPARE(restores[0].file, archived.fileName);
            QCOMPARE(restores[0].note, safetyName);
            QCOMPARE(restores[0].date, QDate(2026, 12, 12));
            QCOMPARE(restores[0].size, archived.size);
        }
    }
    QCOMPARE(testfiles::readBytes(ws.path(kChanged)),
             dataRestored ? before : QByteArray("zmienione"));
}

QTEST_GUILESS_MAIN(TestOdtworzDane)
#include "tst_odtworzdane.moc"
