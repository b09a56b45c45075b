#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/imagestyle.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "extractor/toolprocess.h"
#include "network/getproxyportthread.h"
#include "network/netfetch.h"
#include "network/proxyendpoints.h"
#include "network/proxytestcommand.h"
#include "base/dialogseam.h"
#include "base/imagestyle.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QIntValidator>

namespace {

constexpr int KeepaliveTimeoutMs = 10000;
constexpr int KeepaliveFailuresBeforeRedetect = 3;

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

void MainWindow::refreshProxyPage()
{
    const int mode = SettingsStore::loadProxy(settingsPath).customer;
    QRadioButton *buttons[]
        = {ui->radioButton, ui->radioButton_2, ui->radioButton_3, ui->radioButton_4};
    (mode >= 1 && mode <= 3 ? buttons[mode] : ui->radioButton)->setChecked(true);
    showCustomProxyFields(mode == 3);
}

void MainWindow::showCustomProxyFields(bool show)
{
    ui->groupBox->setVisible(show);
    if (!show)
        return;
    const QString port = SettingsStore::loadProxy(settingsPath).port;
    if (!port.isEmpty())
        ui->lineEdit_2->setText(port);
}

void MainWindow::on_radioButton_clicked(bool)
{
    showCustomProxyFields(false);
    SettingsStore::saveProxyCustomer(settingsPath, 0);
}

void MainWindow::on_radioButton_2_clicked(bool)
{
    showCustomProxyFields(false);
    SettingsStore::saveProxyCustomer(settingsPath, 1);
}

void MainWindow::on_radioButton_3_clicked(bool)
{
    showCustomProxyFields(false);
    SettingsStore::saveProxyCustomer(settingsPath, 2);
}

void MainWindow::on_radioButton_4_clicked(bool)
{
    showCustomProxyFields(true);
}

void MainWindow::on_pushButton_2_clicked()
{
    const QString port = ui->lineEdit_2->text();
    if (port.isEmpty()) {
        DialogSeam::information(this, tr("Tips"), tr("Please input proxy server port number."));
        return;
    }
    // The page shows the host the port belongs to; it is stored with it, so
    // that the next run probes the port there and not on whatever host an
    // earlier detection left (or on no host at all).
    SettingsStore::saveCustomProxy(settingsPath, ui->lineEdit->text(), port);
    DialogSeam::information(this, tr("Tips"), tr("The new port establishes the success.."));
}

// Runs the extractor's metadata request for the clipboard link through the
// effective proxy and shows its standard output. The run does not block the
// window; a new click drops a run that is still going.
void MainWindow::on_pushButton_test_pro_clicked()
{
    ui->pushButton_test_pro->setStyleSheet(ImageStyle::pasteSheet(languageSwitch != 0));
    ui->textEdit_test->clear();

    if (m_proxyTestProcess) {
        QProcess *old = m_proxyTestProcess;
        m_proxyTestProcess = nullptr;
        old->disconnect(this);
        endProcessLater(old);
    }

    const QString command = proxyTestCommand(QApplication::clipboard()->text(), Global::PROXY_HOST,
        Global::PROXY_PORT, Global::PROXY_IS_SOCKS5);
    qDebug() << "proxy test:" << command;

    auto *process = new QProcess(this);
    m_proxyTestProcess = process;
    auto *deadline = new QTimer(process);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, process] { finishProxyTest(process); });
    connect(process, &QProcess::started, deadline,
        [this, deadline] { deadline->start(m_proxyTestWaitMs); });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this, process] { finishProxyTest(process); });
    deadline->start(m_proxyTestWaitMs);
    ToolProcess::startExtractor(process, command, QIODevice::ReadWrite, QProcess::SeparateChannels);
}

void MainWindow::finishProxyTest(QProcess *process)
{
    if (process != m_proxyTestProcess)
        return;
    m_proxyTestProcess = nullptr;
    process->disconnect(this);
    ui->textEdit_test->setPlainText(QString::fromLocal8Bit(process->readAllStandardOutput()));
    endProcessLater(process);
}
