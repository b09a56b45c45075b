#include "network/jsextension.h"

#include "network/pacfunctions.h"
#include "network/pactimeranges.h"

#include <QDebug>
#include <QJSEngine>
#include <QThread>

namespace {

QStringList texts(const QVariantList &args)
{
    QStringList list;
    for (const QVariant &arg : args)
        list.append(arg.toString());
    return list;
}

} // namespace

JSExtension::JSExtension(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTime(); })
{ }

QJSValue JSExtension::debug(const QString &str)
{
    qDebug() << "PAC:" << str;
    return QJSValue();
}

QJSValue JSExtension::alert(const QString &str)
{
    return debug(str);
}

QJSValue JSExtension::isPlainHostName(const QString &host)
{
    return QJSValue(!host.contains(QLatin1Char('.')));
}

QJSValue JSExtension::dnsDomainIs(const QString &host, const QString &domain)
{
    return QJSValue(PacFunctions::domainIs(host, domain));
}

QJSValue JSExtension::localHostOrDomainIs(const QString &host, const QString &hostdom)
{
    return QJSValue(PacFunctions::localHostOrDomainIs(host, hostdom));
}

QJSValue JSExtension::dnsDomainLevels(const QString &host)
{
    return QJSValue(PacFunctions::domainLevels(host));
}

QJSValue JSExtension::shExpMatch(const QString &str, const QString &shexp)
{
    return QJSValue(PacFunctions::wildcardMatch(str, shexp));
}

QString JSExtension::resolve(const QString &host)
{
    // A lookup gives up when the detection is asked to end or the script ran
    // out of its time, so the watchdog's bound holds during lookups too.
    QJSEngine *engine = qjsEngine(this);
    QThread *self = QThread::currentThread();
    return m_resolver.ipv4Of(host, [engine, self] {
        return self->isInterruptionRequested() || (engine && engine->isInterrupted());
    });
}

QJSValue JSExtension::isResolvable(const QString &host)
{
    return QJSValue(!resolve(host).isEmpty());
}

QJSValue JSExtension::dnsResolve(const QString &host)
{
    const QString address = resolve(host);
    return address.isEmpty() ? QJSValue(QJSValue::NullValue) : QJSValue(address);
}

QJSValue JSExtension::isInNet(const QString &host, const QString &pattern, const QString &mask)
{
    // A pattern or mask that is no address makes a lookup of host pointless.
    if (!PacFunctions::isIpv4Text(pattern) || !PacFunctions::isIpv4Text(mask))
        return QJSValue(false);
    return QJSValue(PacFunctions::inNet(resolve(host), pattern, mask));
}

QJSValue JSExtension::myIpAddress()
{
    return QJSValue(PacFunctions::myAddress(PacFunctions::systemInterfaces()));
}

QJSValue JSExtension::weekdayRange(const QVariantList &args)
{
    return QJSValue(PacTimeRanges::weekdayRange(texts(args), m_clock()));
}

QJSValue JSExtension::dateRange(const QVariantList &args)
{
    return QJSValue(PacTimeRanges::dateRange(texts(args), m_clock()));
}

QJSValue JSExtension::timeRange(const QVariantList &args)
{
    return QJSValue(PacTimeRanges::timeRange(texts(args), m_clock()));
}
