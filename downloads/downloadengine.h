#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QProcess>
#include <functional>

#include "extractor/progressparser.h"

class ItemInfo;
class MyQProcess;
class SqliteDBAOperator;

// Runs every piece of extractor work through eleven long-lived process slots:
// P0 and P1 analyse queued links, P2 .. P10 download. A scheduling pass puts
// the first waiting task into each free slot; the completion handlers turn an
// analysis into a download command and decide between "Finished" and
// "Download Failed". Widget-free: the window hears about changes through the
// signals and refreshes its rows.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 11;

    explicit DownloadEngine(QObject *parent = nullptr);
    ~DownloadEngine() override;

    // The task list (owned by the caller) and the database the engine works on.
    void bindTasks(QList<ItemInfo *> *tasks) { m_tasks = tasks; }
    void bindDatabase(SqliteDBAOperator *db) { m_database = db; }
    // The caller's setting values, read at every pass.
    void bindSettings(int *processnum, int *anaprocessnum, int *availabeAnakey, int *folderoption);
    using ThumbnailFetcher = std::function<QPixmap(const ItemInfo &)>;
    void setThumbnailFetcher(ThumbnailFetcher fetcher) { m_fetchThumbnail = std::move(fetcher); }
    // How long a finished download's slot waits for late output (2000 ms).
    void setFinishWait(int ms) { m_finishWaitMs = ms; }

    // One scheduling pass.
    void runScheduler();
    // Requeues every failed task, then runs a pass.
    void openredownload();
    // Start-all / pause-all of the tasks that wait or analyse; returns
    // whether everything is paused afterwards.
    bool toggleAll();
    bool allPaused() const { return m_allPaused; }
    // Ends every run and everything it started (program exit).
    void shutdown();

    // Slot s is busy from its start until its completion handler closed it.
    bool isBusy(int slot) const;
    int busyDownloads() const;

    QList<MyQProcess *> processList;

signals:
    void taskChanged(ItemInfo *task);
    void taskStatusText(ItemInfo *task, const QString &text);
    void relayoutRequested();
    void countsChanged();
    void failedRequeued();

public slots:
    void receiveWork();

    void on_P0_Finished(int result);
    void on_P1_Finished(int result);
    void on_P2_Finished(int result, QProcess::ExitStatus status);
    void on_P3_Finished(int result, QProcess::ExitStatus status);
    void on_P4_Finished(int result, QProcess::ExitStatus status);
    void on_P5_Finished(int result, QProcess::ExitStatus status);
    void on_P6_Finished(int result, QProcess::ExitStatus status);
    void on_P7_Finished(int result, QProcess::ExitStatus status);
    void on_P8_Finished(int result, QProcess::ExitStatus status);
    void on_P9_Finished(int result, QProcess::ExitStatus status);
    void on_P10_Finished(int result, QProcess::ExitStatus status);
    void on_p2_readFromStdOut();
    void on_p3_readFromStdOut();
    void on_p4_readFromStdOut();
    void on_p5_readFromStdOut();
    void on_p6_readFromStdOut();
    void on_p7_readFromStdOut();
    void on_p8_readFromStdOut();
    void on_p9_readFromStdOut();
    void on_p10_readFromStdOut();

private:
    void createSlots();
    void startDownload(int slot, ItemInfo *task);
    void startAnalysis(int slot, ItemInfo *task);
    void analysisFinished(int slot);
    void downloadFinished(int slot);
    void readDownloadOutput(int slot);
    // Closes slot and hands its task back; a task the user asked for again
    // while it ran is requeued now.
    void releaseSlot(int slot);
    void storeTask(ItemInfo *task);

    QList<ItemInfo *> *m_tasks = nullptr;
    SqliteDBAOperator *m_database = nullptr;
    int m_ownProcessnum = 3;
    int m_ownAnaprocessnum = 1;
    int m_ownAvailabeAnakey = 3;
    int m_ownFolderoption = 1;
    int *m_processnum = &m_ownProcessnum;
    int *m_anaprocessnum = &m_ownAnaprocessnum;
    int *m_availabeAnakey = &m_ownAvailabeAnakey;
    int *m_folderoption = &m_ownFolderoption;
    ThumbnailFetcher m_fetchThumbnail;
    int m_finishWaitMs = 2000;
    bool m_allPaused = false;
    ProgressParser m_parsers[SlotCount];
};
