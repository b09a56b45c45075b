#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/displayscale.h"
#include "app/global.h"

#include <QMouseEvent>

// Window chrome: frameless and translucent, every design geometry multiplied
// by the display scale.
void MainWindow::initWidgets()
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("Orvanta Quillon"));

    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(Global::scaled(DisplayScale::DesignWidth),
                 Global::scaled(DisplayScale::DesignHeight));
}

void MainWindow::createChildWindows()
{
}

void MainWindow::stylePages()
{
    ui->frame_base->setStyleSheet(QStringLiteral("QFrame{background:#FFFFFF}"));
    ui->frame_top->setStyleSheet(QStringLiteral("QFrame{background:#3190f0}"));
    ui->frame_line_2->setStyleSheet(QStringLiteral("QFrame{background:#dddddd}"));
    ui->label_version->setText(tr("Version: ") + Global::APP_VER);
}

void MainWindow::applyLanguage()
{
}

void MainWindow::on_pushButton_close_clicked()
{
    close();
}

void MainWindow::on_pushButton_min_clicked()
{
    showMinimized();
}

void MainWindow::on_pushButton_download_clicked()
{
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(taskList.isEmpty() ? 0 : 1);
    m_topPage = 0;
}

void MainWindow::updatePixmap()
{
    if (m_pixmapFrame >= 5)
        m_pixmapFrame = 1;
    ui->pushButton_network_2->setStyleSheet(
        QStringLiteral("QPushButton{border-image: url(:/image2/%1.png)  ;}"
                       "QPushButton:focus{outline: none;}")
            .arg(m_pixmapFrame));
    ++m_pixmapFrame;
}

void MainWindow::showNetworkAvailable()
{
    ui->label_check->setText(tr("The network is available."));
    ui->pushButton_network_2->setStyleSheet(
        QStringLiteral("QPushButton{border-image: url(:/image2/wifi.png)  ;}"
                       "QPushButton:focus{outline: none;}"));
    m_pixmapTimer.stop();
}

void MainWindow::showNetworkTesting()
{
    ui->label_check->setText(tr("Testing proxy status,please confirm that the agent is open."));
    m_pixmapTimer.start(400);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressPos = event->localPos().toPoint();
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->screenPos().toPoint() - m_pressPos);
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QMainWindow::mouseReleaseEvent(event);
}
