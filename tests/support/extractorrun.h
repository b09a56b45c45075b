#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// One extractor run as the program makes it: the command text goes through
// ToolProcess::startExtractor (so "tool.exe" resolves as in the program, to
// yt-dlp on Linux) and completion is taken from finished(). onChunk sees
// every piece of output as it arrives, in order, the final read included.
struct ExtractorRun
{
    bool finished = false; // false: still running after the timeout (killed)
    QByteArray output; // everything, in arrival order
};

ExtractorRun runExtractor(const QString &command, int timeoutMs = 90000,
    const std::function<void(const QByteArray &)> &onChunk = {});
