#pragma once

#include <QList>
#include <QString>

class ItemInfo;

// The scheduling rules, free of processes and widgets.
namespace SchedulerRules {

// One past the last download slot a pass may use: processnum + 2, at most 11;
// 3 when processnum + 2 is not above 1.
int downloadSlotEnd(int processnum);

// Analysis slots wanted: below 0 means 1, above 2 means 2; 0 stays 0.
int clampAnalysisSlots(int anaprocessnum);

// The first task in list order with this status that is listed, not paused
// and not already being worked on by a slot.
ItemInfo *firstPickable(const QList<ItemInfo *> &tasks, int status);

// The first task waiting for download that may start now: as firstPickable,
// but passing over a task whose output file a running download writes (tasks
// of one title in one folder): two runs must never write one file. The
// task waits, and finds the file there once the other run is over.
ItemInfo *firstStartableDownload(const QList<ItemInfo *> &tasks, const QStringList &busyTargets);

// How many tasks may wait with this status to be picked (listed, not paused,
// not being worked on).
int pickableCount(const QList<ItemInfo *> &tasks, int status);

// Most links one analysis run takes.
constexpr int MaxAnalysisBatch = 10;

// How many waiting tasks the free analysis slots may take in one pass, in
// all: no more than the analysis budget allows (each analysed task costs a
// unit; one task per free slot is always allowed, as one run per slot
// always was). 0 when the budget is below 0 or nothing waits, and also while
// another analysis run is busy and less than a full run could be taken: the
// budget comes back one download start at a time, and a run for every unit
// would cost an extractor start for each link again. Each free slot in turn
// takes what is left, up to MaxAnalysisBatch.
int analysisAllowance(int waiting, int freeSlots, int busyRuns, int budget);

// The tasks one analysis run takes, at most limit: the first pickable task
// waiting for analysis, then later ones whose stored command shares its
// options and whose link differs from every link already taken (so each
// line of the run's output names one task). A command that cannot share a
// run (see splitSingleVideoCommand) runs alone.
QList<ItemInfo *> pickAnalysisBatch(const QList<ItemInfo *> &tasks, int limit);

// A command that still asks only for the metadata.
bool isMetadataCommand(const QString &cmd);

// How a download run ended.
struct RunEnd
{
    bool exitedCleanly = false; // a normal exit with code 0
    bool reportedErrors = false; // the extractor printed error lines
    bool pathRequested = false; // the run was asked to report its final file
    bool reportedFileThere = false; // ... and the file it reported exists
    bool lookupFound = false; // a run not asked: the file was found by its name
};

// Verdict when a download run ends: finished only when the run ended
// cleanly without errors and the file it reported as its own is there,
// whatever its extension (also when it had been downloaded before). A run
// that could not be asked for its file must also have reached 100 % (or
// have been finished already) with its file found by name.
int downloadVerdict(const ItemInfo &task, const RunEnd &run);

// Status a task gets when the user asks for it again: back to analysis when
// it never got a download command, otherwise back to the download queue.
int redownloadStatus(int status);

// Tasks start-all and pause-all act on: listed ones that wait or analyse.
bool startAllCovers(const ItemInfo &task);

// Requeues every failed task (analysis failures to analysis, download
// failures to download), from the newest to the oldest; returns them.
QList<ItemInfo *> requeueFailed(const QList<ItemInfo *> &tasks);

} // namespace SchedulerRules
