#include "network.h"

#include "fileerror.h"
#include "record.h"
#include "recordfile.h"

#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace admin {

namespace {

// Writes the answer whole through the record-file layer, which replaces the file in one step.
bool store(const QString &target, const QByteArray &body)
{
    storage::Record contents(body.size());
    contents.bytes() = body;
    try {
        storage::WriteRecord(target, contents);
        return true;
    } catch (const storage::FileError &) {
        // A file that cannot be stored is a failed download, as for the user nothing arrived.
        return false;
    }
}

} // namespace

QtNetwork::QtNetwork() = default;

QtNetwork::~QtNetwork()
{
    delete m_manager;
}

QNetworkAccessManager *QtNetwork::manager()
{
    if (!m_manager)
        m_manager = new QNetworkAccessManager;
    return m_manager;
}

Connection QtNetwork::connection()
{
    if (!m_backendTried) {
        m_backendTried = true;
        QNetworkInformation::loadDefaultBackend();
    }
    const QNetworkInformation *info = QNetworkInformation::instance();
    if (!info)
        return Connection::Unknown;
    switch (info->reachability()) {
    case QNetworkInformation::Reachability::Disconnected:
        return Connection::Disconnected;
    case QNetworkInformation::Reachability::Unknown:
        return Connection::Unknown;
    case QNetworkInformation::Reachability::Local:
    case QNetworkInformation::Reachability::Site:
    case QNetworkInformation::Reachability::Online:
        return Connection::Connected;
    }
    return Connection::Unknown;
}

void QtNetwork::download(const QUrl &url, const QString &target, QObject *context,
                         std::function<void(bool)> done)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager()->get(request);

    struct Progress {
        QByteArray body;
        bool overLimit = false;
        bool timedOut = false;
    };
    auto progress = std::make_shared<Progress>();
    const qint64 limit = sizeLimit;

    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, progress] {
        progress->timedOut = true;
        reply->abort();
    });
    deadline->start(timeLimit);

    QObject::connect(reply, &QIODevice::readyRead, reply, [reply, progress, limit] {
        progress->body += reply->readAll();
        if (progress->body.size() > limit) {
            progress->overLimit = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    // `destroyed` comes while the context is half gone: cut its link first, then stop.
    QObject::connect(context, &QObject::destroyed, reply, [reply, context] {
        QObject::disconnect(reply, nullptr, context, nullptr);
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, context,
                     [reply, progress, limit, target, done = std::move(done)] {
                         if (!progress->overLimit && !progress->timedOut)
                             progress->body += reply->readAll();
                         const QVariant status =
                             reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
                         const bool arrived = reply->error() == QNetworkReply::NoError &&
                                              !progress->overLimit && !progress->timedOut &&
                                              progress->body.size() <= limit &&
                                              (!status.isValid() || status.toInt() == 200);
                         done(arrived && store(target, progress->body));
                     });
}

} // namespace admin
