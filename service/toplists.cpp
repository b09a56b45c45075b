#include "service/toplists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace TopLists {

namespace {

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

qint64 secondsFrom(const QString &text)
{
    bool ok = false;
    const qint64 whole = text.trimmed().toLongLong(&ok);
    if (ok)
        return whole;
    // "3725.0" is still a length in seconds.
    const double fractional = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(fractional) && std::fabs(fractional) < 1e15
        ? static_cast<qint64>(fractional)
        : 0;
}

QVector<Entry> parseList(const QJsonValue &value, int topnum, const QString &watchPrefix)
{
    QVector<Entry> list;
    if (!value.isArray())
        return list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &element : array) {
        if (!element.isObject())
            continue;
        if (list.size() >= topnum)
            break;
        const QJsonObject object = element.toObject();
        Entry entry;
        entry.url = watchPrefix + object.value(QLatin1String("url")).toString();
        entry.title = object.value(QLatin1String("title")).toString();
        entry.duration
            = durationText(secondsFrom(object.value(QLatin1String("videotimelength")).toString()));
        list.append(entry);
    }
    return list;
}

} // namespace

QString durationText(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    return twoDigits(seconds / 3600) + QLatin1Char(':') + twoDigits((seconds / 60) % 60)
        + QLatin1Char(':') + twoDigits(seconds % 60);
}

Lists parse(const QByteArray &answer, int topnum, const QString &watchPrefix)
{
    Lists lists;
    const QJsonDocument document = QJsonDocument::fromJson(answer);
    if (!document.isObject())
        return lists;
    const QJsonObject root = document.object();
    const char *keys[KindCount] = {"data", "weekdata", "monthdata"};
    for (int kind = 0; kind < KindCount; ++kind)
        lists[kind] = parseList(root.value(QLatin1String(keys[kind])), topnum, watchPrefix);
    return lists;
}

QString videoId(const QString &url)
{
    return url.mid(url.lastIndexOf(QLatin1Char('=')) + 1);
}

} // namespace TopLists
