#pragma once

#include "extractor/listvideoinfo.h"
#include "tasks/formatinfo.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>

// What a single-video run ("tool.exe -j <link>") says about a video. Missing
// texts are empty, a missing duration is -1.0.
struct VideoMetadata
{
    QString filename; // "_filename": the extractor's own file name, kept only
    QString title; // "fulltitle"
    double duration = -1.0;
    QString thumbnail;
    QString uploader;
    QString uploadDate; // "upload_date", eight digits year-month-day
    QList<FormatInfo> formats;
    bool formatsOk = false; // "formats" was present and an array
    QString originalUrl; // "original_url": the link the run was given
    bool listEntry = false; // "playlist_index" is a number: one entry of a list
};

enum class ParseResult
{
    Invalid, // no JSON document could be read: the analysis failed
    NotObject, // a JSON document, but not an object: nothing is read
    Object,
};

// Reads single-video output. Warnings the extractor prints before the JSON
// are dropped by cutting the output at its first "{" (the whole output is
// parsed when there is none). meta is reset first and filled only for Object.
ParseResult parseVideoOutput(const QByteArray &output, VideoMetadata *meta);

// Replaces *out with one record per object element of the "formats" array, in
// array order (other elements are skipped). Returns false, leaving *out empty,
// when formats is missing or not an array.
bool parseFormats(const QJsonValue &formats, QList<FormatInfo> *out);

// The format_id of the last "m4a" format in extractor order, or current when
// there is none.
QString bestAudioId(const QList<FormatInfo> &formats, const QString &current);

// Title-run output: the last line that holds text. The extractor's own
// diagnostics ("WARNING: ...", "ERROR: ...", merged into the output, with
// their indented continuation lines) are not titles and are passed over, so
// a failed run gives an empty title.
QString titleFromOutput(const QByteArray &output);

// "hh:mm:ss" of the duration truncated to whole seconds, each part at least
// two digits (3725 gives "01:02:05"). No duration (negative) gives "00:00:00".
QString durationText(double seconds);

// Flat-list output: one entry per line that is a JSON object, in output
// order; other lines (warnings, broken JSON) are skipped.
QList<ListVideoInfo> parseFlatList(const QByteArray &output);
