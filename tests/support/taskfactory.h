#pragma once

#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QString>

// A task as link intake queues one for background analysis: a fresh id, the
// link "https://video.example/watch/<word>" and its "-j" command. Callers set
// what their case needs on top (status, folder, title ...).
inline ItemInfo *makeTask(const QString &word, int status = TaskStatus::WaitingForAnalysis,
    const QString &folder = QString())
{
    auto *t = new ItemInfo;
    t->uniqueID = newUniqueId();
    t->title = word;
    t->url = QStringLiteral("https://video.example/watch/") + word;
    t->cmd = QStringLiteral("tool.exe -j ") + t->url;
    t->process_status = status;
    t->status = TaskStatus::textFor(status, true);
    t->quality_num = 8;
    t->path = folder;
    return t;
}
