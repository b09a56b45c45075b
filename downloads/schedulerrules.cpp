#include "downloads/schedulerrules.h"

#include "extractor/commands.h"
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

namespace {

bool pickable(const ItemInfo *t, int status)
{
    return t->process_status == status && t->biaoji && t->active && !t->running;
}

} // namespace

ItemInfo *firstPickable(const QList<ItemInfo *> &tasks, int status)
{
    for (ItemInfo *t : tasks) {
        if (pickable(t, status))
            return t;
    }
    return nullptr;
}

ItemInfo *firstStartableDownload(const QList<ItemInfo *> &tasks, const QStringList &busyTargets)
{
    for (ItemInfo *t : tasks) {
        if (pickable(t, TaskStatus::WaitingForDownload)
            && (t->targetPath.isEmpty() || !busyTargets.contains(t->targetPath)))
            return t;
    }
    return nullptr;
}

int pickableCount(const QList<ItemInfo *> &tasks, int status)
{
    return int(std::count_if(
        tasks.cbegin(), tasks.cend(), [status](const ItemInfo *t) { return pickable(t, status); }));
}

int analysisAllowance(int waiting, int freeSlots, int busyRuns, int budget)
{
    if (budget < 0 || waiting <= 0 || freeSlots <= 0)
        return 0;
    const int allowance = std::min(waiting, std::max(budget + 1, freeSlots));
    if (busyRuns > 0 && allowance < std::min(waiting, MaxAnalysisBatch))
        return 0;
    return allowance;
}

QList<ItemInfo *> pickAnalysisBatch(const QList<ItemInfo *> &tasks, int limit)
{
    QList<ItemInfo *> batch;
    QStringList links;
    QString options;
    for (ItemInfo *t : tasks) {
        if (batch.size() >= limit)
            break;
        if (!pickable(t, TaskStatus::WaitingForAnalysis))
            continue;
        QString link;
        QString theirs;
        const bool shares = splitSingleVideoCommand(t->cmd, &link, &theirs);
        if (batch.isEmpty()) {
            batch << t;
            if (!shares)
                break;
            links << link;
            options = theirs;
        } else if (shares && theirs == options && !links.contains(link)) {
            batch << t;
            links << link;
        }
    }
    return batch;
}

bool isMetadataCommand(const QString &cmd)
{
    return cmd.contains(QLatin1String(" -j "));
}

int downloadVerdict(const ItemInfo &task, const RunEnd &run)
{
    bool done = run.exitedCleanly && !run.reportedErrors;
    if (run.pathRequested)
        done = done && run.reportedFileThere;
    else
        done = done && (task.process == 100 || task.process_status == TaskStatus::Finished)
            && run.lookupFound;
    return done ? TaskStatus::Finished : TaskStatus::DownloadFailed;
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
