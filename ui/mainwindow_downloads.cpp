#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"
#include "downloads/thumbnailfetch.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "base/dialogseam.h"

void MainWindow::createDownloadEngine()
{
    downloadEngine = new DownloadEngine();
    downloadEngine->bindTasks(&taskList);
    downloadEngine->bindSettings(&processnum, &anaprocessnum, &availabe_anakey, &folderoption);
    downloadEngine->setThumbnailFetcher(
        [](const ItemInfo &t) { return Thumbnail::fetch(t.url, t.thumbnailUrl); });
    connect(downloadEngine, &DownloadEngine::taskChanged, this, &MainWindow::updateTaskRow);
    connect(downloadEngine, &DownloadEngine::taskStatusText, this,
            [](ItemInfo *t, const QString &text) {
                if (t->row)
                    t->row->setStatusText(text);
            });
    connect(downloadEngine, &DownloadEngine::relayoutRequested, this,
            [this] { on_verticalScrollBar_valueChanged(ui->verticalScrollBar->value()); });
    connect(downloadEngine, &DownloadEngine::countsChanged, this, &MainWindow::updateCounts);
    connect(downloadEngine, &DownloadEngine::failedRequeued, this,
            &MainWindow::opendisplayfinishfailure);
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
    const auto answer = DialogSeam::question(nullptr, tr("Redownload"),
                                             tr("Are you sure to redownload this items?"));
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
