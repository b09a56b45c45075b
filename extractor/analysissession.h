#pragma once

#include "extractor/analysisbatch.h"
#include "extractor/listvideoinfo.h"
#include "extractor/metadata.h"

#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

class MyQProcess;

// The extractor's metadata runs: a single video's analysis, one run that
// analyses several links, a playlist's entries and the titles its list
// lacked. Runs start through ToolProcess; their output is read and parsed
// here and handed on by the signals, so no window ever reads an extractor.
//
// One run at a time. A new request, stop() and the end of the session end
// the run under way with everything it started; an ended run reports
// nothing.
class AnalysisSession : public QObject
{
    Q_OBJECT

public:
    // Runs on a process of its own.
    explicit AnalysisSession(QObject *parent = nullptr);
    // Runs on process (not owned; it must outlive the session), so an owner
    // of process slots keeps ending and counting them.
    explicit AnalysisSession(MyQProcess *process, QObject *parent = nullptr);
    ~AnalysisSession() override;

    // videoAnalysed follows.
    void analyseVideo(const QString &link);
    // entriesListed follows, then titleFound for each entry without a title,
    // one run after the other.
    void analyseList(const QString &link);
    // Runs command, which analyses links (in this order; one empty link for
    // a run of one link, whose whole output is that link's). outcomesReady
    // hands on the links the output settles as it arrives, batchEnded the
    // rest once the run ended; the process is still open during batchEnded
    // and closed afterwards.
    void analyseBatch(const QString &command, const QStringList &links);

    void stop();
    bool isRunning() const;

signals:
    // ok is false when the output held no document (a wrong link, no network).
    void videoAnalysed(bool ok, const VideoMetadata &meta);
    void entriesListed(const QList<ListVideoInfo> &entries);
    // An empty title: the lookup failed.
    void titleFound(int index, const QString &title);
    void outcomesReady(const QList<AnalysisOutcome> &outcomes);
    void batchEnded(const QList<AnalysisOutcome> &outcomes);

private:
    enum class Run
    {
        None,
        Video,
        List,
        Title,
        Batch,
    };

    void connectProcess();
    void start(Run run, const QString &command);
    void readOutput();
    void finished(QProcess::ExitStatus status);
    void lookUpNextTitle();

    MyQProcess *m_process;
    bool m_ownProcess;
    Run m_run = Run::None;
    AnalysisBatch m_batch;
    // The entries of the listed page: links, and whether a title is wanted.
    QStringList m_entryLinks;
    QList<bool> m_titleWanted;
    int m_titleIndex = -1;
};
