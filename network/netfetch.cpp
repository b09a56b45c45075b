#include "network/netfetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>

#include <memory>

namespace NetFetch {

QByteArray get(const QUrl &url, const std::optional<QNetworkProxy> &proxy, int timeoutMs,
    const std::function<bool()> &cancelled)
{
    if (!url.isValid() || url.isEmpty())
        return QByteArray();

    QNetworkAccessManager manager;
    if (proxy)
        manager.setProxy(*proxy);

    QNetworkRequest request(url);
    if (QSslSocket::supportsSsl()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
        ssl.setProtocol(QSsl::AnyProtocol);
        request.setSslConfiguration(ssl);
    }

    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer poll;
        if (cancelled) {
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (cancelled())
                    loop.quit();
            });
            poll.start(50);
        }
        deadline.start(timeoutMs);
        loop.exec();
    }
    if (!reply->isFinished()) {
        reply->abort();
        return QByteArray();
    }
    if (reply->error() != QNetworkReply::NoError)
        return QByteArray();
    return reply->readAll();
}

} // namespace NetFetch
