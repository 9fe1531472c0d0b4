#include "archiwumklienta.h"
#include "blad.h"
#include "daneprobne.h"
#include "lokalizacja.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace archiwizator;

// The archives of single clients that "Usuń z listy" makes: their names, what they hold, where
// they are found, and what a restore from one may touch.
class TestArchiwumKlienta : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void names_data();
    void names();
    void holdsExactlyTheClientsFiles();
    void clientWithoutFilesGetsNoArchive();
    void foreignFileIsRefused();
    void archivesOfTheNetworkShareAreListedToo();

private:
    QString root() const { return m_root->path(); }

    std::unique_ptr<QTemporaryDir> m_root;
    const QDateTime m_when{QDate(2026, 12, 10), QTime(15, 30, 12)};
};

void TestArchiwumKlienta::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(daneprobne::MakeOffice(root()));
}

void TestArchiwumKlienta::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("client"); // empty: not a client archive

    QTest::newRow("client") << "mirtal-2026-12-10-1530-klient-005.zip"
                            << "005";
    QTest::newRow("second in a minute") << "mirtal-2026-12-10-1530-klient-500-2.zip"
                                        << "500";
    QTest::newRow("regular") << "mirtal-2026-12-10-1530.zip"
                             << "";
    QTest::newRow("safety before restore") << "mirtal-2026-12-10-1530-przed-odtworzeniem.zip"
                                           << "";
    QTest::newRow("half-written") << ".mirtal-2026-12-10-1530-klient-005.XXXXXX"
                                  << "";
    QTest::newRow("short number") << "mirtal-2026-12-10-1530-klient-5.zip"
                                  << "";
}

void TestArchiwumKlienta::names()
{
    QFETCH(QString, name);
    QFETCH(QString, client);
    QCOMPARE(KlientArchiwum(name).value_or(QString()), client);
}

void TestArchiwumKlienta::holdsExactlyTheClientsFiles()
{
    // A file of another client whose name begins alike, and the register, stay out.
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/0055_2007.eks"), "inny"));
    const auto made = ArchiwizujKlienta(root(), QStringLiteral("005"), m_when);
    QVERIFY(made);
    QCOMPARE(made->path,
             QDir::toNativeSeparators(
                 root() + QStringLiteral("/Admini/mirtal-2026-12-10-1530-klient-005.zip")));
    QStringList names;
    for (const PozycjaArchiwum &item : SprawdzArchiwum(made->path).entries)
        names << item.name;
    QCOMPARE(names, (QStringList{"DANE/005.dat", "DANE/005_2006.num", "DANE/005_2007.num",
                                 "DANE/005_2006.eks", "DANE/005_2007.eks", "DANE/005_2006.prz",
                                 "DANE/005_2007.prz", "DANE/005_2006.vat", "DANE/005_2007.vat"}));
    QCOMPARE(made->files, 9);
}

void TestArchiwumKlienta::clientWithoutFilesGetsNoArchive()
{
    QVERIFY(QFile::remove(root() + QStringLiteral("/DANE/123.dat")));
    const QStringList admini = QDir(root() + QStringLiteral("/Admini")).entryList(QDir::Files);
    QVERIFY(!ArchiwizujKlienta(root(), QStringLiteral("123"), m_when));
    QCOMPARE(QDir(root() + QStringLiteral("/Admini")).entryList(QDir::Files), admini);
}

void TestArchiwumKlienta::foreignFileIsRefused()
{
    // An archive named for client 001 that would write over client 002's record.
    const QString path = root() + QStringLiteral("/Admini/mirtal-2026-12-10-1530-klient-001.zip");
    QVERIFY(daneprobne::WriteZip(path, {{QStringLiteral("DANE/001.dat"), "pierwszy"},
                                        {QStringLiteral("DANE/002.dat"), "obcy"}}));
    const QList<ArchiwumKlienta> found = ArchiwaKlientow(root());
    QCOMPARE(found.size(), 1);
    try {
        SprawdzArchiwumKlienta(found[0]);
        QFAIL("not refused");
    } catch (const Failure &failure) {
        QCOMPARE(failure.message(),
                 QStringLiteral("Archiwum mirtal-2026-12-10-1530-klient-001.zip zawiera plik "
                                "DANE/002.dat, który nie należy do klienta 001, i nie zostanie "
                                "odtworzone. Dane nie zostały zmienione."));
    }
}

void TestArchiwumKlienta::archivesOfTheNetworkShareAreListedToo()
{
    // In network mode the register and its deletions are on the share: its Admini is listed
    // as well, each archive with the root its files go back to.
    QTemporaryDir share;
    QVERIFY(share.isValid());
    QVERIFY(daneprobne::MakeOffice(share.path()));
    storage::WriteLocation(root(), storage::lokalizacja::Network, root(), share.path());
    QVERIFY(ArchiwizujKlienta(share.path(), QStringLiteral("500"), m_when));
    QVERIFY(ArchiwizujKlienta(root(), QStringLiteral("001"), m_when.addDays(-1)));

    const QList<ArchiwumKlienta> found = ArchiwaKlientow(root());
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].client, QStringLiteral("500"));
    QCOMPARE(found[0].root, share.path());
    QCOMPARE(found[0].made, QDateTime(QDate(2026, 12, 10), QTime(15, 30)));
    QCOMPARE(found[1].client, QStringLiteral("001"));
    QCOMPARE(found[1].root, root());
}

QTEST_GUILESS_MAIN(TestArchiwumKlienta)
#include "tst_archiwumklienta.moc"
