#include "intake/linkintake.h"

#include "extractor/commands.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

LinkIntake::LinkIntake(TaskSink sink, QObject *parent)
    : QObject(parent)
    , m_sink(std::move(sink))
{ }

ItemInfo *LinkIntake::queueAnalysis(const QString &link)
{
    const QString safe = safeLink(link);
    if (safe.isEmpty())
        return nullptr;
    auto *task = new ItemInfo();
    task->uniqueID = newUniqueId();
    task->url = safe;
    task->cmd = QStringLiteral("tool.exe -j ") + safe;
    task->process_status = TaskStatus::WaitingForAnalysis;
    task->status = TaskStatus::queuing();
    if (m_sink)
        m_sink(task);
    emit tasksAdded();
    return task;
}
