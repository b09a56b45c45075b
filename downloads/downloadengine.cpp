#include "downloads/downloadengine.h"

#include "downloads/myqprocess.h"
#include "downloads/outputlookup.h"
#include "downloads/schedulerrules.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/metadata.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QDebug>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

DownloadEngine::DownloadEngine(QObject *parent)
    : QObject(parent)
{
    createSlots();
}

DownloadEngine::~DownloadEngine()
{
    shutdown();
    qDeleteAll(processList);
}

void DownloadEngine::bindSettings(
    int *processnum, int *anaprocessnum, int *availabeAnakey, int *folderoption)
{
    m_processnum = processnum;
    m_anaprocessnum = anaprocessnum;
    m_availabeAnakey = availabeAnakey;
    m_folderoption = folderoption;
}

// Completion is always taken from finished(int, QProcess::ExitStatus): the
// start function reports a failed start through that same signal, so no slot
// stays busy forever.
void DownloadEngine::createSlots()
{
    for (int s = 0; s < SlotCount; ++s) {
        auto *p = new MyQProcess();
        p->setProcessChannelMode(QProcess::MergedChannels);
        processList.append(p);
    }
    connect(processList[0], SIGNAL(finished(int, QProcess::ExitStatus)), this,
        SLOT(on_P0_Finished(int)));
    connect(processList[1], SIGNAL(finished(int, QProcess::ExitStatus)), this,
        SLOT(on_P1_Finished(int)));

    static const char *const readSlots[] = {SLOT(on_p2_readFromStdOut()),
        SLOT(on_p3_readFromStdOut()), SLOT(on_p4_readFromStdOut()), SLOT(on_p5_readFromStdOut()),
        SLOT(on_p6_readFromStdOut()), SLOT(on_p7_readFromStdOut()), SLOT(on_p8_readFromStdOut()),
        SLOT(on_p9_readFromStdOut()), SLOT(on_p10_readFromStdOut())};
    static const char *const finishSlots[] = {SLOT(on_P2_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P3_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P4_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P5_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P6_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P7_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P8_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P9_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P10_Finished(int, QProcess::ExitStatus))};
    for (int s = 2; s < SlotCount; ++s) {
        connect(processList[s], SIGNAL(readyReadStandardOutput()), this, readSlots[s - 2]);
        connect(
            processList[s], SIGNAL(finished(int, QProcess::ExitStatus)), this, finishSlots[s - 2]);
    }
}

bool DownloadEngine::isBusy(int slot) const
{
    return processList[slot]->isOpen();
}

int DownloadEngine::busyDownloads() const
{
    int n = 0;
    for (int s = 2; s < SlotCount; ++s)
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
    const int processtempnum = SchedulerRules::downloadSlotEnd(*m_processnum);
    qDebug() << "processtempnum===================================" << processtempnum;
    qDebug() << "availabe_anakey==============================000=====" << *m_availabeAnakey;

    for (int s = 2; s < processtempnum; ++s) {
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

    *m_anaprocessnum = SchedulerRules::clampAnalysisSlots(*m_anaprocessnum);
    qDebug() << "availabe_anakey============================111=======" << *m_availabeAnakey;
    if (*m_availabeAnakey >= 0 && *m_anaprocessnum >= 1) {
        for (int s = 0; s < *m_anaprocessnum; ++s) {
            if (isBusy(s))
                continue;
            ItemInfo *t = SchedulerRules::firstPickable(*m_tasks, TaskStatus::WaitingForAnalysis);
            if (!t)
                continue;
            startAnalysis(s, t);
        }
    }
    qDebug() << "availabe_anakey=================================222==" << *m_availabeAnakey;
}

void DownloadEngine::startDownload(int slot, ItemInfo *t)
{
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

    const QString command = t->cmd + downloadRunSuffix();
    qDebug() << command;
    *m_availabeAnakey += 1;
    m_parsers[slot].reset();
    ToolProcess::startExtractor(p, command, QIODevice::ReadWrite);
}

void DownloadEngine::startAnalysis(int slot, ItemInfo *t)
{
    MyQProcess *p = processList[slot];
    t->process_status = TaskStatus::Analysing;
    p->taskId = t->id;
    p->task = t;
    t->running = true;
    emit taskChanged(t);
    emit relayoutRequested();

    const QString command = t->cmd + analysisRunSuffix();
    ToolProcess::startExtractor(p, command, QIODevice::ReadWrite);
    qDebug() << command;
    *m_availabeAnakey -= 1;
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
    if (m_database)
        m_database->updateTask(task);
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
        *m_availabeAnakey += 1;
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
    composeDownloadCommand(t, *m_folderoption);

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

void DownloadEngine::openredownload()
{
    if (!m_tasks)
        return;
    const QList<ItemInfo *> requeued = SchedulerRules::requeueFailed(*m_tasks);
    for (ItemInfo *t : requeued)
        emit taskStatusText(t, TaskStatus::queuing());
    emit failedRequeued();
    runScheduler();
}

bool DownloadEngine::toggleAll()
{
    if (!m_tasks)
        return m_allPaused;
    const bool release = m_allPaused;
    for (ItemInfo *t : qAsConst(*m_tasks)) {
        if (t->process_status >= TaskStatus::Downloading || !t->biaoji)
            continue;
        t->active = release;
        emit taskStatusText(t, release ? TaskStatus::queuing() : TaskStatus::pause());
    }
    m_allPaused = !release;
    if (release)
        runScheduler();
    return m_allPaused;
}

void DownloadEngine::shutdown()
{
    for (MyQProcess *p : qAsConst(processList)) {
        p->disconnect(this);
        p->endRun();
    }
}

void DownloadEngine::on_P0_Finished(int)
{
    analysisFinished(0);
}
void DownloadEngine::on_P1_Finished(int)
{
    analysisFinished(1);
}
void DownloadEngine::on_P2_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(2);
}
void DownloadEngine::on_P3_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(3);
}
void DownloadEngine::on_P4_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(4);
}
void DownloadEngine::on_P5_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(5);
}
void DownloadEngine::on_P6_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(6);
}
void DownloadEngine::on_P7_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(7);
}
void DownloadEngine::on_P8_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(8);
}
void DownloadEngine::on_P9_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(9);
}
void DownloadEngine::on_P10_Finished(int, QProcess::ExitStatus)
{
    downloadFinished(10);
}

void DownloadEngine::on_p2_readFromStdOut()
{
    qDebug() << "on_p2_readFromStdOut";
    readDownloadOutput(2);
}
void DownloadEngine::on_p3_readFromStdOut()
{
    readDownloadOutput(3);
}
void DownloadEngine::on_p4_readFromStdOut()
{
    readDownloadOutput(4);
}
void DownloadEngine::on_p5_readFromStdOut()
{
    readDownloadOutput(5);
}
void DownloadEngine::on_p6_readFromStdOut()
{
    readDownloadOutput(6);
}
void DownloadEngine::on_p7_readFromStdOut()
{
    readDownloadOutput(7);
}
void DownloadEngine::on_p8_readFromStdOut()
{
    readDownloadOutput(8);
}
void DownloadEngine::on_p9_readFromStdOut()
{
    readDownloadOutput(9);
}
void DownloadEngine::on_p10_readFromStdOut()
{
    readDownloadOutput(10);
}
