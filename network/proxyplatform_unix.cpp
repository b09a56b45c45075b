#include "network/proxyplatform.h"

#include "network/proxycandidates.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace ProxyPlatform {

namespace {

constexpr int GsettingsTimeoutMs = 3000;

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(file.readAll());
}

QString gsettings(const QString &program, const QString &key)
{
    QProcess process;
    process.start(program, {QStringLiteral("get"), QStringLiteral("org.gnome.system.proxy"), key});
    if (!process.waitForFinished(GsettingsTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

QString pacUrl()
{
    const QString fromEnvironment = qEnvironmentVariable("auto_proxy").trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;

    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (!program.isEmpty()) {
        const QString mode = gsettings(program, QStringLiteral("mode"));
        if (!mode.isEmpty()) {
            const QString url
                = pacUrlFromGsettings(mode, gsettings(program, QStringLiteral("autoconfig-url")));
            if (!url.isEmpty())
                return url;
        }
    }

    const QString kde = QStandardPaths::locate(
        QStandardPaths::GenericConfigLocation, QStringLiteral("kioslaverc"));
    return kde.isEmpty() ? QString() : pacUrlFromKioslaverc(readFile(kde));
}

QStringList listeningAddresses(const std::function<bool()> &cancelled)
{
    Q_UNUSED(cancelled) // reading /proc does not wait
    return ProxyCandidates::procNetTcpListening(readFile(QStringLiteral("/proc/net/tcp")))
        + ProxyCandidates::procNetTcpListening(readFile(QStringLiteral("/proc/net/tcp6")));
}

} // namespace ProxyPlatform
