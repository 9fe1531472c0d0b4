#include "aktualizacja.h"
#include "fakeseams.h"
#include "narzedzia_admini.h"
#include "network.h"
#include "testfiles.h"
#include "textcodec.h"
#include "workspace.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <chrono>

using namespace storage;
using namespace std::chrono_literals;

namespace {

const QString kNoInformation = QStringLiteral("Brak informacji o nowych wersjach tego programu.");
const QString kCurrent = QStringLiteral("Posiadasz aktualną wersje programu.");
const QString kAnnouncementStart =
    QStringLiteral("Na stronie internetowej programu jest dostępna nowa aktualizacja programu.\n"
                   "Pobierz aktualną wersje programu ");

// A small HTTP/1.0 server on 127.0.0.1: answers every request with the same response, or never
// answers at all. It tells when a whole request has come in and when a connection has ended.
class HttpServer : public QObject
{
    Q_OBJECT

public:
    HttpServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    void close() { m_server.close(); }
    QUrl url() const
    {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/aktualizacje/24.txt").arg(m_server.serverPort()));
    }

    void answer(int status, const QByteArray &body)
    {
        const QByteArray reason = status == 200 ? "OK" : "Not Found";
        m_response =
            "HTTP/1.0 " + QByteArray::number(status) + ' ' + reason +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\n\r\n" + body;
        m_silent = false;
    }
    void neverAnswer() { m_silent = true; }

    int requests = 0;

Q_SIGNALS:
    void requestReceived();
    void connectionClosed();

private:
    void serve(QTcpSocket *socket)
    {
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::disconnected, this, &HttpServer::connectionClosed);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            ++requests;
            Q_EMIT requestReceived();
            if (m_silent)
                return;
            socket->write(m_response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QByteArray m_response;
    bool m_silent = false;
};

// The real download, with the connection state set by the test.
class TestNetwork : public admin::QtNetwork
{
public:
    admin::Connection connection() override { return state; }
    admin::Connection state = admin::Connection::Unknown;
};

} // namespace

class TestAktualizacja : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void answer_data();
    void answer();
    void failedDownload_data();
    void failedDownload();
    void disconnectedDoesNothing();
    void installedVersionUnreadable_data();
    void installedVersionUnreadable();
    void oneCheckAtATime();
    void windowGoneBeforeTheAnswer();

private:
    QString downloaded() const { return m_ws->path(QStringLiteral("Admini/24.txt")); }
    // Clicks "Sprawdź aktualizację", checks that the click returned before any answer, and
    // waits for the check to end.
    void checkAndWait();

    std::unique_ptr<Workspace> m_ws;
    LaunchValues m_launch;
    std::unique_ptr<HttpServer> m_server;
    std::unique_ptr<TestNetwork> m_network;
    std::unique_ptr<Tnarzedzia_f> m_window;
};

void TestAktualizacja::init()
{
    m_ws = std::make_unique<Workspace>();
    QVERIFY2(m_ws->setUpError.isEmpty(), qPrintable(m_ws->setUpError));
    QVERIFY(testfiles::writeBytes(m_ws->path(QStringLiteral("Admini/wer.dat")),
                                  testfiles::shortString(QStringLiteral("24502"), 10)));
    m_server = std::make_unique<HttpServer>();
    QVERIFY(m_server->listen());
    m_network = std::make_unique<TestNetwork>();
    m_network->timeLimit = 5s;
    m_window = std::make_unique<Tnarzedzia_f>(
        m_ws->path(), m_launch,
        Tnarzedzia_f::Register{[this] { return m_ws->path(); }, [] { return QString(); }},
        m_ws->seams.seams, *m_network);
    QVERIFY(m_window->FormCreate());
    m_window->updateCheck().address = m_server->url();
}

void TestAktualizacja::cleanup()
{
    m_window.reset();
    m_network.reset();
    m_server.reset();
    m_ws.reset();
}

void TestAktualizacja::checkAndWait()
{
    admin::UpdateCheck &check = m_window->updateCheck();
    QSignalSpy finished(&check, &admin::UpdateCheck::finished);
    auto *button = m_window->findChild<QPushButton *>(QStringLiteral("SpeedButton3"));
    QVERIFY(button);
    button->click();
    QVERIFY(check.running());
    QVERIFY(!button->isEnabled());
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QVERIFY(finished.wait(10000));
    QVERIFY(!check.running());
    QVERIFY(button->isEnabled());
}

void TestAktualizacja::answer_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message"); // empty: no message at all

    QTest::newRow("same version, k")
        << QByteArray("24502\r\nk\r\nze strony producenta\r\n") << kCurrent;
    QTest::newRow("same version, d") << QByteArray("24502\nd\nze strony producenta\n")
                                     << kAnnouncementStart + "ze strony producenta";
    QTest::newRow("other version")
        << (QByteArray("24600\r\nk\r\n") + ToWindows1250(QStringLiteral("ze strony głównej")))
        << kAnnouncementStart + QStringLiteral("ze strony głównej");
    QTest::newRow("same version, K") << QByteArray("24502\r\nK\r\nadres\r\n") << QString();
    QTest::newRow("one line") << QByteArray("24502") << QString();
    QTest::newRow("identifier and a blank")
        << QByteArray("24502 \r\nk\r\nadres\r\n") << kAnnouncementStart + "adres";
}

void TestAktualizacja::answer()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);

    m_server->answer(200, file);
    checkAndWait();

    QCOMPARE(m_server->requests, 1);
    QCOMPARE(testfiles::readBytes(downloaded()), file);
    if (message.isEmpty()) {
        QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    } else {
        QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
        QCOMPARE(m_ws->seams.dialogs.shown[0].kind, ShownDialog::Kind::Notice);
        QCOMPARE(m_ws->seams.dialogs.shown[0].caption, QStringLiteral("Informacja"));
        QCOMPARE(m_ws->seams.dialogs.shown[0].text, message);
    }
}

void TestAktualizacja::failedDownload_data()
{
    QTest::addColumn<QString>("server");
    QTest::newRow("not found") << "404";
    QTest::newRow("no answer") << "silent";
    QTest::newRow("answer too large") << "large";
    QTest::newRow("nobody listening") << "closed";
}

void TestAktualizacja::failedDownload()
{
    QFETCH(QString, server);

    // A copy from an earlier check that would say the version is current.
    QVERIFY(testfiles::writeBytes(downloaded(), "24502\r\nk\r\n"));
    if (server == QLatin1String("404")) {
        m_server->answer(404, "24502\r\nk\r\n");
    } else if (server == QLatin1String("silent")) {
        m_server->neverAnswer();
        m_network->timeLimit = 300ms;
    } else if (server == QLatin1String("large")) {
        m_server->answer(200, "24502\r\nk\r\n" + QByteArray(16 * 1024, 'x'));
    } else {
        m_server->close();
    }
    checkAndWait();

    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown[0].caption, QStringLiteral("Informacja"));
    QCOMPARE(m_ws->seams.dialogs.shown[0].text, kNoInformation);
    QVERIFY(!QFile::exists(downloaded()));
}

void TestAktualizacja::disconnectedDoesNothing()
{
    QVERIFY(testfiles::writeBytes(downloaded(), "24600\r\nd\r\n"));
    m_server->answer(200, "24600\r\nd\r\nadres\r\n");
    m_network->state = admin::Connection::Disconnected;
    QSignalSpy finished(&m_window->updateCheck(), &admin::UpdateCheck::finished);

    m_window->SpeedButton3Click();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!m_window->updateCheck().running());
    QCoreApplication::processEvents();
    QCOMPARE(m_server->requests, 0);
    QVERIFY(m_ws->seams.dialogs.shown.isEmpty());
    QCOMPARE(testfiles::readBytes(downloaded()), QByteArray("24600\r\nd\r\n"));
}

void TestAktualizacja::installedVersionUnreadable_data()
{
    QTest::addColumn<QByteArray>("installed"); // null: no file
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << QByteArray() << "File not found";
    QTest::newRow("ten bytes") << testfiles::shortString("24502", 10).left(10)
                               << "Read beyond end of file";
}

void TestAktualizacja::installedVersionUnreadable()
{
    QFETCH(QByteArray, installed);
    QFETCH(QString, error);

    const QString file = m_ws->path(QStringLiteral("Admini/wer.dat"));
    if (installed.isNull())
        QVERIFY(QFile::remove(file));
    else
        QVERIFY(testfiles::writeBytes(file, installed));
    m_server->answer(200, "24502\r\nk\r\n");
    checkAndWait();

    QCOMPARE(m_ws->seams.dialogs.ioErrors(), QStringList{error});
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
}

void TestAktualizacja::oneCheckAtATime()
{
    m_server->neverAnswer();
    m_network->timeLimit = 300ms;
    admin::UpdateCheck &check = m_window->updateCheck();
    QSignalSpy finished(&check, &admin::UpdateCheck::finished);
    m_window->SpeedButton3Click();
    m_window->SpeedButton3Click();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_server->requests, 1);
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 1);
    QCOMPARE(m_ws->seams.dialogs.shown[0].text, kNoInformation);
}

void TestAktualizacja::windowGoneBeforeTheAnswer()
{
    // The server holds its answer until the window is gone, then the download is dropped: the
    // connection ends without an answer.
    m_server->neverAnswer();
    QSignalSpy received(m_server.get(), &HttpServer::requestReceived);
    QSignalSpy closed(m_server.get(), &HttpServer::connectionClosed);
    m_window->SpeedButton3Click();
    QVERIFY(m_window->updateCheck().running());
    QVERIFY(received.wait(10000));
    m_window.reset();
    QVERIFY(closed.wait(10000));
    // Nobody is left to tell: no message, no crash, nothing stored.
    QCOMPARE(m_ws->seams.dialogs.shown.size(), 0);
    QVERIFY(!QFile::exists(downloaded()));
}

QTEST_MAIN(TestAktualizacja)
#include "tst_aktualizacja.moc"
