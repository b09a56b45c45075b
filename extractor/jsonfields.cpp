#include "extractor/jsonfields.h"

#include <QJsonValue>

#include <cmath>
#include <limits>

QString jsonString(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    return v.isString() ? v.toString() : QString();
}

double jsonNumber(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    return v.isDouble() ? v.toDouble() : -1.0;
}

int jsonInt(const QJsonObject &o, const QString &key)
{
    const double d = std::trunc(jsonNumber(o, key));
    if (std::isnan(d))
        return -1;
    if (d >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (d <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(d);
}
