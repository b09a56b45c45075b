#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/displayscale.h"
#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/languagetranslator.h"

#include <QEventLoop>
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
    translator = new LanguageTranslator(this);
    prepareFolders();
    createDownloadEngine();
    createChildWindows();
    createDownloadList();
    createProxyDetection();

    startProxyDetection();

    openTaskDatabase();
    stylePages();
    loadGeneralSettings();
    loadLanguageSetting();
    applyLanguage();

    on_pushButton_download_clicked();
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(0);

    onVersionTimeout();
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
    stopProxyWork();
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
    delete ui;
}

void MainWindow::computeScale()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    screenRect = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 728);
    Global::SCALE = DisplayScale::compute(logicalDpiX(), logicalDpiY(), screenRect);
}

void MainWindow::prepareFolders()
{
    const AppFolders folders = AppFolders::locate();
    appDataDir = folders.appDataDir;
    cookiesDir = folders.cookiesDir;
    settingsPath = folders.settingsPath;
    desktopDir = folders.desktopDir;
    documentsDir = folders.documentsDir;
    folders.prepare(Global::DOWNLOAD_DIR);
}

void MainWindow::waitBeforeProxyDetection()
{
    // Give the window a moment before the network is probed; events are
    // served meanwhile.
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
}

void MainWindow::openTaskDatabase()
{
    sqliteOperator = new SqliteDBAOperator(this);
    sqliteOperator->prepare();
    downloadEngine->bindDatabase(sqliteOperator);
}

void MainWindow::timerALL()
{
    loadOneKeySettings();
    onHistoryTimeout();
    onTopInfoTimeout();
}
