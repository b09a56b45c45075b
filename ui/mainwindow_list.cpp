#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "downloads/rowupdate.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QSet>

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

void MainWindow::runScheduler()
{
    downloadEngine->runScheduler();
}

void MainWindow::receiveWork()
{
    runScheduler();
}

void MainWindow::updateTaskRow(ItemInfo *task)
{
    if (task && task->row)
        applyTaskToRow(*task, task->row);
}

itemWidget *MainWindow::rowFor(ItemInfo *task)
{
    if (!task->row) {
        auto *row = new itemWidget();
        row->setTaskInfo(task);
        row->setDatabase(sqliteOperator);
        connect(row, &itemWidget::senddoWork, this, &MainWindow::receiveWork);
        connect(row, &itemWidget::senddelsig, this, &MainWindow::opendisplayall);
        task->row = row;
        updateTaskRow(task);
    }
    return task->row;
}

void MainWindow::addTask(ItemInfo *task)
{
    task->id = nextTaskId++;
    task->setParent(nullptr);
    taskList.append(task);
    sqliteOperator->insertTask(task);
    updateTaskRow(task);
}

void MainWindow::openredownload()
{
    downloadEngine->openredownload();
}

void MainWindow::on_pushButton_downloadfinished_retry_clicked()
{
    const auto answer = DialogSeam::question(
        nullptr, tr("Redownload"), tr("Are you sure to redownload this items?"));
    if (answer == QMessageBox::Yes && listFilter == 3)
        openredownload();
}

void MainWindow::on_pushButton_downloadfinished_4_clicked()
{
    allPaused = downloadEngine->toggleAll();
    restyleStartAllButton();
    opendisplayall();
}

void MainWindow::on_pushButton_6_clicked()
{
    on_pushButton_downloadfinished_4_clicked();
}

// Reads every stored task into the list. They come back paused; nothing
// starts until the user starts it. Rows are made when a task is first shown,
// so a long history costs nothing up front.
void MainWindow::on_pushButton_clicked()
{
    // Tasks already in the list (queued before the history arrived) are not
    // added a second time.
    QSet<QString> known;
    for (const ItemInfo *t : qAsConst(taskList))
        known.insert(t->uniqueID);
    QList<ItemInfo *> stored;
    sqliteOperator->loadTasks(stored);
    for (ItemInfo *t : qAsConst(stored)) {
        if (known.contains(t->uniqueID))
            delete t;
        else
            taskList.append(t);
    }
    // Loaded tasks are numbered from 0; new ones must not share their numbers.
    nextTaskId = qMax(nextTaskId, taskList.size());
    ui->verticalScrollBar->setMaximum(taskList.size());
    displayLockList();
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(taskList.isEmpty() ? 0 : 1);
}
