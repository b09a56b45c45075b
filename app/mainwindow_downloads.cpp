#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/thumbnailfetch.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QDebug>

// Wiring of the download list: the engine, the task database and the
// history load.

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

void MainWindow::openTaskDatabase()
{
    sqliteOperator = new SqliteDBAOperator(this);
    sqliteOperator->prepare();
    downloadEngine->bindDatabase(sqliteOperator);
}

// Restores the stored tasks into the download list when the setting allows.
void MainWindow::onHistoryTimeout()
{
    qDebug() << "====================onHistoryTimeout===============";
    if (loadhistoryswitch != 0)
        on_pushButton_clicked();
}

void MainWindow::shutdownDownloads()
{
    // Every run ends with the window, helpers included; nobody may hear its
    // end while the window is going away.
    downloadEngine->shutdown();
    delete downloadEngine;
    downloadEngine = nullptr;
    if (sqliteOperator)
        sqliteOperator->closeDatabase();
    for (ItemInfo *t : qAsConst(taskList))
        delete t->row;
    qDeleteAll(taskList);
    taskList.clear();
}
