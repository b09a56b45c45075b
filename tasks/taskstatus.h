#pragma once

#include <QString>

// Status codes of a task (ItemInfo::process_status) and the texts a row shows.
namespace TaskStatus {

enum Code : int
{
    WaitingForAnalysis = 0,
    Analysing = 1,
    WaitingForDownload = 2,
    Downloading = 3, // output the progress parser does not classify
    DownloadProgress = 4, // a download line was seen
    PostProcessing = 5,
    Finished = 6,
    DownloadFailed = 7,
    AnalysisFailed = 8,
};

// Translated status words.
QString queuing();
QString analysing();
QString downloading();
QString finished();
QString downloadFailed();
QString pause();
// A failed task whose extractor said it is out of date: names the menu entry
// that updates it.
QString failedUpdateExtractor();

// The status text a row shows for a code; a paused task always shows "Pause".
// Unknown codes give an empty text.
QString textFor(int code, bool active);

} // namespace TaskStatus
