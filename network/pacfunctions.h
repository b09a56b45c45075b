#pragma once

#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QString>

// The rules behind the host-name functions of proxy auto-config scripts,
// free of the script engine and of name lookups, with the meaning browsers
// give them.
namespace PacFunctions {

// Whole-string, case-sensitive wildcard match: "*" any run of characters
// (slashes included), "?" one character, "[...]" a set ("[!...]" negated).
bool wildcardMatch(const QString &text, const QString &pattern);

// True when text is a dotted IPv4 address such as "10.1.2.3".
bool isIpv4Text(const QString &text);

// 32-bit value of a dotted IPv4 address; 0 for anything else.
quint32 ipv4Value(const QString &address);

// True when host ends with domain ("www.example.com" is in ".example.com",
// "evil-example.com" is not). Case-sensitive.
bool domainIs(const QString &host, const QString &domain);

// True when host equals fqdn, or host is unqualified and names fqdn's first
// label ("www" for "www.example.com").
bool localHostOrDomainIs(const QString &host, const QString &fqdn);

// Number of dots in host.
int domainLevels(const QString &host);

// pattern and mask must be dotted IPv4 addresses; address is the host's
// IPv4 address. False when either is not an address.
bool inNet(const QString &address, const QString &pattern, const QString &mask);

// One network interface as seen by myIpAddress.
struct Interface
{
    QNetworkInterface::InterfaceFlags flags;
    QList<QHostAddress> addresses;
};

QList<Interface> systemInterfaces();

// The address a script means by "this machine": the first IPv4 address of an
// interface that is up and running and not the loopback, link-local
// addresses (169.254/16, which no other network routes to) left out;
// "127.0.0.1" when there is none, so that scripts comparing it still get an
// address and not a name to look up.
QString myAddress(const QList<Interface> &interfaces);

} // namespace PacFunctions
