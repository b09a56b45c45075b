#include "service/appcast.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace Appcast {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Updater", text);
}

} // namespace

QString platformKey()
{
#ifdef Q_OS_WIN
    return QStringLiteral("windows");
#else
    return QStringLiteral("linux");
#endif
}

bool isNewer(const QString &a, const QString &b)
{
    const QStringList left = a.split(QLatin1Char('.'));
    const QStringList right = b.split(QLatin1Char('.'));
    const int common = std::min(left.size(), right.size());
    for (int i = 0; i < common; ++i) {
        const qlonglong x = left[i].toLongLong();
        const qlonglong y = right[i].toLongLong();
        if (x != y)
            return x > y;
    }
    return left.size() > right.size();
}

Entry parse(const QByteArray &json, const QString &platform, const QUrl &appcastUrl)
{
    Entry entry;
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return entry;
    entry.valid = true;
    const QJsonObject updates = document.object().value(QLatin1String("updates")).toObject();
    const QJsonObject platformEntry = updates.value(platform).toObject();
    entry.latestVersion = platformEntry.value(QLatin1String("latest-version")).toString();
    const QString download = platformEntry.value(QLatin1String("download-url")).toString();
    if (!download.isEmpty())
        entry.downloadUrl = appcastUrl.resolved(QUrl(download));
    entry.openUrl = platformEntry.value(QLatin1String("open-url")).toString();
    entry.changelog = platformEntry.value(QLatin1String("changelog")).toString();
    const QJsonValue mandatory = platformEntry.value(QLatin1String("mandatory-update"));
    entry.hasMandatory = mandatory.isBool();
    entry.mandatory = mandatory.toBool();
    entry.sha256 = platformEntry.value(QLatin1String("sha256")).toString().trimmed().toLower();
    return entry;
}

QString installerFileName(const QUrl &downloadUrl)
{
    const QString path = downloadUrl.path(QUrl::FullyDecoded);
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return isBareFileName(name) ? name : QString::fromLatin1(FallbackFileName);
}

bool isBareFileName(const QString &name)
{
    // A decoded "%2F" or "%5C", or a drive, would lead elsewhere.
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.isNull())
            return false;
    }
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
}

bool fileHasDigest(const QString &path, const QString &digest)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return false;
    return QString::fromLatin1(hash.result().toHex()) == digest.trimmed().toLower();
}

QString sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return tr("%1 bytes").arg(bytes);
    if (bytes < 1048576)
        return tr("%1 KB").arg(QString::number(bytes / 1024.0, 'g', 6));
    return tr("%1 MB").arg(QString::number(bytes / 1048576.0, 'g', 6));
}

QString timeRemainingText(qint64 received, qint64 total, double elapsedSeconds)
{
    if (elapsedSeconds < 1.0 || received <= 0 || total < received)
        return QString();
    const double rate = received / elapsedSeconds;
    const double left = (total - received) / rate;
    if (left > 7200) {
        const long long hours = std::llround(left / 3600);
        return hours == 1 ? tr("about one hour") : tr("about %1 hours").arg(hours);
    }
    if (left > 60) {
        const long long minutes = std::llround(left / 60);
        return minutes == 1 ? tr("1 minute") : tr("%1 minutes").arg(minutes);
    }
    const long long seconds = std::llround(left);
    return seconds == 1 ? tr("1 second") : tr("%1 seconds").arg(seconds);
}

} // namespace Appcast
