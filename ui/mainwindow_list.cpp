#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "downloads/rowupdate.h"
#include "downloads/thumbnailcache.h"
#include "downloads/thumbnailfetch.h"
#include "tasks/iteminfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QUrl>

// The download list page: shows the controller's page, counters and scroll
// range, and forwards the buttons.

const QList<ItemInfo *> &MainWindow::tasks() const
{
    return m_downloads->tasks();
}

int MainWindow::listView() const
{
    return m_downloads->view();
}

bool MainWindow::allTasksPaused() const
{
    return m_downloads->allPaused();
}

void MainWindow::createDownloadList()
{
    m_listWidget = new ListWidget();
    m_listWidget->setRowFactory([this] { return makeRow(); });
    m_listWidget->setRowBinder([this](itemWidget *row, ItemInfo *t) { bindRow(row, t); });
    // The list page's frame, scroll area and buttons are styled with the
    // other pages (stylePages, applyLanguage).
    ui->scrollArea_main->setWidget(m_listWidget);
    m_listWidget->setStyleSheet(QStringLiteral("background-color:transparent;"));
    ui->verticalScrollBar->setRange(0, 0);
}

void MainWindow::updateCounts()
{
    // A smaller range moves the value, which shows the page again.
    ui->verticalScrollBar->setRange(0, m_downloads->scrollMaximum());
    const auto show = [this](QLabel *badge, int view) {
        const int n = m_downloads->count(view);
        badge->setText(ListRules::badgeText(n));
        badge->setToolTip(n > 99 ? QString::number(n) : QString());
    };
    show(ui->label_all, ListRules::Paused);
    show(ui->label_downloading, ListRules::InProgress);
    show(ui->label_downloaded, ListRules::Finished);
    show(ui->label_downloaded_failure, ListRules::Failed);
}

void MainWindow::showListPage(int view)
{
    updateCounts();
    m_listWidget->showTasks(m_downloads->page(view));
}

void MainWindow::opendisplayall()
{
    showListPage(m_downloads->view());
}

void MainWindow::on_verticalScrollBar_valueChanged(int value)
{
    m_downloads->setOffset(value);
    opendisplayall();
}

void MainWindow::selectListFilter(int view, int offset)
{
    m_downloads->setView(view);
    m_downloads->setOffset(offset);
    restyleListFilters();
    {
        // The value change would show the old view first.
        const QSignalBlocker block(ui->verticalScrollBar);
        ui->verticalScrollBar->setRange(0, m_downloads->scrollMaximum());
        ui->verticalScrollBar->setValue(offset);
    }
    showListPage(view);
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

void MainWindow::on_pushButton_downloadfinished_5_clicked()
{
    if (DialogSeam::question(nullptr, tr("Delete"), tr("Are you sure to delete this items?"))
        == QMessageBox::Yes)
        m_downloads->deleteView(m_downloads->view());
}

void MainWindow::runScheduler()
{
    m_downloads->runScheduler();
}

void MainWindow::addTask(ItemInfo *task)
{
    m_downloads->addTask(task);
}

void MainWindow::updateTaskRow(ItemInfo *task)
{
    if (itemWidget *row = m_listWidget->rowFor(task))
        applyTaskToRow(*task, row);
}

void MainWindow::showStatusText(ItemInfo *task, const QString &text)
{
    if (itemWidget *row = m_listWidget->rowFor(task))
        row->setStatusText(text);
}

void MainWindow::retranslateDownloads()
{
    m_downloads->retranslate();
}

itemWidget *MainWindow::makeRow()
{
    auto *row = new itemWidget();
    connect(row, &itemWidget::startRequested, m_downloads, &DownloadListController::startTask);
    connect(row, &itemWidget::pauseRequested, m_downloads, &DownloadListController::pauseTask);
    connect(row, &itemWidget::redownloadRequested, this, &MainWindow::confirmRedownload);
    connect(row, &itemWidget::deleteRequested, this, &MainWindow::confirmDelete);
    connect(row, &itemWidget::playRequested, this,
        [this](ItemInfo *t) { openLocalPath(m_downloads->fileToPlay(t)); });
    connect(row, &itemWidget::copyLinkRequested, this,
        [this](ItemInfo *t) { QApplication::clipboard()->setText(m_downloads->linkOf(t)); });
    connect(row, &itemWidget::openFolderRequested, this, [this](ItemInfo *t) {
        const QString folder = m_downloads->folderToOpen(t);
        qDebug() << folder;
        openLocalPath(folder);
    });
    return row;
}

void MainWindow::bindRow(itemWidget *row, ItemInfo *task)
{
    row->clearDisplay();
    applyTaskToRow(*task, row);
    row->setThumbnail(m_thumbnails->pixmap(task->uniqueID));
}

void MainWindow::fetchThumbnail(ItemInfo *task)
{
    m_thumbnails->request(task->uniqueID, Thumbnail::address(task->url, task->thumbnailUrl));
}

void MainWindow::showThumbnail(const QString &taskKey)
{
    for (itemWidget *row : m_listWidget->shownRows()) {
        if (row->task() && row->task()->uniqueID == taskKey)
            row->setThumbnail(m_thumbnails->pixmap(taskKey));
    }
}

void MainWindow::confirmRedownload(ItemInfo *task)
{
    if (DialogSeam::question(nullptr, tr("Warnning"), tr("Are you sure to redownload this item?"))
        == QMessageBox::Yes)
        m_downloads->redownloadTask(task);
}

void MainWindow::confirmDelete(ItemInfo *task)
{
    if (DialogSeam::question(nullptr, tr("Delete"), tr("Are you sure to delete this item?"))
        == QMessageBox::Yes)
        m_downloads->deleteTask(task);
}

void MainWindow::openLocalPath(const QString &path)
{
    if (!path.isEmpty())
        DialogSeam::openUrl(QUrl::fromLocalFile(path));
}

void MainWindow::openredownload()
{
    m_downloads->retryFailed();
}

void MainWindow::on_pushButton_downloadfinished_retry_clicked()
{
    if (DialogSeam::question(
            nullptr, tr("Redownload"), tr("Are you sure to redownload this items?"))
        == QMessageBox::Yes)
        openredownload();
}

void MainWindow::on_pushButton_downloadfinished_4_clicked()
{
    m_downloads->toggleAll();
    restyleStartAllButton();
}

void MainWindow::on_pushButton_6_clicked()
{
    on_pushButton_downloadfinished_4_clicked();
}

// Reads every stored task into the list. They come back paused; nothing
// starts until the user starts it. Only the page shown has rows, so a long
// history costs no widgets. The list keeps the view the user
// chose (the paused view until then).
void MainWindow::on_pushButton_clicked()
{
    m_downloads->loadHistory();
    restyleStartAllButton();
    opendisplayall();
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(tasks().isEmpty() ? 0 : 1);
}
