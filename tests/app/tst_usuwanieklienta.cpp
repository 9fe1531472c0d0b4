#include "anulowanie.h"
#include "archiwizator.h"
#include "archiwumklienta.h"
#include "bazafirm.h"
#include "clientrecords.h"
#include "clientwindows.h"
#include "czcionki.h"
#include "fakeprintdialogs.h"
#include "testfiles.h"
#include "windowopener.h"
#include "workspace.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace storage;

namespace {

// Why the process could not enter a user and mount namespace of its own; empty when it did.
QString g_noNamespace;

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), text.size()) == text.size();
    ::close(fd);
    return ok;
}

// Before any thread starts: the whole test runs in a private user and mount namespace, so that
// it may mount a small tmpfs over a folder of the data, a real full disk.
QString enterPrivateNamespace()
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return QStringLiteral("no namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
    if (!writeProcFile("/proc/self/setgroups", "deny") ||
        !writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
        return QStringLiteral("no namespace: the id maps could not be written");
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("no namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

class NoClientWindows : public ui::ClientWindows
{
public:
    bool closeAll() override { return true; }
};

class NoChoice : public archiwizator::Wybor
{
public:
    std::optional<QString> folder(const QString &, const QString &) override { return {}; }
    std::optional<QString> archive(const QString &, const QString &) override { return {}; }
};

// Every file below `dir` with its bytes, by relative name.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), testfiles::readBytes(path));
    }
    return files;
}

QByteArray noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

// "Usuń z listy" through the main window: the client's files are archived under Admini before
// anything is deleted, come back byte for byte through the add-on, and nothing is deleted when
// the archive cannot be written or is stopped.
class TestUsuwanieKlienta : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void deletedClientComesBackByteForByte();
    void archiveOnAFullDiskDeletesNothing();
    void stoppedArchiveDeletesNothing();
    void missingArchivingModuleDeletesNothing();

private:
    void start();
    void deleteClient7();
    QString file(const QString &name) const { return m_ws->path(QStringLiteral("DANE/") + name); }
    QByteArray storedLine(int position) const
    {
        return testfiles::readBytes(file(QStringLiteral("klienci.dat")))
            .mid((position - 1) * 51, 51);
    }
    QStringList admini() const
    {
        return QDir(m_ws->path(QStringLiteral("Admini")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<Workspace> m_ws;
    FakePrintDialogs m_printDialogs;
    std::unique_ptr<printing::PrintFontStore> m_fonts;
    ui::WindowTable m_windows;
    NoClientWindows m_clientWindows;
    LaunchValues m_launch;
    std::unique_ptr<Tbaza_f> m_window;
    QString m_mounted;
};

void TestUsuwanieKlienta::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    m_ws->seams.clock.current = QDateTime(QDate(2026, 12, 10), QTime(15, 30, 12));

    // Client 007 with a year of data, as large as an office's; client 008 beside it.
    Record reg = registerfile::defaultRecord();
    reg.setText(registerfile::line(7), QStringLiteral("007 Jan Kowalski"));
    reg.setText(registerfile::line(8), QStringLiteral("008 Sąsiad"));
    QVERIFY(testfiles::writeBytes(file(QStringLiteral("klienci.dat")), reg.bytes()));
    for (const char *client : {"007", "008"}) {
        Record owner = owner::defaultRecord(QLatin1String(client));
        owner.setText(owner::nazwa1, QStringLiteral("Jan Kowalski"));
        QVERIFY(testfiles::writeBytes(file(QLatin1String(client) + QStringLiteral(".dat")),
                                      owner.bytes()));
        const QString stem = QLatin1String(client) + QStringLiteral("_2005");
        QVERIFY(testfiles::writeBytes(file(stem + QStringLiteral(".num")), noise(8, 1)));
        QVERIFY(testfiles::writeBytes(file(stem + QStringLiteral(".eks")), noise(73232, 2)));
        QVERIFY(testfiles::writeBytes(file(stem + QStringLiteral(".prz")), noise(413, 3)));
        QVERIFY(testfiles::writeBytes(file(stem + QStringLiteral(".mie")), noise(120, 4)));
        QVERIFY(testfiles::writeBytes(file(stem + QStringLiteral(".vat")), noise(5, 5)));
    }
}

void TestUsuwanieKlienta::cleanup()
{
    m_window.reset();
    m_fonts.reset();
    m_windows = ui::WindowTable{};
    if (!m_mounted.isEmpty())
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
    m_ws.reset();
}

void TestUsuwanieKlienta::start()
{
    m_fonts = std::make_unique<printing::PrintFontStore>(m_ws->path(), m_printDialogs);
    m_window = std::make_unique<Tbaza_f>(
        m_ws->path(), m_launch, m_ws->seams.seams, m_windows,
        Tbaza_f::Openers{[](const QString &) { return false; },
                         [](const printing::NotepadRequest &) { return false; }},
        m_clientWindows, *m_fonts);
    m_window->setAddOnDirectory(QStringLiteral(PROGRAM_DIR));
    m_window->FormCreate();
    findChildNamed<QListWidget>(m_window.get(), "lista_k")->setCurrentRow(6);
    m_window->lista_kClick();
    m_window->Timer1Timer(); // the buttons follow the selected line at the clock's tick
}

void TestUsuwanieKlienta::deleteClient7()
{
    m_ws->seams.dialogs.answers << true;
    QTest::mouseClick(findChildNamed<QPushButton>(m_window.get(), "SpeedButton2"), Qt::LeftButton);
}

void TestUsuwanieKlienta::deletedClientComesBackByteForByte()
{
    start();
    QMap<QString, QByteArray> before = snapshot(m_ws->path(QStringLiteral("DANE")));
    deleteClient7();

    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
    QVERIFY(m_ws->seams.dialogs.ioErrors().isEmpty());
    QCOMPARE(storedLine(7), testfiles::shortString(QStringLiteral("007"), 50));
    const QStringList gone =
        QDir(m_ws->path(QStringLiteral("DANE"))).entryList({QStringLiteral("007*")}, QDir::Files);
    QCOMPARE(gone, QStringList());
    QVERIFY(admini().contains(QStringLiteral("mirtal-2026-12-10-1530-klient-007.zip")));

    // "Odtwórz klienta" of the add-on, started in the working directory as the program does.
    NoChoice noChoice;
    Tarchiwizator_f addOn(m_ws->path(), m_ws->seams.seams, noChoice);
    QVERIFY(addOn.FormCreate());
    QCOMPARE(addOn.archiwaKlientow().size(), 1);
    QCOMPARE(addOn.archiwaKlientow()[0].client, QStringLiteral("007"));
    m_ws->seams.dialogs.answers << true;
    QCOMPARE(addOn.OdtworzKlientaZ(addOn.archiwaKlientow()[0]),
             QStringLiteral("Pliki klienta 007 zostały odtworzone z archiwum "
                            "mirtal-2026-12-10-1530-klient-007.zip (6 plików).\n"
                            "Wpisz klienta ponownie na liście klientów."));

    // The register line is typed again by the user; every file is back, every byte.
    QMap<QString, QByteArray> after = snapshot(m_ws->path(QStringLiteral("DANE")));
    QVERIFY(after.remove(QStringLiteral("klienci.dat")));
    QVERIFY(before.remove(QStringLiteral("klienci.dat")));
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(m_ws->seams.dialogs.unexpected, 0);
}

void TestUsuwanieKlienta::archiveOnAFullDiskDeletesNothing()
{
    if (!g_noNamespace.isEmpty())
        QSKIP(qPrintable(g_noNamespace));
    start();
    const QMap<QString, QByteArray> before = snapshot(m_ws->path(QStringLiteral("DANE")));
    // Admini on a medium of 16 KiB, filled to the last byte: the archive of 73 KB of data that
    // does not compress cannot be written.
    m_mounted = m_ws->path(QStringLiteral("Admini"));
    QVERIFY(::mount("tmpfs", QFile::encodeName(m_mounted).constData(), "tmpfs", 0, "size=16k") ==
            0);
    QFile filler(m_mounted + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'x')) > 0) {
    }
    filler.close();

    deleteClient7();

    QCOMPARE(m_ws->seams.dialogs.ioErrors(),
             QStringList{QStringLiteral("Nie udało się zarchiwizować plików klienta 007, więc nic "
                                        "nie zostało usunięte.\nNie udało się zapisać archiwum w "
                                        "folderze %1: Disk full")
                             .arg(m_mounted)});
    QCOMPARE(snapshot(m_ws->path(QStringLiteral("DANE"))), before);
    QCOMPARE(storedLine(7), testfiles::shortString(QStringLiteral("007 Jan Kowalski"), 50));
    QCOMPARE(findChildNamed<QListWidget>(m_window.get(), "lista_k")->item(6)->text(),
             QStringLiteral("007 Jan Kowalski"));
    QCOMPARE(admini(), QStringList{QStringLiteral("filler")});
}

void TestUsuwanieKlienta::stoppedArchiveDeletesNothing()
{
    // The second of the client's files is a pipe: the archiving waits there until "Anuluj".
    const QString pipe = file(QStringLiteral("007_1996.num"));
    QVERIFY(MakePipe(pipe));
    start();
    const QStringList adminiBefore = admini();
    const QStringList dataBefore =
        QDir(m_ws->path(QStringLiteral("DANE"))).entryList(QDir::AllEntries | QDir::System);
    bool clicked = false;
    CancelAtPipe(m_window.get(), pipe, QStringLiteral("007_1996.num"), &clicked);
    deleteClient7();

    QVERIFY(clicked);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1); // the question only
    QCOMPARE(admini(), adminiBefore);
    QCOMPARE(QDir(m_ws->path(QStringLiteral("DANE"))).entryList(QDir::AllEntries | QDir::System),
             dataBefore);
    QCOMPARE(storedLine(7), testfiles::shortString(QStringLiteral("007 Jan Kowalski"), 50));
}

void TestUsuwanieKlienta::missingArchivingModuleDeletesNothing()
{
    start();
    const QMap<QString, QByteArray> before = snapshot(m_ws->path(QStringLiteral("DANE")));
    const QStringList adminiBefore = admini();
    const QString elsewhere = m_ws->path(QStringLiteral("gdzie-indziej"));
    m_window->setAddOnDirectory(elsewhere);
    deleteClient7();

    const QStringList errors = m_ws->seams.dialogs.ioErrors();
    QCOMPARE(errors.size(), 1);
    const QString expected =
        QStringLiteral("Nie udało się zarchiwizować plików klienta 007, więc nic nie zostało "
                       "usunięte.\nNie można wczytać modułu archiwizacji %1 (")
            .arg(QDir::toNativeSeparators(elsewhere +
                                          QStringLiteral("/moduly/mirtal-archiwumklienta")));
    QVERIFY2(errors[0].startsWith(expected), qPrintable(errors[0]));
    QCOMPARE(snapshot(m_ws->path(QStringLiteral("DANE"))), before);
    QCOMPARE(storedLine(7), testfiles::shortString(QStringLiteral("007 Jan Kowalski"), 50));
    QCOMPARE(admini(), adminiBefore);
}

int main(int argc, char *argv[])
{
    g_noNamespace = enterPrivateNamespace();
    QApplication application(argc, argv);
    TestUsuwanieKlienta test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_usuwanieklienta.moc"
