#include "network/getproxyportthread.h"

#include "base/settingsstore.h"
#include "network/proxyplatform.h"

#include <QMutexLocker>
#include <QStandardPaths>

GetProxyPortThread::GetProxyPortThread(QObject *parent)
    : QThread(parent)
    , m_settingsPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
          + QStringLiteral("/setting.ini"))
    , m_sources(platformSources())
{ }

GetProxyPortThread::~GetProxyPortThread()
{
    requestInterruption();
    wait();
}

ProxyDetector::Sources GetProxyPortThread::platformSources()
{
    ProxyDetector::Sources sources;
    sources.systemProxies = [] { return ProxyPlatform::systemProxies(); };
    sources.pacUrl = [] { return ProxyPlatform::pacUrl(); };
    sources.candidatePorts = [] {
        QThread *self = QThread::currentThread();
        return ProxyPlatform::scanCandidates([self] { return self->isInterruptionRequested(); });
    };
    return sources;
}

int GetProxyPortThread::port() const
{
    QMutexLocker lock(&m_mutex);
    return m_port;
}

QString GetProxyPortThread::ip() const
{
    QMutexLocker lock(&m_mutex);
    return m_ip;
}

QString GetProxyPortThread::type() const
{
    QMutexLocker lock(&m_mutex);
    return m_type;
}

void GetProxyPortThread::setPort(int port)
{
    QMutexLocker lock(&m_mutex);
    m_port = port;
}

void GetProxyPortThread::setSettingsPath(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_settingsPath = path;
}

QString GetProxyPortThread::settingsPath() const
{
    QMutexLocker lock(&m_mutex);
    return m_settingsPath;
}

void GetProxyPortThread::setSources(const ProxyDetector::Sources &sources)
{
    QMutexLocker lock(&m_mutex);
    m_sources = sources;
}

ProxyDetector::Policy GetProxyPortThread::policyFor(int mode, int storedPort)
{
    switch (mode) {
    case 1:
        return ProxyDetector::Policy::DirectOnly;
    case 2:
        return ProxyDetector::Policy::SystemOnly;
    case 3:
        return storedPort > 0 ? ProxyDetector::Policy::StoredOnly : ProxyDetector::Policy::Adaptive;
    default:
        return ProxyDetector::Policy::Adaptive;
    }
}

void GetProxyPortThread::run()
{
    ProxyDetector::Sources sources;
    ProxyDetector::Stored stored;
    ProxyDetector::Policy policy;
    {
        QMutexLocker lock(&m_mutex);
        sources = m_sources;
        const SettingsStore::StoredProxy saved = SettingsStore::loadProxy(m_settingsPath);
        m_port = saved.port.toInt();
        m_ip = saved.ipaddr;
        m_type = saved.type;
        // A port saved without its host is one of this machine, as the proxy
        // page shows it.
        stored = {m_ip.isEmpty() ? QStringLiteral("127.0.0.1") : m_ip, m_port, m_type};
        policy = policyFor(saved.customer, m_port);
    }

    ProxyDetector detector(
        ProxyEndpoints::fromEnvironment(), sources, [this] { return isInterruptionRequested(); });
    detector.setReporter([this](const ProxyDetector::Found &found) {
        {
            QMutexLocker lock(&m_mutex);
            m_ip = found.host;
            m_port = found.port;
            m_type = found.type;
        }
        emit isDone(found.host, found.port, found.type);
    });
    detector.run(stored, policy);
}
