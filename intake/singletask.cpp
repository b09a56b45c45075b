#include "intake/singletask.h"

#include "extractor/choiceoptions.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "intake/intakechoices.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QDebug>

ItemInfo *taskFromSingleChoice(const SingleChoice &c, int folderoption)
{
    auto *t = new ItemInfo;
    t->uniqueID = newUniqueId();
    t->path = c.saveLocation;
    t->filesize = c.format.filesize;
    t->url = safeLink(c.link);
    t->title = c.title;
    t->ext = c.format.ext;
    t->thumbnailUrl = c.thumbnail;
    t->uploader = c.uploader;
    t->namePrefix = c.uploadDate;
    t->process_status = TaskStatus::WaitingForDownload;
    t->status = TaskStatus::queuing();
    t->duration = c.duration;
    qDebug() << "info->uploader==" << t->uploader;

    t->renametitle = sanitizeTitle(t->title, t->namePrefix);
    const QString folder = outputFolder(t, folderoption);
    t->targetPath = folder + QStringLiteral("//") + t->renametitle + QLatin1Char('.') + t->ext;
    t->renametargetPath = t->targetPath;

    // A format id that could be read as an option, or a link that is no web
    // link, leaves the command without it: the download then fails instead of
    // handing the extractor something else.
    const QString id = isSafeFormatId(c.format.format_id) ? c.format.format_id : QString();
    QString selector = id;
    const bool hasAudio
        = c.format.ext == QLatin1String("m4a") || c.format.acodec != QLatin1String("none");
    if (!hasAudio) {
        const QString audio = isSafeFormatId(c.bestAudioId) ? c.bestAudioId : QString();
        selector = id + QLatin1Char('+') + audio;
        if (c.format.ext == QLatin1String("webm"))
            t->renametargetPath
                = folder + QStringLiteral("//") + t->renametitle + QStringLiteral(".mkv");
    }
    SingleDownloadChoice command;
    command.selector = selector;
    command.link = t->url;
    command.outputArgument = outputTemplateArgument(t->targetPath);
    command.subtitles = c.subtitles;
    command.subtitleMode = c.subtitleMode;
    command.subtitleLanguage = c.subtitleLanguage;
    command.thumbnail = c.thumbnailWanted;
    t->cmd = singleDownloadCommand(command);
    return t;
}
