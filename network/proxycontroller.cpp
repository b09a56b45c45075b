#include "network/proxycontroller.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "extractor/toolprocess.h"
#include "network/getproxyportthread.h"
#include "network/proxydetector.h"
#include "network/proxyendpoints.h"
#include "network/proxytestcommand.h"

#include <QDateTime>
#include <QDebug>
#include <QEventLoop>
#include <QProcess>
#include <QSettings>
#include <QTimer>

namespace {

// Kills a process that may still run and frees it once it has ended, without
// waiting here.
void endProcessLater(QProcess *process)
{
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
        process, &QObject::deleteLater);
    process->kill();
}

} // namespace

ProxyController::ProxyController(const QString &settingsPath, QObject *parent)
    : QObject(parent)
    , m_settingsPath(settingsPath)
{
    m_thread = newThread();
}

// One thread object per run that may be dropped: results of a dropped run
// arrive from an object that is no longer the current one and are ignored,
// so they never overwrite those of the run that replaced it.
GetProxyPortThread *ProxyController::newThread()
{
    auto *thread = new GetProxyPortThread(this);
    thread->setSettingsPath(m_settingsPath);
    connect(thread, &GetProxyPortThread::isDone, thread,
        [this, thread](const QString &host, int port, const QString &type) {
            if (thread != m_thread)
                return;
            m_runFound = true;
            if (m_runCustom) {
                m_customFound
                    = type + QLatin1Char(' ') + host + QLatin1Char(':') + QString::number(port);
            }
            publish(host, port, type);
        });
    connect(thread, &QThread::finished, thread, [this, thread] {
        if (thread == m_thread)
            runFinished();
    });
    return thread;
}

ProxyController::~ProxyController()
{
    stop();
}

void ProxyController::stop()
{
    m_stopped = true;
    if (m_testProcess) {
        m_testProcess->disconnect(this);
        delete m_testProcess;
    }
    // Ends a running detection before anything it reports to goes away.
    delete m_thread;
    m_thread = nullptr;
}

void ProxyController::startDetection()
{
    if (m_detectionDelayMs > 0) {
        // Give the window a moment before the network is probed.
        const QPointer<ProxyController> alive(this);
        QEventLoop loop;
        QTimer::singleShot(m_detectionDelayMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (!alive)
            return;
    }
    if (!m_thread || m_thread->isRunning())
        return;
    startRun(false);
}

void ProxyController::startRun(bool afterChange)
{
    const SettingsStore::StoredProxy saved = SettingsStore::loadProxy(m_settingsPath);
    m_runAfterChange = afterChange;
    m_runFound = false;
    m_runCustom = GetProxyPortThread::policyFor(saved.customer, saved.port.toInt())
        == ProxyDetector::Policy::StoredOnly;
    if (m_runCustom) {
        m_customFound.clear();
        setCustomCheck(CustomCheck::Testing);
    }
    m_thread->start(QThread::InheritPriority);
    emit detectionStarted();
}

void ProxyController::restartDetection()
{
    if (m_stopped)
        return;
    // The old run ends first (every wait in it gives up within a fraction of
    // a second when asked); what it still had to report is ignored, and its
    // object goes once control is back in the event loop, since this may be
    // called from inside one of its reports.
    GetProxyPortThread *old = m_thread;
    m_thread = newThread();
    old->requestInterruption();
    old->wait();
    old->deleteLater();
    startRun(true);
}

void ProxyController::runFinished()
{
    if (m_runCustom)
        setCustomCheck(m_runFound ? CustomCheck::Works : CustomCheck::Fails);
    // What was in use belongs to the choice the user just left: with nothing
    // found for the new one, links wait until a proxy is found.
    if (m_runAfterChange && !m_runFound && !m_stopped) {
        m_port = -1;
        Global::PROXY_PORT = m_port;
        emit networkTesting();
    }
}

void ProxyController::setCustomCheck(CustomCheck check)
{
    m_customCheck = check;
    emit customCheckChanged();
}

QString ProxyController::customCheckText() const
{
    switch (m_customCheck) {
    case CustomCheck::Testing:
        return tr("Testing the proxy server...");
    case CustomCheck::Works:
        return tr("The proxy server works: %1").arg(m_customFound);
    case CustomCheck::Fails:
        return tr("The proxy server does not answer. Please check that it is running.");
    case CustomCheck::None:
        break;
    }
    return QString();
}

bool ProxyController::isDetecting() const
{
    return m_thread && m_thread->isRunning();
}

void ProxyController::publish(const QString &host, int port, const QString &type)
{
    if (m_stopped)
        return; // a result that was under way when the program began to close
    m_port = port;
    m_host = host;
    m_socks5 = type != QLatin1String("HTTP");
    Global::PROXY_PORT = m_port;
    Global::PROXY_HOST = m_host;
    Global::PROXY_IS_SOCKS5 = m_socks5;
    if (port != -1) {
        emit networkAvailable();
        const SettingsStore::StoredProxy saved = SettingsStore::loadProxy(m_settingsPath);
        const auto policy = GetProxyPortThread::policyFor(saved.customer, saved.port.toInt());
        // The stored proxy is what adaptive detection tries first, and the
        // custom proxy itself; a direct or system choice must not overwrite
        // the port the user typed.
        if (policy == ProxyDetector::Policy::Adaptive
            || policy == ProxyDetector::Policy::StoredOnly) {
            const auto s = SettingsStore::open(m_settingsPath);
            s->setValue(QStringLiteral("/setting/proxyport"), QString::number(port));
            s->setValue(QStringLiteral("/setting/proxyipaddr"), host);
            s->setValue(QStringLiteral("/setting/proxytype"),
                m_socks5 ? QStringLiteral("SOCKS5") : QStringLiteral("HTTP"));
        }
    } else {
        emit networkTesting();
        startDetection();
    }
}

void ProxyController::checkConnectivity()
{
    if (m_port < 0) {
        // Nothing known yet. A run that found nothing (say, the network was
        // down at start-up) must not leave links refused until a restart.
        if (!isDetecting())
            startDetection();
        return;
    }
    if (m_keepaliveBusy)
        return;

    std::optional<QNetworkProxy> proxy;
    if (m_port != 0) {
        // Through the proxy every command uses, of the type it was found as.
        proxy = QNetworkProxy(m_socks5 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy,
            m_host, static_cast<quint16>(m_port));
    }
    const QPointer<ProxyController> alive(this);
    m_keepaliveBusy = true;
    const QByteArray data = ProxyDetector::fetch(
        ProxyEndpoints::fromEnvironment().keepaliveUrl, proxy, KeepaliveTimeoutMs);
    if (!alive)
        return;
    m_keepaliveBusy = false;

    if (!data.isEmpty()) {
        m_keepaliveFailures = 0;
        emit networkAvailable();
    } else if (++m_keepaliveFailures >= FailuresBeforeRedetect) {
        m_keepaliveFailures = 0;
        emit networkTesting();
        startDetection();
    } else {
        emit networkAvailable();
    }
    qDebug() << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss dddd"));
}

ProxyController::Mode ProxyController::storedMode() const
{
    const int mode = SettingsStore::loadProxy(m_settingsPath).customer;
    return mode >= NoProxy && mode <= CustomProxy ? static_cast<Mode>(mode) : Adaptive;
}

void ProxyController::chooseMode(Mode mode)
{
    if (mode == storedMode())
        return;
    SettingsStore::saveProxyCustomer(m_settingsPath, mode);
    restartDetection();
}

QString ProxyController::storedPort() const
{
    const QString port = SettingsStore::loadProxy(m_settingsPath).port;
    return port.toInt() > 0 ? port : QString();
}

ProxyController::SaveResult ProxyController::saveCustomProxy(
    const QString &host, const QString &port)
{
    // The field takes digits only, but not only numbers a port can have: a
    // stored 70000 would be probed as another port, a 0 never.
    bool number = false;
    const int value = port.toInt(&number);
    if (!number || value < 1 || value > 65535)
        return {false, tr("Please input proxy server port number.")};
    // The host is stored with the port, so that the next run probes the port
    // there and not on whatever host an earlier detection left.
    SettingsStore::saveCustomProxy(m_settingsPath, host, port);
    restartDetection();
    return {true, tr("The new port establishes the success..")};
}

void ProxyController::runProxyTest(const QString &clipboardText)
{
    if (m_testProcess) {
        QProcess *old = m_testProcess;
        m_testProcess = nullptr;
        old->disconnect(this);
        endProcessLater(old);
    }

    const QString command = proxyTestCommand(clipboardText, m_host, m_port, m_socks5);
    qDebug() << "proxy test:" << command;

    auto *process = new QProcess(this);
    m_testProcess = process;
    // The wait covers the start, then begins again for the run itself.
    auto *deadline = new QTimer(process);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, process] { finishTest(process); });
    connect(
        process, &QProcess::started, deadline, [this, deadline] { deadline->start(m_testWaitMs); });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this, process] { finishTest(process); });
    deadline->start(m_testWaitMs);
    ToolProcess::startExtractor(process, command, QIODevice::ReadWrite, QProcess::SeparateChannels);
}

void ProxyController::finishTest(QProcess *process)
{
    if (process != m_testProcess)
        return;
    m_testProcess = nullptr;
    process->disconnect(this);
    emit testOutput(QString::fromLocal8Bit(process->readAllStandardOutput()));
    endProcessLater(process);
}
