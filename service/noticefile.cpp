#include "service/noticefile.h"

#include <QXmlStreamReader>

namespace NoticeFile {

namespace {

// The text of the element the reader is on, its children's included; the
// reader ends on its end.
QString elementText(QXmlStreamReader &xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// One "title" item of a notice: the first "title", "time" and "v" in it.
void readItem(QXmlStreamReader &xml, NoticeSet &set)
{
    QString title, time, text;
    bool hasTitle = false, hasTime = false, hasText = false;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("title") && !hasTitle) {
            title = elementText(xml);
            hasTitle = true;
        } else if (name == QLatin1String("time") && !hasTime) {
            time = elementText(xml);
            hasTime = true;
        } else if (name == QLatin1String("v") && !hasText) {
            text = elementText(xml);
            hasText = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    set.titles.append(title);
    set.times.append(time);
    set.texts.append(text);
}

void readNotice(QXmlStreamReader &xml, NoticeSet &set)
{
    const QString id = xml.attributes().value(QLatin1String("noticeA")).toString();
    if (!id.isEmpty())
        set.id = id;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("title"))
            readItem(xml, set);
        else
            xml.skipCurrentElement();
    }
}

} // namespace

NoticeSet parse(const QByteArray &data)
{
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("configinfo"))
        return NoticeSet();
    NoticeSet set;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("notice"))
            readNotice(xml, set);
        else
            xml.skipCurrentElement();
    }
    // Text that is no well-formed document gives nothing, as if unread.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return NoticeSet();
    return set;
}

} // namespace NoticeFile
