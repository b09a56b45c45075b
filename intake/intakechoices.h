#pragma once

#include "extractor/listvideoinfo.h"
#include "tasks/formatinfo.h"

#include <QList>
#include <QString>

// What the single-video dialog hands back when the user pressed download.
struct SingleChoice
{
    QString link;
    QString title;
    QString uploader;
    QString uploadDate; // put in front of the file name
    QString thumbnail;
    double duration = 0.0;
    FormatInfo format; // the chosen format
    QString bestAudioId;
    QString saveLocation;
    bool subtitles = false;
    int subtitleMode = 0; // index of subtitleModeChoices(): 1 embeds them
    int subtitleLanguage = 0; // index of subtitleLanguageChoices()
    bool thumbnailWanted = false;
};

// What the playlist dialog hands back when the user pressed download.
struct ListChoice
{
    QList<ListVideoInfo> entries; // only the ticked ones become tasks
    QString saveLocation;
    QString conversion;
    QString rateLimit;
    int qualityNum = 1; // the task's quality_num
    int subtitleLanguage = 0; // index of subtitleLanguageChoices()
    bool thumbnail = false;
};

// The stored one-key choices, as option texts, that every one-key task gets.
// Empty location means one-key mode has nothing to apply.
struct OneKeyChoice
{
    QString rateOption;
    QString location;
    int quality = 0;
    QString convert;
    QString subtitleOption;
    QString embedOption;
    QString subLangOption;
    QString thumbnailOption;
};
