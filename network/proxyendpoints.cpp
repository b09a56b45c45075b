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
    e.probeUrl = fromEnv("QUILLON_PROBE_URL", "https://www.google.com/");
    e.pacTestUrl = fromEnv("QUILLON_PAC_TEST_URL", "http://www.google.com/");
    e.pacTestHost = e.pacTestUrl.host();
    e.keepaliveUrl = fromEnv("QUILLON_KEEPALIVE_URL", "https://www.google.com/favicon.ico");
    return e;
}
