#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Text rules of proxy detection, free of any network or platform access.
namespace ProxyCandidates {

struct PacEntry
{
    enum Kind
    {
        Direct,
        Http,
        Socks5
    };
    Kind kind = Direct;
    QString host;
    int port = 0;
};

// The ways to connect that a FindProxyForURL answer names, in its order. The
// answer is split at ";"; each entry is a keyword, case ignored, and for a
// proxy "host[:port]" after blanks: "DIRECT"; "PROXY" or "HTTP" (port 80 when
// none is given); "HTTPS" (443), tried as an HTTP proxy, the only kind of
// web proxy the program can use; "SOCKS" or "SOCKS5" (1080). Entries with
// another keyword, a missing host or a port outside 1..65535 are left out.
QList<PacEntry> pacEntries(const QString &answer);

// Local addresses ("0.0.0.0:7890", "127.0.0.1:10809", ...) reduced to the
// ports of those on 0.0.0.0 or 127.0.0.1, each port once, in first-seen order.
QStringList portsFromLocalAddresses(const QStringList &addresses);

// The local-address column (second field) of "netstat -ano" lines.
QStringList netstatLocalAddresses(const QString &output);

// Listening sockets of a /proc/net/tcp or /proc/net/tcp6 table, written as
// "0.0.0.0:port" or "127.0.0.1:port" for the wildcard and loopback addresses
// (IPv6 "::" and the IPv4-mapped forms count as those); other addresses and
// sockets that do not listen are left out. Table order is kept.
QStringList procNetTcpListening(const QString &table);

// Keeps only the ports named in allowed (comma or blank separated), for
// restricting the local scan; order of candidates is kept.
QStringList restrictPorts(const QStringList &candidates, const QString &allowed);

} // namespace ProxyCandidates
