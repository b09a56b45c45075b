#include "downloads/thumbnailfetch.h"

#include "base/global.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTimer>

namespace Thumbnail {

QString baseAddress()
{
    const QString fromEnv = qEnvironmentVariable("QUILLON_THUMBNAIL_BASE");
    return fromEnv.isEmpty() ? QStringLiteral(QUILLON_DEFAULT_THUMBNAIL_BASE) : fromEnv;
}

QString imageAddress(const QString &link)
{
    const int eq = link.lastIndexOf(QLatin1Char('='));
    const QString id = eq >= 0 ? link.mid(eq + 1) : link;
    return baseAddress() + id + QStringLiteral("/1.jpg");
}

QPixmap fetch(const QString &link, const QString &imageUrl)
{
    if (link.isEmpty() && imageUrl.isEmpty())
        return QPixmap();
    const QString address = !imageUrl.isEmpty()
        ? imageUrl
        : (baseAddress().isEmpty() ? QString() : imageAddress(link));
    if (address.isEmpty())
        return QPixmap();

    QNetworkAccessManager manager;
    if (Global::PROXY_PORT >= 1) {
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"),
            static_cast<quint16>(Global::PROXY_PORT)));
    } else {
        manager.setProxy(QNetworkProxy::NoProxy);
    }
    QNetworkRequest request {QUrl(address)};
    QSslConfiguration tls = request.sslConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    request.setSslConfiguration(tls);

    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(3000);
    loop.exec();

    QPixmap pixmap;
    pixmap.loadFromData(reply->readAll());
    if (!reply->isFinished()) {
        QObject::disconnect(reply, nullptr, &loop, nullptr);
        reply->abort();
    }
    delete reply;
    if (pixmap.isNull())
        return pixmap;
    return pixmap.scaled(static_cast<int>(120 * Global::SCALE),
        static_cast<int>(68 * Global::SCALE), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace Thumbnail
