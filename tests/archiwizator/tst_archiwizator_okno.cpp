#include "anulowanie.h"
#include "archiwizator.h"
#include "archiwumklienta.h"
#include "daneprobne.h"
#include "fakeseams.h"
#include "rejestrarchiwow.h"
#include "testfiles.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace archiwizator;

namespace {

// Answers the file dialogs from a script.
class FakeWybor : public Wybor
{
public:
    std::optional<QString> folder(const QString &, const QString &start) override
    {
        starts << start;
        return folders.isEmpty() ? std::nullopt : folders.takeFirst();
    }
    std::optional<QString> archive(const QString &, const QString &start) override
    {
        starts << start;
        return archives.isEmpty() ? std::nullopt : archives.takeFirst();
    }
    QList<std::optional<QString>> folders;
    QList<std::optional<QString>> archives;
    QStringList starts;
};

} // namespace

// The window "Ochrona danych": its buttons, list and messages.
class TestArchiwizatorOkno : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void withoutConfigurationOnlyCloses();
    void archiveIsListedAndTheFolderRemembered();
    void restoreAfterConfirmation();
    void restoreDeclinedChangesNothing();
    void failedRestoreNamesTheFileAndKeepsTheSafetyArchive();
    void damagedArchivesAreRefused_data();
    void damagedArchivesAreRefused();
    void cancelledArchiveLeavesNoFileAndNoRow();
    void clientArchivesAreListedApartAndRestored();
    void formKeysAndNames();

private:
    void open();
    void archive();
    template <typename T> T *child(const char *name) const
    {
        return findChildNamed<T>(m_window.get(), name);
    }
    QString root() const { return m_ws->path(); }
    QString destination() const { return m_destination.path(); }
    QList<ShownDialog> &shown() { return m_ws->seams.dialogs.shown; }

    std::unique_ptr<Workspace> m_ws;
    QTemporaryDir m_destination;
    FakeWybor m_wybor;
    std::unique_ptr<Tarchiwizator_f> m_window;
};

void TestArchiwizatorOkno::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    QVERIFY(m_destination.isValid());
    QVERIFY(daneprobne::MakeOffice(root()));
    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 10), QTime(15, 30, 12));
    m_wybor = FakeWybor();
}

void TestArchiwizatorOkno::cleanup()
{
    m_window.reset();
    m_ws.reset();
    QDir(destination()).removeRecursively();
    QDir().mkpath(destination());
}

void TestArchiwizatorOkno::open()
{
    m_window = std::make_unique<Tarchiwizator_f>(root(), m_ws->seams.seams, m_wybor);
    m_window->FormCreate();
}

// Chooses the destination and makes one archive at the fake clock's time.
void TestArchiwizatorOkno::archive()
{
    m_wybor.folders << destination();
    QTest::mouseClick(child<QPushButton>("Wybierz"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Archiwizuj"), Qt::LeftButton);
}

void TestArchiwizatorOkno::withoutConfigurationOnlyCloses()
{
    QVERIFY(QFile::remove(root() + QStringLiteral("/archiwizator_config.dat")));
    open();
    QCOMPARE(shown().size(), 1);
    QCOMPARE(shown()[0].caption, QStringLiteral("Ochrona danych"));
    QVERIFY(shown()[0].text.startsWith(QLatin1String("Brak pliku konfiguracji")));
    QCOMPARE(child<QLabel>("Label3")->text(), shown()[0].text);
    QVERIFY(!child<QPushButton>("Archiwizuj")->isEnabled());
    QVERIFY(!child<QPushButton>("Odtworz")->isEnabled());
    QVERIFY(child<QPushButton>("Zamknij")->isEnabled());
}

void TestArchiwizatorOkno::archiveIsListedAndTheFolderRemembered()
{
    open();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Ochrona danych"));
    archive();
    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 11), QTime(8, 5));
    QTest::mouseClick(child<QPushButton>("Archiwizuj"), Qt::LeftButton);

    const QString first = destination() + QStringLiteral("/mirtal-2026-12-10-1530.zip");
    QVERIFY(QFileInfo::exists(first));
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    QCOMPARE(shown().size(), 2);
    QVERIFY2(shown()[0].text.startsWith(
                 QLatin1String("Zapisano i sprawdzono archiwum mirtal-2026-12-10-1530.zip:\n")),
             qPrintable(shown()[0].text));

    // The newest first: date, time, file, size, number of files.
    auto *lista = child<QTreeWidget>("lista");
    QCOMPARE(lista->topLevelItemCount(), 2);
    const QTreeWidgetItem *older = lista->topLevelItem(1);
    // Everything but the register files, the remembered folder and the configuration.
    const int files = daneprobne::Snapshot(root()).size() - 4;
    QCOMPARE(older->text(0), QStringLiteral("10.12.2026"));
    QCOMPARE(older->text(1), QStringLiteral("15:30"));
    QCOMPARE(older->text(2), QStringLiteral("mirtal-2026-12-10-1530.zip"));
    QCOMPARE(older->text(3), QString::number(QFileInfo(first).size()));
    QCOMPARE(older->text(4), QString::number(files));
    QCOMPARE(lista->topLevelItem(0)->text(2), QStringLiteral("mirtal-2026-12-11-0805.zip"));

    // The folder comes back in the next run; the list is read from the register.
    m_window.reset();
    open();
    QCOMPARE(child<QLineEdit>("folder")->text(), destination());
    QCOMPARE(child<QTreeWidget>("lista")->topLevelItemCount(), 2);
}

void TestArchiwizatorOkno::restoreAfterConfirmation()
{
    open();
    archive();
    // The second archive is made when the register already has a row: restoring it must not
    // bring back that older register and so forget the archives made since.
    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 10), QTime(15, 45));
    QTest::mouseClick(child<QPushButton>("Archiwizuj"), Qt::LeftButton);
    const QString chosen = destination() + QStringLiteral("/mirtal-2026-12-10-1545.zip");
    const QMap<QString, QByteArray> archived = daneprobne::Snapshot(root());
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/001_2007.prz"), "zmienione"));
    QVERIFY(QFile::remove(root() + QStringLiteral("/DANE/klienci.dat")));
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/KOSZ/005.k"), QByteArray()));
    const QMap<QString, QByteArray> damaged = daneprobne::Snapshot(root());

    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 12), QTime(9, 0));
    m_wybor.archives << chosen;
    m_ws->seams.dialogs.answers << true;
    shown().clear();
    QTest::mouseClick(child<QPushButton>("Odtworz"), Qt::LeftButton);

    QCOMPARE(m_wybor.starts.last(), destination());
    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown()[0].kind, ShownDialog::Kind::Question);
    QCOMPARE(shown()[0].caption, QStringLiteral("Pytanie"));
    const QString &question = shown()[0].text;
    QVERIFY2(question.startsWith(QLatin1String("Archiwum: mirtal-2026-12-10-1545.zip\n"
                                               "Utworzone: 10.12.2026, godz. 15:45\n")),
             qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("\n  DANE: 526 plików")), qPrintable(question));
    QVERIFY2(question.contains(QLatin1String("\n  Notatki: 2 pliki")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("Uwaga: w katalogu KOSZ są blokady klientów (1)")),
             qPrintable(question));
    QVERIFY2(shown()[1].text.startsWith(
                 QStringLiteral("Dane zostały odtworzone z archiwum mirtal-2026-12-10-1545.zip")),
             qPrintable(shown()[1].text));

    // The lock file came after the archive and stays; everything else is as archived.
    QMap<QString, QByteArray> restored = daneprobne::Snapshot(root());
    QVERIFY(restored.remove(QStringLiteral("KOSZ/005.k")));
    for (const char *changed :
         {"Admini/data_ar.dat", "Admini/data_adr.dat", "Admini/data_or.dat", "Admini/data_odr.dat"})
        restored.remove(QLatin1String(changed));
    QMap<QString, QByteArray> expected = archived;
    for (const char *changed : {"Admini/data_ar.dat", "Admini/data_adr.dat"})
        expected.remove(QLatin1String(changed));
    const QString differences = daneprobne::Differences(restored, expected);
    QVERIFY2(differences.isEmpty(), qPrintable(differences));

    // The data as they were before the restore are in the safety archive, which is listed.
    const QString safety =
        destination() + QStringLiteral("/mirtal-2026-12-12-0900-przed-odtworzeniem.zip");
    QVERIFY(QFileInfo::exists(safety));
    auto *lista = child<QTreeWidget>("lista");
    QCOMPARE(lista->topLevelItemCount(), 3);
    QCOMPARE(lista->topLevelItem(0)->text(2), QFileInfo(safety).fileName());
    const QList<Wpis> restores = CzytajRejestr(root(), Rejestr::Odtworzenia);
    QCOMPARE(restores.size(), 1);
    QCOMPARE(restores[0].file, QFileInfo(chosen).fileName());
    QCOMPARE(restores[0].note, QFileInfo(safety).fileName());
    QCOMPARE(restores[0].files,
             archived.size() - 4); // all but the add-on's own files

    // Restoring the safety archive brings back the damaged state.
    m_wybor.archives << safety;
    m_ws->seams.dialogs.answers << true;
    QTest::mouseClick(child<QPushButton>("Odtworz"), Qt::LeftButton);
    QCOMPARE(testfiles::readBytes(root() + QStringLiteral("/DANE/001_2007.prz")),
             damaged.value(QStringLiteral("DANE/001_2007.prz")));
}

void TestArchiwizatorOkno::restoreDeclinedChangesNothing()
{
    open();
    archive();
    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/001_2007.prz"), "zmienione"));
    const QMap<QString, QByteArray> before = daneprobne::Snapshot(root());
    m_wybor.archives << destination() + QStringLiteral("/mirtal-2026-12-10-1530.zip");
    m_ws->seams.dialogs.answers << false;
    QTest::mouseClick(child<QPushButton>("Odtworz"), Qt::LeftButton);
    const QString differences = daneprobne::Differences(daneprobne::Snapshot(root()), before);
    QVERIFY2(differences.isEmpty(), qPrintable(differences));
    QCOMPARE(QDir(destination()).entryList(QDir::Files),
             QStringList{QStringLiteral("mirtal-2026-12-10-1530.zip")});
    QVERIFY(!QFile::exists(root() + QStringLiteral("/KOSZ/005.k")));
}

void TestArchiwizatorOkno::failedRestoreNamesTheFileAndKeepsTheSafetyArchive()
{
    open();
    archive();
    // A folder now stands where the archive has a file: that file cannot be written.
    QVERIFY(QFile::remove(root() + QStringLiteral("/DANE/250.dat")));
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/DANE/250.dat")));
    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 12), QTime(9, 0));
    m_wybor.archives << destination() + QStringLiteral("/mirtal-2026-12-10-1530.zip");
    m_ws->seams.dialogs.answers << true;
    shown().clear();
    QTest::mouseClick(child<QPushButton>("Odtworz"), Qt::LeftButton);

    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown()[1].text,
             QStringLiteral("Nie udało się odtworzyć pliku DANE/250.dat: File access denied\n"
                            "Stan danych sprzed odtwarzania zapisano w archiwum "
                            "mirtal-2026-12-12-0900-przed-odtworzeniem.zip."));
    QVERIFY(QFileInfo::exists(destination() +
                              QStringLiteral("/mirtal-2026-12-12-0900-przed-odtworzeniem.zip")));
    QCOMPARE(child<QTreeWidget>("lista")->topLevelItemCount(), 2);
    QVERIFY(CzytajRejestr(root(), Rejestr::Odtworzenia).isEmpty());
}

void TestArchiwizatorOkno::damagedArchivesAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    const QString unchanged =
        QStringLiteral(" i nie zostanie odtworzone. Dane nie zostały zmienione.");
    QTest::newRow("truncated") << "truncated"
                               << "Archiwum zly.zip jest uszkodzone (";
    QTest::newRow("one byte short") << "short"
                                    << "Archiwum zly.zip jest uszkodzone (";
    QTest::newRow("damaged data") << "flipped"
                                  << "Archiwum zly.zip jest uszkodzone (";
    QTest::newRow("parent entry")
        << "../escape.txt"
        << "Archiwum zly.zip zawiera wpis „../escape.txt”, który wskazuje miejsce poza katalogiem "
           "danych," +
               unchanged;
    QTest::newRow("parent inside")
        << "DANE/../../escape.txt"
        << "Archiwum zly.zip zawiera wpis „DANE/../../escape.txt”, który wskazuje miejsce poza "
           "katalogiem danych," +
               unchanged;
    QTest::newRow("absolute")
        << "/tmp/escape.txt"
        << "Archiwum zly.zip zawiera wpis „/tmp/escape.txt”, który wskazuje miejsce poza "
           "katalogiem danych," +
               unchanged;
    QTest::newRow("link") << "link"
                          << "Archiwum zly.zip zawiera wpis „DANE/link”, który nie jest ani "
                             "plikiem, ani folderem," +
                                 unchanged;
    QTest::newRow("not an archive") << "text"
                                    << "Archiwum zly.zip jest uszkodzone (";
}

void TestArchiwizatorOkno::damagedArchivesAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    open();
    archive();
    const QString good = destination() + QStringLiteral("/mirtal-2026-12-10-1530.zip");
    const QByteArray goodBytes = testfiles::readBytes(good);
    QVERIFY(goodBytes.size() > 1000);
    const QString bad = destination() + QStringLiteral("/zly.zip");
    // The hostile entries come after an ordinary one, which must not be written either.
    const daneprobne::Entry first{QStringLiteral("DANE/001_2007.prz"), "z archiwum"};
    if (kind == QLatin1String("truncated"))
        QVERIFY(testfiles::writeBytes(bad, goodBytes.left(goodBytes.size() / 2)));
    else if (kind == QLatin1String("short"))
        QVERIFY(testfiles::writeBytes(bad, goodBytes.left(goodBytes.size() - 1)));
    else if (kind == QLatin1String("flipped")) {
        // A byte inside the register's data, which do not compress and so lie in the archive
        // as they are: the CRC no longer matches.
        QByteArray bytes = goodBytes;
        const qsizetype at = bytes.indexOf(daneprobne::Noise(36000, 1).mid(18000, 64));
        QVERIFY(at > 0);
        bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
        QVERIFY(testfiles::writeBytes(bad, bytes));
    } else if (kind == QLatin1String("text"))
        QVERIFY(testfiles::writeBytes(bad, "to nie jest archiwum"));
    else if (kind == QLatin1String("link"))
        QVERIFY(daneprobne::WriteZip(
            bad, {first, {QStringLiteral("DANE/link"), "/etc", daneprobne::Entry::Kind::Symlink}}));
    else
        QVERIFY(daneprobne::WriteZip(bad, {first, {kind, "uciekinier"}}));

    QVERIFY(testfiles::writeBytes(root() + QStringLiteral("/DANE/001_2007.prz"), "zmienione"));
    const QMap<QString, QByteArray> before = daneprobne::Snapshot(root());
    const QStringList archives = QDir(destination()).entryList(QDir::Files);
    shown().clear();
    m_wybor.archives << bad;
    QTest::mouseClick(child<QPushButton>("Odtworz"), Qt::LeftButton);

    QCOMPARE(shown().size(), 1);
    QCOMPARE(shown()[0].kind, ShownDialog::Kind::Notice);
    QVERIFY2(shown()[0].text.startsWith(message), qPrintable(shown()[0].text));
    QVERIFY2(shown()[0].text.endsWith(QStringLiteral("Dane nie zostały zmienione.")),
             qPrintable(shown()[0].text));
    const QString differences = daneprobne::Differences(daneprobne::Snapshot(root()), before);
    QVERIFY2(differences.isEmpty(), qPrintable(differences));
    QCOMPARE(QDir(destination()).entryList(QDir::Files), archives);
    QVERIFY(!QFileInfo::exists(QFileInfo(root()).path() + QStringLiteral("/escape.txt")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/escape.txt")));
    QVERIFY(CzytajRejestr(root(), Rejestr::Odtworzenia).isEmpty());
}

void TestArchiwizatorOkno::cancelledArchiveLeavesNoFileAndNoRow()
{
    const QString pipe = root() + QStringLiteral("/a-potok");
    QVERIFY(MakePipe(pipe));
    open();
    m_wybor.folders << destination();
    QTest::mouseClick(child<QPushButton>("Wybierz"), Qt::LeftButton);
    bool clicked = false;
    CancelAtPipe(m_window.get(), pipe, QStringLiteral("a-potok"), &clicked);
    QTest::mouseClick(child<QPushButton>("Archiwizuj"), Qt::LeftButton);

    QVERIFY(clicked);
    QCOMPARE(QDir(destination()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(CzytajRejestr(root(), Rejestr::Archiwa), QList<Wpis>());
    QCOMPARE(child<QTreeWidget>("lista")->topLevelItemCount(), 0);
    QCOMPARE(shown().size(), 1);
    QCOMPARE(shown()[0].text,
             QStringLiteral("Archiwizację przerwano; archiwum nie zostało zapisane."));
    QVERIFY(!m_window->findChild<QProgressDialog *>(QStringLiteral("postep")));
}

void TestArchiwizatorOkno::clientArchivesAreListedApartAndRestored()
{
    const QDateTime deleted(QDate(2026, 12, 9), QTime(10, 15));
    const auto made = ArchiwizujKlienta(root(), QStringLiteral("005"), deleted);
    QVERIFY(made);
    QCOMPARE(made->fileName, QStringLiteral("mirtal-2026-12-09-1015-klient-005.zip"));
    const QMap<QString, QByteArray> before = daneprobne::Snapshot(root());

    // Since then a new client 005 has files of its own.
    const QString eks = root() + QStringLiteral("/DANE/005_2007.eks");
    QVERIFY(testfiles::writeBytes(eks, "nowy klient"));
    QVERIFY(QFile::remove(root() + QStringLiteral("/DANE/005_2006.prz")));

    open();
    archive(); // a regular archive stays in its own list
    auto *regular = child<QTreeWidget>("lista");
    auto *clients = child<QTreeWidget>("listaKlientow");
    QCOMPARE(regular->topLevelItemCount(), 1);
    QCOMPARE(clients->topLevelItemCount(), 1);
    QCOMPARE(clients->topLevelItem(0)->text(0), QStringLiteral("09.12.2026"));
    QCOMPARE(clients->topLevelItem(0)->text(2), QStringLiteral("005"));
    QCOMPARE(clients->topLevelItem(0)->text(3), made->fileName);
    QVERIFY(child<QPushButton>("OdtworzKlienta")->isEnabled());

    shown().clear();
    m_ws->seams.dialogs.answers << true;
    QTest::mouseClick(child<QPushButton>("OdtworzKlienta"), Qt::LeftButton);

    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    QCOMPARE(shown().size(), 2);
    QVERIFY2(shown()[0].text.contains(QLatin1String("Klient 005 ma teraz swoje pliki")),
             qPrintable(shown()[0].text));
    const QString safety = QStringLiteral("mirtal-2026-12-10-1530-klient-005.zip");
    QCOMPARE(shown()[1].text,
             QStringLiteral("Pliki klienta 005 zostały odtworzone z archiwum %1 (9 plików).\n"
                            "Wpisz klienta ponownie na liście klientów.\n"
                            "Poprzednie pliki klienta zapisano w archiwum %2.")
                 .arg(made->fileName, safety));

    // Every byte of the client's files as archived; the new client's files are kept apart.
    QMap<QString, QByteArray> after = daneprobne::Snapshot(root());
    QVERIFY(after.remove(QStringLiteral("Admini/") + safety));
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("Admini/data_")))
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    }
    const PlanOdtworzenia kept = SprawdzArchiwum(root() + QStringLiteral("/Admini/") + safety);
    QCOMPARE(kept.files, 8);
    QCOMPARE(clients->topLevelItemCount(), 2);
    const QList<Wpis> restores = CzytajRejestr(root(), Rejestr::Odtworzenia);
    QCOMPARE(restores.size(), 1);
    QCOMPARE(restores[0].file, made->fileName);
    QCOMPARE(restores[0].files, 9);
    QCOMPARE(restores[0].note, safety);
}

QTEST_MAIN(TestArchiwizatorOkno)
void TestArchiwizatorOkno::formKeysAndNames()
{
    open();
    // Tab goes through the controls in the order they stand; labels name their control.
    QStringList order;
    for (QWidget *w = m_window->nextInFocusChain(); w != m_window.get();
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().startsWith(QLatin1String("qt_")))
            order << w->objectName();
    }
    QCOMPARE(order, (QStringList{"folder", "Wybierz", "lista", "listaKlientow", "Archiwizuj",
                                 "Odtworz", "OdtworzKlienta", "Zamknij"}));
    const std::pair<const char *, const char *> names[] = {
        {"folder", "Folder archiwów"},
        {"Wybierz", "Wybierz..."},
        {"lista", "Wykonane archiwa"},
        {"listaKlientow", "Archiwa klientów usuniętych z listy"},
        {"Archiwizuj", "Archiwizuj"},
        {"Odtworz", "Odtwórz"},
        {"OdtworzKlienta", "Odtwórz klienta"},
        {"Zamknij", "Zamknij"}};
    for (const auto &[name, accessible] : names)
        QCOMPARE(child<QWidget>(name)->accessibleName(), QString::fromUtf8(accessible));
    QCOMPARE(child<QLabel>("Label1")->buddy(), child<QWidget>("folder"));
    QCOMPARE(child<QLabel>("Label2")->buddy(), child<QWidget>("lista"));
    QCOMPARE(child<QLabel>("Label4")->buddy(), child<QWidget>("listaKlientow"));
    // The file name takes the width the other columns leave.
    QCOMPARE(child<QTreeWidget>("lista")->header()->sectionResizeMode(2), QHeaderView::Stretch);
    QCOMPARE(child<QTreeWidget>("listaKlientow")->header()->sectionResizeMode(3),
             QHeaderView::Stretch);
}

#include "tst_archiwizator_okno.moc"
