#include "downloads/downloadnotifier.h"

#include "base/desktopnotifications.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

DownloadNotifier::DownloadNotifier(QObject *parent)
    : QObject(parent)
    , m_desktop(new DesktopNotifications(QStringLiteral("com.orvanta.quillon"), this))
{
    connect(
        m_desktop, &DesktopNotifications::activated, this, &DownloadNotifier::showTaskRequested);
}

void DownloadNotifier::taskEnded(const ItemInfo *task)
{
    if (!m_enabled || !task->biaoji || (m_windowActive && m_windowActive()))
        return;
    const bool finished = task->process_status == TaskStatus::Finished;
    const bool failed = task->process_status == TaskStatus::DownloadFailed
        || task->process_status == TaskStatus::AnalysisFailed;
    if (!finished && !failed)
        return;
    DesktopNotice notice;
    notice.summary = finished ? tr("Download finished") : tr("Download failed");
    // A link whose analysis failed has no title yet.
    notice.body = task->title.isEmpty() ? task->url : task->title;
    notice.category
        = finished ? QStringLiteral("transfer.complete") : QStringLiteral("transfer.error");
    notice.actionText = tr("Show");
    notice.key = task->uniqueID;
    m_desktop->show(notice);
}
