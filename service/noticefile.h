#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The notice file of the vendor service: XML with the root "configinfo",
// whose "notice" elements carry the notice set's identifier in the attribute
// "noticeA" and hold "title" elements, each with a "title", a "time" and a
// text "v".
struct NoticeSet
{
    QString id; // empty: no notice set
    QStringList titles;
    QStringList times;
    QStringList texts;

    bool operator==(const NoticeSet &other) const
    {
        return id == other.id && titles == other.titles && times == other.times
            && texts == other.texts;
    }
};

namespace NoticeFile {

// Any other root, or text that is no XML, gives an empty set. A later
// non-empty "noticeA" replaces an earlier one; notices keep document order.
NoticeSet parse(const QByteArray &xml);

} // namespace NoticeFile
