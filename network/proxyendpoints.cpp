#include "network/proxyendpoints.h"

#include <QtGlobal>

namespace {

QUrl fromEnv(const char *name, const char *fallback)
{
    const QString value = qEnvironmentVariable(name);
    return QUrl(value.isEmpty() ? QString::fromLatin1(fallback) : value);
}

} // namespace

ProxyEndpoints ProxyEndpoints::fromEnvironment()
{
    ProxyEndpoints e;
    // A large, reliably reachable public site that networks needing a proxy
    // usually cannot reach directly.
    e.probeUrl = fromEnv("QUILLON_PROBE_URL", "https://www.wikipedia.org/");
    e.pacTestUrl = fromEnv("QUILLON_PAC_TEST_URL", "http://www.wikipedia.org/");
    e.pacTestHost = e.pacTestUrl.host();
    e.keepaliveUrl = fromEnv(
        "QUILLON_KEEPALIVE_URL", "https://www.wikipedia.org/static/favicon/wikipedia.ico");
    return e;
}
