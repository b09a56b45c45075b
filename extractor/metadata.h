#pragma once

#include "extractor/formatinfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct VideoMetadata
{
    QString filename, title;
    double duration = -1.0;
    QString thumbnail, uploader, uploadDate;
    QList<FormatInfo> formats;
    bool formatsOk = false;
};

enum class ParseResult { Invalid, NotObject, Object };

ParseResult parseVideoOutput(const QByteArray &output, VideoMetadata *meta);
QString bestAudioId(const QList<FormatInfo> &formats, const QString &current);
QString durationText(double seconds);
