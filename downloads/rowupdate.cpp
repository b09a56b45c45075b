#include "downloads/rowupdate.h"

#include "downloads/itemwidget.h"
#include "downloads/retryrules.h"
#include "extractor/metadata.h"
#include "extractor/runreport.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

namespace {

// Queued, finished and failed rows show no live figures, only a fixed percent.
void showFixedProgress(itemWidget *row, int progress)
{
    row->setSpeedText(QString());
    row->setEtaText(QString());
    row->setProgressValue(progress);
    row->setPercentText(QString::number(progress) + QLatin1Char('%'));
}

} // namespace

void applyTaskToRow(const ItemInfo &t, itemWidget *row)
{
    if (!row)
        return;
    const QString titleText = t.title.isEmpty() ? t.url : t.title;

    switch (t.process_status) {
    case TaskStatus::WaitingForAnalysis:
        row->setTitleText(t.url);
        row->setStatusText(TaskStatus::queuing());
        row->hideBusyLabel();
        break;
    case TaskStatus::Analysing:
        row->setTitleText(t.url);
        row->setStatusText(TaskStatus::analysing());
        row->startBusyAnimation();
        break;
    case TaskStatus::WaitingForDownload:
        row->setTitleText(titleText);
        showFixedProgress(row, 0);
        row->setStatusText(TaskStatus::queuing());
        row->hideBusyLabel();
        break;
    case TaskStatus::Downloading:
    case TaskStatus::DownloadProgress:
        row->setTitleText(titleText);
        row->setSpeedText(t.rate);
        row->setEtaText(t.eta);
        row->setProgressValue(t.process);
        row->setPercentText(t.process_string);
        row->setSizeText(t.qfilesize);
        row->setStatusText(TaskStatus::downloading());
        row->startBusyAnimation();
        break;
    case TaskStatus::PostProcessing:
        row->setTitleText(titleText);
        row->setStatusText(TaskStatus::downloading());
        break;
    case TaskStatus::Finished:
        row->setTitleText(titleText);
        showFixedProgress(row, 100);
        row->setSizeText(t.qfilesize);
        row->setStatusText(TaskStatus::finished());
        row->showPlayButton();
        row->hideBusyLabel();
        break;
    case TaskStatus::DownloadFailed:
        row->setTitleText(titleText);
        showFixedProgress(row, 0);
        row->setStatusText(t.extractorOutdated ? TaskStatus::failedUpdateExtractor()
                                               : failedStatusText(t.failReason));
        row->hideBusyLabel();
        break;
    case TaskStatus::AnalysisFailed:
        row->setTitleText(t.url);
        // Unreadable sign-in cookies are the one reason an analysis knows;
        // otherwise an extractor that says it is out of date is the hint.
        row->setStatusText(t.failReason == 0 && t.extractorOutdated
                ? TaskStatus::failedUpdateExtractor()
                : failedStatusText(t.failReason));
        row->hideBusyLabel();
        break;
    default:
        break;
    }

    // When a failed download is tried again, in place of its reason.
    if (t.process_status == TaskStatus::DownloadFailed && t.retryAt > 0)
        row->setStatusText(RetryRules::retryText(t));
    row->setDurationText(durationText(t.duration));
    if (!t.active)
        row->setStatusText(TaskStatus::pause());
}
