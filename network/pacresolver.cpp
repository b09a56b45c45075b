#include "network/pacresolver.h"

#include "network/pacfunctions.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

PacResolver::PacResolver(int timeoutMs)
    : m_timeoutMs(timeoutMs)
{ }

QString PacResolver::ipv4Of(const QString &host, const std::function<bool()> &stop)
{
    const QString name = host.trimmed();
    if (PacFunctions::isIpv4Text(name))
        return name;
    const auto known = m_answers.constFind(name.toLower());
    if (known != m_answers.constEnd())
        return *known;
    const QString answer = lookup(name, stop);
    m_answers.insert(name.toLower(), answer);
    return answer;
}

QString PacResolver::lookup(const QString &host, const std::function<bool()> &stop)
{
    if (host.isEmpty())
        return QString();
    // The lookup runs in Qt's resolver pool; this thread waits for it, but no
    // longer than the timeout and not past a request to stop.
    QEventLoop loop;
    QHostInfo answer;
    bool answered = false;
    const int id = QHostInfo::lookupHost(host, &loop, [&](const QHostInfo &info) {
        answer = info;
        answered = true;
        loop.quit();
    });
    if (!answered) {
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (stop && stop())
                loop.quit();
        });
        deadline.start(m_timeoutMs);
        poll.start(50);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!answered) {
        QHostInfo::abortHostLookup(id);
        return QString();
    }
    if (answer.error() != QHostInfo::NoError)
        return QString();
    const auto addresses = answer.addresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QString();
}
