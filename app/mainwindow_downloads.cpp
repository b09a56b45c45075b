#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/listwidget.h"
#include "downloads/thumbnailfetch.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QDebug>

// Wiring of the download list: the controller and its engine, the task
// database and the history load.

void MainWindow::createDownloadEngine()
{
    m_downloads = new DownloadListController(this);
    m_downloads->engine()->setThumbnailFetcher(
        [](const ItemInfo &t) { return Thumbnail::fetch(t.url, t.thumbnailUrl); });
    connect(m_downloads, &DownloadListController::taskChanged, this, &MainWindow::updateTaskRow);
    connect(
        m_downloads, &DownloadListController::statusTextChanged, this, &MainWindow::showStatusText);
    connect(m_downloads, &DownloadListController::listChanged, this, &MainWindow::opendisplayall);
    connect(m_downloads, &DownloadListController::countsChanged, this, &MainWindow::updateCounts);
}

void MainWindow::openTaskDatabase()
{
    auto *db = new SqliteDBAOperator(this);
    db->prepare();
    m_downloads->setDatabase(db);
}

void MainWindow::applyDownloadSettings(const SettingsStore::GeneralSettings &values)
{
    m_downloads->applySettings(values);
}

// Restores the stored tasks into the download list when the setting allows.
void MainWindow::onHistoryTimeout()
{
    qDebug() << "====================onHistoryTimeout===============";
    if (generalSettings().loadhistoryswitch != 0)
        on_pushButton_clicked();
}

void MainWindow::shutdownDownloads()
{
    // Every run ends with the window, helpers included; nobody may hear its
    // end while the window is going away.
    m_downloads->shutdown();
    if (m_downloads->database())
        m_downloads->database()->closeDatabase();
    m_listWidget->deleteRows();
    delete m_downloads;
    m_downloads = nullptr;
}
