#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>

// The standard functions that proxy auto-config scripts call. PacParser makes
// every invokable method of this class a global function of its script
// engine; nothing else of the usual set exists there.
class JSExtension : public QObject
{
    Q_OBJECT

public:
    explicit JSExtension(QObject *parent = nullptr);

    // Longest time dnsResolve waits for an answer before it reports the name
    // as unresolvable; a script must not stall detection on a dead resolver.
    static constexpr int DnsTimeoutMs = 3000;

    Q_INVOKABLE QJSValue debug(const QString &str);
    Q_INVOKABLE QJSValue myIpAddress();
    Q_INVOKABLE QJSValue isInNet(const QString &arg0, const QString &arg1, const QString &arg2);
    Q_INVOKABLE QJSValue shExpMatch(const QString &arg0, const QString &arg1);
    Q_INVOKABLE QJSValue dnsResolve(const QString &arg0);
    Q_INVOKABLE QJSValue isPlainHostName(const QString &host);
    Q_INVOKABLE QJSValue dnsDomainIs(const QString &host, const QString &target);
    Q_INVOKABLE QJSValue isResolvable(const QString &host);
};

namespace PacFunctions {

// Whole-string, case-sensitive wildcard match: "*" any run of characters
// (slashes included), "?" one character, "[...]" a set ("[!...]" negated).
bool wildcardMatch(const QString &text, const QString &pattern);

// 32-bit IPv4 value of a numeric address; 0 for anything else, host names
// included (no lookup is made).
quint32 ipv4Value(const QString &address);

} // namespace PacFunctions
