#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

class QNetworkAccessManager;

namespace admin {

// What the system knows about the computer's connection.
enum class Connection {
    Connected,    // a local network or the internet is reachable
    Disconnected, // no connection at all
    Unknown,      // the platform cannot tell
};

// The connection state and the download of one small file: the only ways the program reaches
// the network. Production uses QtNetwork; tests replace the connection state.
class Network
{
public:
    virtual ~Network() = default;

    virtual Connection connection() = 0;

    // Fetches `url` without blocking. Once the whole answer has arrived it is written as the
    // file `target` (replacing it whole, never partly) and `done(true)` runs; on any failure the
    // target is left alone and `done(false)` runs. `done` runs once, later, from the event loop,
    // and not at all when `context` is destroyed first.
    virtual void download(const QUrl &url, const QString &target, QObject *context,
                          std::function<void(bool)> done) = 0;
};

// The connection state from QNetworkInformation and the download through QNetworkAccessManager,
// with a time limit and a size limit: anything slower or larger counts as a failed download.
class QtNetwork : public Network
{
public:
    QtNetwork();
    ~QtNetwork() override;
    Q_DISABLE_COPY(QtNetwork)

    Connection connection() override;
    void download(const QUrl &url, const QString &target, QObject *context,
                  std::function<void(bool)> done) override;

    std::chrono::milliseconds timeLimit{10000};
    qint64 sizeLimit = 4096;

private:
    QNetworkAccessManager *manager();

    QNetworkAccessManager *m_manager = nullptr;
    bool m_backendTried = false;
};

} // namespace admin
