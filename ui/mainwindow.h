#pragma once

#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTimer>

#include "base/appfolders.h"
#include "base/settingsstore.h"

namespace Ui {
class MainWindow;
}

class DownloadEngine;
class GetProxyPortThread;
class ItemInfo;
class LinkIntake;
class ListWidget;
class QAction;
class QMenu;
class QTranslator;
class QWheelEvent;
class SettingsController;
class SqliteDBAOperator;
class itemWidget;

// The one top-level window. It shows the state of the subsystem controllers
// and forwards what the user does to them; the controllers hold the logic.
// Start-up and wiring are in app/ (mainwindow.cpp and one wiring file per
// subsystem), the window shell, pages and language in ui/.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The controllers, for tests and tools that drive the window.
    SettingsController *settings() const { return m_settings; }
    LinkIntake *intake() const { return m_intake; }

    // ==== downloads ==========================================================
public:
    QList<ItemInfo *> taskList; // every task, in creation order; owned
    DownloadEngine *downloadEngine = nullptr; // the eleven process slots and the scheduler
    ListWidget *listWidget = nullptr; // rows of the download list
    SqliteDBAOperator *sqliteOperator = nullptr;
    int nextTaskId = 0;
    int processnum = 3;
    int anaprocessnum = 1;
    int folderoption = 1;
    int availabe_anakey = 3; // analysis budget of the scheduler
    bool allPaused = false;
    int listFilter = 0;

    void runScheduler();
    // Refreshes the task's row, when it has one, from the record.
    void updateTaskRow(ItemInfo *task);
    // The task's row, made when first needed.
    itemWidget *rowFor(ItemInfo *task);
    // Takes a new task into the list: numbers it, stores it and shows it.
    void addTask(ItemInfo *task);
    void updateCounts();

public slots:
    void receiveWork();
    void displayLockList();
    void opendisplaynofinish();
    void opendisplayfinish();
    void opendisplayfinishfailure();
    void opendisplayall();
    void opendelall();
    void opendelnofinish();
    void opendelfinish();
    void opendelfinishfailure();
    void openredownload();
    void on_verticalScrollBar_valueChanged(int value);
    void on_pushButton_downloadfinished_clicked();
    void on_pushButton_downloadfinished_2_clicked();
    void on_pushButton_downloadfinished_3_clicked();
    void on_pushButton_downloadfinished_failure_clicked();
    void on_pushButton_downloadfinished_5_clicked();
    void on_pushButton_downloadfinished_retry_clicked();
    void on_pushButton_downloadfinished_4_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_clicked();

private:
    // Wiring (app/mainwindow_downloads.cpp).
    void createDownloadEngine();
    void createDownloadList();
    void openTaskDatabase();
    void shutdownDownloads();
    void onHistoryTimeout();
    // Download list helpers (ui/mainwindow_list.cpp).
    void selectListFilter(int view);
    void redisplay(int view);
    void deleteView(int view);

    // ==== network and proxy ==================================================
public:
    GetProxyPortThread *m_proxyThread = nullptr;
    int m_keepaliveFailures = 0; // connectivity checks failed in a row
    int m_proxyTestWaitMs = 30000; // proxy test: wait for start, then for the end
    QProcess *m_proxyTestProcess = nullptr; // the running proxy test, if any

    // Shows the stored proxy mode on the proxy page (called when its tab opens).
    void refreshProxyPage();

public slots:
    void recv_proxy_port(QString ipaddr, int port, QString type);
    void m_keepalive_sec();
    void showNetworkAvailable();
    void showNetworkTesting();

private slots:
    void on_radioButton_clicked(bool checked);
    void on_radioButton_2_clicked(bool checked);
    void on_radioButton_3_clicked(bool checked);
    void on_radioButton_4_clicked(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_test_pro_clicked();

private:
    // Wiring (app/mainwindow_network.cpp).
    void createProxyDetection();
    void waitBeforeProxyDetection();
    void startProxyDetection();
    void stopProxyWork();
    void showCustomProxyFields(bool show);
    void finishProxyTest(QProcess *process);
    bool m_keepaliveBusy = false;

    // ==== settings, language and the window shell ===========================
public:
    QString appDataDir;
    QString cookiesDir;
    QString settingsPath;
    QString desktopDir;
    QString documentsDir;
    QRect screenRect; // available geometry of the primary screen at start-up
    QTranslator *translator = nullptr;

    int redownloadswitch = 0;
    int loadhistoryswitch = 1;
    int autodeletefileswitch = 0;
    int topnum = 10;
    int languageSwitch = 1; // 1 Chinese, 0 English
    QString lastNotice;

    // Window shell state.
    bool m_dragging = false;
    QPoint m_pressPos;
    int m_topPage = 0;
    int m_serviceTab = 0;
    int m_pixmapFrame = 1;
    QTimer m_pixmapTimer;
    QTimer m_keepaliveTimer;
    QProcess m_helpProcess;
    QMenu *m_languageMenu = nullptr;
    QAction *m_webAction = nullptr;
    QAction *m_faqAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_updateAction = nullptr;
    QAction *m_englishAction = nullptr;
    QAction *m_chineseAction = nullptr;

    // --- settings access (app/mainwindow_settings.cpp) ---------------------------
    void loadGeneralSettings();
    // Takes general setting values into the members.
    void useGeneralSettings(const SettingsStore::GeneralSettings &values);
    void loadLanguageSetting();
    void saveLanguageSetting();
    void loadOneKeySettings();
    void saveOneKeySettings(int onekey, int quality, int type, int sudu, const QString &location,
        int zimu, int zimulang, int thumbnail);
    void saveNotice(const QString &text);

    // --- window shell, settings page and language (ui/) ---------------------
    void applyLanguage();
    // Restyles the top tabs from m_topPage and the list filters from listFilter
    // in the current language.
    void restyleTopTabs();
    void restyleListFilters();
    void restyleStartAllButton();
    void restyleOneKeyButton();
    void selectServiceTab(int tab);
    // Opens the help (hh.exe on Windows, the HTML help page elsewhere).
    void openHelp();

    // Positions of the service tabs in the tab bar.
    enum ServiceTab
    {
        ProxyTab = 0,
        SettingTab = 1,
        StepTab = 2,
        AboutTab = 3,
        TestTab = 4
    };

public slots:
    void timerALL();
    void updatePixmap();
    void on_pushButton_close_clicked();
    void on_pushButton_min_clicked();
    void on_pushButton_download_clicked();
    void on_pushButton_biaoti_clicked();
    void on_pushButton_top_clicked();
    void on_pushButton_about_clicked();
    void on_pushButton_service_clicked();
    void on_pushButton_onekey_clicked();
    void on_pushButton_tab_proxy_clicked();
    void on_pushButton_tab_setting_clicked();
    void on_pushButton_tab_step_clicked();
    void on_pushButton_tab_about_clicked();
    void on_pushButton_tab_testpro_clicked();
    void on_pushButton_help_clicked();
    void on_pushButton_setting_clicked();
    void displayweb();
    void displayFAQs();
    void displayaboutus();
    void changeEnglishlanguage();
    void changeChineselanguage();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Start-up steps, in the order the constructor runs them (app/mainwindow.cpp).
    void computeScale();
    void initWidgets();
    void prepareFolders();
    void createChildWindows();
    void stylePages();
    // The stored general settings and the interface language, for the ui/
    // files (app/mainwindow_settings.cpp).
    SettingsStore::GeneralSettings generalSettings() const;
    bool chineseUi() const;
    // Window shell helpers (ui/).
    void styleChrome();
    void buildDropDownMenu();
    void prepareSettingsPage();
    void showGeneralSettings();
    void styleDownloadPage();
    void stylePopularPage();
    void styleServicePages();
    void styleOneKeyPage();
    void applyPictureSet();
    void retranslateTexts();
    void refillComboBoxes();
    void resetTopTabs();
    void resetServiceTabs();

    SettingsController *m_settings = nullptr;

    // ==== link intake ========================================================
private:
    // Wiring (app/mainwindow_intake.cpp).
    void createLinkIntake();

    LinkIntake *m_intake = nullptr;

    // ==== vendor service =====================================================
public slots:
    void displayupdate();

private:
    // app/mainwindow_service.cpp.
    void onVersionTimeout();
    void onTopInfoTimeout();

    Ui::MainWindow *ui;
};
