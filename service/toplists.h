#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>

// The popular-list file of the vendor service: a JSON object with the day,
// week and month lists ("data", "weekdata", "monthdata"), each an array of
// objects with the string values "videotimelength" (seconds), "title", "url"
// (the video's identifier on the video site) and "acount".
namespace TopLists {

enum Kind
{
    Day = 0,
    Week = 1,
    Month = 2
};
constexpr int KindCount = 3;

struct Entry
{
    QString url;
    QString title;
    QString duration;
};

using Lists = std::array<QVector<Entry>, KindCount>;

// Seconds as "hh:mm:ss", each part at least two digits; hours are not cut
// (100 hours give "100:00:00"). Negative counts as 0.
QString durationText(qint64 seconds);

// At most topnum entries of each list; watchPrefix + "url" makes an entry's
// address. Elements that are not objects are skipped, a missing value is
// empty, and an answer that is not such an object gives three empty lists.
Lists parse(const QByteArray &answer, int topnum, const QString &watchPrefix);

// The identifier after the last "=" of a watch-page address (the whole
// address when it has none).
QString videoId(const QString &url);

} // namespace TopLists
