#include "downloads/downloadengine.h"

#include "base/settingsstore.h"
#include "downloads/myqprocess.h"
#include "downloads/outputlookup.h"
#include "downloads/schedulerrules.h"
#include "extractor/commandcheck.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/metadata.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

DownloadEngine::DownloadEngine(QObject *parent)
    : QObject(parent)
{
    const SettingsStore::GeneralSettings defaults;
    setLimits(defaults.processnum, defaults.anaprocessnum, defaults.folderoption);
    m_analysisBudget = defaults.processnum;
    createSlots();
}

DownloadEngine::~DownloadEngine()
{
    shutdown();
    qDeleteAll(processList);
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
            connect(p, finished, this, [this, s] { analysisFinished(s); });
            continue;
        }
        connect(p, &QProcess::readyReadStandardOutput, this, [this, s] { readDownloadOutput(s); });
        connect(p, finished, this, [this, s] { downloadFinished(s); });
    }
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
        ItemInfo *t = SchedulerRules::firstPickable(*m_tasks, TaskStatus::WaitingForDownload);
        if (!t)
            continue;
        if (SchedulerRules::isMetadataCommand(t->cmd)) {
            // Never analysed: back to the analysis queue; the slot stays idle.
            t->process_status = TaskStatus::WaitingForAnalysis;
            continue;
        }
        startDownload(s, t);
    }

    m_anaprocessnum = SchedulerRules::clampAnalysisSlots(m_anaprocessnum);
    qDebug() << "availabe_anakey============================111=======" << m_analysisBudget;
    if (m_analysisBudget >= 0 && m_anaprocessnum >= 1) {
        for (int s = 0; s < m_anaprocessnum; ++s) {
            if (isBusy(s))
                continue;
            ItemInfo *t = SchedulerRules::firstPickable(*m_tasks, TaskStatus::WaitingForAnalysis);
            if (!t)
                continue;
            startAnalysis(s, t);
        }
    }
    qDebug() << "availabe_anakey=================================222==" << m_analysisBudget;
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
    emit countsChanged();
    // The slot stayed free: another pass gives it to the next waiting task.
    QMetaObject::invokeMethod(this, &DownloadEngine::runScheduler, Qt::QueuedConnection);
    return true;
}

void DownloadEngine::startDownload(int slot, ItemInfo *t)
{
    const QString command = t->cmd + downloadRunSuffix();
    if (refuseForeignCommand(t, command, TaskStatus::DownloadFailed))
        return;
    MyQProcess *p = processList[slot];
    p->taskId = t->id;
    p->task = t;
    t->running = true;
    t->process_status = TaskStatus::DownloadProgress;
    // A task downloaded before starts from nothing: an old 100 % must not
    // make a failed new run look finished.
    t->process = 0;
    emit taskChanged(t);
    emit relayoutRequested();

    qDebug() << command;
    // Downloads that never needed an analysis must not pile up credit.
    m_analysisBudget = qMin(m_analysisBudget + 1, m_processnum);
    m_parsers[slot].reset();
    ToolProcess::startExtractor(p, command, QIODevice::ReadWrite);
}

void DownloadEngine::startAnalysis(int slot, ItemInfo *t)
{
    const QString command = t->cmd + analysisRunSuffix();
    if (refuseForeignCommand(t, command, TaskStatus::AnalysisFailed))
        return;
    MyQProcess *p = processList[slot];
    t->process_status = TaskStatus::Analysing;
    p->taskId = t->id;
    p->task = t;
    t->running = true;
    emit taskChanged(t);
    emit relayoutRequested();

    ToolProcess::startExtractor(p, command, QIODevice::ReadWrite);
    qDebug() << command;
    m_analysisBudget -= 1;
}

void DownloadEngine::releaseSlot(int slot)
{
    MyQProcess *p = processList[slot];
    ItemInfo *t = p->task;
    p->close();
    if (!t)
        return;
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

void DownloadEngine::analysisFinished(int slot)
{
    MyQProcess *p = processList[slot];
    ItemInfo *t = p->task;
    const QByteArray output = p->readAll();
    qDebug() << "alldata=" << output.left(2000);
    if (!t) {
        p->close();
        return;
    }

    VideoMetadata meta;
    const ParseResult result = parseVideoOutput(output, &meta);
    if (result == ParseResult::Invalid) {
        t->process_status = TaskStatus::AnalysisFailed;
        emit taskChanged(t);
        releaseSlot(slot);
        m_analysisBudget += 1;
        runScheduler();
        return;
    }
    if (result == ParseResult::Object) {
        t->title = meta.title;
        t->duration = meta.duration;
        t->thumbnailUrl = meta.thumbnail;
        t->uploader = meta.uploader;
        t->namePrefix = meta.uploadDate;
        if (m_fetchThumbnail)
            t->thumbnailpixmap = m_fetchThumbnail(*t);
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

    t->process_status = TaskStatus::WaitingForDownload;
    emit taskChanged(t);
    releaseSlot(slot);
    storeTask(t);
    runScheduler();
}

void DownloadEngine::readDownloadOutput(int slot)
{
    MyQProcess *p = processList[slot];
    const QByteArray chunk = p->readAll();
    if (!p->task || chunk.isEmpty())
        return;
    m_parsers[slot].feed(p->task, chunk);
    emit taskChanged(p->task);
}

void DownloadEngine::downloadFinished(int slot)
{
    MyQProcess *p = processList[slot];
    {
        // Late output is still served while we wait.
        QPointer<DownloadEngine> self(this);
        QEventLoop loop;
        QTimer::singleShot(m_finishWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (!self)
            return; // the program is closing
    }
    ItemInfo *t = p->task;
    if (!t) {
        p->close();
        return;
    }
    m_parsers[slot].feed(t, p->readAll());
    m_parsers[slot].flush(t);

    const bool fileThere = !OutputLookup::findFile(*t).isEmpty();
    t->process_status = SchedulerRules::downloadVerdict(*t, fileThere);
    emit taskChanged(t);
    emit relayoutRequested();
    releaseSlot(slot);
    storeTask(t);
    emit countsChanged();
    runScheduler();
}

void DownloadEngine::shutdown()
{
    // Every run is asked first and all share one grace period: closing takes
    // at most that long however many slots are busy.
    constexpr int graceMs = 2000;
    QList<MyQProcess *> asked;
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
