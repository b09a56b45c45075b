#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <atomic>

// One short child run for a question ("--version") off the GUI thread: ok with
// its merged output when it ended by itself within timeoutMs with exit code 0
// (any code with anyExitCode). stop, when it turns true, ends the wait and
// the child early, so a worker can be stopped at once.
struct BoundedRun
{
    bool ok = false;
    QByteArray output;
};

inline BoundedRun runBounded(const QString &program, const QStringList &arguments, int timeoutMs,
    const std::atomic_bool *stop, bool anyExitCode = false)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments, QIODevice::ReadOnly);
    constexpr int SliceMs = 100;
    for (int waited = 0; !process.waitForFinished(SliceMs); waited += SliceMs) {
        if (process.state() == QProcess::NotRunning || waited >= timeoutMs
            || (stop && stop->load())) {
            process.kill();
            process.waitForFinished(1000);
            return {};
        }
    }
    BoundedRun run;
    run.output = process.readAll();
    run.ok
        = process.exitStatus() == QProcess::NormalExit && (anyExitCode || process.exitCode() == 0);
    return run;
}
