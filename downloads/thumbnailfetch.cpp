#include "downloads/thumbnailfetch.h"

#include "base/global.h"
#include "base/httprequest.h"

#include <QNetworkProxy>

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

    HttpRequest::Options options;
    options.proxy = HttpRequest::detectedProxy();
    options.timeoutMs = FetchTimeoutMs;
    options.keepPartialBody = true; // an image cut short may still decode

    QPixmap pixmap;
    pixmap.loadFromData(HttpRequest::send(QUrl(address), options).body);
    if (pixmap.isNull())
        return pixmap;
    return pixmap.scaled(static_cast<int>(120 * Global::SCALE),
        static_cast<int>(68 * Global::SCALE), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace Thumbnail
