#include "downloads/schedulerrules.h"

#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <algorithm>

namespace SchedulerRules {

int downloadSlotEnd(int processnum)
{
    const int end = processnum + 2;
    if (end <= 1)
        return 3;
    return std::min(end, 11);
}

int clampAnalysisSlots(int anaprocessnum)
{
    if (anaprocessnum < 0)
        return 1;
    return std::min(anaprocessnum, 2);
}

ItemInfo *firstPickable(const QList<ItemInfo *> &tasks, int status)
{
    for (ItemInfo *t : tasks) {
        if (t->process_status == status && t->biaoji && t->active && !t->running)
            return t;
    }
    return nullptr;
}

bool isMetadataCommand(const QString &cmd)
{
    return cmd.contains(QLatin1String(" -j "));
}

int downloadVerdict(const ItemInfo &task, bool outputExists)
{
    const bool complete = task.process == 100 || task.process_status == TaskStatus::Finished;
    return complete && outputExists ? TaskStatus::Finished : TaskStatus::DownloadFailed;
}

int redownloadStatus(int status)
{
    // A task still waiting for analysis goes to the download queue too; the
    // scheduler sends it back to analysis as its command is a metadata one.
    if (status == TaskStatus::Analysing || status == TaskStatus::AnalysisFailed)
        return TaskStatus::WaitingForAnalysis;
    return TaskStatus::WaitingForDownload;
}

QList<ItemInfo *> requeueFailed(const QList<ItemInfo *> &tasks)
{
    QList<ItemInfo *> changed;
    for (auto it = tasks.crbegin(); it != tasks.crend(); ++it) {
        ItemInfo *t = *it;
        if (t->process_status == TaskStatus::AnalysisFailed) {
            t->process_status = TaskStatus::WaitingForAnalysis;
            changed << t;
        } else if (t->process_status == TaskStatus::DownloadFailed) {
            t->process_status = TaskStatus::WaitingForDownload;
            changed << t;
        }
    }
    return changed;
}

bool startAllCovers(const ItemInfo &task)
{
    return task.biaoji && task.process_status < TaskStatus::Downloading;
}

} // namespace SchedulerRules
