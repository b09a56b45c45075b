#pragma once

#include <QProcess>

class ItemInfo;

// One extractor process slot. It remembers the task it last started; the
// completion handlers work on that record.
//
// The extractor starts helpers of its own (ffmpeg for merging and
// conversion). On Linux each run therefore gets a process group of its own,
// the signals below reach the whole group, and the run dies with the program.
class MyQProcess : public QProcess
{
    Q_OBJECT

public:
    explicit MyQProcess(QObject *parent = nullptr);
    ~MyQProcess() override;

    // Asks a running run and everything it started to end (SIGTERM to the
    // group); remembers the group for killRun(). Returns whether a run was
    // there to ask.
    bool terminateRun();
    // Kills what is left of the run terminateRun() asked (SIGKILL to the
    // group: a helper may outlive the extractor), or of the running one.
    void killRun();
    // Ends the run with everything it started, then closes the slot.
    void endRun();

    int taskId = -1;
    ItemInfo *task = nullptr; // not owned

protected:
    void setupChildProcess() override;

private:
    qint64 m_group = 0; // group asked to end, 0 when none
};
