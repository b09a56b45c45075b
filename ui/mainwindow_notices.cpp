#include "ui/mainwindow.h"

#include "base/settingscontroller.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/downloadnotifier.h"
#include "tasks/iteminfo.h"

#include <QApplication>

// Wiring of the desktop notices: the notifier hears the downloads end, asks
// the window whether it is in front, follows the settings switch, and hands
// back the task whose notice the user activated.

void MainWindow::createNotifications()
{
    m_notifier = new DownloadNotifier(this);
    // The user looks at the program while any of its windows (this one or
    // one of its dialogs) is the active one.
    m_notifier->setWindowActiveCheck([] { return QApplication::activeWindow() != nullptr; });
    m_notifier->setEnabled(m_settings->general().notifyswitch != 0);
    connect(m_settings, &SettingsController::generalChanged, m_notifier,
        [this](const SettingsStore::GeneralSettings &values) {
            m_notifier->setEnabled(values.notifyswitch != 0);
        });
    connect(
        m_downloads, &DownloadListController::taskEnded, m_notifier, &DownloadNotifier::taskEnded);
    connect(
        m_notifier, &DownloadNotifier::showTaskRequested, this, &MainWindow::showTaskFromNotice);
}

void MainWindow::showTaskFromNotice(const QString &uniqueId)
{
    if (isMinimized() || isHidden())
        showNormal();
    raise();
    activateWindow();
    // A task deleted since leaves the window as it is.
    if (!m_downloads->reveal(uniqueId))
        return;
    on_pushButton_download_clicked();
    selectListFilter(m_downloads->view(), m_downloads->offset());
}
