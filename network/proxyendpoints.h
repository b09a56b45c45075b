#pragma once

#include <QString>
#include <QUrl>

// The outside addresses proxy detection and the connectivity check use. The
// defaults are reachable on the real internet; QUILLON_PROBE_URL,
// QUILLON_PAC_TEST_URL and QUILLON_KEEPALIVE_URL in the environment replace
// them (tests point them at 127.0.0.1).
struct ProxyEndpoints
{
    QUrl probeUrl; // fetched through every proxy candidate, and directly
    QUrl pacTestUrl; // the URL a PAC script is asked about
    QString pacTestHost; // its host name, the second argument of FindProxyForURL
    QUrl keepaliveUrl; // small image fetched by the periodic connectivity check

    static ProxyEndpoints fromEnvironment();
};
