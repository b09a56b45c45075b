#include "downloads/thumbnailcache.h"

#include "base/global.h"
#include "base/httprequest.h"
#include "downloads/thumbnailfetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

ThumbnailCache::ThumbnailCache(QObject *parent)
    : QObject(parent)
{ }

ThumbnailCache::~ThumbnailCache()
{
    // No answer may arrive at a cache that is going away.
    if (m_network)
        m_network->disconnect(this);
    const QList<QNetworkReply *> replies = m_pending.keys();
    for (QNetworkReply *reply : replies) {
        reply->abort();
        delete reply;
    }
}

void ThumbnailCache::request(const QString &taskKey, const QString &address)
{
    const QUrl url(address);
    if (taskKey.isEmpty() || address.isEmpty() || !url.isValid())
        return;
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
        connect(m_network, &QNetworkAccessManager::finished, this, &ThumbnailCache::onFinished);
    }
    // The proxy may have been found or changed since the last request.
    m_network->setProxy(HttpRequest::detectedProxy());
    QNetworkRequest request(url);
    request.setTransferTimeout(Thumbnail::FetchTimeoutMs);
    QNetworkReply *reply = m_network->get(request);
    m_pending.insert(reply, taskKey);
    m_latest.insert(taskKey, reply);
}

void ThumbnailCache::onFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    const QString key = m_pending.take(reply);
    if (key.isEmpty() || m_latest.value(key) != reply)
        return; // a later request for the task decides
    m_latest.remove(key);
    // Whatever arrived may still decode (an image cut short by the time
    // limit); an error page does not.
    QPixmap pixmap;
    if (pixmap.loadFromData(reply->readAll())) {
        m_pixmaps.insert(key,
            pixmap.scaled(static_cast<int>(120 * Global::SCALE),
                static_cast<int>(68 * Global::SCALE), Qt::IgnoreAspectRatio,
                Qt::FastTransformation));
        emit ready(key);
    }
    emit finished(key);
}
