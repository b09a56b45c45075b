#pragma once

#include <QString>

// Link shapes of two sites that need cleaning up before analysis. These are
// configuration values of our own, kept in one place.
namespace SiteLinks {

// The largest video site: its watch-page prefix, its main domain as written
// in links, and its short-link host.
inline QString watchPagePrefix()
{
    return QStringLiteral("https://www.youtube.com/watch?");
}
inline QString videoSiteDomain()
{
    return QStringLiteral("youtube.com");
}
inline QString shortLinkHost()
{
    return QStringLiteral("youtu.be");
}

// A short-video site whose shared links carry tracking queries.
inline QString shortVideoHost()
{
    return QStringLiteral("www.tiktok.com");
}

} // namespace SiteLinks
