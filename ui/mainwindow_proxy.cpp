#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/imagestyle.h"
#include "network/proxycontroller.h"

#include <QApplication>
#include <QClipboard>

void MainWindow::refreshProxyPage()
{
    QRadioButton *buttons[]
        = {ui->radioButton, ui->radioButton_2, ui->radioButton_3, ui->radioButton_4};
    const ProxyController::Mode mode = m_proxy->storedMode();
    buttons[mode]->setChecked(true);
    showCustomProxyFields(mode == ProxyController::CustomProxy);
}

void MainWindow::showCustomProxyFields(bool show)
{
    ui->groupBox->setVisible(show);
    if (!show)
        return;
    const QString port = m_proxy->storedPort();
    if (!port.isEmpty())
        ui->lineEdit_2->setText(port);
    showCustomProxyCheck();
}

// The latest probe of the custom proxy, under its fields.
void MainWindow::showCustomProxyCheck()
{
    ui->label_proxycheck->setText(m_proxy ? m_proxy->customCheckText() : QString());
}

// Each choice takes effect at once: detection runs again for it.
void MainWindow::on_radioButton_clicked(bool)
{
    showCustomProxyFields(false);
    m_proxy->chooseMode(ProxyController::Adaptive);
}

void MainWindow::on_radioButton_2_clicked(bool)
{
    showCustomProxyFields(false);
    m_proxy->chooseMode(ProxyController::NoProxy);
}

void MainWindow::on_radioButton_3_clicked(bool)
{
    showCustomProxyFields(false);
    m_proxy->chooseMode(ProxyController::SystemProxy);
}

// The custom mode is stored with its port, by the save button, which also
// probes the port at once.
void MainWindow::on_radioButton_4_clicked(bool)
{
    showCustomProxyFields(true);
}

void MainWindow::on_pushButton_2_clicked()
{
    const ProxyController::SaveResult result
        = m_proxy->saveCustomProxy(ui->lineEdit->text(), ui->lineEdit_2->text());
    DialogSeam::information(this, tr("Tips"), result.message);
}

void MainWindow::on_pushButton_test_pro_clicked()
{
    ui->pushButton_test_pro->setStyleSheet(ImageStyle::pasteSheet(chineseUi()));
    ui->textEdit_test->clear();
    m_proxy->runProxyTest(QApplication::clipboard()->text());
}

void MainWindow::showNetworkAvailable()
{
    ui->label_check->setText(tr("The network is available."));
    m_networkTesting = false;
    m_pixmapTimer.stop();
    showNetworkIcon(QStringLiteral(":/image2/wifi.png"));
}

void MainWindow::showNetworkTesting()
{
    ui->label_check->setText(tr("Testing proxy status,please confirm that the agent is open."));
    m_networkTesting = true;
    m_framesShown = 0;
    m_pixmapTimer.start(400);
}
