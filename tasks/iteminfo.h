#pragma once

#include "tasks/formatinfo.h"

#include <QList>
#include <QString>

// One download task, from the moment its link is accepted until the user
// deletes it. Fields marked "stored" are mirrored in the task database.
// A plain record: a long history holds one per stored task, so it carries
// no object machinery and no picture (the window keeps thumbnails by
// uniqueID).
class ItemInfo
{
public:
    // Texts first, numbers after them and the one-byte flags last: a long
    // history holds one record per stored task, so no padding between fields.
    QString uniqueID; // stored; 32 lower-case hex digits, never changes
    QString qianruzimu; // stored; embedded-subtitle option text
    QString zimu; // stored; subtitle (+ language, thumbnail) option text
    QString sublangOption; // subtitle-language option text
    QString quality; // stored; format-selector option text
    QString zhuanhuan; // stored; conversion target extension, empty for none
    QString path; // stored; save folder chosen by the user
    QString folder; // output folder actually used
    QString url; // stored
    QString title; // stored
    QString ext; // stored
    QString rate; // stored; speed text as the extractor prints it
    QString eta; // stored; remaining-time text
    QString status; // stored; translated status text
    QString thumbnailUrl; // stored
    QString process_string; // stored; percent text, e.g. "45.3%"
    QString limitRate; // stored; rate limit value, empty for unlimited
    QString targetPath; // stored; file the extractor writes
    QString renametitle; // stored; output base name
    QString renametargetPath; // stored; file that exists when finished
    QString cmd; // stored; analysis command, later the download command
    QString agentCmd; // stored; reserved
    QString qfilesize; // stored; total-size text
    QString bestaudio_id; // stored
    QString uploader;
    QString namePrefix; // upload date text put in front of the title
    QList<FormatInfo> formats;
    double duration = -1.0; // stored as integer; seconds, -1 when unknown
    double filesize = 0.0; // stored as integer; bytes
    int quality_num = 0; // stored; quality choice 0..12
    int process = 0; // stored; percent done 0..100
    int process_status = 0; // stored; TaskStatus::Code
    int id = 0; // stored, not read back; number within this run
    bool biaoji = true; // stored; listed (false once deleted)
    bool active = true; // false while paused

    // Run-time only: false while only the fields the download list shows
    // were read from the database (a restored history is loaded that way;
    // uniqueID, thumbnailUrl, the output names and, where the row does not
    // show it, url are among the fields left out; storedRow finds the row);
    // the other stored fields are read before the task is worked on or named
    // against (SqliteDBAOperator::readDetails, readNamesakes).
    bool detailsLoaded = true;
    // Run-time only: a process slot is working on this task right now, and
    // whether the user asked for it again while it ran.
    bool running = false;
    bool requeueAfterRun = false;
    // Run-time only: the last run failed and the extractor's output said
    // that it is out of date (the row suggests updating it).
    bool extractorOutdated = false;
    // Run-time only: the list views (one bit per ListRules::View) the
    // download list last counted this task in.
    quint8 countedViews = 0;
    // Run-time only: why the last download run failed (FailReason), shown
    // in the row; 0 when it did not fail or the reason is not known.
    int failReason = 0;
    // Run-time only: the last run failed because the sign-in cookies could
    // not be read (a CookieFailure::Kind, 0 when not).
    int cookieFailure = 0;
    qint64 storedRow = 0; // see detailsLoaded
    // Run-time only: when a failed download is tried again by itself (ms
    // since the epoch), 0 when it is not.
    qint64 retryAt = 0;
};

// A new random UUID as 32 lower-case hexadecimal digits.
QString newUniqueId();
