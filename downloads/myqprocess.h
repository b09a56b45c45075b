#pragma once

#include <QProcess>

class ItemInfo;

// One extractor process slot. It remembers the task it last started; the
// completion handlers work on that record.
class MyQProcess : public QProcess
{
    Q_OBJECT

public:
    explicit MyQProcess(QObject *parent = nullptr);

    int taskId = -1;
    ItemInfo *task = nullptr; // not owned
};
