#pragma once

#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"
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

// No process slot free: tasks stay where they are put.
inline void holdSlots(DownloadListController *list)
{
    SettingsStore::GeneralSettings held;
    held.processnum = held.anaprocessnum = 0;
    list->applySettings(held);
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
