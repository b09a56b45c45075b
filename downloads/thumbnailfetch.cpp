#include "downloads/thumbnailfetch.h"

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

QString address(const QString &link, const QString &imageUrl)
{
    if (!imageUrl.isEmpty())
        return imageUrl;
    if (link.isEmpty() || baseAddress().isEmpty())
        return QString();
    return imageAddress(link);
}

} // namespace Thumbnail
