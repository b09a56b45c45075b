#include "downloads/retryrules.h"

#include "tasks/iteminfo.h"

#include <QCoreApplication>
#include <QDateTime>

namespace RetryRules {

namespace {

const QLatin1String kPrefix("retries=");

// The count the field holds, or -1 when it holds something else.
int storedCount(const QString &field)
{
    if (field.isEmpty())
        return 0;
    if (!field.startsWith(kPrefix))
        return -1;
    bool ok = false;
    const int n = field.mid(kPrefix.size()).toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

} // namespace

int tries(const ItemInfo &task)
{
    return qMax(0, storedCount(task.agentCmd));
}

void setTries(ItemInfo *task, int count)
{
    if (storedCount(task->agentCmd) < 0)
        return;
    task->agentCmd = count > 0 ? kPrefix + QString::number(count) : QString();
}

int nextWaitMs(const ItemInfo &task, const int (&waitsMs)[MaxTries])
{
    const int used = storedCount(task.agentCmd);
    if (used < 0 || used >= MaxTries)
        return -1;
    return waitsMs[used];
}

QString retryText(const ItemInfo &task)
{
    const QString when
        = QDateTime::fromMSecsSinceEpoch(task.retryAt).toString(QStringLiteral("HH:mm:ss"));
    return QCoreApplication::translate("RetryRules", "Retry %1 of %2 at %3")
        .arg(tries(task))
        .arg(MaxTries)
        .arg(when);
}

} // namespace RetryRules
