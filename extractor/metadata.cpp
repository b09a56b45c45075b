#include "extractor/metadata.h"

#include "extractor/extractorremarks.h"
#include "extractor/jsonfields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

FormatInfo formatFromObject(const QJsonObject &o)
{
    FormatInfo f;
    f.ext = jsonString(o, QStringLiteral("ext"));
    f.filesize = jsonNumber(o, QStringLiteral("filesize"));
    f.format_id = jsonString(o, QStringLiteral("format_id"));
    f.abr = jsonInt(o, QStringLiteral("abr"));
    f.asr = jsonInt(o, QStringLiteral("asr"));
    f.tbr = jsonInt(o, QStringLiteral("tbr"));
    f.height = jsonInt(o, QStringLiteral("height"));
    f.width = jsonInt(o, QStringLiteral("width"));
    f.fps = jsonInt(o, QStringLiteral("fps"));
    f.format = jsonString(o, QStringLiteral("format"));
    f.vcodec = jsonString(o, QStringLiteral("vcodec"));
    f.acodec = jsonString(o, QStringLiteral("acodec"));
    return f;
}

QString twoDigits(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace

ParseResult parseVideoOutput(const QByteArray &output, VideoMetadata *meta)
{
    *meta = VideoMetadata();
    const int start = output.indexOf('{');
    QJsonParseError error;
    const QJsonDocument doc
        = QJsonDocument::fromJson(start < 0 ? output : output.mid(start), &error);
    if (error.error != QJsonParseError::NoError)
        return ParseResult::Invalid;
    if (!doc.isObject())
        return ParseResult::NotObject;

    const QJsonObject o = doc.object();
    meta->filename = jsonString(o, QStringLiteral("_filename"));
    meta->title = jsonString(o, QStringLiteral("fulltitle"));
    meta->duration = jsonNumber(o, QStringLiteral("duration"));
    meta->thumbnail = jsonString(o, QStringLiteral("thumbnail"));
    meta->uploader = jsonString(o, QStringLiteral("uploader"));
    meta->uploadDate = jsonString(o, QStringLiteral("upload_date"));
    meta->formatsOk = parseFormats(o.value(QStringLiteral("formats")), &meta->formats);
    meta->originalUrl = jsonString(o, QStringLiteral("original_url"));
    meta->listEntry = o.value(QStringLiteral("playlist_index")).isDouble();
    return ParseResult::Object;
}

bool parseFormats(const QJsonValue &formats, QList<FormatInfo> *out)
{
    out->clear();
    if (!formats.isArray())
        return false;
    const QJsonArray array = formats.toArray();
    for (const QJsonValue &element : array) {
        if (element.isObject())
            out->append(formatFromObject(element.toObject()));
    }
    return true;
}

QString bestAudioId(const QList<FormatInfo> &formats, const QString &current)
{
    QString best = current;
    for (const FormatInfo &f : formats) {
        if (f.ext == QLatin1String("m4a"))
            best = f.format_id;
    }
    return best;
}

QString titleFromOutput(const QByteArray &output)
{
    QString title;
    bool inDiagnostic = false;
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &raw : lines) {
        QString line = QString::fromUtf8(raw);
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // A diagnostic's indented continuation lines are not titles either.
        if (inDiagnostic && ExtractorDiagnostics::continues(line))
            continue;
        inDiagnostic = ExtractorDiagnostics::starts(line);
        if (!inDiagnostic)
            title = line;
    }
    return title;
}

QString durationText(double seconds)
{
    // NaN and negative durations (none reported) show as zero.
    if (!(seconds >= 0.0))
        return QStringLiteral("00:00:00");
    const qint64 d = seconds >= 9.0e15 ? qint64(9.0e15) : qint64(std::trunc(seconds));
    return twoDigits(d / 3600) + QLatin1Char(':') + twoDigits((d / 60) % 60) + QLatin1Char(':')
        + twoDigits(d % 60);
}

QList<ListVideoInfo> parseFlatList(const QByteArray &output)
{
    QList<ListVideoInfo> entries;
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &line : lines) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            continue;
        const QJsonObject o = doc.object();
        ListVideoInfo entry;
        entry._type = jsonString(o, QStringLiteral("_type"));
        entry.url = jsonString(o, QStringLiteral("url"));
        entry.id = jsonString(o, QStringLiteral("id"));
        entry.title = jsonString(o, QStringLiteral("title"));
        entry.ie_key = jsonString(o, QStringLiteral("ie_key"));
        entry.link = entry.url;
        entries.append(entry);
    }
    return entries;
}
