#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "network/proxycontroller.h"

#include <QIntValidator>

// Wiring of the proxy controller: detection, the connectivity check, the
// proxy page and the proxy test.

void MainWindow::createProxyDetection()
{
    m_proxy = new ProxyController(m_settingsPath, this);
    connect(m_proxy, &ProxyController::networkAvailable, this, &MainWindow::showNetworkAvailable);
    connect(m_proxy, &ProxyController::networkTesting, this, &MainWindow::showNetworkTesting);
    connect(m_proxy, &ProxyController::testOutput, ui->textEdit_test, &QTextEdit::setPlainText);
    connect(m_proxy, &ProxyController::customCheckChanged, this, &MainWindow::showCustomProxyCheck);

    ui->groupBox->setStyleSheet(QStringLiteral("QGroupBox{border:none}"));
    ui->groupBox->hide();
    ui->lineEdit_2->setValidator(new QIntValidator(0, 65535, ui->lineEdit_2));
}

void MainWindow::stopProxyWork()
{
    if (m_proxy)
        m_proxy->stop();
}

void MainWindow::startProxyDetection()
{
    m_proxy->startDetection();
}

// Connectivity check, every 20 s.
void MainWindow::m_keepalive_sec()
{
    m_proxy->checkConnectivity();
}
