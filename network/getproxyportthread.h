#pragma once

#include "network/proxydetector.h"

#include <QMutex>
#include <QString>
#include <QThread>

// Works out the effective proxy off the GUI thread and reports it through the
// queued signal isDone. It only reads the settings file; the receiver of
// isDone publishes and stores the result on the GUI thread.
class GetProxyPortThread : public QThread
{
    Q_OBJECT

public:
    explicit GetProxyPortThread(QObject *parent = nullptr);
    // Asks a running detection to stop and waits for it; every wait inside a
    // run gives up within a fraction of a second when asked.
    ~GetProxyPortThread() override;

    int port() const;
    QString ip() const;
    QString type() const;
    void setPort(int port);

    // The settings file read in step 1; by default "setting.ini" in the
    // per-user application data folder.
    void setSettingsPath(const QString &path);
    QString settingsPath() const;

    // Replaces the platform inputs (system proxies, PAC address, local ports).
    void setSources(const ProxyDetector::Sources &sources);
    static ProxyDetector::Sources platformSources();

    // The steps a run takes for the stored mode of the proxy page (0 adaptive,
    // 1 none, 2 system, 3 custom). A custom mode without a usable port has
    // nothing to probe and runs the whole chain.
    static ProxyDetector::Policy policyFor(int mode, int storedPort);

signals:
    void isDone(QString ip, int port, QString type);

protected:
    void run() override;

private:
    mutable QMutex m_mutex;
    int m_port = -1;
    QString m_ip = QStringLiteral("127.0.0.1");
    QString m_type = QStringLiteral("HTTP");
    QString m_settingsPath;
    ProxyDetector::Sources m_sources;
};
