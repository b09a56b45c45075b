#pragma once

#include <QJsonObject>
#include <QString>

// The two getters every metadata key is read with. A key that is missing or
// holds another JSON type gives the empty text or -1.0 (so JSON null is -1.0).
QString jsonString(const QJsonObject &o, const QString &key);
double jsonNumber(const QJsonObject &o, const QString &key);

// Integer fields: the number getter's value truncated toward zero, kept in the
// 32-bit range; a missing value is -1.
int jsonInt(const QJsonObject &o, const QString &key);
