#pragma once

#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTimer>

#include "app/appfolders.h"

namespace Ui {
class MainWindow;
}

class ItemInfo;
class MyQProcess;
class QAction;
class QMenu;
class QTranslator;
class QWheelEvent;
class SqliteDBAOperator;

// The one top-level window. It owns every task, row, process slot, dialog and
// timer. Its code is split by concern: start-up here, settings access in
// mainwindow_settings.cpp, the process slots in downloads/, the window shell in
// ui/, proxy handling in network/ and the vendor service in service/.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Number of extractor process slots: two analysis slots (P0, P1) and nine
    // download slots (P2 .. P10).
    static constexpr int SlotCount = 11;

    // --- state shared by the subsystems -------------------------------------
    QString appDataDir;
    QString cookiesDir;
    QString settingsPath;
    QString desktopDir;
    QString documentsDir;
    QRect screenRect; // available geometry of the primary screen at start-up

    QList<ItemInfo *> taskList;      // every task, in creation order; owned
    QList<MyQProcess *> processList; // the eleven slots, index = slot number
    SqliteDBAOperator *sqliteOperator = nullptr;
    QTranslator *translator = nullptr;
    int nextTaskId = 0;

    // General settings (mirrors of setting.ini, see SettingsStore).
    int redownloadswitch = 0;
    int loadhistoryswitch = 1;
    int autodeletefileswitch = 0;
    int topnum = 10;
    int processnum = 3;
    int anaprocessnum = 1;
    int folderoption = 1;
    int availabe_anakey = 3; // analysis budget of the scheduler
    int languageSwitch = 1;  // 1 Chinese, 0 English
    bool allPaused = false;
    int listFilter = 0;
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

    // --- settings access (mainwindow_settings.cpp) ---------------------------
    void loadGeneralSettings();
    void loadLanguageSetting();
    void saveLanguageSetting();
    void loadOneKeySettings();
    void saveOneKeySettings(int onekey, int quality, int type, int sudu, const QString &location,
                            int zimu, int zimulang, int thumbnail);
    void saveNotice(const QString &text);

    // --- scheduler (downloads/) ---------------------------------------------
    void runScheduler();

    // --- window shell, settings page and language (ui/) ---------------------
    void applyLanguage();
    // The row update of one task (the row widget's code fills it in).
    void updateTaskRow(ItemInfo *task);
    // Refreshes the proxy page from the stored mode (the proxy code fills it in).
    void refreshProxyPage();
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
    enum ServiceTab { ProxyTab = 0, SettingTab = 1, StepTab = 2, AboutTab = 3, TestTab = 4 };

public slots:
    void timerALL();
    void updatePixmap();
    void m_keepalive_sec();
    void receiveWork();

    void on_P0_Finished(int result);
    void on_P1_Finished(int result);
    void on_P2_Finished(int result, QProcess::ExitStatus status);
    void on_P3_Finished(int result, QProcess::ExitStatus status);
    void on_P4_Finished(int result, QProcess::ExitStatus status);
    void on_P5_Finished(int result, QProcess::ExitStatus status);
    void on_P6_Finished(int result, QProcess::ExitStatus status);
    void on_P7_Finished(int result, QProcess::ExitStatus status);
    void on_P8_Finished(int result, QProcess::ExitStatus status);
    void on_P9_Finished(int result, QProcess::ExitStatus status);
    void on_P10_Finished(int result, QProcess::ExitStatus status);
    void on_p2_readFromStdOut();
    void on_p3_readFromStdOut();
    void on_p4_readFromStdOut();
    void on_p5_readFromStdOut();
    void on_p6_readFromStdOut();
    void on_p7_readFromStdOut();
    void on_p8_readFromStdOut();
    void on_p9_readFromStdOut();
    void on_p10_readFromStdOut();

    void showNetworkAvailable();
    void showNetworkTesting();

    // --- window shell, settings page and language (ui/) ---------------------
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

    // --- version check (service/) -------------------------------------------
    void displayupdate();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Start-up steps, in the order the constructor runs them.
    void computeScale();
    void initWidgets();
    void prepareFolders();
    void createProcessSlots();
    void createChildWindows();
    void waitBeforeProxyDetection();
    void startProxyDetection();
    void openTaskDatabase();
    void stylePages();
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
    void onVersionTimeout();
    void onHistoryTimeout();
    void onTopInfoTimeout();

    // Slot handlers shared by the numbered slots.
    void analysisFinished(int slot);
    void downloadFinished(int slot);
    void readDownloadOutput(int slot);

    Ui::MainWindow *ui;
};
