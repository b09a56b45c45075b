#pragma once

#include <QPixmap>
#include <QString>

// Fetches the thumbnail of a video link from the video site's thumbnail host
// (through the effective proxy), waiting at most 3000 ms in a local event
// loop, and scales it to the row's thumbnail size. A failure gives a null or
// empty pixmap.
namespace Thumbnail {

constexpr int FetchTimeoutMs = 3000;

// The video site's thumbnail host, ending in "/vi/": a deployment value set
// at build time, overridden by QUILLON_THUMBNAIL_BASE in the environment.
// Empty when none is configured.
QString baseAddress();

// The image address for link: the base, the part of the link after its last
// "=" (the whole link when it has none), then "/1.jpg".
QString imageAddress(const QString &link);

// imageUrl, when the analysis reported one, is used as it stands (it is right
// for any site); otherwise the address is made from link and the base. No
// address at all gives a null pixmap at once.
QPixmap fetch(const QString &link, const QString &imageUrl = QString());

} // namespace Thumbnail
