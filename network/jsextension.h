#pragma once

#include "network/pacresolver.h"

#include <QDateTime>
#include <QJSValue>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>

// The standard functions that proxy auto-config scripts call, with the
// meaning browsers give them. PacParser makes every invokable method of this
// class a global function of its script engine; a method taking a
// QVariantList receives all the arguments of the call, however many.
class JSExtension : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit JSExtension(QObject *parent = nullptr);

    // The present moment for the calendar functions, in local time; by
    // default the system clock.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    Q_INVOKABLE QJSValue debug(const QString &str);
    Q_INVOKABLE QJSValue alert(const QString &str);

    Q_INVOKABLE QJSValue isPlainHostName(const QString &host);
    Q_INVOKABLE QJSValue dnsDomainIs(const QString &host, const QString &domain);
    Q_INVOKABLE QJSValue localHostOrDomainIs(const QString &host, const QString &hostdom);
    Q_INVOKABLE QJSValue dnsDomainLevels(const QString &host);
    Q_INVOKABLE QJSValue shExpMatch(const QString &str, const QString &shexp);

    Q_INVOKABLE QJSValue isResolvable(const QString &host);
    Q_INVOKABLE QJSValue dnsResolve(const QString &host);
    Q_INVOKABLE QJSValue isInNet(const QString &host, const QString &pattern, const QString &mask);
    Q_INVOKABLE QJSValue myIpAddress();

    Q_INVOKABLE QJSValue weekdayRange(const QVariantList &args);
    Q_INVOKABLE QJSValue dateRange(const QVariantList &args);
    Q_INVOKABLE QJSValue timeRange(const QVariantList &args);

private:
    QString resolve(const QString &host);

    Clock m_clock;
    PacResolver m_resolver;
};
