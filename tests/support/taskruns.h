#pragma once

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"
#include "extractor/myqprocess.h"
#include "support/taskfactory.h"
#include "tasks/sqlitedbaoperator.h"

#include <QTest>
#include <algorithm>
#include <memory>

// Tasks as the tests queue and watch them.

// Queued for download with the command the scheduled analysis composes
// (format 18 into folder/word.mp4); the scripted extractor reads it.
inline ItemInfo *makeDownloadTask(const QString &word, const QString &folder)
{
    ItemInfo *t = makeTask(word, TaskStatus::WaitingForDownload, folder);
    t->renametitle = word;
    t->targetPath = folder + "/" + word + ".mp4";
    t->cmd = "tool.exe --no-cache-dir  -i --newline  -f 18 " + t->url + " -o \"" + t->targetPath
        + "\"";
    return t;
}

// Queued on list into folder: for analysis, or (status WaitingForDownload)
// with the download command above.
inline ItemInfo *queueTask(DownloadListController *list, const QString &word, const QString &folder,
    int status = TaskStatus::WaitingForAnalysis)
{
    ItemInfo *t = status == TaskStatus::WaitingForDownload ? makeDownloadTask(word, folder)
                                                           : makeTask(word, status, folder);
    list->addTask(t);
    return t;
}

// A link queued for analysis as link intake queues it, into folder.
inline ItemInfo *makeLinkTask(
    const QString &link, int quality, const QString &folder, const QString &rate = QString())
{
    ItemInfo *t = makeTask(QString(), TaskStatus::WaitingForAnalysis, folder);
    t->url = link;
    t->cmd = "tool.exe -j " + link;
    t->quality_num = quality;
    t->limitRate = rate;
    return t;
}

// makeLinkTask, added to list.
inline ItemInfo *addLinkTask(
    DownloadListController *list, const QString &link, int quality, const QString &folder)
{
    ItemInfo *t = makeLinkTask(link, quality, folder);
    list->addTask(t);
    return t;
}

// The tasks' statuses, in order.
inline QList<int> statuses(const QList<ItemInfo *> &tasks)
{
    QList<int> found;
    for (const ItemInfo *t : tasks)
        found << t->process_status;
    return found;
}

// Waits until every task has ended and left its slot, at most ms.
inline bool waitSettled(const QList<ItemInfo *> &tasks, int ms)
{
    return QTest::qWaitFor(
        [&] {
            return std::all_of(tasks.cbegin(), tasks.cend(), [](const ItemInfo *t) {
                return !t->running && t->process_status >= TaskStatus::Finished;
            });
        },
        ms);
}

// How many downloads and analyses may run at once, the other settings at
// their defaults.
inline void useSlots(DownloadListController *list, int processnum, int anaprocessnum)
{
    SettingsStore::GeneralSettings g;
    g.processnum = processnum;
    g.anaprocessnum = anaprocessnum;
    list->applySettings(g);
}

// No process slot free: tasks stay where they are put.
inline void holdSlots(DownloadListController *list)
{
    useSlots(list, 0, 0);
}

// The process of the task's running download, null when none runs.
inline MyQProcess *downloadProcess(DownloadEngine *engine, const ItemInfo *task)
{
    for (int s = DownloadEngine::FirstDownloadSlot; s < DownloadEngine::SlotCount; ++s)
        if (engine->processList[s]->task == task && engine->isBusy(s))
            return engine->processList[s];
    return nullptr;
}

// The status word a row shows for the task.
inline QString rowStatusText(const ItemInfo &task)
{
    itemWidget row;
    applyTaskToRow(task, &row);
    return row.statusText();
}

// The database's copy of the task, null when it holds none.
inline std::unique_ptr<ItemInfo> storedTask(SqliteDBAOperator *db, const QString &uniqueID)
{
    QList<ItemInfo *> rows;
    db->loadTasks(rows);
    std::unique_ptr<ItemInfo> found;
    for (ItemInfo *r : qAsConst(rows)) {
        if (r->uniqueID == uniqueID && !found)
            found.reset(r);
        else
            delete r;
    }
    return found;
}
