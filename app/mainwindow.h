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

class GetProxyPortThread;
class ItemInfo;
class MyQProcess;
class QTranslator;
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

    // --- language (ui/) -------------------------------------------------------
    void applyLanguage();

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

private slots:
    void on_pushButton_close_clicked();
    void on_pushButton_min_clicked();
    void on_pushButton_download_clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

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
    void onVersionTimeout();
    void onHistoryTimeout();
    void onTopInfoTimeout();

    // Slot handlers shared by the numbered slots.
    void analysisFinished(int slot);
    void downloadFinished(int slot);
    void readDownloadOutput(int slot);

    // --- network and proxy (network/mainwindow_proxy.cpp) ----------------------
public:
    GetProxyPortThread *m_proxyThread = nullptr;
    int m_keepaliveFailures = 0;     // connectivity checks failed in a row
    int m_proxyTestWaitMs = 30000;   // proxy test: wait for start, then for the end
    QProcess *m_proxyTestProcess = nullptr; // the running proxy test, if any

    // Shows the stored proxy mode on the proxy page (called when its tab opens).
    void refreshProxyPage();

public slots:
    void recv_proxy_port(QString ipaddr, int port, QString type);

private slots:
    void on_radioButton_clicked(bool checked);
    void on_radioButton_2_clicked(bool checked);
    void on_radioButton_3_clicked(bool checked);
    void on_radioButton_4_clicked(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_test_pro_clicked();

private:
    void createProxyDetection();
    void stopProxyWork();
    void showCustomProxyFields(bool show);
    void finishProxyTest(QProcess *process);
    bool m_keepaliveBusy = false;

    Ui::MainWindow *ui;
};
