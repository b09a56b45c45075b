#include "network/pacfunctions.h"

#include <QRegularExpression>

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

bool isIpv4Text(const QString &text)
{
    // QHostAddress also takes "10" or "10.1" as IPv4; scripts mean four parts.
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    if (!dotted.match(text.trimmed()).hasMatch())
        return false;
    bool ok = false;
    QHostAddress(text.trimmed()).toIPv4Address(&ok);
    return ok;
}

quint32 ipv4Value(const QString &address)
{
    if (!isIpv4Text(address))
        return 0;
    return QHostAddress(address.trimmed()).toIPv4Address();
}

bool domainIs(const QString &host, const QString &domain)
{
    return host.endsWith(domain, Qt::CaseSensitive);
}

bool localHostOrDomainIs(const QString &host, const QString &fqdn)
{
    if (host == fqdn)
        return true;
    return !host.isEmpty() && !host.contains(QLatin1Char('.'))
        && fqdn.startsWith(host + QLatin1Char('.'));
}

int domainLevels(const QString &host)
{
    return host.count(QLatin1Char('.'));
}

bool inNet(const QString &address, const QString &pattern, const QString &mask)
{
    if (!isIpv4Text(address) || !isIpv4Text(pattern) || !isIpv4Text(mask))
        return false;
    const quint32 m = ipv4Value(mask);
    return (ipv4Value(address) & m) == (ipv4Value(pattern) & m);
}

QList<Interface> systemInterfaces()
{
    QList<Interface> list;
    const auto all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &netif : all) {
        Interface entry;
        entry.flags = netif.flags();
        const auto entries = netif.addressEntries();
        for (const QNetworkAddressEntry &address : entries)
            entry.addresses.append(address.ip());
        list.append(entry);
    }
    return list;
}

QString myAddress(const QList<Interface> &interfaces)
{
    const QHostAddress linkLocal(QStringLiteral("169.254.0.0"));
    for (const Interface &netif : interfaces) {
        const auto needed = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
        if ((netif.flags & needed) != needed || netif.flags & QNetworkInterface::IsLoopBack)
            continue;
        for (const QHostAddress &address : netif.addresses) {
            if (address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback()
                || address.isInSubnet(linkLocal, 16))
                continue;
            return address.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

} // namespace PacFunctions
