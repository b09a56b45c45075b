#pragma once

#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTimer>

#include <memory>

#include "base/appfolders.h"
#include "base/settingsstore.h"

namespace Ui {
class MainWindow;
}

class AnalysisSession;
class DownloadListController;
class DownloadNotifier;
class ExtractorProbeRunner;
class ExtractorUpdate;
class ExtractorUpdateDialog;
class QLabel;
class ListTopForm;
class NoticeDialog;
class QSimpleUpdater;
class TopInfo;
class VendorServiceController;
class ItemInfo;
class IntakeDialogs;
class LinkIntake;
class ExtractorNotices;
class ListDialog;
class ListWidget;
class ProxyController;
class QAction;
class QMenu;
class QTranslator;
class QDragEnterEvent;
class QDropEvent;
class QWheelEvent;
class SettingsController;
class SingleDialog;
class ThumbnailCache;
class itemWidget;

// The one top-level window. It shows the state of the subsystem controllers
// and forwards what the user does to them; the controllers hold the logic.
// All of it is in ui/: start-up in mainwindow.cpp, one wiring file per
// subsystem (mainwindow_<subsystem>.cpp), the shell, pages and language.
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
    DownloadListController *downloadList() const { return m_downloads; }

public slots:
    void opendisplayall();
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
    // For the rest of the window: every task in creation order, the view the
    // list shows (ListRules::View) and whether start-all paused everything.
    const QList<ItemInfo *> &tasks() const;
    int listView() const;
    bool allTasksPaused() const;
    // Takes a new task into the list: numbers it, stores it and shows it.
    void addTask(ItemInfo *task);
    void runScheduler();
    // Refreshes the task's row, when it has one, from the record.
    void updateTaskRow(ItemInfo *task);
    // Status words and rows follow a language switch.
    void retranslateDownloads();

    // Wiring (ui/mainwindow_downloads.cpp; the list's in ui/mainwindow_list.cpp).
    void createDownloadEngine();
    void createDownloadList();
    void openTaskDatabase();
    void shutdownDownloads();
    void onHistoryTimeout();
    // Takes the general settings the downloads use (process counts, folder rule).
    void applyDownloadSettings(const SettingsStore::GeneralSettings &values);
    // Download list helpers (ui/mainwindow_list.cpp).
    // Shows view from its member offset (the scroll value) on.
    void selectListFilter(int view, int offset = 0);
    void showListPage(int view);
    void updateCounts();
    // The list's rows: made once (buttons wired to the controller), then
    // bound to whichever task the page shows.
    itemWidget *makeRow();
    void bindRow(itemWidget *row, ItemInfo *task);
    // Thumbnails: asked for when an analysis tells one, shown when they arrive.
    void fetchThumbnail(ItemInfo *task);
    void showThumbnail(const QString &taskKey);
    void showStatusText(ItemInfo *task, const QString &text);
    void confirmRedownload(ItemInfo *task);
    void confirmDelete(ItemInfo *task);
    void openLocalPath(const QString &path);

    DownloadListController *m_downloads = nullptr;
    ListWidget *m_listWidget = nullptr; // rows of the download list
    ThumbnailCache *m_thumbnails = nullptr; // pictures of the rows, by task

    // ==== desktop notices ====================================================
public:
    DownloadNotifier *notifier() const { return m_notifier; }

private:
    // ui/mainwindow_notices.cpp.
    void createNotifications();
    // A notice was activated: the window comes to the front with the task's row.
    void showTaskFromNotice(const QString &uniqueId);

    DownloadNotifier *m_notifier = nullptr;

    // ==== network and proxy ==================================================
public:
    ProxyController *proxy() const { return m_proxy; }

public slots:
    void m_keepalive_sec();
    void showNetworkAvailable();
    void showNetworkTesting();
    // Shows the stored proxy mode on the proxy page (called when its tab opens).
    void refreshProxyPage();

private slots:
    void on_radioButton_clicked(bool checked);
    void on_radioButton_2_clicked(bool checked);
    void on_radioButton_3_clicked(bool checked);
    void on_radioButton_4_clicked(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_test_pro_clicked();

private:
    // Wiring (ui/mainwindow_network.cpp) and the proxy page (ui/mainwindow_proxy.cpp).
    void createProxyDetection();
    void startProxyDetection();
    void stopProxyWork();
    void showCustomProxyFields(bool show);
    void showCustomProxyCheck();

    ProxyController *m_proxy = nullptr;

    // ==== settings, language and the window shell ===========================
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
    void on_pushButton_cookiefile_clicked();
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
    // Positions of the service tabs in the tab bar.
    enum ServiceTab
    {
        ProxyTab = 0,
        SettingTab = 1,
        StepTab = 2,
        AboutTab = 3,
        TestTab = 4
    };

    // Start-up steps, in the order the constructor runs them (ui/mainwindow.cpp,
    // ui/mainwindow_shell.cpp).
    void computeScale();
    void initWidgets();
    void prepareFolders();
    void stylePages();
    // The window's side of the settings controller (ui/mainwindow_settings.cpp):
    // creating it and handing its values to the downloads and the settings
    // page, the stored values, the language.
    void createSettings();
    SettingsStore::GeneralSettings generalSettings() const;
    void saveGeneralSettings(const SettingsStore::GeneralSettings &values);
    bool chineseUi() const;
    void switchLanguage(bool chinese);
    // Window shell, settings page and language (ui/mainwindow_shell.cpp,
    // mainwindow_pages.cpp, mainwindow_settingspage.cpp, mainwindow_language.cpp).
    void applyLanguage();
    // Restyles the top tabs from m_topPage and the list filters from the
    // shown list view, in the current language.
    void restyleTopTabs();
    void restyleListFilters();
    void restyleStartAllButton();
    void restyleOneKeyButton();
    void selectServiceTab(int tab);
    // Opens the help (hh.exe on Windows, the HTML help page elsewhere).
    void openHelp();
    void styleChrome();
    void showNetworkIcon(const QString &image);
    void buildDropDownMenu();
    void prepareSettingsPage();
    void showGeneralSettings(const SettingsStore::GeneralSettings &values);
    // Cookies for sign-in on the settings page (ui/mainwindow_cookies.cpp).
    void prepareCookieSettings();
    void fillCookieChoices();
    void showCookieSettings(const SettingsStore::CookieSettings &values);
    void showCookieFields();
    // What the page holds; false (after telling the user) when it cannot be saved.
    bool chosenCookieSettings(SettingsStore::CookieSettings *values);
    void styleDownloadPage();
    void stylePopularPage();
    void styleServicePages();
    void styleOneKeyPage();
    void applyPictureSet();
    // The pictures of the service and one-key pages are loaded when the page
    // is first shown: most starts never open them, and decoded they take
    // megabytes.
    void showPagePictures(int page);
    void loadServicePictures();
    void loadOneKeyPictures();
    void retranslateTexts();
    void refillComboBoxes();
    void resetTopTabs();
    void resetServiceTabs();

    SettingsController *m_settings = nullptr;
    QString m_appDataDir; // per-user data folder (help pages)
    QString m_settingsPath; // the settings file, as the controller uses it
    QString m_desktopDir; // offered as a save folder
    QTranslator *m_translator = nullptr;

    // Window shell state.
    bool m_dragging = false;
    QPoint m_pressPos;
    int m_topPage = 0;
    int m_serviceTab = 0;
    bool m_servicePicturesLoaded = false;
    bool m_oneKeyPicturesLoaded = false;
    int m_pixmapFrame = 1;
    int m_framesShown = 0; // of the current testing spell
    bool m_networkTesting = true; // the strip says the proxy is being tested
    QTimer m_pixmapTimer; // network-status animation while testing
    QTimer m_keepaliveTimer;
    QProcess m_helpProcess;
    QMenu *m_languageMenu = nullptr;
    QAction *m_webAction = nullptr;
    QAction *m_faqAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_updateAction = nullptr;
    QAction *m_englishAction = nullptr;
    QAction *m_chineseAction = nullptr;

    // ==== link intake ========================================================
public slots:
    void on_pushButton_paste_clicked();
    // A link chosen on the popular lists.
    void receiveTopForm(QString url);
    // One-key page: the switch, the folder chooser and OK.
    void on_checkBox_clicked(bool checked);
    void on_pushButton_5_clicked();
    void on_pushButton_onekey_ok_clicked();
    // Batch import and export of links.
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    // Another start of the program handed over its command-line links: the
    // window comes to the front and takes them as if they were pasted.
    void openLinks(const QStringList &links);

protected:
    // Links and link files dropped onto the window are taken like a batch.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Wiring (ui/mainwindow_intake.cpp).
    void createLinkIntake();
    // Every link enters here: paste, popular lists, batch files.
    void addLink(const QString &url);
    void addLinks(const QStringList &lines);
    void importLinkFile(const QString &path);
    // The stored one-key choices: in effect for new tasks and on the page.
    void loadOneKeySettings();
    void showOneKeySettings(const SettingsStore::OneKeySettings &values);

    LinkIntake *m_intake = nullptr;
    SingleDialog *m_singleDialog = nullptr;
    ListDialog *m_listDialog = nullptr;
    AnalysisSession *m_analysis = nullptr; // the dialogs' analyses
    std::shared_ptr<IntakeDialogs> m_intakeDialogs;

    // ==== what the program tells about the extractor itself ==================
public:
    ExtractorNotices *extractorNotices() const { return m_extractorNotices; }

private:
    // Wiring (ui/mainwindow_extractornotices.cpp): after the list and intake.
    void createExtractorNotices();

    ExtractorNotices *m_extractorNotices = nullptr;

    // ==== the extractor in use ===============================================
public:
    ExtractorProbeRunner *extractorProbe() const { return m_extractorProbe; }
    ExtractorUpdate *extractorUpdate() const { return m_extractorUpdate; }

public slots:
    // Menu entry "Update extractor".
    void updateExtractor();

private:
    // ui/mainwindow_extractor.cpp.
    void createExtractorSupport();
    void showExtractorInfo();
    void onExtractorUpdated(bool ok, const QString &message);
    void retranslateExtractor();

    ExtractorProbeRunner *m_extractorProbe = nullptr;
    ExtractorUpdate *m_extractorUpdate = nullptr;
    ExtractorUpdateDialog *m_extractorDialog = nullptr;
    QLabel *m_extractorLabel = nullptr; // on the About page
    QAction *m_extractorUpdateAction = nullptr;

    // ==== vendor service =====================================================
public:
    VendorServiceController *vendorService() const { return m_vendor; }
    QSimpleUpdater *simpleUpdater() const { return m_updater; }
    NoticeDialog *noticeDialog() const { return m_noticeDialog; }
    // The rows of the day (0), week (1) and month (2) lists.
    ListTopForm *topListForm(int kind) const { return m_topForms[kind]; }

public slots:
    void displayupdate();
    void on_pushButton_refresh_clicked();
    void on_pushButton_notice_clicked();

private:
    // ui/mainwindow_service.cpp.
    void createVendorService();
    void stopVendorService();
    void onVersionTimeout();
    void onTopInfoTimeout();
    void onNoticeTimeout();
    // The version check, at start-up or on demand (the "Update" entry).
    void runVersionCheck(bool onDemand);
    void displayTopList();
    void showTopThumbnail(TopInfo *info);
    // Unread picture while there is a notice set whose identifier differs
    // from the stored one.
    void updateNoticeButton();
    void retranslateService();

    VendorServiceController *m_vendor = nullptr;
    QSimpleUpdater *m_updater = nullptr;
    NoticeDialog *m_noticeDialog = nullptr;
    ListTopForm *m_topForms[3] = {nullptr, nullptr, nullptr};
    bool m_versionChecking = false;

    Ui::MainWindow *ui;
};
