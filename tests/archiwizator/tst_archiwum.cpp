#include "archiwum.h"
#include "blad.h"
#include "daneprobne.h"
#include "konfiguracja.h"
#include "odtwarzanie.h"
#include "postep.h"
#include "rejestrarchiwow.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace archiwizator;

// Making archives of an office's data, checking them, the register, and restoring.
class TestArchiwum : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void roundTripRestoresEveryByte();
    void archivesInTheDestinationAreLeftOut();
    void ownFilesAreNeitherArchivedNorRestored();
    void safePaths_data();
    void safePaths();
    void failuresLeaveNoArchive_data();
    void failuresLeaveNoArchive();
    void diskFull_data();
    void diskFull();
    void progressNamesEveryFileTwice();
    void stoppedArchiveLeavesNothing_data();
    void stoppedArchiveLeavesNothing();
    void stoppedRestoreKeepsWholeFilesAndNamesThem();
    void registerAfterTwoArchives();
    void registerKeepsTheLastHundredRows();

private:
    QString root() const { return m_root->path(); }
    QString destination() const { return m_destination->path(); }

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<QTemporaryDir> m_destination;
    Konfiguracja m_config;
    const QDateTime m_when{QDate(2026, 12, 10), QTime(15, 30, 12)};
};

void TestArchiwum::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_destination = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid() && m_destination->isValid());
    QVERIFY(daneprobne::MakeOffice(root()));
    m_config = CzytajKonfiguracje(root());
}

void TestArchiwum::cleanup()
{
    m_root.reset();
    m_destination.reset();
}

void TestArchiwum::roundTripRestoresEveryByte()
{
    // The configuration is the program's hand-over, not data: it is neither archived nor restored.
    QMap<QString, QByteArray> before = daneprobne::Snapshot(root());
    const QByteArray config = before.take(QStringLiteral("archiwizator_config.dat"));
    const Archiwum made = Archiwizuj(m_config, destination(), m_when);
    QCOMPARE(made.fileName, QStringLiteral("mirtal-2026-12-10-1530.zip"));
    QCOMPARE(QDir(destination()).entryList(QDir::Files | QDir::Hidden), QStringList{made.fileName});
    QCOMPARE(made.files, before.size());
    QCOMPARE(made.size, QFileInfo(made.path).size());

    // Folder names in the configuration ("Dane") meet the folders on disk ("DANE").
    const PlanOdtworzenia plan = SprawdzArchiwum(made.path);
    QCOMPARE(plan.files, before.size());
    QCOMPARE(plan.made, QDateTime(QDate(2026, 12, 10), QTime(15, 30)));
    QStringList names;
    for (const PozycjaArchiwum &item : plan.entries) {
        if (!item.directory)
            names << item.name;
    }
    names.sort();
    QStringList expected = before.keys();
    expected.sort();
    QCOMPARE(names, expected);

    // Damage the data: a changed record, a deleted one, a deleted folder with Polish names,
    // the register cut short, a folder now spelled otherwise; and a file made since.
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/005_2007.eks"), "zmienione"));
    QVERIFY(QFile::remove(root() + QStringLiteral("/DANE/250.dat")));
    QVERIFY(QDir(root() + QStringLiteral("/Add_dok/Faktury")).removeRecursively());
    QVERIFY(
        testfiles::writeBytes(root() + QStringLiteral("/DANE/klienci.dat"), QByteArray(10, 'x')));
    QVERIFY(QFile::remove(root() + QStringLiteral("/Uwagi księgowej.txt")));
    QVERIFY(QDir(root()).rename(QStringLiteral("Notatki"), QStringLiteral("NOTATKI")));
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/nowy.dat"), "nowy"));

    QCOMPARE(Odtworz(SprawdzArchiwum(made.path), root()), before.size());

    QMap<QString, QByteArray> after = daneprobne::Snapshot(root());
    QCOMPARE(after.take(QStringLiteral("DANE/nowy.dat")), QByteArray("nowy"));
    QCOMPARE(after.take(QStringLiteral("archiwizator_config.dat")), config);
    QVERIFY(!QFileInfo::exists(root() + QStringLiteral("/Notatki")));
    QMap<QString, QByteArray> expectedAfter;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QString name = it.key();
        if (name.startsWith(QLatin1String("Notatki/")))
            name.replace(0, 7, QStringLiteral("NOTATKI"));
        expectedAfter.insert(name, it.value());
    }
    QCOMPARE(after.keys(), expectedAfter.keys());
    for (auto it = expectedAfter.cbegin(); it != expectedAfter.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    // The empty folder of an add-on comes back as well.
    QVERIFY(QDir(root()).rmdir(QStringLiteral("Komentarze")));
    Odtworz(SprawdzArchiwum(made.path), root());
    QVERIFY(QFileInfo(root() + QStringLiteral("/Komentarze")).isDir());
}

void TestArchiwum::archivesInTheDestinationAreLeftOut()
{
    // Archives written into the root itself must not be taken into the next one.
    const Archiwum first = Archiwizuj(m_config, root(), m_when);
    const Archiwum second = Archiwizuj(m_config, root(), m_when);
    QCOMPARE(second.fileName, QStringLiteral("mirtal-2026-12-10-1530-2.zip"));
    QCOMPARE(second.files, first.files);
    for (const PozycjaArchiwum &item : SprawdzArchiwum(second.path).entries)
        QVERIFY2(!item.name.endsWith(QLatin1String(".zip")), qPrintable(item.name));
}

void TestArchiwum::ownFilesAreNeitherArchivedNorRestored()
{
    const Wpis row{
        QDate(2026, 12, 1), QTime(9, 0), QStringLiteral("mirtal-2026-12-01-0900.zip"), 1, 1,
        destination(),      QString()};
    Dopisz(root(), Rejestr::Archiwa, row);
    const Archiwum made = Archiwizuj(m_config, destination(), m_when);
    for (const PozycjaArchiwum &item : SprawdzArchiwum(made.path).entries)
        QVERIFY2(!item.name.startsWith(QLatin1String("Admini/data_")), qPrintable(item.name));

    // An archive that holds an older register (made elsewhere) restores the data around it.
    const QString older = destination() + QStringLiteral("/starsze.zip");
    QVERIFY(daneprobne::WriteZip(older, {{QStringLiteral("ADMINI/data_adr.dat"), "stary rejestr"},
                                         {QStringLiteral("Admini/archfolder.dat"), "stary"},
                                         {QStringLiteral("DANE/001.dat"), "z archiwum"}}));
    const QByteArray registerBefore =
        testfiles::readBytes(root() + QStringLiteral("/Admini/data_adr.dat"));
    QCOMPARE(Odtworz(SprawdzArchiwum(older), root()), 1);
    QCOMPARE(testfiles::readBytes(root() + QStringLiteral("/Admini/data_adr.dat")), registerBefore);
    QVERIFY(!QFileInfo::exists(root() + QStringLiteral("/Admini/archfolder.dat")));
    QCOMPARE(testfiles::readBytes(root() + QStringLiteral("/DANE/001.dat")),
             QByteArray("z archiwum"));
}

void TestArchiwum::safePaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // empty: refused

    QTest::newRow("plain") << "DANE/001.dat"
                           << "DANE/001.dat";
    QTest::newRow("folder") << "Add_dok/"
                            << "Add_dok";
    QTest::newRow("backslashes") << "Add_dok\\Faktury\\a.pdf"
                                 << "Add_dok/Faktury/a.pdf";
    QTest::newRow("dot components") << "./DANE/./001.dat"
                                    << "DANE/001.dat";
    QTest::newRow("polish") << "Notatki/Zażółć.txt"
                            << "Notatki/Zażółć.txt";
    QTest::newRow("dots in a name") << "DANE/..x..dat"
                                    << "DANE/..x..dat";
    QTest::newRow("parent") << "../escape.txt"
                            << "";
    QTest::newRow("parent inside") << "DANE/../../escape.txt"
                                   << "";
    QTest::newRow("parent with backslash") << "DANE\\..\\..\\escape.txt"
                                           << "";
    QTest::newRow("absolute") << "/etc/passwd"
                              << "";
    QTest::newRow("absolute backslash") << "\\Windows\\win.ini"
                                        << "";
    QTest::newRow("drive") << "C:/Windows/win.ini"
                           << "";
    QTest::newRow("drive relative") << "C:escape.txt"
                                    << "";
    QTest::newRow("control character") << "DANE/a\tb"
                                       << "";
    QTest::newRow("only dots") << "./."
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestArchiwum::safePaths()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(BezpiecznaSciezka(name).value_or(QString()), expected);
}

void TestArchiwum::failuresLeaveNoArchive_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");

    QTest::newRow("destination missing") << "missing"
                                         << "Folder archiwów %1 nie istnieje.";
    QTest::newRow("no destination") << "empty"
                                    << "Wskaż folder, w którym mają być zapisywane archiwa.";
    QTest::newRow("unreadable file")
        << "unreadable"
        << "Nie można odczytać pliku Add_dok/Faktury/zgubiony.pdf: File not found";
}

void TestArchiwum::failuresLeaveNoArchive()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QString target = destination();
    if (fault == QLatin1String("missing")) {
        target += QStringLiteral("/brak");
        message = message.arg(target);
    } else if (fault == QLatin1String("empty")) {
        target = QStringLiteral("  ");
    } else {
        // A link whose file is gone: listed with the data, but it cannot be read.
        QVERIFY(QFile::link(root() + QStringLiteral("/gone.pdf"),
                            root() + QStringLiteral("/Add_dok/Faktury/zgubiony.pdf")));
    }
    try {
        Archiwizuj(m_config, target, m_when);
        QFAIL("no failure");
    } catch (const Failure &failure) {
        QCOMPARE(failure.message(), message);
    }
    QCOMPARE(QDir(destination()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestArchiwum::diskFull_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("listing");

    // The data hold about 700 kB that do not compress.
    QTest::newRow("room enough") << "size=4m"
                                 << "OK mirtal-2026-12-10-1530.zip"
                                 << "LS mirtal-2026-12-10-1530.zip";
    QTest::newRow("disk full") << "size=256k"
                               << "FAIL Nie udało się zapisać archiwum w folderze %1: Disk full"
                               << "LS ";
}

void TestArchiwum::diskFull()
{
    QFETCH(QString, size);
    QFETCH(QString, result);
    QFETCH(QString, listing);
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        QSKIP("the unshare command is not installed");
    const QString mountDir = destination() + QStringLiteral("/nosnik");
    QVERIFY(QDir().mkpath(mountDir));

    QProcess probe;
    probe.start(unshare, {QStringLiteral("-rm"), QStringLiteral("--"),
                          QStringLiteral(ARCHIVEPROBE_PATH), mountDir, size, root()});
    QVERIFY(probe.waitForFinished(120000));
    QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (lines.value(0) != QLatin1String("MOUNTED"))
        QSKIP(qPrintable(QStringLiteral("no private tmpfs could be mounted here: ") +
                         QString::fromUtf8(probe.readAllStandardError())));
    QCOMPARE(lines.value(1), result.contains(QLatin1String("%1")) ? result.arg(mountDir) : result);
    QCOMPARE(lines.value(2), listing);
}

void TestArchiwum::progressNamesEveryFileTwice()
{
    // Written, then checked: every file once in each stage, counted from 0 of all of them.
    QList<Krok> steps;
    const Archiwum made =
        Archiwizuj(m_config, destination(), m_when, QString(), [&](const Krok &step) {
            steps.append(step);
            return true;
        });
    QCOMPARE(steps.size(), 2 * made.files);
    for (int i = 0; i < steps.size(); ++i) {
        const Krok &step = steps[i];
        QCOMPARE(step.etap, i < made.files ? Krok::Etap::Zapis : Krok::Etap::Sprawdzenie);
        QCOMPARE(step.done, i % made.files);
        QCOMPARE(step.total, made.files);
        QCOMPARE(step.file, steps[i % made.files].file);
    }
    QCOMPARE(steps.first().file, QStringLiteral("Uwagi księgowej.txt"));
}

void TestArchiwum::stoppedArchiveLeavesNothing_data()
{
    QTest::addColumn<bool>("checking");
    QTest::addColumn<int>("at");

    QTest::newRow("before the first file") << false << 0;
    QTest::newRow("while writing") << false << 300;
    QTest::newRow("while checking") << true << 300;
}

void TestArchiwum::stoppedArchiveLeavesNothing()
{
    QFETCH(bool, checking);
    QFETCH(int, at);
    const Krok::Etap etap = checking ? Krok::Etap::Sprawdzenie : Krok::Etap::Zapis;
    int asked = 0;
    try {
        Archiwizuj(m_config, destination(), m_when, QString(), [&](const Krok &step) {
            ++asked;
            return !(step.etap == etap && step.done == at);
        });
        QFAIL("not stopped");
    } catch (const Przerwano &stopped) {
        QCOMPARE(stopped.message(),
                 QStringLiteral("Archiwizację przerwano; archiwum nie zostało zapisane."));
    }
    QVERIFY(asked > at);
    QCOMPARE(QDir(destination()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestArchiwum::stoppedRestoreKeepsWholeFilesAndNamesThem()
{
    const Archiwum made = Archiwizuj(m_config, destination(), m_when);
    const QMap<QString, QByteArray> before = daneprobne::Snapshot(root());
    const PlanOdtworzenia plan = SprawdzArchiwum(made.path);
    QStringList files;
    for (const PozycjaArchiwum &item : plan.entries) {
        if (!item.directory) {
            files << item.name;
            QVERIFY(testfiles::writeBytes(root() + QLatin1Char('/') + item.name, "zmienione"));
        }
    }

    // Stopped when the fourth file is at hand: three are back whole, the rest untouched.
    try {
        Odtworz(plan, root(), [](const Krok &step) {
            return step.etap == Krok::Etap::Odtwarzanie && step.done < 3;
        });
        QFAIL("not stopped");
    } catch (const Przerwano &stopped) {
        QCOMPARE(stopped.done(), files.mid(0, 3));
        QCOMPARE(stopped.message(),
                 QStringLiteral("Odtwarzanie z archiwum mirtal-2026-12-10-1530.zip przerwano."));
    }
    const QMap<QString, QByteArray> after = daneprobne::Snapshot(root());
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray expected = i < 3 ? before.value(files[i]) : QByteArray("zmienione");
        QVERIFY2(after.value(files[i]) == expected, qPrintable(files[i]));
    }
    QCOMPARE(after.size(), before.size()); // no temporary file left beside them
}

void TestArchiwum::registerAfterTwoArchives()
{
    const QString working = root();
    const Wpis first{QDate(2026, 12, 10),
                     QTime(15, 30),
                     QStringLiteral("mirtal-2026-12-10-1530.zip"),
                     123456,
                     520,
                     QStringLiteral("/media/pendrive/Archiwa"),
                     QString()};
    const Wpis second{QDate(2026, 12, 11),
                      QTime(8, 5),
                      QStringLiteral("mirtal-2026-12-11-0805.zip"),
                      5000000000LL,
                      521,
                      QStringLiteral("/media/pendrive/Archiwa"),
                      QStringLiteral("kopia przed odtworzeniem")};
    Dopisz(working, Rejestr::Archiwa, first);
    Dopisz(working, Rejestr::Archiwa, second);

    QCOMPARE(CzytajRejestr(working, Rejestr::Archiwa), (QList<Wpis>{first, second}));
    QCOMPARE(LiczbaWpisow(working, Rejestr::Archiwa), 2);
    QCOMPARE(CzytajRejestr(working, Rejestr::Odtworzenia), QList<Wpis>());
    QVERIFY(!QFileInfo::exists(working + QStringLiteral("/Admini/data_or.dat")));

    // The bytes, from the layout.
    const QByteArray list = testfiles::readBytes(working + QStringLiteral("/Admini/data_adr.dat"));
    QCOMPARE(list.size(), 4 + 100 * 445);
    QCOMPARE(list.left(4), QByteArray("\x02\0\0\0", 4));
    const QByteArray row = list.mid(4 + 445, 445);
    QCOMPARE(row.mid(0, 11), testfiles::shortString(QStringLiteral("2026-12-11"), 10));
    QCOMPARE(row.mid(11, 6), testfiles::shortString(QStringLiteral("08:05"), 5));
    QCOMPARE(row.mid(17, 101), testfiles::shortString(second.file, 100));
    QCOMPARE(row.mid(118, 21), testfiles::shortString(QStringLiteral("5000000000"), 20));
    QCOMPARE(row.mid(139, 4), QByteArray("\x09\x02\0\0", 4));
    QCOMPARE(row.mid(143, 201), testfiles::shortString(second.folder, 200));
    QCOMPARE(row.mid(344, 101), testfiles::shortString(second.note, 100));
    QCOMPARE(list.mid(4 + 2 * 445), QByteArray(98 * 445, '\0'));

    const QByteArray summary =
        testfiles::readBytes(working + QStringLiteral("/Admini/data_ar.dat"));
    QCOMPARE(summary.size(), 449);
    QCOMPARE(summary.left(4), QByteArray("\x02\0\0\0", 4));
    QCOMPARE(summary.mid(4), row);

    // The administrator clears the register by deleting its files: it starts again.
    QVERIFY(QFile::remove(working + QStringLiteral("/Admini/data_ar.dat")));
    QVERIFY(QFile::remove(working + QStringLiteral("/Admini/data_adr.dat")));
    Dopisz(working, Rejestr::Archiwa, first);
    QCOMPARE(CzytajRejestr(working, Rejestr::Archiwa), QList<Wpis>{first});
    QCOMPARE(LiczbaWpisow(working, Rejestr::Archiwa), 1);
}

void TestArchiwum::registerKeepsTheLastHundredRows()
{
    for (int n = 1; n <= 101; ++n)
        Dopisz(root(), Rejestr::Odtworzenia,
               {QDate(2026, 1, 1), QTime(12, 0), QStringLiteral("a%1.zip").arg(n), n, n, {}, {}});
    const QList<Wpis> rows = CzytajRejestr(root(), Rejestr::Odtworzenia);
    QCOMPARE(rows.size(), 100);
    QCOMPARE(rows.first().file, QStringLiteral("a2.zip"));
    QCOMPARE(rows.last().file, QStringLiteral("a101.zip"));
    QCOMPARE(LiczbaWpisow(root(), Rejestr::Odtworzenia), 101);
}

QTEST_GUILESS_MAIN(TestArchiwum)
#include "tst_archiwum.moc"
