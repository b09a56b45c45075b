#include "network/proxycandidates.h"

#include <QRegularExpression>

namespace ProxyCandidates {

namespace {

bool validPort(const QString &text, int *port)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return false;
    *port = value;
    return true;
}

// /proc tables print addresses as the bytes of the in-memory value in hex,
// 32-bit words in host order. On the little-endian machines this runs on,
// 127.0.0.1 reads "0100007F".
bool isWildcardOrLoopbackV4(const QString &hex)
{
    return hex == QLatin1String("00000000") || hex == QLatin1String("0100007F");
}

QString v4Text(const QString &hex)
{
    return hex == QLatin1String("00000000") ? QStringLiteral("0.0.0.0")
                                            : QStringLiteral("127.0.0.1");
}

} // namespace

QList<PacEntry> pacEntries(const QString &answer)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QList<PacEntry> entries;
    const QStringList parts = answer.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const QStringList words = part.trimmed().split(blanks, Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const QString keyword = words.first().toUpper();
        PacEntry entry;
        int defaultPort = 0;
        if (keyword == QLatin1String("DIRECT")) {
            if (words.size() == 1)
                entries.append(entry);
            continue;
        }
        if (keyword == QLatin1String("PROXY") || keyword == QLatin1String("HTTP")) {
            entry.kind = PacEntry::Http;
            defaultPort = 80;
        } else if (keyword == QLatin1String("HTTPS")) {
            entry.kind = PacEntry::Http;
            defaultPort = 443;
        } else if (keyword == QLatin1String("SOCKS") || keyword == QLatin1String("SOCKS5")) {
            entry.kind = PacEntry::Socks5;
            defaultPort = 1080;
        } else {
            continue;
        }
        if (words.size() != 2)
            continue;
        // "host", "host:port", "[v6]" or "[v6]:port".
        const QString where = words.at(1);
        QString portText;
        bool hasPort = false;
        if (where.startsWith(QLatin1Char('['))) {
            const int close = where.indexOf(QLatin1Char(']'));
            const QString rest = close < 0 ? QString() : where.mid(close + 1);
            if (close < 0 || (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))))
                continue;
            entry.host = where.mid(1, close - 1);
            hasPort = !rest.isEmpty();
            portText = rest.mid(1);
        } else {
            const QStringList hostPort = where.split(QLatin1Char(':'));
            if (hostPort.size() > 2)
                continue;
            entry.host = hostPort.first();
            hasPort = hostPort.size() == 2;
            portText = hostPort.value(1);
        }
        entry.port = defaultPort;
        if (entry.host.isEmpty() || (hasPort && !validPort(portText, &entry.port)))
            continue;
        entries.append(entry);
    }
    return entries;
}

QStringList portsFromLocalAddresses(const QStringList &addresses)
{
    QStringList ports;
    for (const QString &address : addresses) {
        QString port;
        if (address.contains(QLatin1String("0.0.0.0")))
            port = QString(address).remove(QStringLiteral("0.0.0.0:"));
        else if (address.contains(QLatin1String("127.0.0.1")))
            port = QString(address).remove(QStringLiteral("127.0.0.1:"));
        else
            continue;
        int value = 0;
        if (!validPort(port, &value))
            continue;
        if (!ports.contains(port))
            ports.append(port);
    }
    return ports;
}

QStringList netstatLocalAddresses(const QString &output)
{
    QStringList addresses;
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList fields = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() >= 2)
            addresses.append(fields.at(1));
    }
    return addresses;
}

QStringList procNetTcpListening(const QString &table)
{
    static const QString listenState = QStringLiteral("0A");
    QStringList addresses;
    const QStringList lines = table.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        // "sl local_address rem_address st ...": the header has no ':' in field 0.
        if (fields.size() < 4 || !fields.at(0).endsWith(QLatin1Char(':')))
            continue;
        if (fields.at(3).toUpper() != listenState)
            continue;
        const QStringList local = fields.at(1).split(QLatin1Char(':'));
        if (local.size() != 2)
            continue;
        bool ok = false;
        const int port = local.at(1).toInt(&ok, 16);
        if (!ok || port < 1)
            continue;
        const QString ip = local.at(0).toUpper();
        QString text;
        if (ip.size() == 8) {
            if (!isWildcardOrLoopbackV4(ip))
                continue;
            text = v4Text(ip);
        } else if (ip.size() == 32) {
            // "::" listens on every address, IPv4 included on a dual-stack
            // socket; "::ffff:a.b.c.d" is an IPv4-mapped address.
            if (ip == QString(32, QLatin1Char('0'))) {
                text = QStringLiteral("0.0.0.0");
            } else if (ip.startsWith(QLatin1String("0000000000000000FFFF0000"))
                && isWildcardOrLoopbackV4(ip.right(8))) {
                text = v4Text(ip.right(8));
            } else {
                continue;
            }
        } else {
            continue;
        }
        addresses.append(text + QLatin1Char(':') + QString::number(port));
    }
    return addresses;
}

QStringList restrictPorts(const QStringList &candidates, const QString &allowed)
{
    const QStringList list
        = allowed.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    QStringList kept;
    for (const QString &port : candidates) {
        if (list.contains(port))
            kept.append(port);
    }
    return kept;
}

} // namespace ProxyCandidates
