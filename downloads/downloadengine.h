#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <functional>

#include "extractor/progressparser.h"

class ItemInfo;
class MyQProcess;
class SqliteDBAOperator;

// Runs every piece of extractor work through eleven long-lived process slots:
// P0 and P1 analyse queued links, P2 .. P10 download. A scheduling pass puts
// the first waiting task into each free slot; the completion handlers turn an
// analysis into a download command and decide between "Finished" and
// "Download Failed". Widget-free: the list hears about changes through the
// signals.
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
    // Analyses may start while the budget is not below 0; an analysis takes
    // one, a download start or a failed analysis gives one back.
    void setAnalysisBudget(int budget) { m_analysisBudget = budget; }
    int analysisBudget() const { return m_analysisBudget; }
    using ThumbnailFetcher = std::function<QPixmap(const ItemInfo &)>;
    void setThumbnailFetcher(ThumbnailFetcher fetcher) { m_fetchThumbnail = std::move(fetcher); }
    // How long a finished download's slot waits for late output (2000 ms).
    void setFinishWait(int ms) { m_finishWaitMs = ms; }

    // One scheduling pass.
    void runScheduler();
    // Ends every run and everything it started (program exit): all runs are
    // asked at once, get one common grace period, then what is left is killed.
    void shutdown();

    // Slot s is busy from its start until its completion handler closed it.
    bool isBusy(int slot) const;
    int busyDownloads() const;

    QList<MyQProcess *> processList;

signals:
    void taskChanged(ItemInfo *task);
    void relayoutRequested();
    void countsChanged();
    void storeFailed();

public slots:
    void receiveWork();

private:
    void createSlots();
    void startDownload(int slot, ItemInfo *task);
    void startAnalysis(int slot, ItemInfo *task);
    bool refuseForeignCommand(ItemInfo *task, const QString &command, int failedStatus);
    void analysisFinished(int slot);
    void downloadFinished(int slot);
    void readDownloadOutput(int slot);
    // Closes slot and hands its task back; a task the user asked for again
    // while it ran is requeued now.
    void releaseSlot(int slot);
    void storeTask(ItemInfo *task);

    QList<ItemInfo *> *m_tasks = nullptr;
    SqliteDBAOperator *m_database = nullptr;
    int m_processnum;
    int m_anaprocessnum;
    int m_folderoption;
    int m_analysisBudget;
    ThumbnailFetcher m_fetchThumbnail;
    int m_finishWaitMs = 2000;
    ProgressParser m_parsers[SlotCount];
};
