#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "downloads/listrules.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QDebug>
#include <QSet>

// Restores the stored tasks into the download list when the setting allows.
void MainWindow::onHistoryTimeout()
{
    qDebug() << "====================onHistoryTimeout===============";
    if (loadhistoryswitch != 0)
        on_pushButton_clicked();
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
