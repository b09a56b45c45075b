#pragma once

#include <QString>

// Where the thumbnail of a video link is found. The picture itself is
// fetched by whoever shows it, without waiting (ThumbnailCache in the
// window), through the proxy the downloads use.
namespace Thumbnail {

// How long a thumbnail request may take before it is given up.
constexpr int FetchTimeoutMs = 3000;

// The video site's thumbnail host, ending in "/vi/": a deployment value set
// at build time, overridden by QUILLON_THUMBNAIL_BASE in the environment.
// Empty when none is configured.
QString baseAddress();

// The image address for link: the base, the part of the link after its last
// "=" (the whole link when it has none), then "/1.jpg".
QString imageAddress(const QString &link);

// imageUrl, when the analysis reported one, is used as it stands (it is right
// for any site); otherwise the address is made from link and the base. Empty
// when there is no address at all.
QString address(const QString &link, const QString &imageUrl = QString());

} // namespace Thumbnail
