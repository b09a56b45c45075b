#pragma once

#include <QString>

// One format the extractor reports for a video. Numbers the extractor did not
// give are -1 (-1.0 for the size).
struct FormatInfo
{
    QString ext;
    double filesize = -1.0;
    QString format_id;
    int abr = -1;
    int asr = -1;
    int tbr = -1;
    int height = -1;
    int width = -1;
    int fps = -1;
    QString format;
    QString vcodec;
    QString acodec;
};
