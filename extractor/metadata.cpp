#include "extractor/metadata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

static QString str(const QJsonObject &o, const char *k)
{
    const QJsonValue v = o.value(QLatin1String(k));
    return v.isString() ? v.toString() : QString();
}

static double num(const QJsonObject &o, const char *k)
{
    const QJsonValue v = o.value(QLatin1String(k));
    return v.isDouble() ? v.toDouble() : -1.0;
}

ParseResult parseVideoOutput(const QByteArray &output, VideoMetadata *meta)
{
    const int brace = output.indexOf('{');
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(brace >= 0 ? output.mid(brace) : output, &err);
    if (err.error != QJsonParseError::NoError)
        return ParseResult::Invalid;
    if (!doc.isObject())
        return ParseResult::NotObject;
    const QJsonObject o = doc.object();
    meta->filename = str(o, "_filename");
    meta->title = str(o, "fulltitle");
    meta->duration = num(o, "duration");
    meta->thumbnail = str(o, "thumbnail");
    meta->uploader = str(o, "uploader");
    meta->uploadDate = str(o, "upload_date");
    const QJsonValue f = o.value(QLatin1String("formats"));
    meta->formatsOk = f.isArray();
    for (const QJsonValue &v : f.toArray()) {
        if (!v.isObject())
            continue;
        const QJsonObject fo = v.toObject();
        FormatInfo fi;
        fi.ext = str(fo, "ext");
        fi.filesize = num(fo, "filesize");
        fi.format_id = str(fo, "format_id");
        fi.abr = int(num(fo, "abr"));
        fi.asr = int(num(fo, "asr"));
        fi.tbr = int(num(fo, "tbr"));
        fi.height = int(num(fo, "height"));
        fi.width = int(num(fo, "width"));
        fi.fps = int(num(fo, "fps"));
        fi.format = str(fo, "format");
        fi.vcodec = str(fo, "vcodec");
        fi.acodec = str(fo, "acodec");
        meta->formats.append(fi);
    }
    return ParseResult::Object;
}

QString bestAudioId(const QList<FormatInfo> &formats, const QString &current)
{
    QString id = current;
    for (const FormatInfo &f : formats)
        if (f.ext == QLatin1String("m4a"))
            id = f.format_id;
    return id;
}

QString durationText(double seconds)
{
    const int s = seconds < 0 ? 0 : int(seconds);
    auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    return two(s / 3600) + QLatin1Char(':') + two((s / 60) % 60) + QLatin1Char(':') + two(s % 60);
}
