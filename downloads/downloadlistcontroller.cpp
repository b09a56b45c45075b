#include "downloads/downloadlistcontroller.h"

#include "downloads/downloadengine.h"
#include "downloads/listrules.h"
#include "downloads/outputlookup.h"
#include "downloads/partialpieces.h"
#include "downloads/retryrules.h"
#include "downloads/schedulerrules.h"
#include "extractor/outputnames.h"
#include "extractor/runreport.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QSet>

DownloadListController::DownloadListController(QObject *parent)
    : QObject(parent)
    , m_engine(new DownloadEngine(this))
{
    m_engine->bindTasks(&m_tasks);
    connect(m_engine, &DownloadEngine::taskChanged, this, &DownloadListController::onTaskChanged);
    connect(
        m_engine, &DownloadEngine::relayoutRequested, this, &DownloadListController::listChanged);
    connect(m_engine, &DownloadEngine::countsChanged, this, &DownloadListController::countsChanged);
    connect(m_engine, &DownloadEngine::taskEnded, this, &DownloadListController::taskEnded);
    connect(
        m_engine, &DownloadEngine::storeFailed, this, &DownloadListController::reportStoreFailure);
}

DownloadListController::~DownloadListController()
{
    // The engine goes first: no run may touch a task record once it is gone.
    delete m_engine;
    qDeleteAll(m_tasks);
}

void DownloadListController::setDatabase(SqliteDBAOperator *db)
{
    m_database = db;
    m_engine->bindDatabase(db);
}

void DownloadListController::applySettings(const SettingsStore::GeneralSettings &values)
{
    m_engine->setLimits(values.processnum, values.anaprocessnum, values.folderoption);
    m_engine->setAnalysisBudget(values.processnum);
    m_engine->setRetryEnabled(values.redownloadswitch != 0);
    m_hideMissingFiles = values.autodeletefileswitch != 0;
}

int DownloadListController::processnum() const
{
    return m_engine->processnum();
}

int DownloadListController::anaprocessnum() const
{
    return m_engine->anaprocessnum();
}

int DownloadListController::folderoption() const
{
    return m_engine->folderoption();
}

void DownloadListController::addTask(ItemInfo *task)
{
    task->id = m_nextTaskId++;
    task->setParent(nullptr);
    // A task that comes with its download command (the single-video dialog)
    // gets a name of its own as analysed ones do.
    if (task->process_status == TaskStatus::WaitingForDownload
        && !SchedulerRules::isMetadataCommand(task->cmd))
        giveDistinctName(task, m_tasks);
    m_tasks.append(task);
    if (m_database && !m_database->insertTask(task))
        reportStoreFailure();
    emit taskChanged(task);
    // A task that waits for a busy slot is listed at once, not at the next
    // change of another task.
    emit listChanged();
}

int DownloadListController::loadHistory()
{
    if (!m_database)
        return 0;
    // Tasks already in the list (queued before the history arrived) are not
    // added a second time.
    QSet<QString> known;
    for (const ItemInfo *t : qAsConst(m_tasks))
        known.insert(t->uniqueID);
    QList<ItemInfo *> stored;
    m_database->loadTasks(stored);
    int added = 0;
    for (ItemInfo *t : qAsConst(stored)) {
        if (known.contains(t->uniqueID)) {
            delete t;
            continue;
        }
        m_tasks.append(t);
        ++added;
    }
    // Loaded tasks are numbered from 0; new ones must not share their numbers.
    m_nextTaskId = qMax(m_nextTaskId, m_tasks.size());
    // Restored tasks come back paused: start-all must then offer to start
    // them, not to pause what is already paused.
    bool anyWaiting = false, allPaused = true;
    for (const ItemInfo *t : qAsConst(m_tasks)) {
        if (!SchedulerRules::startAllCovers(*t))
            continue;
        anyWaiting = true;
        allPaused = allPaused && !t->active;
    }
    m_allPaused = anyWaiting && allPaused;
    if (added > 0)
        emit countsChanged();
    hideMissingFiles();
    return added;
}

void DownloadListController::setView(int view)
{
    m_view = view;
    m_offset = 0;
    hideMissingFiles();
}

int DownloadListController::hideMissingFiles()
{
    if (!m_hideMissingFiles)
        return 0;
    int hidden = 0;
    for (ItemInfo *t : qAsConst(m_tasks)) {
        if (!t->biaoji || t->running || t->process_status != TaskStatus::Finished
            || !OutputLookup::findFile(*t).isEmpty())
            continue;
        t->biaoji = false;
        if (m_database && !m_database->updateTask(t))
            reportStoreFailure();
        ++hidden;
    }
    if (hidden > 0) {
        emit countsChanged();
        emit listChanged();
    }
    return hidden;
}

void DownloadListController::hide(ItemInfo *task)
{
    task->biaoji = false;
    // A running download removes its pieces once its run has ended.
    if (!m_engine->stopTask(task, DownloadEngine::Stop::Delete)
        && task->process_status != TaskStatus::Finished) {
        bool shared = false; // another task's run writes the same file
        for (const ItemInfo *t : qAsConst(m_tasks))
            shared = shared || (t != task && t->running && t->targetPath == task->targetPath);
        if (!shared)
            PartialPieces::remove(*task);
    }
    if (m_database && !m_database->updateTask(task))
        reportStoreFailure();
}

int DownloadListController::count(int view) const
{
    return ListRules::count(m_tasks, view);
}

int DownloadListController::scrollMaximum() const
{
    return ListRules::scrollMaximum(count(m_view));
}

QList<ItemInfo *> DownloadListController::page(int view) const
{
    return ListRules::page(m_tasks, view, m_offset);
}

void DownloadListController::deleteView(int view)
{
    for (auto it = m_tasks.crbegin(); it != m_tasks.crend(); ++it) {
        ItemInfo *t = *it;
        if (ListRules::deletedByBulk(*t, view))
            hide(t);
    }
    emit listChanged();
}

bool DownloadListController::retryFailed()
{
    if (m_view != ListRules::Failed)
        return false;
    const QList<ItemInfo *> requeued = SchedulerRules::requeueFailed(m_tasks);
    for (ItemInfo *t : requeued) {
        // Asked for by the user: the automatic tries start over.
        RetryRules::setTries(t, 0);
        t->retryAt = 0;
        emit statusTextChanged(t, TaskStatus::queuing());
    }
    emit listChanged();
    runScheduler();
    return true;
}

bool DownloadListController::toggleAll()
{
    const bool release = m_allPaused;
    for (ItemInfo *t : qAsConst(m_tasks)) {
        if (!SchedulerRules::startAllCovers(*t))
            continue;
        t->active = release;
        emit statusTextChanged(t, release ? TaskStatus::queuing() : TaskStatus::pause());
    }
    m_allPaused = !release;
    if (release)
        runScheduler();
    emit listChanged();
    return m_allPaused;
}

void DownloadListController::startTask(ItemInfo *task)
{
    task->active = true;
    emit statusTextChanged(task, TaskStatus::queuing());
    runScheduler();
}

void DownloadListController::pauseTask(ItemInfo *task)
{
    task->active = false;
    if (!m_engine->stopTask(task, DownloadEngine::Stop::Pause))
        emit statusTextChanged(task, TaskStatus::pause());
    emit countsChanged();
}

void DownloadListController::redownloadTask(ItemInfo *task)
{
    task->active = true;
    RetryRules::setTries(task, 0);
    task->retryAt = 0;
    emit statusTextChanged(task, TaskStatus::queuing());
    if (task->running) {
        // Two runs must never write one file: the task is requeued when the
        // slot that runs it has finished.
        task->requeueAfterRun = true;
        return;
    }
    task->process_status = SchedulerRules::redownloadStatus(task->process_status);
    runScheduler();
}

void DownloadListController::deleteTask(ItemInfo *task)
{
    hide(task);
    emit listChanged();
}

QString DownloadListController::fileToPlay(const ItemInfo *task) const
{
    return OutputLookup::findFile(*task);
}

QString DownloadListController::folderToOpen(const ItemInfo *task) const
{
    return OutputLookup::findFolder(*task);
}

bool DownloadListController::reveal(const QString &uniqueId)
{
    const ItemInfo *task = nullptr;
    for (const ItemInfo *t : qAsConst(m_tasks)) {
        if (t->uniqueID == uniqueId && t->biaoji) {
            task = t;
            break;
        }
    }
    if (!task)
        return false;
    int view = ListRules::Paused;
    for (int v : {ListRules::Finished, ListRules::Failed, ListRules::InProgress}) {
        if (ListRules::inView(*task, v))
            view = v;
    }
    // Pages list a view newest first: the task's place among them is the
    // offset that puts it on top, as far as the scroll range reaches.
    int place = 0;
    for (auto it = m_tasks.crbegin(); *it != task; ++it)
        place += ListRules::inView(**it, view) ? 1 : 0;
    m_view = view;
    m_offset = qMin(place, scrollMaximum());
    return true;
}

void DownloadListController::retranslate()
{
    for (ItemInfo *t : qAsConst(m_tasks)) {
        t->status = t->active && t->process_status == TaskStatus::DownloadFailed
            ? failedStatusText(t->failReason)
            : TaskStatus::textFor(t->process_status, t->active);
        emit taskChanged(t);
    }
}

void DownloadListController::runScheduler()
{
    m_engine->runScheduler();
}

void DownloadListController::shutdown()
{
    m_engine->shutdown();
}

void DownloadListController::onTaskChanged(ItemInfo *task)
{
    emit taskChanged(task);
    // A change of status or pause moves the task between views: the
    // counters follow at once, not only when a download ends.
    const int shown = task->process_status * 2 + (task->active ? 1 : 0);
    int &last = m_countedAs[task];
    if (last != shown) {
        last = shown;
        emit countsChanged();
    }
}

void DownloadListController::reportStoreFailure()
{
    // Once is enough: every later change fails the same way.
    if (m_storeFailureReported)
        return;
    m_storeFailureReported = true;
    emit storeFailed();
}
