#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/listwidget.h"
#include "downloads/thumbnailcache.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QDebug>
#include <QDir>
#include <QTimer>

// Wiring of the download list: the controller and its engine, the task
// database and the history load.

void MainWindow::createDownloadEngine()
{
    m_downloads = new DownloadListController(this);
    m_thumbnails = new ThumbnailCache(this);
    connect(
        m_downloads, &DownloadListController::thumbnailFound, this, &MainWindow::fetchThumbnail);
    connect(m_thumbnails, &ThumbnailCache::ready, this, &MainWindow::showThumbnail);
    connect(m_downloads, &DownloadListController::taskChanged, this, &MainWindow::updateTaskRow);
    connect(
        m_downloads, &DownloadListController::statusTextChanged, this, &MainWindow::showStatusText);
    connect(m_downloads, &DownloadListController::listChanged, this, &MainWindow::opendisplayall);
    connect(m_downloads, &DownloadListController::countsChanged, this, &MainWindow::updateCounts);
    connect(m_downloads, &DownloadListController::storeFailed, this, [this] {
        DialogSeam::warning(this, tr("Task database"),
            tr("Tasks cannot be saved: the task database cannot be written (%1). "
               "New tasks and changes last only until the program ends.")
                .arg(QDir::toNativeSeparators(m_downloads->database()->databasePath())));
    });
}

void MainWindow::openTaskDatabase()
{
    auto *db = new SqliteDBAOperator(this);
    const SqliteDBAOperator::Opened opened = db->prepareOrRecover();
    m_downloads->setDatabase(db);
    // Told once the window is up.
    if (!opened.keptAside.isEmpty()) {
        const QString aside = QDir::toNativeSeparators(opened.keptAside);
        QTimer::singleShot(0, this, [this, aside] {
            DialogSeam::warning(this, tr("Task database"),
                tr("The task database could not be read. It was kept as %1 "
                   "and a new, empty one was started.")
                    .arg(aside));
        });
    }
    if (!opened.ok)
        QTimer::singleShot(0, m_downloads, &DownloadListController::reportStoreFailure);
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
