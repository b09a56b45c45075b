#include "service/noticefile.h"

#include <QDomDocument>

namespace NoticeFile {

NoticeSet parse(const QByteArray &xml)
{
    NoticeSet set;
    QDomDocument document;
    if (!document.setContent(xml))
        return set;
    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("configinfo"))
        return set;

    for (QDomElement notice = root.firstChildElement(QStringLiteral("notice")); !notice.isNull();
         notice = notice.nextSiblingElement(QStringLiteral("notice"))) {
        const QString id = notice.attribute(QStringLiteral("noticeA"));
        if (!id.isEmpty())
            set.id = id;
        for (QDomElement item = notice.firstChildElement(QStringLiteral("title")); !item.isNull();
             item = item.nextSiblingElement(QStringLiteral("title"))) {
            set.titles.append(item.firstChildElement(QStringLiteral("title")).text().trimmed());
            set.times.append(item.firstChildElement(QStringLiteral("time")).text().trimmed());
            set.texts.append(item.firstChildElement(QStringLiteral("v")).text().trimmed());
        }
    }
    return set;
}

} // namespace NoticeFile
