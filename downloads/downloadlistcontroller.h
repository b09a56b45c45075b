#pragma once

#include "base/settingsstore.h"
#include "downloads/listrules.h"

#include <QList>
#include <QObject>
#include <QString>

class DownloadEngine;
class ItemInfo;
class SqliteDBAOperator;

// The download list without its widgets: every task (owned, in creation
// order), the engine that runs them, the view and page the list shows, the
// bulk actions and what a row's buttons ask for. The window shows this state
// and asks the user's confirmations before calling in.
class DownloadListController : public QObject
{
    Q_OBJECT

public:
    explicit DownloadListController(QObject *parent = nullptr);
    ~DownloadListController() override;

    DownloadEngine *engine() const { return m_engine; }
    // The task database (not owned); it opens after the list exists.
    void setDatabase(SqliteDBAOperator *db);
    SqliteDBAOperator *database() const { return m_database; }

    // Process counts and the folder rule; the analysis budget starts again
    // from the download count.
    void applySettings(const SettingsStore::GeneralSettings &values);
    int processnum() const;
    int anaprocessnum() const;
    int folderoption() const;

    const QList<ItemInfo *> &tasks() const { return m_tasks; }
    // Takes a new task: numbers it, stores it and announces it.
    void addTask(ItemInfo *task);
    // Reads every stored task the list does not hold yet (they come back
    // paused, with only what the list shows; the rest is read when the user
    // starts, redownloads, plays or opens one); returns how many were added.
    int loadHistory();

    // The view the list shows (ListRules::View) and how many of its members
    // the page skips (the scroll value). Choosing a view starts at its newest.
    int view() const { return m_view; }
    void setView(int view);
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }
    // How many tasks view shows. Kept as tasks move between views (every
    // change the list makes or hears of), never counted over all tasks.
    int count(int view) const;
    int scrollMaximum() const;
    // At most five tasks of view, newest first, from the current offset.
    // Turning to a nearby page walks only the tasks between the two pages.
    QList<ItemInfo *> page(int view) const;

    // Hides every task the bulk delete of view covers and stores that; runs
    // working on them end and their partial pieces go (finished files stay).
    void deleteView(int view);
    // With the switch on, finished tasks whose file is gone (deleted or
    // moved) are taken off the list as a delete takes them; never touches a
    // file. Returns how many went. Done at load and when a view is shown.
    int hideMissingFiles();
    // Requeues every failed task; only while the failed view is shown.
    bool retryFailed();
    // Start-all / pause-all of the tasks that wait or analyse; returns
    // whether everything is paused afterwards.
    bool toggleAll();
    bool allPaused() const { return m_allPaused; }

    // What a row's buttons ask for (after the user confirmed).
    void startTask(ItemInfo *task);
    // Holds the task: a running download ends at once, keeping its partial
    // file, and continues from it when started again.
    void pauseTask(ItemInfo *task);
    void redownloadTask(ItemInfo *task);
    void deleteTask(ItemInfo *task);
    // The downloaded file to play and the folder holding it; empty before
    // anything was downloaded.
    QString fileToPlay(ItemInfo *task);
    QString folderToOpen(ItemInfo *task);
    // The task's link (a restored task's record may not hold it).
    QString linkOf(const ItemInfo *task) const;

    // Chooses the view and page that show the listed task with this unique
    // id: its status view, or the paused view for a paused task that has not
    // ended. Returns false, changing nothing, when no listed task has it.
    bool reveal(const QString &uniqueId);

    // Status words follow the interface language.
    void retranslate();
    void runScheduler();
    // Ends every run (program exit).
    void shutdown();

signals:
    // The task's row must show the record again.
    void taskChanged(ItemInfo *task);
    // A run of the task is over (DownloadEngine::taskEnded).
    void taskEnded(ItemInfo *task);
    // The task's row shows text as its status word (the rest is unchanged).
    void statusTextChanged(ItemInfo *task, const QString &text);
    // What the list shows changed: redisplay the page.
    void listChanged();
    void countsChanged();
    // A task could not be written to the database (announced once).
    void storeFailed();
    // Runs failed because the sign-in cookies could not be read (a
    // CookieFailure::Kind): announced once, and again only after a run
    // went through or the settings were saved.
    void cookiesUnreadable(int kind);
    // The analysis told the task's thumbnail address (Thumbnail::address).
    void thumbnailFound(ItemInfo *task);

public:
    void reportStoreFailure();

private:
    void onTaskChanged(ItemInfo *task);
    void reportCookieFailure(int kind);
    // Takes the task off the list: ends its run, removes what an unfinished
    // download left, stores it as deleted.
    void hide(ItemInfo *task);
    // Moves task's counts to the views it is in now; true when they changed.
    bool recount(ItemInfo *task);
    // A restored task about to be worked on gets its stored details.
    void readDetails(ItemInfo *task);

    QList<ItemInfo *> m_tasks;
    int m_counts[ListRules::ViewCount] = {};
    // Bumped whenever a task joins or leaves a view: a page position found
    // before is then no longer valid.
    quint64 m_membership = 0;
    // Where the last page started: the position in m_tasks from which the
    // page of view at offset is read (offset members lie after it).
    struct PageStart
    {
        int view = -1;
        int offset = 0;
        int index = -1;
        quint64 membership = 0;
    };
    mutable PageStart m_pageStart;
    DownloadEngine *m_engine;
    SqliteDBAOperator *m_database = nullptr;
    int m_nextTaskId = 0;
    int m_view = 0;
    bool m_storeFailureReported = false;
    bool m_cookieFailureReported = false;
    int m_offset = 0;
    bool m_allPaused = false;
    bool m_hideMissingFiles = false;
};
