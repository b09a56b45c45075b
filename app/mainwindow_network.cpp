#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/netfetch.h"
#include "network/proxyendpoints.h"

#include <QDateTime>
#include <QDebug>
#include <QEventLoop>
#include <QIntValidator>

// Wiring of proxy detection and the connectivity check.

namespace {

constexpr int KeepaliveTimeoutMs = 10000;
constexpr int KeepaliveFailuresBeforeRedetect = 3;

} // namespace

void MainWindow::waitBeforeProxyDetection()
{
    // Give the window a moment before the network is probed; events are
    // served meanwhile.
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
}

void MainWindow::createProxyDetection()
{
    m_proxyThread = new GetProxyPortThread(this);
    m_proxyThread->setSettingsPath(settingsPath);
    connect(m_proxyThread, &GetProxyPortThread::isDone, this, &MainWindow::recv_proxy_port);

    ui->groupBox->setStyleSheet(QStringLiteral("QGroupBox{border:none}"));
    ui->groupBox->hide();
    ui->lineEdit_2->setValidator(new QIntValidator(0, 65535, ui->lineEdit_2));
}

void MainWindow::stopProxyWork()
{
    if (m_proxyTestProcess) {
        m_proxyTestProcess->disconnect(this);
        delete m_proxyTestProcess;
        m_proxyTestProcess = nullptr;
    }
    // Ends a running detection before the window it reports to goes away.
    delete m_proxyThread;
    m_proxyThread = nullptr;
}

// Starts a detection run two seconds from now, unless one is running.
void MainWindow::startProxyDetection()
{
    waitBeforeProxyDetection();
    if (m_proxyThread && !m_proxyThread->isRunning())
        m_proxyThread->start(QThread::InheritPriority);
}

void MainWindow::recv_proxy_port(QString ipaddr, int port, QString type)
{
    Global::PROXY_PORT = port;
    Global::PROXY_HOST = ipaddr;
    Global::PROXY_IS_SOCKS5 = type != QLatin1String("HTTP");
    if (port != -1) {
        showNetworkAvailable();
        SettingsStore::saveDetectedProxy(settingsPath, ipaddr, port, Global::PROXY_IS_SOCKS5);
    } else {
        showNetworkTesting();
        startProxyDetection();
    }
}

// Connectivity check, every 20 s.
void MainWindow::m_keepalive_sec()
{
    if (Global::PROXY_PORT < 0) {
        // Nothing known yet. A run that found nothing (say, the network was
        // down at start-up) must not leave links refused until a restart.
        if (m_proxyThread && !m_proxyThread->isRunning())
            startProxyDetection();
        return;
    }
    if (m_keepaliveBusy)
        return;

    std::optional<QNetworkProxy> proxy;
    if (Global::PROXY_PORT != 0) {
        // Through the proxy every command uses, of the type it was found as.
        proxy = QNetworkProxy(
            Global::PROXY_IS_SOCKS5 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy,
            Global::PROXY_HOST, static_cast<quint16>(Global::PROXY_PORT));
    }
    m_keepaliveBusy = true;
    const QByteArray data
        = NetFetch::get(ProxyEndpoints::fromEnvironment().keepaliveUrl, proxy, KeepaliveTimeoutMs);
    m_keepaliveBusy = false;

    if (!data.isEmpty()) {
        m_keepaliveFailures = 0;
        showNetworkAvailable();
    } else if (++m_keepaliveFailures >= KeepaliveFailuresBeforeRedetect) {
        m_keepaliveFailures = 0;
        showNetworkTesting();
        startProxyDetection();
    } else {
        showNetworkAvailable();
    }
    qDebug() << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss dddd"));
}
