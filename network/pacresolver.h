#pragma once

#include <QHash>
#include <QString>

#include <functional>

// Name lookups for one proxy auto-config evaluation. Scripts ask about the
// same few names again and again, and a resolver that does not answer must
// not cost its wait more than once: every answer, a failure included, is
// kept for the life of this object.
class PacResolver
{
public:
    // Longest wait for one name; a script must not stall detection on a dead
    // resolver.
    static constexpr int DefaultTimeoutMs = 3000;

    explicit PacResolver(int timeoutMs = DefaultTimeoutMs);

    // The first IPv4 address of host as dotted text; an address is answered
    // as it is, without a lookup. Empty when the name does not resolve to an
    // IPv4 address within the wait, or when stop() turns true meanwhile (the
    // thread is asked to end, or the script was interrupted).
    QString ipv4Of(const QString &host, const std::function<bool()> &stop = {});

private:
    QString lookup(const QString &host, const std::function<bool()> &stop);

    int m_timeoutMs;
    QHash<QString, QString> m_answers;
};
