#include "network/proxydetector.h"

#include "base/httprequest.h"
#include "network/pacparser.h"
#include "network/proxycandidates.h"

#include <QDebug>
#include <QNetworkProxyFactory>

namespace {

QString typeText(QNetworkProxy::ProxyType type)
{
    return type == QNetworkProxy::HttpProxy ? QStringLiteral("HTTP") : QStringLiteral("SOCKS5");
}

} // namespace

QByteArray ProxyDetector::fetch(const QUrl &url, const std::optional<QNetworkProxy> &proxy,
    int timeoutMs, const std::function<bool()> &cancelled)
{
    HttpRequest::Options options;
    options.proxy = proxy;
    options.timeoutMs = timeoutMs;
    options.cancelled = cancelled;
    // The probe asks whether an answer comes at all, not whom it comes from.
    options.verifyPeer = false;
    options.tlsProtocol = QSsl::AnyProtocol;
    return HttpRequest::send(url, options).body;
}

ProxyDetector::ProxyDetector(
    const ProxyEndpoints &endpoints, Sources sources, std::function<bool()> cancelled)
    : m_endpoints(endpoints)
    , m_sources(std::move(sources))
    , m_cancelled(std::move(cancelled))
{ }

std::optional<ProxyDetector::Found> ProxyDetector::run(const Stored &stored, Policy policy)
{
    using StepFn = bool (ProxyDetector::*)();
    if (isCancelled())
        return std::nullopt;
    if (policy == Policy::DirectOnly) {
        // The user's choice: nothing to find out.
        m_steps.append(Step::Direct);
        report({QStringLiteral("127.0.0.1"), 0, QStringLiteral("HTTP")});
        return m_found;
    }
    if (policy != Policy::SystemOnly) {
        m_steps.append(Step::Stored);
        if (stepStored(stored) || policy == Policy::StoredOnly)
            return m_found;
    }

    const struct
    {
        Step step;
        StepFn fn;
    } chain[] = {
        {Step::System, &ProxyDetector::stepSystem},
        {Step::Pac, &ProxyDetector::stepPac},
        {Step::Direct, &ProxyDetector::stepDirect},
        {Step::PortScan, &ProxyDetector::stepPortScan},
    };
    for (const auto &link : chain) {
        if (isCancelled())
            return std::nullopt;
        if (policy == Policy::SystemOnly) {
            if (link.step == Step::PortScan)
                break;
            // Proxies the system named that did not answer are not bypassed.
            if (link.step == Step::Direct && (!m_attempts.isEmpty() || m_directNamed))
                break;
        }
        m_steps.append(link.step);
        if ((this->*link.fn)())
            return m_found;
    }
    return std::nullopt;
}

bool ProxyDetector::probeThroughProxy(
    const QUrl &url, const QString &host, QNetworkProxy::ProxyType type, int port)
{
    if (isCancelled())
        return false;
    m_attempts.append({host, port, typeText(type)});
    const QNetworkProxy proxy(type, host, static_cast<quint16>(port));
    if (fetch(url, proxy, ProbeTimeoutMs, m_cancelled).isEmpty())
        return false;
    report({host, port, typeText(type)});
    return true;
}

void ProxyDetector::report(const Found &found)
{
    m_found = found;
    if (m_reporter)
        m_reporter(found);
}

bool ProxyDetector::stepStored(const Stored &stored)
{
    if (stored.port <= 0)
        return false;
    return probeThroughProxy(m_endpoints.probeUrl, stored.ip, QNetworkProxy::HttpProxy, stored.port)
        || probeThroughProxy(
            m_endpoints.probeUrl, stored.ip, QNetworkProxy::Socks5Proxy, stored.port);
}

bool ProxyDetector::stepSystem()
{
    const QList<QNetworkProxy> proxies
        = m_sources.systemProxies ? m_sources.systemProxies() : QList<QNetworkProxy>();
    for (const QNetworkProxy &proxy : proxies) {
        if (proxy.type() != QNetworkProxy::HttpProxy && proxy.type() != QNetworkProxy::Socks5Proxy)
            continue;
        if (probeThroughProxy(m_endpoints.probeUrl, proxy.hostName(), proxy.type(), proxy.port()))
            return true;
    }
    return false;
}

bool ProxyDetector::stepPac()
{
    const QString pacUrl = m_sources.pacUrl ? m_sources.pacUrl() : QString();
    // Later requests without a proxy of their own follow the system settings.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    if (pacUrl.isEmpty())
        return false; // no script: its answer would be "DIRECT"

    const QString script
        = QString::fromLatin1(fetch(QUrl(pacUrl), std::nullopt, PacFetchTimeoutMs, m_cancelled));
    if (script.isEmpty() || isCancelled())
        return false;

    QString answer;
    {
        PacParser parser(nullptr, script);
        answer = parser.findProxyForUrl(m_endpoints.pacTestUrl.toString(), m_endpoints.pacTestHost);
    }
    qDebug() << "PAC answer:" << answer;
    // The entries are alternatives in order of preference: the first that
    // works is used.
    const QList<ProxyCandidates::PacEntry> entries = ProxyCandidates::pacEntries(answer);
    for (const ProxyCandidates::PacEntry &entry : entries) {
        if (entry.kind == ProxyCandidates::PacEntry::Direct) {
            m_directNamed = true;
            if (stepDirect())
                return true;
            continue;
        }
        const auto type = entry.kind == ProxyCandidates::PacEntry::Socks5
            ? QNetworkProxy::Socks5Proxy
            : QNetworkProxy::HttpProxy;
        if (probeThroughProxy(m_endpoints.probeUrl, entry.host, type, entry.port))
            return true;
    }
    return false;
}

bool ProxyDetector::stepDirect()
{
    if (m_directTried || isCancelled())
        return false;
    m_directTried = true;
    if (fetch(m_endpoints.probeUrl, std::nullopt, ProbeTimeoutMs, m_cancelled).isEmpty())
        return false;
    report({QStringLiteral("127.0.0.1"), 0, QStringLiteral("HTTP")});
    return true;
}

bool ProxyDetector::stepPortScan()
{
    const QStringList ports = m_sources.candidatePorts ? m_sources.candidatePorts() : QStringList();
    const QString host = QStringLiteral("127.0.0.1");
    for (auto type : {QNetworkProxy::HttpProxy, QNetworkProxy::Socks5Proxy}) {
        for (int i = ports.size() - 1; i >= 0; --i) {
            if (probeThroughProxy(m_endpoints.probeUrl, host, type, ports.at(i).toInt()))
                return true;
        }
    }
    return false;
}
