#include "extractor/workerplatform.h"

#include <QProcess>

bool WorkerPlatform::supported()
{
    return false;
}

QProcess *WorkerPlatform::newProcess(QObject *parent)
{
    return new QProcess(parent);
}

bool WorkerPlatform::cancel(const QString &, qint64, int)
{
    return true;
}

bool WorkerPlatform::isGone(qint64)
{
    return false;
}

bool WorkerPlatform::isOwnFolder(const QString &)
{
    return false;
}
