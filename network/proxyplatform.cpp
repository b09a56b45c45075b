#include "network/proxyplatform.h"

#include "network/proxycandidates.h"

#include <QNetworkProxyFactory>

namespace ProxyPlatform {

namespace {

QString unquoted(const QString &text)
{
    QString t = text.trimmed();
    if (t.size() >= 2 && (t.startsWith(QLatin1Char('\'')) || t.startsWith(QLatin1Char('"')))
        && t.endsWith(t.at(0)))
        t = t.mid(1, t.size() - 2);
    return t.trimmed();
}

} // namespace

QList<QNetworkProxy> systemProxies()
{
    QList<QNetworkProxy> proxies;
    const auto all = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery());
    for (const QNetworkProxy &proxy : all) {
        if (proxy.type() == QNetworkProxy::HttpProxy || proxy.type() == QNetworkProxy::Socks5Proxy)
            proxies.append(proxy);
    }
    return proxies;
}

QStringList scanCandidates(const std::function<bool()> &cancelled)
{
    QStringList ports = ProxyCandidates::portsFromLocalAddresses(listeningAddresses(cancelled));
    if (qEnvironmentVariableIsSet("QUILLON_SCAN_PORTS"))
        ports = ProxyCandidates::restrictPorts(ports, qEnvironmentVariable("QUILLON_SCAN_PORTS"));
    return ports;
}

QString pacUrlFromGsettings(const QString &modeOutput, const QString &urlOutput)
{
    if (unquoted(modeOutput) != QLatin1String("auto"))
        return QString();
    return unquoted(urlOutput);
}

QString pacUrlFromKioslaverc(const QString &content)
{
    bool inProxySection = false;
    QString type;
    QString script;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inProxySection = line == QLatin1String("[Proxy Settings]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!inProxySection || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("ProxyType"))
            type = value;
        else if (key == QLatin1String("Proxy Config Script"))
            script = value;
    }
    return type == QLatin1String("2") ? script : QString();
}

} // namespace ProxyPlatform
