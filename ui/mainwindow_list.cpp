#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "base/dialogseam.h"



void MainWindow::createDownloadList()
{
    listWidget = new ListWidget();
    listWidget->setRowFactory([this](ItemInfo *t) { return rowFor(t); });
    // The list page's frame, scroll area and buttons are styled with the
    // other pages (stylePages, applyLanguage).
    ui->scrollArea_main->setWidget(listWidget);
    listWidget->setStyleSheet(QStringLiteral("background-color:transparent;"));
    ui->verticalScrollBar->setRange(0, 0);
}

void MainWindow::updateCounts()
{
    const int counts[] = {ListRules::count(taskList, ListRules::Paused),
                          ListRules::count(taskList, ListRules::InProgress),
                          ListRules::count(taskList, ListRules::Finished),
                          ListRules::count(taskList, ListRules::Failed)};
    const int current = listFilter >= 0 && listFilter <= 3 ? counts[listFilter] : 0;
    ui->verticalScrollBar->setMinimum(0);
    ui->verticalScrollBar->setMaximum(ListRules::scrollMaximum(current));
    ui->label_all->setText(QString::number(counts[0]));
    ui->label_downloading->setText(QString::number(counts[1]));
    ui->label_downloaded->setText(QString::number(counts[2]));
    ui->label_downloaded_failure->setText(QString::number(counts[3]));
}

void MainWindow::redisplay(int view)
{
    updateCounts();
    listWidget->clearRows(taskList);
    listWidget->showView(taskList, view, ui->verticalScrollBar->value());
}

void MainWindow::displayLockList()
{
    redisplay(ListRules::Paused);
}

void MainWindow::opendisplaynofinish()
{
    redisplay(ListRules::InProgress);
}

void MainWindow::opendisplayfinish()
{
    redisplay(ListRules::Finished);
}

void MainWindow::opendisplayfinishfailure()
{
    redisplay(ListRules::Failed);
}

void MainWindow::opendisplayall()
{
    redisplay(listFilter >= 1 && listFilter <= 3 ? listFilter : ListRules::Paused);
}

void MainWindow::on_verticalScrollBar_valueChanged(int)
{
    opendisplayall();
}

void MainWindow::selectListFilter(int view)
{
    listFilter = view;
    restyleListFilters();
    {
        // The value change would redisplay the old view first.
        const QSignalBlocker block(ui->verticalScrollBar);
        ui->verticalScrollBar->setValue(0);
    }
    redisplay(view);
    ui->pushButton_downloadfinished_5->setVisible(view != ListRules::InProgress);
    ui->pushButton_downloadfinished_retry->setVisible(view == ListRules::Failed);
}

void MainWindow::on_pushButton_downloadfinished_clicked()
{
    selectListFilter(ListRules::Paused);
}

void MainWindow::on_pushButton_downloadfinished_2_clicked()
{
    selectListFilter(ListRules::InProgress);
}

void MainWindow::on_pushButton_downloadfinished_3_clicked()
{
    selectListFilter(ListRules::Finished);
}

void MainWindow::on_pushButton_downloadfinished_failure_clicked()
{
    selectListFilter(ListRules::Failed);
}

void MainWindow::deleteView(int view)
{
    for (auto it = taskList.crbegin(); it != taskList.crend(); ++it) {
        ItemInfo *t = *it;
        if (!ListRules::deletedByBulk(*t, view))
            continue;
        t->biaoji = false;
        sqliteOperator->updateTask(t);
    }
}

void MainWindow::opendelall()
{
    deleteView(ListRules::Paused);
}

void MainWindow::opendelnofinish()
{
    deleteView(ListRules::InProgress);
}

void MainWindow::opendelfinish()
{
    deleteView(ListRules::Finished);
}

void MainWindow::opendelfinishfailure()
{
    deleteView(ListRules::Failed);
}

void MainWindow::on_pushButton_downloadfinished_5_clicked()
{
    if (DialogSeam::question(nullptr, tr("Delete"), tr("Are you sure to delete this items?"))
        != QMessageBox::Yes)
        return;
    switch (listFilter) {
    case 0:
        opendelall();
        break;
    case 1:
        opendelnofinish();
        break;
    case 2:
        opendelfinish();
        break;
    case 3:
        opendelfinishfailure();
        break;
    default:
        return;
    }
    opendisplayall();
}
