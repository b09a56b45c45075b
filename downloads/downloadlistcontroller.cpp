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

#include <QHash>
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
    connect(m_engine, &DownloadEngine::cookiesUnreadable, this,
        &DownloadListController::reportCookieFailure);
    connect(
        m_engine, &DownloadEngine::thumbnailFound, this, &DownloadListController::thumbnailFound);
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
    m_cookieFailureReported = false;
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
    task->countedViews = 0;
    // A task that comes with its download command (the single-video dialog)
    // gets a name of its own as analysed ones do.
    if (task->process_status == TaskStatus::WaitingForDownload
        && !SchedulerRules::isMetadataCommand(task->cmd)) {
        if (m_database)
            m_database->readNamesakes(task->renametitle, m_tasks);
        giveDistinctName(task, m_tasks);
    }
    m_tasks.append(task);
    ++m_membership;
    if (recount(task))
        emit countsChanged();
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
    QSet<qint64> knownRows; // restored before, without their details
    for (const ItemInfo *t : qAsConst(m_tasks)) {
        if (t->detailsLoaded)
            known.insert(t->uniqueID);
        else
            knownRows.insert(t->storedRow);
    }
    // Read straight into the list: a second list of a long history would
    // only add to the peak.
    const int first = m_tasks.size();
    const int added = m_database->loadListedTasks(m_tasks, known, knownRows);
    for (int i = first; i < m_tasks.size(); ++i)
        recount(m_tasks.at(i));
    ++m_membership;
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
        if (!t->biaoji || t->running || t->process_status != TaskStatus::Finished)
            continue;
        readDetails(t); // where the file is: a restored task may not know yet
        if (!OutputLookup::findFile(*t).isEmpty())
            continue;
        t->biaoji = false;
        recount(t);
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
    readDetails(task); // the output name its pieces are found by
    task->biaoji = false;
    recount(task);
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
    return view >= 0 && view < ListRules::ViewCount ? m_counts[view] : 0;
}

bool DownloadListController::recount(ItemInfo *t)
{
    const int now = ListRules::viewsOf(*t);
    const int before = t->countedViews;
    if (now == before)
        return false;
    for (int view = 0; view < ListRules::ViewCount; ++view)
        m_counts[view] += ((now >> view) & 1) - ((before >> view) & 1);
    t->countedViews = static_cast<quint8>(now);
    ++m_membership;
    return true;
}

int DownloadListController::scrollMaximum() const
{
    return ListRules::scrollMaximum(count(m_view));
}

QList<ItemInfo *> DownloadListController::page(int view) const
{
    // Members are counted from the newest task (the end of m_tasks). Start
    // from the last page's position when it is still valid for this view.
    int index = m_tasks.size() - 1;
    int members = 0;
    const PageStart &last = m_pageStart;
    if (last.view == view && last.membership == m_membership && last.index < m_tasks.size()) {
        index = last.index;
        members = last.offset;
    }
    auto member = [&](int i) { return ListRules::inView(*m_tasks.at(i), view); };
    while (members < m_offset && index >= 0) {
        members += member(index) ? 1 : 0;
        --index;
    }
    while (members > m_offset && index < m_tasks.size() - 1) {
        ++index;
        members -= member(index) ? 1 : 0;
    }
    m_pageStart = {view, members, index, m_membership};

    QList<ItemInfo *> shown;
    for (int i = index; i >= 0 && shown.size() < ListRules::RowsPerPage; --i) {
        if (member(i))
            shown << m_tasks.at(i);
    }
    return shown;
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
    const QString queuing = TaskStatus::queuing();
    for (ItemInfo *t : requeued) {
        readDetails(t);
        // Asked for by the user: the automatic tries start over.
        RetryRules::setTries(t, 0);
        t->retryAt = 0;
        recount(t);
        emit statusTextChanged(t, queuing);
    }
    emit listChanged();
    runScheduler();
    return true;
}

bool DownloadListController::toggleAll()
{
    const bool release = m_allPaused;
    const QString text = release ? TaskStatus::queuing() : TaskStatus::pause();
    for (ItemInfo *t : qAsConst(m_tasks)) {
        if (!SchedulerRules::startAllCovers(*t))
            continue;
        if (release)
            readDetails(t);
        t->active = release;
        recount(t);
        emit statusTextChanged(t, text);
    }
    m_allPaused = !release;
    if (release)
        runScheduler();
    emit listChanged();
    return m_allPaused;
}

void DownloadListController::startTask(ItemInfo *task)
{
    readDetails(task);
    task->active = true;
    if (recount(task))
        emit countsChanged();
    emit statusTextChanged(task, TaskStatus::queuing());
    runScheduler();
}

void DownloadListController::pauseTask(ItemInfo *task)
{
    task->active = false;
    if (!m_engine->stopTask(task, DownloadEngine::Stop::Pause))
        emit statusTextChanged(task, TaskStatus::pause());
    if (recount(task))
        emit countsChanged();
}

void DownloadListController::redownloadTask(ItemInfo *task)
{
    readDetails(task);
    task->active = true;
    RetryRules::setTries(task, 0);
    task->retryAt = 0;
    emit statusTextChanged(task, TaskStatus::queuing());
    if (task->running) {
        if (recount(task))
            emit countsChanged();
        // Two runs must never write one file: the task is requeued when the
        // slot that runs it has finished.
        task->requeueAfterRun = true;
        return;
    }
    task->process_status = SchedulerRules::redownloadStatus(task->process_status);
    if (recount(task))
        emit countsChanged();
    runScheduler();
}

void DownloadListController::deleteTask(ItemInfo *task)
{
    hide(task);
    emit listChanged();
}

QString DownloadListController::fileToPlay(ItemInfo *task)
{
    readDetails(task);
    return OutputLookup::findFile(*task);
}

QString DownloadListController::folderToOpen(ItemInfo *task)
{
    readDetails(task);
    return OutputLookup::findFolder(*task);
}

QString DownloadListController::linkOf(const ItemInfo *task) const
{
    return m_database ? m_database->storedLink(task) : task->url;
}

void DownloadListController::readDetails(ItemInfo *task)
{
    if (!task->detailsLoaded && m_database)
        m_database->readDetails(task);
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
    // One text per status word, shared by every task that shows it.
    QHash<int, QString> words;
    for (ItemInfo *t : qAsConst(m_tasks)) {
        if (t->active && t->process_status == TaskStatus::DownloadFailed) {
            t->status = failedStatusText(t->failReason);
        } else {
            const int key = t->process_status * 2 + (t->active ? 1 : 0);
            auto word = words.constFind(key);
            if (word == words.constEnd())
                word = words.insert(key, TaskStatus::textFor(t->process_status, t->active));
            t->status = *word;
        }
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
    // A run got through: a later cookie failure is news again.
    if (task->process_status == TaskStatus::WaitingForDownload
        || task->process_status == TaskStatus::Finished)
        m_cookieFailureReported = false;
    emit taskChanged(task);
    // A change of status or pause moves the task between views: the
    // counters follow at once, not only when a download ends.
    if (recount(task))
        emit countsChanged();
}

void DownloadListController::reportStoreFailure()
{
    // Once is enough: every later change fails the same way.
    if (m_storeFailureReported)
        return;
    m_storeFailureReported = true;
    emit storeFailed();
}

void DownloadListController::reportCookieFailure(int kind)
{
    // One message however many tasks the failure hit.
    if (m_cookieFailureReported)
        return;
    m_cookieFailureReported = true;
    emit cookiesUnreadable(kind);
}
