#include "extractor/analysissession.h"

#include "extractor/commands.h"
#include "extractor/myqprocess.h"
#include "extractor/toolprocess.h"

#include <QDebug>

AnalysisSession::AnalysisSession(QObject *parent)
    : QObject(parent)
    , m_process(new MyQProcess(this))
    , m_ownProcess(true)
{
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connectProcess();
}

AnalysisSession::AnalysisSession(MyQProcess *process, QObject *parent)
    : QObject(parent)
    , m_process(process)
    , m_ownProcess(false)
{
    connectProcess();
}

AnalysisSession::~AnalysisSession()
{
    if (m_ownProcess)
        stop();
}

void AnalysisSession::connectProcess()
{
    connect(m_process, &QProcess::readyReadStandardOutput, this, &AnalysisSession::readOutput);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this](int, QProcess::ExitStatus status) { finished(status); });
}

void AnalysisSession::analyseVideo(const QString &link)
{
    stop();
    start(Run::Video, singleVideoCommand(link));
}

void AnalysisSession::analyseList(const QString &link)
{
    stop();
    start(Run::List, flatListCommand(link));
}

void AnalysisSession::analyseBatch(const QString &command, const QStringList &links)
{
    stop();
    m_batch = AnalysisBatch(links);
    start(Run::Batch, command);
}

void AnalysisSession::stop()
{
    m_run = Run::None;
    m_batch = AnalysisBatch();
    m_entryLinks.clear();
    m_titleWanted.clear();
    m_titleIndex = -1;
    // A run ended on purpose has nothing to report.
    const QSignalBlocker quiet(m_process);
    m_process->endRun();
}

bool AnalysisSession::isRunning() const
{
    return m_run != Run::None;
}

void AnalysisSession::start(Run run, const QString &command)
{
    m_run = run;
    qDebug() << command;
    ToolProcess::startExtractor(m_process, command);
}

void AnalysisSession::readOutput()
{
    // Only a batch is read as it arrives: its links are handed on one by
    // one. Every other run is read whole once it ended.
    if (m_run != Run::Batch)
        return;
    const QByteArray chunk = m_process->readAll();
    qDebug() << "alldata=" << chunk.left(2000);
    const QList<AnalysisOutcome> outcomes = m_batch.feed(chunk);
    if (!outcomes.isEmpty())
        emit outcomesReady(outcomes);
}

void AnalysisSession::finished(QProcess::ExitStatus status)
{
    const Run run = m_run;
    m_run = Run::None;
    const QByteArray output = m_process->readAll();
    if (run == Run::Batch) {
        qDebug() << "alldata=" << output.left(2000);
        QList<AnalysisOutcome> outcomes = m_batch.feed(output);
        outcomes += m_batch.finish(status == QProcess::CrashExit);
        m_batch = AnalysisBatch();
        // The process stays open meanwhile: its owner counts the slot as
        // busy until every link of the run is settled.
        emit batchEnded(outcomes);
        m_process->close();
        return;
    }
    m_process->close();
    switch (run) {
    case Run::Video: {
        VideoMetadata meta;
        const bool ok = parseVideoOutput(output, &meta) != ParseResult::Invalid;
        emit videoAnalysed(ok, meta);
        break;
    }
    case Run::List: {
        const QList<ListVideoInfo> entries = parseFlatList(output);
        for (const ListVideoInfo &entry : entries) {
            m_entryLinks << entry.link;
            m_titleWanted << entry.title.isEmpty();
        }
        emit entriesListed(entries);
        lookUpNextTitle();
        break;
    }
    case Run::Title: {
        const int index = m_titleIndex;
        m_titleIndex = -1;
        if (index >= 0)
            emit titleFound(index, titleFromOutput(output));
        lookUpNextTitle();
        break;
    }
    case Run::None:
    case Run::Batch:
        break;
    }
}

void AnalysisSession::lookUpNextTitle()
{
    // A receiver may have started another run or stopped the session.
    if (m_run != Run::None)
        return;
    // One lookup per entry: a failed one is not tried again.
    const int next = m_titleWanted.indexOf(true);
    if (next < 0)
        return;
    m_titleWanted[next] = false;
    m_titleIndex = next;
    start(Run::Title, titleCommand(m_entryLinks.at(next)));
}
