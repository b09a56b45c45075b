#include "network/proxyplatform.h"

#include "network/proxycandidates.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>

namespace ProxyPlatform {

namespace {

constexpr int NetstatStartMs = 30000;
constexpr int NetstatFinishMs = 30000;

// Waits for the process in slices, so that a request to stop the detection
// thread is heard. Gives up at once when the process is not (or no longer)
// running.
bool waitSliced(
    QProcess &process, bool forStart, int totalMs, const std::function<bool()> &cancelled)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < totalMs) {
        if (forStart ? process.waitForStarted(100) : process.waitForFinished(100))
            return true;
        if (process.state() == QProcess::NotRunning)
            return !forStart;
        if (cancelled && cancelled())
            return false;
    }
    return false;
}

} // namespace

QString pacUrl()
{
    QSettings internetSettings(
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"),
        QSettings::NativeFormat);
    return internetSettings.value(QStringLiteral("AutoConfigURL")).toString();
}

QStringList listeningAddresses(const std::function<bool()> &cancelled)
{
    QProcess process;
    process.start(QStringLiteral("cmd"),
        {QStringLiteral("/c"), QStringLiteral("netstat -ano |findstr 0.0.0.0:0")});
    if (waitSliced(process, true, NetstatStartMs, cancelled))
        waitSliced(process, false, NetstatFinishMs, cancelled);
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    return ProxyCandidates::netstatLocalAddresses(output);
}

} // namespace ProxyPlatform
