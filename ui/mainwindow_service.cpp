#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "base/settingscontroller.h"
#include "downloads/thumbnailfetch.h"
#include "intake/sitelinks.h"
#include "service/listtopform.h"
#include "service/noticedialog.h"
#include "service/qsimpleupdater.h"
#include "service/topform.h"
#include "service/topinfo.h"
#include "service/vendorservicecontroller.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>

// Wiring of the vendor service: the popular lists on page_2, the notice
// button and dialog, and the version check that leads to the updater.

void MainWindow::createVendorService()
{
    m_vendor = new VendorServiceController(this);
    m_vendor->setWatchPrefix(SiteLinks::watchPagePrefix() + QStringLiteral("v="));
    m_vendor->setThumbnailBase(Thumbnail::baseAddress());
    connect(m_vendor, &VendorServiceController::topListsChanged, this, &MainWindow::displayTopList);
    connect(
        m_vendor, &VendorServiceController::thumbnailReady, this, &MainWindow::showTopThumbnail);
    connect(
        m_vendor, &VendorServiceController::noticesChanged, this, &MainWindow::updateNoticeButton);

    QScrollArea *areas[] = {ui->scrollArea_day, ui->scrollArea_week, ui->scrollArea_month};
    for (int kind = 0; kind < 3; ++kind) {
        m_topForms[kind] = new ListTopForm;
        areas[kind]->setWidget(m_topForms[kind]);
    }

    m_noticeDialog = new NoticeDialog(this);
    m_updater = new QSimpleUpdater(this);
    connect(m_updater, &QSimpleUpdater::quitRequested, qApp, &QCoreApplication::quit,
        Qt::QueuedConnection);
}

void MainWindow::stopVendorService()
{
    if (m_vendor)
        m_vendor->stop();
}

void MainWindow::retranslateService()
{
    if (m_noticeDialog)
        m_noticeDialog->retranslate();
    for (ListTopForm *list : m_topForms) {
        if (!list)
            continue;
        for (TopForm *row : list->rows())
            row->retranslate();
    }
    if (m_vendor)
        updateNoticeButton();
}

// --- popular lists ------------------------------------------------------------

// Start-up: the lists once, unless the service just failed to answer.
void MainWindow::onTopInfoTimeout()
{
    m_vendor->refreshTopLists(generalSettings().topnum, false);
}

void MainWindow::on_pushButton_refresh_clicked()
{
    // A refresh while one runs is ignored by the controller.
    m_vendor->refreshTopLists(generalSettings().topnum, true);
}

void MainWindow::displayTopList()
{
    QScrollArea *areas[] = {ui->scrollArea_day, ui->scrollArea_week, ui->scrollArea_month};
    for (int kind = 0; kind < 3; ++kind) {
        const QList<TopForm *> rows = m_topForms[kind]->showEntries(m_vendor->topList(kind), kind);
        for (TopForm *row : rows)
            connect(row, &TopForm::sendurl, this, &MainWindow::receiveTopForm);
        areas[kind]->setStyleSheet(QStringLiteral("QScrollArea {background-color:transparent;}"));
        areas[kind]->viewport()->setStyleSheet(QStringLiteral("background-color:transparent;"));
    }
    ui->label_topnone->setVisible(m_vendor->topListsEmpty());
}

void MainWindow::showTopThumbnail(TopInfo *info)
{
    for (ListTopForm *list : m_topForms) {
        if (TopForm *row = list->rowFor(info)) {
            row->setImage(info->thumbnail);
            return;
        }
    }
}

// --- notices ----------------------------------------------------------------------

void MainWindow::onNoticeTimeout()
{
    m_vendor->loadNotices(false);
    updateNoticeButton();
}

void MainWindow::updateNoticeButton()
{
    // Nothing known is nothing unread.
    const QString current = m_vendor->notices().id;
    const bool unread = !current.isEmpty() && m_settings->notice() != current;
    ui->pushButton_notice->setStyleSheet(ImageStyle::noticeSheet(unread));
}

void MainWindow::on_pushButton_notice_clicked()
{
    const QPoint corner = ui->pushButton_paste->mapToGlobal(QPoint(0, 0));
    m_noticeDialog->move(corner.x() + 2 * ui->pushButton_paste->width(), corner.y());
    const NoticeSet notices = m_vendor->notices();
    m_noticeDialog->setNotices(notices.titles, notices.times, notices.texts);
    m_noticeDialog->exec();
    m_settings->saveNotice(notices.id);
    updateNoticeButton();
}

// --- version check ---------------------------------------------------------------

void MainWindow::onVersionTimeout()
{
    runVersionCheck(false);
}

// Menu entry "Update".
void MainWindow::displayupdate()
{
    // Asked for by the user: silence would look like a broken menu.
    if (!VendorServiceController::configured()) {
        DialogSeam::information(this, tr("Tips"),
            tr("No update service is configured for this copy, so updates cannot be checked "
               "here."));
        return;
    }
    runVersionCheck(true);
}

void MainWindow::runVersionCheck(bool onDemand)
{
    if (m_versionChecking)
        return;
    m_versionChecking = true;
    const VendorServiceController::VersionCheck check = m_vendor->checkVersion(onDemand);
    if (check.state == VendorServiceController::VersionState::Latest && onDemand) {
        DialogSeam::information(this, tr("Tips"),
            tr("This Version is the lastest Version, Thank you for support Orvanta quillon."));
    } else if (check.state == VendorServiceController::VersionState::Other) {
        const QString url = Global::APPCAST_URL;
        m_updater->setModuleName(url, tr("Orvanta Quillon"));
        m_updater->setUserAgentString(url,
            QStringLiteral("%1/%2 (Qt; QSimpleUpdater)").arg(Global::MODULE_NAME, Global::APP_VER));
        m_updater->setModuleVersion(url, Global::APP_VER);
        m_updater->setNotifyOnFinish(url, true);
        m_updater->setNotifyOnUpdate(url, true);
        m_updater->setUseCustomAppcast(url, false);
        m_updater->setDownloaderEnabled(url, true);
        m_updater->setMandatoryUpdate(url, true);
        if (onDemand) {
            m_updater->setDialogPosition(ui->label_videoquality->mapToGlobal(QPoint(0, 0)));
        } else {
            QScreen *screen = QGuiApplication::primaryScreen();
            const QRect desktop = screen ? screen->availableGeometry() : QRect();
            m_updater->setDialogPosition(
                QPoint((desktop.width() - Global::scaled(464)) / 2 + desktop.x(),
                    (desktop.height() - Global::scaled(167)) / 2 + desktop.y()));
        }
        m_updater->checkForUpdates(url);
    }
    m_versionChecking = false;
}
