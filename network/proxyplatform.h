#pragma once

#include <QList>
#include <QNetworkProxy>
#include <QString>
#include <QStringList>

#include <functional>

// What the operating system says about proxies: its proxy list, its proxy
// auto-config address and the local ports that listen. The reading is
// platform code (proxyplatform_unix.cpp / proxyplatform_win.cpp); the text
// rules live in proxycandidates.h and below, so they can be tested anywhere.
namespace ProxyPlatform {

// HTTP and SOCKS5 entries of the system proxy factory for an empty query.
QList<QNetworkProxy> systemProxies();

// The proxy auto-config address, empty when there is none.
// Windows: "AutoConfigURL" of the user's Internet Settings.
// Linux: the auto_proxy environment variable, else the desktop's proxy
// settings when they are in automatic mode.
QString pacUrl();

// Local addresses of listening TCP sockets ("0.0.0.0:7890", ...), in the order
// the system lists them. Windows: "netstat -ano |findstr 0.0.0.0:0". Linux:
// /proc/net/tcp then /proc/net/tcp6.
QStringList listeningAddresses(const std::function<bool()> &cancelled = {});

// Candidate proxy ports for the local scan: listeningAddresses() reduced by
// ProxyCandidates::portsFromLocalAddresses(). When QUILLON_SCAN_PORTS is set,
// only the ports it names are kept (an empty value keeps none).
QStringList scanCandidates(const std::function<bool()> &cancelled = {});

// Desktop settings rules (Linux): the PAC address from the output of
// "gsettings get org.gnome.system.proxy mode" and "... autoconfig-url"
// (only in mode 'auto'), and from a kioslaverc file's text (only with
// ProxyType=2).
QString pacUrlFromGsettings(const QString &modeOutput, const QString &urlOutput);
QString pacUrlFromKioslaverc(const QString &content);

} // namespace ProxyPlatform
