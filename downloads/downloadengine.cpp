#include "downloads/downloadengine.h"

#include "base/settingsstore.h"
#include "downloads/outputlookup.h"
#include "downloads/partialpieces.h"
#include "downloads/retryrules.h"
#include "downloads/schedulerrules.h"
#include "downloads/stallwatchdog.h"
#include "extractor/analysissession.h"
#include "extractor/commandcheck.h"
#include "extractor/commands.h"
#include "extractor/cookieoptions.h"
#include "extractor/downloadcommand.h"
#include "extractor/extractornotices.h"
#include "extractor/mediacheck.h"
#include "extractor/metadata.h"
#include "extractor/myqprocess.h"
#include "extractor/outputnames.h"
#include "extractor/runreport.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <utility>

DownloadEngine::DownloadEngine(QObject *parent)
    : QObject(parent)
    , m_watchdog(new StallWatchdog(SlotCount, this))
{
    connect(m_watchdog, &StallWatchdog::stalled, this, [this](int slot) {
        qDebug() << "slot" << slot << "silent past" << m_watchdog->bound() << "ms: ended";
        stopSlot(slot, Stop::Stalled);
    });
    const SettingsStore::GeneralSettings defaults;
    setLimits(defaults.processnum, defaults.anaprocessnum, defaults.folderoption);
    m_analysisBudget = defaults.processnum;
    m_extractorRecheck.setInterval(3000);
    m_extractorRecheck.setSingleShot(true);
    connect(&m_extractorRecheck, &QTimer::timeout, this, &DownloadEngine::runScheduler);
    createSlots();
}

DownloadEngine::~DownloadEngine()
{
    shutdown();
    qDeleteAll(processList);
}

void DownloadEngine::setStallBound(int ms)
{
    m_watchdog->setBound(ms);
}

void DownloadEngine::setRetryWaits(int first, int second, int third)
{
    m_retryWaitsMs[0] = first;
    m_retryWaitsMs[1] = second;
    m_retryWaitsMs[2] = third;
}

bool DownloadEngine::stopTask(ItemInfo *task, Stop why)
{
    bool found = false;
    for (int s = 0; s < SlotCount; ++s) {
        // Only a download has a partial file to continue from.
        if (!isBusy(s) || m_stop[s] != Stop::None || (why == Stop::Pause && s < FirstDownloadSlot))
            continue;
        const bool works
            = s < FirstDownloadSlot ? m_batchTasks[s].contains(task) : processList[s]->task == task;
        if (works) {
            stopSlot(s, why);
            found = true;
        }
    }
    return found;
}

// Killed outright, group and all: the user waits for the slot, and a silent
// run would not answer a polite request either. The completion handler
// then sees why the run ended.
void DownloadEngine::stopSlot(int slot, Stop why)
{
    MyQProcess *p = processList[slot];
    if (p->state() == QProcess::NotRunning)
        return;
    m_stop[slot] = why;
    m_watchdog->disarm(slot);
    p->killRun();
}

void DownloadEngine::setLimits(int processnum, int anaprocessnum, int folderoption)
{
    m_processnum = processnum;
    m_anaprocessnum = anaprocessnum;
    m_folderoption = folderoption;
}

// Completion is always taken from finished(int, QProcess::ExitStatus): the
// start function reports a failed start through that same signal, so no slot
// stays busy forever.
void DownloadEngine::createSlots()
{
    const auto finished = QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished);
    for (int s = 0; s < SlotCount; ++s) {
        auto *p = new MyQProcess();
        p->setProcessChannelMode(QProcess::MergedChannels);
        processList.append(p);
        if (s < FirstDownloadSlot) {
            auto *analysis = new AnalysisSession(p, this);
            m_analysis[s] = analysis;
            connect(analysis, &AnalysisSession::outcomesReady, this,
                [this, s](const QList<AnalysisOutcome> &outcomes) {
                    // A copy: the slot may be given a new batch before these are applied.
                    const QList<ItemInfo *> tasks = m_batchTasks[s];
                    applyOutcomes(tasks, outcomes, s);
                    runScheduler();
                });
            // The session reads the output; any of it shows the run is alive.
            connect(p, &QProcess::readyReadStandardOutput, this, [this, s] {
                if (m_stop[s] == Stop::None)
                    m_watchdog->arm(s);
            });
            connect(analysis, &AnalysisSession::batchEnded, this,
                [this, s](const QList<AnalysisOutcome> &outcomes) { analysisEnded(s, outcomes); });
            connect(analysis, &AnalysisSession::extractorRemarked, this,
                &DownloadEngine::extractorRemarked);
            continue;
        }
        connect(p, &QProcess::readyReadStandardOutput, this, [this, s] { readDownloadOutput(s); });
        connect(p, finished, this, [this, s](int code, QProcess::ExitStatus status) {
            downloadFinished(s, code, status);
        });
    }
}

QStringList DownloadEngine::downloadTargets() const
{
    QStringList targets;
    for (int s = FirstDownloadSlot; s < SlotCount; ++s) {
        if (isBusy(s) && processList[s]->task)
            targets << processList[s]->task->targetPath;
    }
    return targets;
}

bool DownloadEngine::isBusy(int slot) const
{
    return processList[slot]->isOpen();
}

int DownloadEngine::busyDownloads() const
{
    int n = 0;
    for (int s = FirstDownloadSlot; s < SlotCount; ++s)
        n += isBusy(s) ? 1 : 0;
    return n;
}

void DownloadEngine::receiveWork()
{
    runScheduler();
}

void DownloadEngine::runScheduler()
{
    if (!m_tasks)
        return;
    const int processtempnum = SchedulerRules::downloadSlotEnd(m_processnum);
    qDebug() << "processtempnum===================================" << processtempnum;
    qDebug() << "availabe_anakey==============================000=====" << m_analysisBudget;

    for (int s = FirstDownloadSlot; s < processtempnum; ++s) {
        if (isBusy(s))
            continue;
        const QStringList busyTargets = downloadTargets();
        ItemInfo *t = SchedulerRules::firstStartableDownload(*m_tasks, busyTargets);
        // Never analysed: back to the analysis queue, and the slot takes the
        // next waiting download instead of staying idle.
        while (t && SchedulerRules::isMetadataCommand(t->cmd)) {
            t->process_status = TaskStatus::WaitingForAnalysis;
            t = SchedulerRules::firstStartableDownload(*m_tasks, busyTargets);
        }
        if (t && !extractorReady())
            return;
        if (t)
            startDownload(s, t);
    }

    m_anaprocessnum = SchedulerRules::clampAnalysisSlots(m_anaprocessnum);
    qDebug() << "availabe_anakey============================111=======" << m_analysisBudget;
    int freeSlots = 0;
    for (int s = 0; s < m_anaprocessnum; ++s)
        freeSlots += isBusy(s) ? 0 : 1;
    int busyRuns = 0;
    for (int s = 0; s < FirstDownloadSlot; ++s)
        busyRuns += isBusy(s) ? 1 : 0;
    // Worked out once per pass, before the first slot takes its share.
    int left = SchedulerRules::analysisAllowance(
        SchedulerRules::pickableCount(*m_tasks, TaskStatus::WaitingForAnalysis), freeSlots,
        busyRuns, m_analysisBudget);
    for (int s = 0; s < m_anaprocessnum && left > 0; ++s) {
        if (isBusy(s))
            continue;
        const QList<ItemInfo *> batch = SchedulerRules::pickAnalysisBatch(
            *m_tasks, std::min(left, SchedulerRules::MaxAnalysisBatch));
        if (batch.isEmpty() || !extractorReady())
            break;
        left -= batch.size();
        startAnalysis(s, batch);
    }
    qDebug() << "availabe_anakey=================================222==" << m_analysisBudget;
}

bool DownloadEngine::extractorReady()
{
    if (ExtractorNotices::extractorFound()) {
        if (m_waitingForExtractor) {
            m_waitingForExtractor = false;
            m_extractorRecheck.stop();
            emit extractorThere();
        }
        return true;
    }
    // A run now would only fail its task; the task waits in its queue
    // instead, until an extractor is installed or updated into place.
    if (!m_waitingForExtractor) {
        m_waitingForExtractor = true;
        emit extractorMissing();
    }
    m_extractorRecheck.start();
    return false;
}

// A stored command that is not one of ours (a damaged or hostile row) fails
// its task without using a slot.
bool DownloadEngine::refuseForeignCommand(ItemInfo *t, const QString &command, int failedStatus)
{
    QString why;
    if (isOwnCommand(command, &why))
        return false;
    qDebug() << "task" << t->uniqueID << "not started:" << why;
    t->process_status = failedStatus;
    emit taskChanged(t);
    storeTask(t);
    emit taskEnded(t);
    emit countsChanged();
    // The slot stayed free: another pass gives it to the next waiting task.
    QMetaObject::invokeMethod(this, &DownloadEngine::runScheduler, Qt::QueuedConnection);
    return true;
}

void DownloadEngine::startDownload(int slot, ItemInfo *t)
{
    QString command = t->cmd + downloadRunSuffix();
    if (refuseForeignCommand(t, command, TaskStatus::DownloadFailed))
        return;
    // A save folder that is a file, lies under a file or cannot be made
    // fails at once with that reason; the extractor would only say so in
    // its own words, after the whole transfer for some layouts.
    if (!t->targetPath.isEmpty()) {
        const QString folder = t->targetPath.left(t->targetPath.lastIndexOf(QLatin1Char('/')));
        if (!folder.isEmpty() && (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())) {
            failWithoutRun(t, FailReason::FolderUnusable);
            return;
        }
    }
    m_slotInfo[slot] = takeInfo(t);
    if (!m_slotInfo[slot].isEmpty()) {
        const QString fromInfo = command + loadInfoOption(m_slotInfo[slot]);
        if (isOwnCommand(fromInfo, nullptr, CommandUse::Start))
            command = fromInfo;
        else
            dropInfoFile(slot);
    }
    MyQProcess *p = processList[slot];
    p->taskId = t->id;
    p->task = t;
    t->running = true;
    t->process_status = TaskStatus::DownloadProgress;
    t->failReason = 0;
    t->extractorOutdated = false;
    // A task downloaded before starts from nothing: an old 100 % must not
    // make a failed new run look finished.
    t->process = 0;
    t->cookieFailure = CookieFailure::None;
    emit taskChanged(t);
    emit relayoutRequested();

    // Downloads that never needed an analysis must not pile up credit.
    m_analysisBudget = qMin(m_analysisBudget + 1, m_processnum);
    t->retryAt = 0;
    launchDownload(slot, command);
}

void DownloadEngine::launchDownload(int slot, const QString &command)
{
    m_parsers[slot].reset();
    m_reports[slot].reset();
    m_remarks[slot].reset();
    QString run = command;
    if (m_slotPathFile[slot].isEmpty() && runFilesDir())
        m_slotPathFile[slot] = runFilesDir()->filePath(QString::number(++m_infoCount) + ".path");
    if (!m_slotPathFile[slot].isEmpty()) {
        QFile::remove(m_slotPathFile[slot]); // a run appends to it
        const QString asking = command + finalPathOption(m_slotPathFile[slot]);
        if (isOwnCommand(asking, nullptr, CommandUse::Start))
            run = asking;
        else
            m_slotPathFile[slot].clear();
    }
    qDebug() << run;
    m_cookieWatch[slot].reset();
    m_stop[slot] = Stop::None;
    ToolProcess::startExtractor(processList[slot], run, QIODevice::ReadWrite);
    m_cookieWatch[slot].setKind(CookieOptions::refusal(processList[slot]));
    m_watchdog->arm(slot);
}

void DownloadEngine::failWithoutRun(ItemInfo *t, FailReason why)
{
    qDebug() << "task" << t->uniqueID << "not started:" << failReasonText(int(why));
    settleDownload(t, TaskStatus::DownloadFailed, why, QString());
    emit countsChanged();
    // The slot stayed free: another pass gives it to the next waiting task.
    QMetaObject::invokeMethod(this, &DownloadEngine::runScheduler, Qt::QueuedConnection);
}

void DownloadEngine::startAnalysis(int slot, const QList<ItemInfo *> &batch)
{
    ItemInfo *first = batch.first();
    QString command = first->cmd + analysisRunSuffix();
    QStringList links;
    QList<ItemInfo *> tasks = {first};
    if (batch.size() > 1) {
        QString options;
        for (ItemInfo *t : batch) {
            QString link;
            splitSingleVideoCommand(t->cmd, &link, &options);
            links << link;
        }
        const QString together = batchAnalysisCommand(links, options);
        if (isOwnCommand(together)) {
            command = together;
            tasks = batch;
        } else {
            links.clear();
        }
    }
    if (tasks.size() == 1) {
        if (refuseForeignCommand(first, command, TaskStatus::AnalysisFailed))
            return;
        links = QStringList {QString()}; // a run of one link: all its output is that link's
    }
    MyQProcess *p = processList[slot];
    p->taskId = first->id;
    p->task = first;
    m_batchTasks[slot] = tasks;
    for (ItemInfo *t : qAsConst(tasks)) {
        t->process_status = TaskStatus::Analysing;
        t->running = true;
        t->failReason = 0;
        t->cookieFailure = CookieFailure::None;
        t->extractorOutdated = false;
        emit taskChanged(t);
    }
    emit relayoutRequested();

    m_stop[slot] = Stop::None;
    m_analysis[slot]->analyseBatch(command, links);
    m_watchdog->arm(slot);
    m_analysisBudget -= tasks.size();
}

void DownloadEngine::releaseSlot(int slot)
{
    MyQProcess *p = processList[slot];
    ItemInfo *t = p->task;
    p->close();
    if (t)
        releaseTask(t);
}

void DownloadEngine::releaseTask(ItemInfo *t)
{
    t->running = false;
    if (t->requeueAfterRun) {
        t->requeueAfterRun = false;
        t->active = true;
        t->process_status = SchedulerRules::redownloadStatus(t->process_status);
        emit taskChanged(t);
    }
}

void DownloadEngine::storeTask(ItemInfo *task)
{
    if (m_database && !m_database->updateTask(task))
        emit storeFailed();
}

// The session closes the slot's process once this returns: the slot stays
// busy until every task of its run is settled.
void DownloadEngine::analysisEnded(int slot, QList<AnalysisOutcome> outcomes)
{
    m_watchdog->disarm(slot);
    const Stop stop = std::exchange(m_stop[slot], Stop::None);
    const QList<ItemInfo *> tasks = m_batchTasks[slot];
    m_batchTasks[slot].clear();
    // A run that went silent fails the link it was stuck on (the rest wait
    // again); a run ended for a deleted task fails none of its links.
    for (AnalysisOutcome &o : outcomes) {
        if (o.kind != AnalysisOutcome::Failed || o.index < 0 || o.index >= tasks.size())
            continue;
        if (stop == Stop::Stalled)
            tasks.at(o.index)->failReason = int(FailReason::Silent);
        else if (stop != Stop::None)
            o.kind = AnalysisOutcome::Requeued;
    }
    applyOutcomes(tasks, outcomes, slot);
    // The scheduler runs once the slot is free.
    QMetaObject::invokeMethod(this, &DownloadEngine::runScheduler, Qt::QueuedConnection);
}

void DownloadEngine::applyOutcomes(
    const QList<ItemInfo *> &tasks, const QList<AnalysisOutcome> &outcomes, int slot)
{
    // Taken now: a thumbnail fetch below may let the slot start another run.
    const CookieFailure::Kind cookies = m_analysis[slot]->cookieFailure();
    bool cookiesFailed = false;
    for (const AnalysisOutcome &o : outcomes) {
        if (o.index < 0 || o.index >= tasks.size())
            continue;
        qDebug() << "analysis slot" << slot << "settles" << tasks.at(o.index)->uniqueID << o.kind;
        if (o.kind == AnalysisOutcome::Failed && cookies != CookieFailure::None) {
            tasks.at(o.index)->cookieFailure = cookies;
            tasks.at(o.index)->failReason = int(FailReason::CookiesUnreadable);
            cookiesFailed = true;
        }
        // The extractor says whether it is out of date before its first
        // link (or at the failure itself).
        if (o.kind == AnalysisOutcome::Failed)
            tasks.at(o.index)->extractorOutdated
                = m_analysis[slot]->remarks() & ExtractorRemarks::Outdated;
        applyOutcome(tasks.at(o.index), o);
    }
    if (cookiesFailed)
        emit cookiesUnreadable(cookies);
}

void DownloadEngine::applyOutcome(ItemInfo *t, const AnalysisOutcome &outcome)
{
    if (outcome.kind != AnalysisOutcome::Analysed) {
        // A failed link fails its own task; one the run never reached waits again.
        t->process_status = outcome.kind == AnalysisOutcome::Failed
            ? TaskStatus::AnalysisFailed
            : TaskStatus::WaitingForAnalysis;
        emit taskChanged(t);
        releaseTask(t);
        m_analysisBudget += 1;
        if (outcome.kind == AnalysisOutcome::Failed)
            emit taskEnded(t);
        return;
    }
    if (outcome.parse == ParseResult::Object) {
        const VideoMetadata &meta = outcome.meta;
        t->title = meta.title;
        t->duration = meta.duration;
        t->thumbnailUrl = meta.thumbnail;
        t->uploader = meta.uploader;
        t->namePrefix = meta.uploadDate;
        emit thumbnailFound(t);
        t->formats = meta.formats;
        for (const FormatInfo &f : qAsConst(t->formats)) {
            qDebug() << "ext==" << f.ext << "height=" << f.height << "width=" << f.width
                     << "format_id=" << f.format_id << "vcodec=" << f.vcodec
                     << "acodec==" << f.acodec;
        }
        emit taskChanged(t);
    }
    t->bestaudio_id = bestAudioId(t->formats, t->bestaudio_id);
    composeDownloadCommand(t, m_folderoption);
    if (m_tasks) {
        if (m_database)
            m_database->readNamesakes(t->renametitle, *m_tasks);
        giveDistinctName(t, *m_tasks);
    }
    keepInfo(t, outcome.document);

    t->process_status = TaskStatus::WaitingForDownload;
    emit taskChanged(t);
    releaseTask(t);
    storeTask(t);
}

QTemporaryDir *DownloadEngine::runFilesDir()
{
    if (!m_infoDir) {
        m_infoDir = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + QStringLiteral("/quillon-info-XXXXXX"));
    }
    return m_infoDir->isValid() ? m_infoDir.get() : nullptr;
}

void DownloadEngine::keepInfo(ItemInfo *t, const QByteArray &document)
{
    const Info old = m_info.take(t);
    if (!old.file.isEmpty())
        QFile::remove(old.file);
    if (document.isEmpty() || !runFilesDir())
        return;
    const QString file = m_infoDir->filePath(QString::number(++m_infoCount) + ".info.json");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(document) != document.size()) {
        out.remove();
        return;
    }
    Info info;
    info.file = file;
    info.age.start();
    m_info.insert(t, info);
}

QString DownloadEngine::takeInfo(ItemInfo *t)
{
    const Info info = m_info.take(t);
    if (info.file.isEmpty() || info.age.elapsed() <= m_infoLifetimeMs)
        return info.file;
    QFile::remove(info.file);
    return QString();
}

void DownloadEngine::dropInfoFile(int slot)
{
    if (!m_slotInfo[slot].isEmpty())
        QFile::remove(m_slotInfo[slot]);
    m_slotInfo[slot].clear();
}

void DownloadEngine::readDownloadOutput(int slot)
{
    MyQProcess *p = processList[slot];
    const QByteArray chunk = p->readAll();
    m_cookieWatch[slot].feed(chunk);
    if (!p->task || chunk.isEmpty())
        return;
    if (m_stop[slot] == Stop::None)
        m_watchdog->arm(slot);
    m_parsers[slot].feed(p->task, chunk);
    m_reports[slot].feed(chunk);
    m_remarks[slot].feed(chunk);
    emit taskChanged(p->task);
}

// The output is complete once the run has ended: the run's last output is
// read before the finished signal arrives.
void DownloadEngine::downloadFinished(int slot, int exitCode, QProcess::ExitStatus status)
{
    MyQProcess *p = processList[slot];
    ItemInfo *t = p->task;
    const QString pathFile = std::exchange(m_slotPathFile[slot], QString());
    m_watchdog->disarm(slot);
    const Stop stop = std::exchange(m_stop[slot], Stop::None);
    if (!t) {
        QFile::remove(pathFile);
        dropInfoFile(slot);
        p->close();
        return;
    }
    const QByteArray rest = p->readAll();
    m_cookieWatch[slot].feed(rest);
    m_cookieWatch[slot].finish();
    m_parsers[slot].feed(t, rest);
    m_parsers[slot].flush(t);
    m_reports[slot].feed(rest);
    m_reports[slot].finish();
    m_remarks[slot].feed(rest);
    m_remarks[slot].finish();
    if (stop == Stop::Pause || stop == Stop::Delete) {
        QFile::remove(pathFile);
        dropInfoFile(slot);
        // Paused: back in the download queue, held; the next run continues
        // the partial file. Deleted: nothing of the unfinished run stays.
        t->process_status = TaskStatus::WaitingForDownload;
        t->active = stop == Stop::Pause ? false : t->active;
        t->requeueAfterRun = false;
        t->rate.clear();
        t->eta.clear();
        emit taskChanged(t);
        emit relayoutRequested();
        releaseSlot(slot);
        // Another task may be writing the same file by now.
        if (stop == Stop::Delete && !downloadTargets().contains(t->targetPath))
            PartialPieces::remove(*t);
        storeTask(t);
        emit countsChanged();
        runScheduler();
        return;
    }

    SchedulerRules::RunEnd run;
    run.exitedCleanly = status == QProcess::NormalExit && exitCode == 0;
    run.reportedErrors = m_reports[slot].reportedErrors();
    run.pathRequested = !pathFile.isEmpty();
    QString file = readFinalPath(pathFile);
    QFile::remove(pathFile);
    bool broken = false; // reported whole by the run, but not whole on disk
    if (run.pathRequested) {
        run.reportedFileThere = QFileInfo(file).isFile() && isWholeMediaFile(file);
        broken = QFileInfo(file).isFile() && !run.reportedFileThere;
    } else {
        file = OutputLookup::findFile(*t);
        run.lookupFound = !file.isEmpty();
    }
    const int verdict = SchedulerRules::downloadVerdict(*t, run);
    const bool fromInfo = !m_slotInfo[slot].isEmpty();
    const CookieFailure::Kind cookies = m_cookieWatch[slot].kind();
    dropInfoFile(slot);
    if (fromInfo && verdict != TaskStatus::Finished && cookies == CookieFailure::None
        && stop == Stop::None) {
        // The analysis's document may have gone stale (expired format
        // links): the task gets the run it would have had without it.
        qDebug() << "task" << t->uniqueID << "runs again without its analysis document";
        t->process = 0;
        t->process_status = TaskStatus::DownloadProgress;
        emit taskChanged(t);
        p->close();
        m_slotPathFile[slot] = pathFile;
        launchDownload(slot, t->cmd + downloadRunSuffix());
        return;
    }
    const bool saidNothing = run.exitedCleanly && !run.reportedErrors;
    FailReason why = broken && saidNothing ? FailReason::Incomplete : m_reports[slot].reason();
    t->cookieFailure = verdict == TaskStatus::Finished ? CookieFailure::None : cookies;
    if (t->cookieFailure != CookieFailure::None)
        why = FailReason::CookiesUnreadable;
    const int remarks = m_remarks[slot].remarks();
    // A precise local reason (disk, name, folder, a broken file, cookies) is
    // what the user can fix; for the rest, an extractor that says it is out
    // of date is the likely cause.
    t->extractorOutdated = verdict != TaskStatus::Finished && (remarks & ExtractorRemarks::Outdated)
        && (why == FailReason::ExtractorError || why == FailReason::NoAnswer);
    if (stop == Stop::Stalled)
        settleDownload(t, TaskStatus::DownloadFailed, FailReason::Silent, QString());
    else
        settleDownload(t, verdict, why, file);
    if (remarks != ExtractorRemarks::None)
        emit extractorRemarked(remarks, verdict != TaskStatus::Finished);
    if (t->process_status == TaskStatus::Finished)
        RetryRules::setTries(t, 0);
    else if (!t->requeueAfterRun && scheduleRetry(t))
        emit taskChanged(t);
    emit relayoutRequested();
    releaseSlot(slot);
    storeTask(t);
    emit taskEnded(t);
    emit countsChanged();
    if (t->cookieFailure != CookieFailure::None)
        emit cookiesUnreadable(t->cookieFailure);
    runScheduler();
}

void DownloadEngine::settleDownload(ItemInfo *t, int verdict, FailReason why, const QString &file)
{
    // The stored record says what the row shows: a failed task at 0 % with
    // its reason, a finished one at 100 % with the file it really got.
    t->process_status = verdict;
    t->rate.clear();
    t->eta.clear();
    if (verdict == TaskStatus::Finished) {
        t->process = 100;
        t->process_string = QStringLiteral("100%");
        t->failReason = 0;
        if (!file.isEmpty())
            t->renametargetPath = file;
        t->status = TaskStatus::finished();
    } else {
        t->process = 0;
        t->process_string = QStringLiteral("0%");
        t->failReason = int(why);
        t->status = failedStatusText(t->failReason);
    }
    emit taskChanged(t);
    if (verdict != TaskStatus::Finished && !t->running)
        storeTask(t); // no run to release: stored here
}

bool DownloadEngine::scheduleRetry(ItemInfo *t)
{
    if (!m_retryEnabled)
        return false;
    const int wait = RetryRules::nextWaitMs(*t, m_retryWaitsMs);
    if (wait < 0)
        return false;
    const int tryNumber = RetryRules::tries(*t) + 1;
    RetryRules::setTries(t, tryNumber);
    const qint64 due = QDateTime::currentMSecsSinceEpoch() + wait;
    m_retryDue.insert(t, due);
    t->retryAt = due;
    QTimer::singleShot(wait, this, [this, t, due] { retryNow(t, due); });
    return true;
}

// A retry the user overtook (a redownload, a delete, a newer failure with
// its own wait) does nothing.
void DownloadEngine::retryNow(ItemInfo *t, qint64 due)
{
    if (m_retryDue.value(t) != due)
        return;
    m_retryDue.remove(t);
    if (t->process_status != TaskStatus::DownloadFailed || t->running || !t->biaoji)
        return;
    t->retryAt = 0;
    t->process_status = TaskStatus::WaitingForDownload;
    emit taskChanged(t);
    emit relayoutRequested();
    runScheduler();
}

void DownloadEngine::shutdown()
{
    // Every run is asked first and all share one grace period: closing takes
    // at most that long however many slots are busy.
    constexpr int graceMs = 2000;
    QList<MyQProcess *> asked;
    for (AnalysisSession *analysis : m_analysis)
        analysis->disconnect(this);
    for (MyQProcess *p : qAsConst(processList)) {
        p->disconnect(this);
        if (p->terminateRun())
            asked << p;
    }
    QElapsedTimer clock;
    clock.start();
    for (MyQProcess *p : qAsConst(asked))
        p->waitForFinished(static_cast<int>(qMax<qint64>(0, graceMs - clock.elapsed())));
    for (MyQProcess *p : qAsConst(processList)) {
        p->killRun();
        p->close();
    }
}
