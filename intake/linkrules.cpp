#include "intake/linkrules.h"

#include "intake/sitelinks.h"

#include <QStringList>

namespace LinkRules {

QString cleanLink(const QString &text)
{
    const QString link = text.trimmed();
    if (!link.startsWith(QLatin1String("http://")) && !link.startsWith(QLatin1String("https://")))
        return QString();
    for (const QChar c : link) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('"'))
            return QString();
    }
    // A scheme alone names nothing.
    if (link.indexOf(QLatin1String("://")) + 3 >= link.size())
        return QString();
    return link;
}

Kind classify(const QString &link)
{
    for (const char *listMark : {"playlist?list=", "channel/", "/c/", "user/"}) {
        if (link.contains(QLatin1String(listMark)))
            return Kind::List;
    }
    if (link.contains(QLatin1String("list=")))
        return Kind::Ask;
    return Kind::Single;
}

static QString cutAtQuery(const QString &link)
{
    const int q = link.indexOf(QLatin1Char('?'));
    return q < 0 ? link : link.left(q);
}

QString dropListPart(const QString &link)
{
    QString out = link;
    if (out.contains(SiteLinks::videoSiteDomain()) && out.contains(QLatin1Char('&'))) {
        QString rest = out;
        rest.remove(SiteLinks::watchPagePrefix());
        const QStringList pieces = rest.split(QLatin1Char('&'));
        for (const QString &piece : pieces) {
            if (piece.contains(QLatin1String("v=")))
                out = SiteLinks::watchPagePrefix() + piece;
        }
    }
    if (out.contains(SiteLinks::shortLinkHost()))
        out = cutAtQuery(out);
    return out;
}

QString dropTrackingQuery(const QString &link)
{
    return link.contains(SiteLinks::shortVideoHost()) ? cutAtQuery(link) : link;
}

} // namespace LinkRules
