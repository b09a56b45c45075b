#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/imagestyle.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "base/settingsstore.h"
#include "extractor/toolprocess.h"
#include "network/getproxyportthread.h"
#include "network/netfetch.h"
#include "network/proxyendpoints.h"
#include "network/proxytestcommand.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QIntValidator>

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

void MainWindow::showNetworkAvailable()
{
    ui->label_check->setText(tr("The network is available."));
    ui->pushButton_network_2->setStyleSheet(ImageStyle::networkAvailableSheet());
    m_pixmapTimer.stop();
}

void MainWindow::showNetworkTesting()
{
    ui->label_check->setText(tr("Testing proxy status,please confirm that the agent is open."));
    m_pixmapTimer.start(400);
}
