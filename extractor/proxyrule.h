#pragma once

#include <QString>

// The proxy option every extractor command carries: nothing for a port below
// 1 (no proxy known, or a direct connection), otherwise " --proxy socks5://"
// or " --proxy http://" followed by host, ":" and port.
QString proxyOption(const QString &host, int port, bool socks5);

// The same for the effective proxy in Global::PROXY_HOST / PROXY_PORT /
// PROXY_IS_SOCKS5.
QString currentProxyOption();
