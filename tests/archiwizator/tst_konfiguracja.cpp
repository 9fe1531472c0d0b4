#include "blad.h"
#include "konfiguracja.h"
#include "programfiles.h"
#include "recordfile.h"
#include "recordoffsets.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace archiwizator;

// The configuration the program's start-up writes, as the add-on reads it.
class TestKonfiguracja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writtenByTheProgramIsReadBack();
    void writtenOnWindows();
    void unusableFiles_data();
    void unusableFiles();
    void networkFolder_data();
    void networkFolder();
};

void TestKonfiguracja::writtenByTheProgramIsReadBack()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const storage::Record written = storage::archiverconfig::recordOf(dir.path());
    // The layout the reader expects, spelled out: 52 slots of 201 bytes, the root with its
    // separator in the first, the first mask in the second, the bare root in the last.
    const QString root = QDir::toNativeSeparators(dir.path());
    const QString sep = QDir::separator();
    QCOMPARE(written.size(), qsizetype(10452));
    QCOMPARE(written.bytes().mid(0, 201), testfiles::shortString(root + sep, 200));
    QCOMPARE(written.bytes().mid(201, 201),
             testfiles::shortString(
                 root + sep + QStringLiteral("Add_dok") + sep + QStringLiteral("*.*"), 200));
    QCOMPARE(written.bytes().mid(8 * 201, 201), QByteArray(201, '\0'));
    QCOMPARE(written.bytes().mid(10251), testfiles::shortString(root, 200));
    storage::WriteRecord(dir.path() + QStringLiteral("/archiwizator_config.dat"), written);
    const Konfiguracja config = CzytajKonfiguracje(dir.path());
    QCOMPARE(config.root, QDir::toNativeSeparators(dir.path()));
    QCOMPARE(config.folders, (QStringList{QStringLiteral("Add_dok"), QStringLiteral("Add_zad"),
                                          QStringLiteral("Admini"), QStringLiteral("Dane"),
                                          QStringLiteral("Komentarze"), QStringLiteral("Notatki"),
                                          QStringLiteral("Terminarz")}));
}

void TestKonfiguracja::writtenOnWindows()
{
    // A configuration written with backslashes and another spelling of the root in slot 1.
    storage::Record record(10452);
    record.setText({0, 200}, QStringLiteral("C:\\MIRTAL\\"));
    record.setText({201, 200}, QStringLiteral("C:\\Mirtal\\Add_dok\\*.*"));
    record.setText({402, 200}, QStringLiteral("c:\\mirtal\\Dane\\*.*"));
    record.setText({10251, 200}, QStringLiteral("C:\\Mirtal"));
    const Konfiguracja config = RozbierzKonfiguracje(record);
    QCOMPARE(config.root, QStringLiteral("C:\\Mirtal"));
    QCOMPARE(config.folders, (QStringList{QStringLiteral("Add_dok"), QStringLiteral("Dane")}));
}

void TestKonfiguracja::unusableFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("message");

    const QString again =
        QStringLiteral("\nUruchom ponownie program Mirtal, aby zapisał go od nowa.");
    QByteArray good(10452, '\0');
    auto slot = [](QByteArray bytes, int number, const QString &text) {
        bytes.replace((number - 1) * 201, 201, testfiles::shortString(text, 200));
        return bytes;
    };
    good = slot(slot(slot(good, 1, QStringLiteral("%1/")), 2, QStringLiteral("%1/Dane/*.*")), 52,
                QStringLiteral("%1"));

    QTest::newRow("missing") << QByteArray()
                             << "Brak pliku konfiguracji archiwizator_config.dat w katalogu %1.\n"
                                "Uruchom najpierw program Mirtal: zapisuje ten plik przy każdym "
                                "starcie.";
    QTest::newRow("one byte short")
        << good.left(10451)
        << "Plik konfiguracji archiwizator_config.dat jest niepełny (10451 z 10452 bajtów)." +
               again;
    QTest::newRow("old three bytes")
        << QByteArray("old")
        << "Plik konfiguracji archiwizator_config.dat jest niepełny (3 z 10452 bajtów)." + again;
    QTest::newRow("all zero") << QByteArray(10452, '\0')
                              << "Plik konfiguracji archiwizator_config.dat jest nieprawidłowy: "
                                 "nie wskazuje katalogu danych." +
                                     again;
    QTest::newRow("roots differ")
        << slot(good, 1, QStringLiteral("/inny/"))
        << "Plik konfiguracji archiwizator_config.dat jest nieprawidłowy: katalog danych zapisano "
           "na dwa różne sposoby." +
               again;
    QTest::newRow("not a mask")
        << slot(good, 3, QStringLiteral("%1/Dane"))
        << "Plik konfiguracji archiwizator_config.dat jest nieprawidłowy: pozycja 3 nie jest "
           "maską folderu danych." +
               again;
    QTest::newRow("outside the root")
        << slot(good, 3, QStringLiteral("%1/../etc/*.*"))
        << "Plik konfiguracji archiwizator_config.dat jest nieprawidłowy: pozycja 3 wskazuje "
           "folder spoza katalogu danych." +
               again;
    QTest::newRow("root gone") << slot(slot(slot(good, 1, QStringLiteral("%1/brak/")), 2,
                                            QStringLiteral("%1/brak/Dane/*.*")),
                                       52, QStringLiteral("%1/brak"))
                               << "Katalog danych %1/brak, wskazany w pliku "
                                  "archiwizator_config.dat, nie istnieje.";
}

void TestKonfiguracja::unusableFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The fixtures name the root as %1; its length changes the bytes, so they are filled in here.
    if (!bytes.isEmpty()) {
        for (int number : {1, 2, 3, 52}) {
            const qsizetype offset = (number - 1) * 201;
            if (offset >= bytes.size())
                continue;
            QString text = QString::fromLatin1(bytes.mid(offset + 1, quint8(bytes[offset])));
            if (text.contains(QLatin1String("%1"))) {
                text = text.arg(dir.path());
                const qsizetype kept = qMin<qsizetype>(201, bytes.size() - offset);
                bytes.replace(offset, kept, testfiles::shortString(text, 200).left(kept));
            }
        }
        QVERIFY(
            testfiles::writeBytes(dir.path() + QStringLiteral("/archiwizator_config.dat"), bytes));
    }
    try {
        CzytajKonfiguracje(dir.path());
        QFAIL("the configuration was accepted");
    } catch (const Failure &failure) {
        QCOMPARE(failure.message(),
                 message.contains(QLatin1String("%1")) ? message.arg(dir.path()) : message);
    }
}

// The network folder of the location record under the root, where the add-on also looks for
// client locks and client archives.
void TestKonfiguracja::networkFolder_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("expected");
    const QString share = QStringLiteral("/mnt/serwer/mirtal");
    using recordoffsets::locationBytes;
    QTest::newRow("no record") << false << QByteArray() << QString();
    QTest::newRow("local mode") << true << locationBytes(1, QStringLiteral("/biuro"), share)
                                << QString();
    QTest::newRow("network mode") << true << locationBytes(2, QStringLiteral("/biuro"), share)
                                  << share;
    QTest::newRow("network mode without a path")
        << true << locationBytes(2, QStringLiteral("/biuro"), {}) << QString();
    // Any mode above local is network mode, as the program reads it.
    QTest::newRow("mode byte above network") << true << locationBytes(7, {}, share) << share;
    QTest::newRow("record one byte short")
        << true << locationBytes(2, {}, share).chopped(1) << QString();
}

void TestKonfiguracja::networkFolder()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, record);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString file = root.filePath(QStringLiteral("Admini/siec.dat"));
    if (present) {
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("Admini"))));
        QVERIFY(testfiles::writeBytes(file, record));
    }
    QCOMPARE(FolderSieciowy(root.path()), expected);
    // The add-on only reads the record: a missing one stays missing, a present one unchanged.
    QCOMPARE(QFileInfo::exists(file), present);
    if (present)
        QCOMPARE(testfiles::readBytes(file), record);
}

QTEST_GUILESS_MAIN(TestKonfiguracja)
#include "tst_konfiguracja.moc"
