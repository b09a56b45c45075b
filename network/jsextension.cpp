#include "network/jsextension.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

namespace PacFunctions {

bool wildcardMatch(const QString &text, const QString &pattern)
{
    QString rx;
    rx.reserve(pattern.size() * 2 + 4);
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('*')) {
            rx += QStringLiteral(".*");
        } else if (c == QLatin1Char('?')) {
            rx += QLatin1Char('.');
        } else if (c == QLatin1Char('[')) {
            const int close = pattern.indexOf(QLatin1Char(']'), i + 2);
            if (close < 0) {
                rx += QStringLiteral("\\[");
                continue;
            }
            QString set = pattern.mid(i + 1, close - i - 1);
            bool negated = false;
            if (set.startsWith(QLatin1Char('!')) || set.startsWith(QLatin1Char('^'))) {
                negated = true;
                set.remove(0, 1);
            }
            set.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
            set.replace(QLatin1Char('['), QStringLiteral("\\["));
            rx += QLatin1Char('[') + (negated ? QStringLiteral("^") : QString()) + set
                + QLatin1Char(']');
            i = close;
        } else {
            rx += QRegularExpression::escape(QString(c));
        }
    }
    const QRegularExpression re(
        QRegularExpression::anchoredPattern(rx), QRegularExpression::DotMatchesEverythingOption);
    return re.isValid() && re.match(text).hasMatch();
}

quint32 ipv4Value(const QString &address)
{
    const QHostAddress parsed(address.trimmed());
    bool ok = false;
    const quint32 value = parsed.toIPv4Address(&ok);
    return ok ? value : 0;
}

} // namespace PacFunctions

JSExtension::JSExtension(QObject *parent)
    : QObject(parent)
{ }

QJSValue JSExtension::debug(const QString &str)
{
    qDebug() << "PAC:" << str;
    return QJSValue();
}

QJSValue JSExtension::myIpAddress()
{
    const auto addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address != QHostAddress(QHostAddress::LocalHost)
            && address != QHostAddress(QHostAddress::LocalHostIPv6))
            return QJSValue(address.toString());
    }
    return QJSValue();
}

QJSValue JSExtension::isInNet(const QString &arg0, const QString &arg1, const QString &arg2)
{
    const quint32 host = PacFunctions::ipv4Value(arg0);
    const quint32 pattern = PacFunctions::ipv4Value(arg1);
    const quint32 mask = PacFunctions::ipv4Value(arg2);
    return QJSValue((pattern & mask) == (host & mask));
}

QJSValue JSExtension::shExpMatch(const QString &arg0, const QString &arg1)
{
    return QJSValue(PacFunctions::wildcardMatch(arg0, arg1));
}

QJSValue JSExtension::dnsResolve(const QString &arg0)
{
    // The lookup runs in Qt's resolver pool; this thread waits for it, but no
    // longer than DnsTimeoutMs and not past a request to stop the thread.
    QEventLoop loop;
    QHostInfo answer;
    bool answered = false;
    const int id = QHostInfo::lookupHost(arg0, &loop, [&](const QHostInfo &info) {
        answer = info;
        answered = true;
        loop.quit();
    });
    if (!answered) {
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer poll;
        QThread *self = QThread::currentThread();
        connect(&poll, &QTimer::timeout, &loop, [&] {
            if (self->isInterruptionRequested())
                loop.quit();
        });
        deadline.start(DnsTimeoutMs);
        poll.start(50);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!answered) {
        QHostInfo::abortHostLookup(id);
        return QJSValue(QJSValue::NullValue);
    }
    if (answer.error() != QHostInfo::NoError || answer.addresses().isEmpty())
        return QJSValue(QJSValue::NullValue);
    return QJSValue(answer.addresses().first().toString());
}

QJSValue JSExtension::isPlainHostName(const QString &host)
{
    return QJSValue(!host.contains(QLatin1Char('.')));
}

QJSValue JSExtension::dnsDomainIs(const QString &host, const QString &target)
{
    return QJSValue(host.contains(target));
}

QJSValue JSExtension::isResolvable(const QString &host)
{
    Q_UNUSED(host)
    return QJSValue(true);
}
