#include "tasks/taskstatus.h"

#include <QCoreApplication>

namespace TaskStatus {

QString queuing()
{
    return QCoreApplication::translate("TaskStatus", "Queuing");
}

QString analysing()
{
    return QCoreApplication::translate("TaskStatus", "Analysing");
}

QString downloading()
{
    return QCoreApplication::translate("TaskStatus", "Downloading");
}

QString finished()
{
    return QCoreApplication::translate("TaskStatus", "Finished");
}

QString downloadFailed()
{
    return QCoreApplication::translate("TaskStatus", "Download Failed");
}

QString pause()
{
    return QCoreApplication::translate("TaskStatus", "Pause");
}

QString failedUpdateExtractor()
{
    return QCoreApplication::translate("TaskStatus", "Failed: Update extractor");
}

QString textFor(int code, bool active)
{
    if (!active)
        return pause();
    switch (code) {
    case WaitingForAnalysis:
    case WaitingForDownload:
        return queuing();
    case Analysing:
        return analysing();
    case Downloading:
    case DownloadProgress:
    case PostProcessing:
        return downloading();
    case Finished:
        return finished();
    case DownloadFailed:
    case AnalysisFailed:
        return downloadFailed();
    default:
        return QString();
    }
}

} // namespace TaskStatus
