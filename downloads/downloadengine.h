#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QProcess>
#include <functional>
#include <memory>

#include "extractor/analysisbatch.h"
#include "extractor/cookiefailure.h"
#include "extractor/extractorremarks.h"
#include "extractor/progressparser.h"
#include "extractor/runreport.h"

#include <QTimer>

class QTemporaryDir;
class StallWatchdog;

class AnalysisSession;
class ItemInfo;
class MyQProcess;
class SqliteDBAOperator;

// Runs every piece of extractor work through eleven long-lived process slots:
// P0 and P1 analyse queued links, P2 .. P10 download. A scheduling pass puts
// the first waiting task into each free download slot, and into each free
// analysis slot a batch of waiting tasks that one extractor run analyses
// (an extractor start costs far more than analysing one more link). Each
// task of a batch is handed to the download queue as soon as the run's
// output settles it; a download that starts soon after its analysis loads
// the document the analysis printed instead of extracting the video again.
// The completion handlers decide between "Finished" and "Download Failed".
// Widget-free: the list hears about changes through the signals.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 11;
    static constexpr int FirstDownloadSlot = 2;

    explicit DownloadEngine(QObject *parent = nullptr);
    ~DownloadEngine() override;

    // The task list (owned by the caller) and the database the engine works on.
    void bindTasks(QList<ItemInfo *> *tasks) { m_tasks = tasks; }
    void bindDatabase(SqliteDBAOperator *db) { m_database = db; }
    // Download and analysis slots to use and the output folder rule; the
    // analysis slot count is clamped to 0 .. 2 at the next pass.
    void setLimits(int processnum, int anaprocessnum, int folderoption);
    int processnum() const { return m_processnum; }
    int anaprocessnum() const { return m_anaprocessnum; }
    int folderoption() const { return m_folderoption; }
    // Analyses may start while the budget is not below 0; each task an
    // analysis run takes costs one; a download start, a failed analysis and
    // a task a cut-short run never reached give one back.
    void setAnalysisBudget(int budget) { m_analysisBudget = budget; }
    int analysisBudget() const { return m_analysisBudget; }
    // How long after its analysis a download may start from the analysis's
    // document (older format links may have expired): 3 minutes.
    void setInfoLifetime(int ms) { m_infoLifetimeMs = ms; }

    // A run that prints nothing for this long is ended and its task fails.
    void setStallBound(int ms);
    // Automatic retry of failed downloads, and the waits before each try.
    void setRetryEnabled(bool on) { m_retryEnabled = on; }
    void setRetryWaits(int first, int second, int third);

    // Why a run is ended before it is over.
    enum class Stop
    {
        None,
        Stalled, // silent past the bound: the task fails
        Pause, // the user paused the download: it waits, paused, keeping its partial file
        Delete, // the task is gone: its partial pieces go too
    };
    // Ends at once the run working on task (its whole process group); the
    // slot is free when the run's completion has been handled. Returns
    // whether a run was working on it.
    bool stopTask(ItemInfo *task, Stop why);

    // One scheduling pass.
    void runScheduler();
    // Ends every run and everything it started (program exit): all runs are
    // asked at once, get one common grace period, then what is left is killed.
    void shutdown();

    // Slot s is busy from its start until its completion handler closed it.
    bool isBusy(int slot) const;
    int busyDownloads() const;

    QList<MyQProcess *> processList;

    // While no extractor can be found, nothing starts: the work waits and
    // is looked at again every interval (and at every pass).
    void setExtractorRecheckInterval(int ms) { m_extractorRecheck.setInterval(ms); }

signals:
    // Work waits because no extractor can be found / one is there again.
    void extractorMissing();
    void extractorThere();
    // A run ended whose output held ExtractorRemarks (flags).
    void extractorRemarked(int remarks, bool failed);
    void taskChanged(ItemInfo *task);
    // A run of the task is over and its outcome stored: finished, failed, or
    // (when the user asked for it again meanwhile) queued anew.
    void taskEnded(ItemInfo *task);
    void relayoutRequested();
    void countsChanged();
    void storeFailed();
    // Runs failed because the sign-in cookies could not be read (a
    // CookieFailure::Kind); the failed tasks' rows say so.
    void cookiesUnreadable(int kind);
    // An analysis told the task's thumbnail: whoever shows it fetches it
    // (the engine never waits for the network).
    void thumbnailFound(ItemInfo *task);

public slots:
    void receiveWork();

private:
    void createSlots();
    // Output files the busy download runs write.
    QStringList downloadTargets() const;
    void startDownload(int slot, ItemInfo *task);
    void startAnalysis(int slot, const QList<ItemInfo *> &batch);
    bool refuseForeignCommand(ItemInfo *task, const QString &command, int failedStatus);
    void analysisEnded(int slot, QList<AnalysisOutcome> outcomes);
    // Applies what the run of slot said about its tasks (the tasks of the
    // run, taken before the slot may be given a new batch).
    void applyOutcomes(
        const QList<ItemInfo *> &tasks, const QList<AnalysisOutcome> &outcomes, int slot);
    void applyOutcome(ItemInfo *task, const AnalysisOutcome &outcome);
    void downloadFinished(int slot, int exitCode, QProcess::ExitStatus status);
    // Starts command for slot's task, asking the extractor for the file it
    // finally writes (when a file for that can be made).
    void launchDownload(int slot, const QString &command);
    // A download that cannot run: failed with why, the slot left free.
    void failWithoutRun(ItemInfo *task, FailReason why);
    // Settles a finished download: status, reason, the file, the stored row.
    void settleDownload(ItemInfo *task, int verdict, FailReason why, const QString &file);
    void readDownloadOutput(int slot);
    // Closes slot and hands its task back.
    void releaseSlot(int slot);
    // The task is no longer worked on; a task the user asked for again while
    // it ran is requeued now.
    void releaseTask(ItemInfo *task);
    void storeTask(ItemInfo *task);
    // Whether runs can start: false (and the work waits) without an extractor.
    bool extractorReady();
    // Ends the run of slot (see stopTask).
    void stopSlot(int slot, Stop why);
    // A failed download with tries left waits, then queues again: true when
    // it was set to wait.
    bool scheduleRetry(ItemInfo *task);
    void retryNow(ItemInfo *task, qint64 due);
    // Keeps an analysis document for the task's next download; the file the
    // download may start from, or "" (too old, none, not writable).
    void keepInfo(ItemInfo *task, const QByteArray &document);
    QString takeInfo(ItemInfo *task);
    void dropInfoFile(int slot);
    // The folder for the run files (analysis documents, final paths); null
    // when it cannot be made.
    QTemporaryDir *runFilesDir();

    QList<ItemInfo *> *m_tasks = nullptr;
    SqliteDBAOperator *m_database = nullptr;
    int m_processnum;
    int m_anaprocessnum;
    int m_folderoption;
    int m_analysisBudget;
    ProgressParser m_parsers[SlotCount];
    ExtractorRemarks m_remarks[SlotCount];
    bool m_waitingForExtractor = false;
    QTimer m_extractorRecheck;
    // The analysis slots' runs, on the slots' processes.
    AnalysisSession *m_analysis[FirstDownloadSlot] = {};
    QList<ItemInfo *> m_batchTasks[FirstDownloadSlot];
    CookieFailureWatch m_cookieWatch[SlotCount]; // of the download slots' runs

    struct Info
    {
        QString file;
        QElapsedTimer age;
    };
    std::unique_ptr<QTemporaryDir> m_infoDir;
    int m_infoCount = 0;
    int m_infoLifetimeMs = 3 * 60 * 1000;
    QHash<ItemInfo *, Info> m_info;
    QString m_slotInfo[SlotCount]; // the document file a download run started from

    StallWatchdog *m_watchdog;
    Stop m_stop[SlotCount] = {};
    bool m_retryEnabled = false;
    int m_retryWaitsMs[3] = {10 * 1000, 60 * 1000, 5 * 60 * 1000};
    QHash<ItemInfo *, qint64> m_retryDue; // when each waiting retry starts (ms since epoch)
    RunReport m_reports[SlotCount];
    QString m_slotPathFile[SlotCount]; // where a download run writes its final path
};
