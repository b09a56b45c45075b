#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class ItemInfo;

// One extractor run as the program makes it: through
// ToolProcess::startExtractor ("tool.exe" resolves as in the program), with
// completion taken from finished(). onChunk sees every piece of output as it
// arrives, in order, the final read included.
struct ExtractorRun
{
    bool finished = false; // false: still running after the timeout (killed)
    QByteArray output; // everything, in arrival order
};

ExtractorRun runExtractor(const QString &command, int timeoutMs = 90000,
    const std::function<void(const QByteArray &)> &onChunk = {});

// The scheduler's analysis run of task->url: title, uploader, upload date,
// formats and best audio are filled from its output. False when it failed.
bool analyseTask(ItemInfo *task);
