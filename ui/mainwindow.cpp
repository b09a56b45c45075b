#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/displayscale.h"
#include "base/global.h"
#include "base/settingscontroller.h"
#include "extractor/leftoverruns.h"
#include "extractor/toolprocess.h"
#include "ui/languagetranslator.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QTranslator>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    computeScale();
    initWidgets();

    ui->radioButton->setChecked(true);
    m_translator = new LanguageTranslator(this);
    prepareFolders();
    createSettings();
    createDownloadEngine();
    createNotifications();
    createDownloadList();
    createProxyDetection();
    createLinkIntake();
    createVendorService();
    createExtractorSupport();

    // The window shows first; the pause before detection and the detection
    // follow from the event loop.
    QTimer::singleShot(0, this, &MainWindow::startProxyDetection);

    openTaskDatabase();
    stylePages();
    applyDownloadSettings(m_settings->general());
    showGeneralSettings(m_settings->general());
    applyLanguage();

    on_pushButton_download_clicked();
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(0);

    // The version check waits for the event loop too: a silent service must
    // not keep the window from showing.
    QTimer::singleShot(0, this, &MainWindow::onVersionTimeout);
    QTimer::singleShot(100, this, &MainWindow::timerALL);

    QFont checkFont = ui->label_check->font();
    checkFont.setPixelSize(Global::scaled(12));
    ui->label_check->setFont(checkFont);
    ui->label_check->setText(tr("Testing proxy status,please confirm that the agent is open."));

    connect(&m_pixmapTimer, &QTimer::timeout, this, &MainWindow::updatePixmap);
    m_pixmapTimer.start(400);
    connect(&m_keepaliveTimer, &QTimer::timeout, this, &MainWindow::m_keepalive_sec);
    m_keepaliveTimer.start(20000);
}

MainWindow::~MainWindow()
{
    stopVendorService();
    stopProxyWork();
    shutdownDownloads();
    delete ui;
}

void MainWindow::computeScale()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 728);
    Global::SCALE = DisplayScale::compute(logicalDpiX(), logicalDpiY(), available);
}

void MainWindow::prepareFolders()
{
    const AppFolders folders = AppFolders::locate();
    m_appDataDir = folders.appDataDir;
    m_settingsPath = folders.settingsPath;
    m_desktopDir = folders.desktopDir;
    folders.prepare(Global::DOWNLOAD_DIR);
    // Runs are marked with the data folder they work for. Whatever still
    // carries the mark now was left by a copy of the program that was killed;
    // it must be gone before a download of the same task resumes.
    ToolProcess::setRunMarker(m_appDataDir);
    const int leftovers = LeftoverRuns::end(m_appDataDir);
    if (leftovers > 0)
        qDebug() << "ended" << leftovers << "processes left by an earlier run";
}

void MainWindow::timerALL()
{
    loadOneKeySettings();
    onHistoryTimeout();
    onTopInfoTimeout();
    onNoticeTimeout();
}
