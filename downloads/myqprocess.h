#pragma once

#include <QProcess>

class ItemInfo;

// One extractor process slot. It remembers the task it last started; the
// completion handlers work on that record.
//
// The extractor starts helpers of its own (ffmpeg for merging and
// conversion). On Linux each run therefore gets a process group of its own
// and endRun() ends the whole group, and the run dies with the program.
class MyQProcess : public QProcess
{
    Q_OBJECT

public:
    explicit MyQProcess(QObject *parent = nullptr);
    ~MyQProcess() override;

    // Ends the run with everything it started, then closes the slot.
    void endRun();

    int taskId = -1;
    ItemInfo *task = nullptr; // not owned

protected:
    void setupChildProcess() override;
};
