#pragma once

#include "network/proxyendpoints.h"

#include <QList>
#include <QNetworkProxy>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The proxy detection chain, free of threads and widgets: stored proxy,
// system proxies, proxy auto-config, direct connection, local port scan. The
// first step that gets an answer from the probe address ends the run. Which
// steps run follows the user's choice of proxy (Policy).
// GetProxyPortThread runs it on its worker thread; tests call it directly.
class ProxyDetector
{
public:
    enum class Policy
    {
        Adaptive, // the whole chain
        DirectOnly, // a direct connection, without probing anything
        SystemOnly, // the system's proxies and its auto-config script only
        StoredOnly // the stored proxy only
    };

    enum class Step
    {
        Stored,
        System,
        Pac,
        Direct,
        PortScan
    };

    struct Found
    {
        QString host;
        int port = -1;
        QString type; // "HTTP" or "SOCKS5"
    };

    // One probe made, in order, for tracing.
    struct Attempt
    {
        QString host;
        int port = 0;
        QString type;
    };

    // Where the platform-dependent steps get their input.
    struct Sources
    {
        std::function<QList<QNetworkProxy>()> systemProxies;
        std::function<QString()> pacUrl;
        std::function<QStringList()> candidatePorts; // first-seen order
    };

    struct Stored
    {
        QString ip;
        int port = 0; // 0 when nothing usable is stored
        QString type;
    };

    static constexpr int ProbeTimeoutMs = 4000;
    static constexpr int PacFetchTimeoutMs = 10000;

    ProxyDetector(
        const ProxyEndpoints &endpoints, Sources sources, std::function<bool()> cancelled = {});

    // Called with each proxy found, on the calling thread, before run()
    // returns.
    void setReporter(std::function<void(const Found &)> reporter)
    {
        m_reporter = std::move(reporter);
    }

    // Runs the steps of policy; nothing when every step failed or the run was
    // cancelled. SystemOnly reports a direct connection when the system names
    // no proxy at all (none set, no script, or a script without a proxy
    // answer), as a browser following the system settings connects then.
    std::optional<Found> run(const Stored &stored, Policy policy = Policy::Adaptive);

    // The GET of every probe and of the connectivity check: the reply body,
    // or nothing when the request failed (no answer within timeoutMs, a
    // network or proxy error, an HTTP error status). TLS certificates are not
    // checked. proxy: none means the process-wide configuration; cancelled is
    // polled while waiting.
    static QByteArray fetch(const QUrl &url, const std::optional<QNetworkProxy> &proxy,
        int timeoutMs, const std::function<bool()> &cancelled = {});

    // A GET of url through the given proxy, bounded by ProbeTimeoutMs; on an
    // answer the proxy is reported and true returned.
    bool probeThroughProxy(
        const QUrl &url, const QString &host, QNetworkProxy::ProxyType type, int port);

    QList<Step> steps() const { return m_steps; }
    QList<Attempt> attempts() const { return m_attempts; }

private:
    bool stepStored(const Stored &stored);
    bool stepSystem();
    bool stepPac();
    bool stepDirect();
    bool stepPortScan();
    bool isCancelled() const { return m_cancelled && m_cancelled(); }
    void report(const Found &found);

    ProxyEndpoints m_endpoints;
    Sources m_sources;
    std::function<bool()> m_cancelled;
    std::function<void(const Found &)> m_reporter;
    std::optional<Found> m_found;
    QList<Step> m_steps;
    QList<Attempt> m_attempts;
    bool m_directTried = false; // a failed direct fetch is not repeated
    bool m_directNamed = false; // the auto-config answer allowed DIRECT
};
