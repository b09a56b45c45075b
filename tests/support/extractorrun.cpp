#include "support/extractorrun.h"

#include "extractor/commands.h"
#include "extractor/metadata.h"
#include "extractor/myqprocess.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"

#include <QEventLoop>
#include <QTimer>

ExtractorRun runExtractor(
    const QString &command, int timeoutMs, const std::function<void(const QByteArray &)> &onChunk)
{
    ExtractorRun run;
    MyQProcess process;
    const auto take = [&] {
        const QByteArray chunk = process.readAll();
        if (chunk.isEmpty())
            return;
        run.output += chunk;
        if (onChunk)
            onChunk(chunk);
    };

    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, take);
    QObject::connect(
        &process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, [&] {
            run.finished = true;
            loop.quit();
        });

    ToolProcess::startExtractor(&process, command);
    timeout.start(timeoutMs);
    if (!run.finished)
        loop.exec();
    take();
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    process.disconnect();
    return run;
}

bool analyseTask(ItemInfo *task)
{
    const ExtractorRun run
        = runExtractor("tool.exe -j " + safeLink(task->url) + analysisRunSuffix());
    VideoMetadata meta;
    if (!run.finished || parseVideoOutput(run.output, &meta) != ParseResult::Object)
        return false;
    task->title = meta.title;
    task->uploader = meta.uploader;
    task->namePrefix = meta.uploadDate;
    task->formats = meta.formats;
    task->bestaudio_id = bestAudioId(task->formats, task->bestaudio_id);
    return true;
}
