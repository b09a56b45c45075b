#include "support/testmain.h"

#include "app/global.h"
#include "app/mainwindow.h"
#include "downloads/itemwidget.h"
#include "app/settingsstore.h"
#include "downloads/qmenubutton.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/imagestyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardPaths>

// Catches the URLs the program hands to the desktop (help page, web pages).
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

// The main window as a user meets it: first start, tabs and pages, the
// settings page, the language switch and its survival over a restart.
// Building a window costs two seconds, so one window serves most cases.
class TestMainWindowShell : public QObject
{
    Q_OBJECT

    MainWindow *w = nullptr;

    template<typename T> T *child(MainWindow *win, const char *name)
    {
        T *found = win->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    QPushButton *button(const char *name) { return child<QPushButton>(w, name); }
    QStackedWidget *stack(const char *name) { return child<QStackedWidget>(w, name); }
    QString settingsPath() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    }
    void sendWheel(const QPoint &posInWindow, int delta)
    {
        QWheelEvent e(QPointF(posInWindow), QPointF(w->mapToGlobal(posInWindow)), QPoint(),
            QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &e);
    }
    QPoint frameMainCentre()
    {
        QFrame *frame = child<QFrame>(w, "frame_main");
        return frame->mapTo(w, frame->rect().center());
    }

private slots:
    void initTestCase()
    {
        // The compiled translations are looked up in the working directory.
        QVERIFY(QDir::setCurrent(qEnvironmentVariable("QUILLON_BINARY_DIR")));
        QVERIFY(!QFile::exists(settingsPath()));
        w = new MainWindow;
        w->show();
    }

    void cleanupTestCase() { delete w; }

    void firstStartIsChinese()
    {
        QCOMPARE(w->languageSwitch, 1);
        QCOMPARE(child<QLabel>(w, "label_version")->text(), QString::fromUtf8("版本：2.6.1"));
        QCOMPARE(child<QLabel>(w, "label_check")->text(),
            QString::fromUtf8("正在检测代理状态，请确认代理已开启。"));
        QCOMPARE(
            child<QCheckBox>(w, "checkBox_3")->text(), QString::fromUtf8("启动时加载历史记录。"));
        QCOMPARE(
            button("pushButton_paste")->toolTip(), QString::fromUtf8("复制视频链接地址后点击我"));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(true));
        QCOMPARE(button("pushButton_setting")->styleSheet(), ImageStyle::okSheet(true));
        QCOMPARE(
            button("pushButton_download")->styleSheet(), ImageStyle::downloadTabSheet(true, true));
        QCOMPARE(child<QComboBox>(w, "comboBox_7")->itemText(0), QString::fromUtf8("全部列表"));
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Orvanta Quillon 视频下载器"));
        // Starting wrote nothing.
        QVERIFY(!QFile::exists(settingsPath()));
    }

    void chromeAndStatusStrip()
    {
        QVERIFY(child<QFrame>(w, "frame_base")->graphicsEffect());
        QCOMPARE(button("pushButton_notice")->styleSheet(), ImageStyle::noticeSheet(true));
        QCOMPARE(button("pushButton_min")->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!child<QLabel>(w, "label_tubiao")->pixmap(Qt::ReturnByValue).isNull());

        // The animation steps 1, 2, 3, 4, 1 until the network is available.
        QPushButton *net = button("pushButton_network_2");
        w->m_pixmapFrame = 1;
        for (int frame : {1, 2, 3, 4, 1, 2}) {
            w->updatePixmap();
            QCOMPARE(net->styleSheet(), ImageStyle::networkFrameSheet(frame));
        }
        w->showNetworkAvailable();
        QVERIFY(!w->m_pixmapTimer.isActive());
        QCOMPARE(net->styleSheet(), ImageStyle::networkAvailableSheet());
        QCOMPARE(child<QLabel>(w, "label_check")->text(), QString::fromUtf8("网络连接正常。"));
        w->showNetworkTesting();
        QVERIFY(w->m_pixmapTimer.isActive());
        QCOMPARE(w->m_pixmapTimer.interval(), 400);
    }

    void dropDownMenu()
    {
        QMenu *menu = child<QMenuButton>(w, "pushButton_xiala")->menu();
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), 5);
        QStringList texts;
        for (QAction *a : actions) {
            texts << a->text();
            QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(texts,
            QStringList({QString::fromUtf8("官方网站"), QString::fromUtf8("常见问题"),
                QString::fromUtf8("关于我们"), QString::fromUtf8("检查更新"),
                QString::fromUtf8("语言")}));
        QMenu *languages = actions.last()->menu();
        QVERIFY(languages);
        QCOMPARE(languages->actions().size(), 2);
        QCOMPARE(languages->actions().at(0)->text(), QString("English"));
        QCOMPARE(languages->actions().at(1)->text(), QString::fromUtf8("简体中文"));
        QVERIFY(
            languages->styleSheet().contains("padding:5px 20px;margin:0px 5px;font-size: 12px;"));
    }

    void topTabsSelectPages()
    {
        const bool zh = true;
        button("pushButton_top")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 1);
        QCOMPARE(w->m_topPage, 1);
        QCOMPARE(button("pushButton_top")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "top", true, zh));
        QCOMPARE(
            button("pushButton_download")->styleSheet(), ImageStyle::downloadTabSheet(false, zh));

        button("pushButton_about")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 3);
        QCOMPARE(w->m_topPage, 3);
        QCOMPARE(button("pushButton_about")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "tools", true, zh));
        QCOMPARE(button("pushButton_top")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "top", false, zh));

        // The title picture shows the intro without touching the highlight.
        button("pushButton_biaoti")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 0);
        QCOMPARE(w->m_topPage, 3);
        QCOMPARE(button("pushButton_about")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "tools", true, zh));

        button("pushButton_onekey")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 4);

        button("pushButton_service")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 2);
        QCOMPARE(w->m_topPage, 2);
        QCOMPARE(stack("stackedWidget_3")->currentWidget()->objectName(), QString("page_12"));
        QCOMPARE(w->m_serviceTab, int(MainWindow::SettingTab));
        QCOMPARE(button("pushButton_about")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "tools", false, zh));
    }

    void serviceTabsSelectPages_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<int>("index");
        QTest::newRow("proxy") << "pushButton_tab_proxy"
                               << "page_11"
                               << "proxy" << 0;
        QTest::newRow("setting") << "pushButton_tab_setting"
                                 << "page_12"
                                 << "setting" << 1;
        QTest::newRow("step") << "pushButton_tab_step"
                              << "page_9"
                              << "step" << 2;
        QTest::newRow("about") << "pushButton_tab_about"
                               << "page_10"
                               << "about" << 3;
        QTest::newRow("test") << "pushButton_tab_testpro"
                              << "page_testpro"
                              << "test" << 4;
    }

    void serviceTabsSelectPages()
    {
        QFETCH(QString, tab);
        QFETCH(QString, page);
        QFETCH(QString, stem);
        QFETCH(int, index);
        button(qPrintable(tab))->click();
        QCOMPARE(stack("stackedWidget_3")->currentWidget()->objectName(), page);
        QCOMPARE(w->m_serviceTab, index);
        QCOMPARE(
            button(qPrintable(tab))->styleSheet(), ImageStyle::serviceTabSheet(stem, true, true));
        // Exactly one tab looks selected.
        int selected = 0;
        for (const char *name : {"pushButton_tab_proxy", "pushButton_tab_setting",
                 "pushButton_tab_step", "pushButton_tab_about", "pushButton_tab_testpro"})
            selected += button(name)->styleSheet().startsWith(
                            "QPushButton{border-image: url(:/service2/chin")
                && button(name)->styleSheet().contains("2.png)  ;}QPushButton:hover");
        QCOMPARE(selected, 1);
    }

    void downloadTabShowsIntroOrList()
    {
        button("pushButton_download")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 0);
        QCOMPARE(w->m_topPage, 0);

        auto *task = new ItemInfo;
        w->taskList.append(task);
        button("pushButton_download")->click();
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 1);
        // The title picture always shows the intro, even with rows.
        button("pushButton_biaoti")->click();
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 0);
        w->taskList.removeAll(task);
        delete task;
    }

    void wheelPagesOnlyOverTheList()
    {
        // 25 finished tasks: the finished view pages over 0 .. 20.
        QList<ItemInfo *> tasks;
        for (int i = 0; i < 25; ++i) {
            auto *task = new ItemInfo;
            task->process_status = 6;
            w->taskList.append(task);
            tasks << task;
        }
        button("pushButton_download")->click();
        w->on_pushButton_downloadfinished_3_clicked();
        QScrollBar *bar = child<QScrollBar>(w, "verticalScrollBar");
        QCOMPARE(bar->maximum(), 20);
        bar->setValue(10);

        sendWheel(frameMainCentre(), -120);
        QCOMPARE(bar->value(), 15);
        sendWheel(frameMainCentre(), -120);
        QCOMPARE(bar->value(), 20);
        sendWheel(frameMainCentre(), 120);
        QCOMPARE(bar->value(), 15);

        // Outside the list frame: the title bar.
        sendWheel(QPoint(300, 30), -120);
        QCOMPARE(bar->value(), 15);

        // Another page shown: nothing pages.
        button("pushButton_top")->click();
        sendWheel(frameMainCentre(), -120);
        QCOMPARE(bar->value(), 15);

        // The intro panel instead of the list.
        button("pushButton_biaoti")->click();
        sendWheel(frameMainCentre(), -120);
        QCOMPARE(bar->value(), 15);

        for (ItemInfo *task : tasks) {
            w->taskList.removeAll(task);
            delete task->row;
            delete task;
        }
        w->on_pushButton_downloadfinished_clicked();
    }

    void dragOnlyWithTheLeftButton()
    {
        const QPoint start = w->pos();
        QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, QPoint(100, 30));
        QVERIFY(!w->m_dragging);
        QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, QPoint(100, 30));

        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
        QVERIFY(w->m_dragging);
        QCOMPARE(w->m_pressPos, QPoint(100, 30));
        QMouseEvent move(QEvent::MouseMove, QPointF(130, 50),
            QPointF(w->mapToGlobal(QPoint(130, 50))), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
        QCOMPARE(w->pos(), start + QPoint(30, 20));
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(130, 50));
        QVERIFY(!w->m_dragging);
        w->move(start);
    }

    void helpOpensTheHelpPage()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "openUrl");
        button("pushButton_help")->click();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(catcher.urls.size(), 1);
        const QString page = catcher.urls.first().toLocalFile();
        QCOMPARE(page, w->appDataDir + "help/help_zh.html");
        QVERIFY(QFile::exists(page));
    }

    void settingsPageShowsTheDefaults()
    {
        button("pushButton_service")->click();
        button("pushButton_tab_setting")->click();
        QVERIFY(!child<QCheckBox>(w, "checkBox_2")->isChecked());
        QVERIFY(child<QCheckBox>(w, "checkBox_3")->isChecked());
        QVERIFY(!child<QCheckBox>(w, "checkBox_4")->isChecked());
        QVERIFY(child<QCheckBox>(w, "checkBox_6")->isChecked());
        QCOMPARE(child<QComboBox>(w, "comboBox_numbervideo")->currentText(), QString("10"));
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess")->currentText(), QString("3"));
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess_2")->currentText(), QString("1"));
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess")->count(), 9);
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess_2")->count(), 2);
    }

    void unsavedEditsStayOnThePage()
    {
        child<QCheckBox>(w, "checkBox_2")->setChecked(true);
        button("pushButton_download")->click();
        button("pushButton_service")->click();
        button("pushButton_tab_setting")->click();
        QVERIFY(child<QCheckBox>(w, "checkBox_2")->isChecked());
        QCOMPARE(w->redownloadswitch, 0); // not saved
        child<QCheckBox>(w, "checkBox_2")->setChecked(false);
    }

    void savingWritesTheFileAndReturns()
    {
        child<QCheckBox>(w, "checkBox_3")->setChecked(false);
        child<QCheckBox>(w, "checkBox_4")->setChecked(true);
        child<QComboBox>(w, "comboBox_numbervideo")->setCurrentIndex(2);
        child<QComboBox>(w, "comboBox_numberprocess")->setCurrentIndex(4);
        child<QComboBox>(w, "comboBox_numberprocess_2")->setCurrentIndex(1);
        button("pushButton_setting")->click();

        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);
        QCOMPARE(w->m_topPage, 0);
        QCOMPARE(w->processnum, 5);
        QCOMPARE(w->availabe_anakey, 5);
        QCOMPARE(w->anaprocessnum, 2);
        QCOMPARE(w->topnum, 15);
        QCOMPARE(w->loadhistoryswitch, 0);
        QCOMPARE(w->autodeletefileswitch, 1);

        const auto stored = SettingsStore::loadGeneral(settingsPath());
        QCOMPARE(stored.topnum, 15);
        QCOMPARE(stored.processnum, 5);
        QCOMPARE(stored.anaprocessnum, 2);
        QCOMPARE(stored.loadhistoryswitch, 0);
        QCOMPARE(stored.autodeletefileswitch, 1);
        QCOMPARE(stored.folderoption, 1);
        QCOMPARE(SettingsStore::readString(settingsPath(), "/setting/processnum"), QString("5"));
    }

    // A task shown as "Downloading" changes its words with the language at
    // once, without waiting for its next progress line.
    void switchRetranslatesDownloadingTask()
    {
        auto *task = new ItemInfo;
        task->process_status = TaskStatus::DownloadProgress;
        task->status = TaskStatus::downloading();
        QCOMPARE(task->status, QString::fromUtf8("下载中"));
        w->taskList.append(task);
        itemWidget *row = w->rowFor(task);
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));

        button("pushButton_about")->click(); // the tools tab stays highlighted
        w->changeEnglishlanguage();
        QCOMPARE(task->status, QString("Downloading"));
        QCOMPARE(row->statusText(), QString("Downloading"));
        w->changeChineselanguage();
        QCOMPARE(task->status, QString::fromUtf8("下载中"));
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));
        w->changeEnglishlanguage();
        QCOMPARE(row->statusText(), QString("Downloading"));

        QCOMPARE(button("pushButton_about")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "tools", true, false));
        w->taskList.removeAll(task);
        delete row;
        delete task;
    }

    void englishIsEnglishEverywhere()
    {
        QCOMPARE(w->languageSwitch, 0);
        QVERIFY(SettingsStore::contains(settingsPath(), "/setting/languageswitch"));
        QCOMPARE(SettingsStore::readInt(settingsPath(), "/setting/languageswitch"), 0);
        QCOMPARE(child<QLabel>(w, "label_version")->text(), QString("Version: 2.6.1"));
        QCOMPARE(child<QCheckBox>(w, "checkBox_3")->text(), QString("Load historical records ."));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(false));
        QCOMPARE(button("pushButton_refresh")->styleSheet(), ImageStyle::refreshSheet(false));
        QCOMPARE(button("pushButton_downloadfinished")->styleSheet(),
            ImageStyle::tabSheet(":/newimage/", "displayall", true, false));
        // The service tab in use follows at once.
        QCOMPARE(button("pushButton_tab_setting")->styleSheet(),
            ImageStyle::serviceTabSheet("setting", true, false));
        QCOMPARE(child<QMenuButton>(w, "pushButton_xiala")->menu()->actions().first()->text(),
            QString("Website"));
        QCOMPARE(child<QComboBox>(w, "comboBox_4")->itemText(2), QString(" 8K "));
        QCOMPARE(child<QComboBox>(w, "comboBox_4")->count(), 13);
    }

    void refilledChoicesKeepTheirSelection()
    {
        child<QComboBox>(w, "comboBox_4")->setCurrentIndex(6);
        child<QComboBox>(w, "comboBox_7")->setCurrentIndex(3);
        w->changeChineselanguage();
        QCOMPARE(child<QComboBox>(w, "comboBox_4")->currentIndex(), 6);
        QCOMPARE(child<QComboBox>(w, "comboBox_4")->currentText(), QString::fromUtf8(" 高清 720P"));
        QCOMPARE(child<QComboBox>(w, "comboBox_7")->currentIndex(), 3);
        w->changeEnglishlanguage();
    }

    void englishSurvivesARestart()
    {
        delete w;
        w = new MainWindow;
        QCOMPARE(w->languageSwitch, 0);
        QCOMPARE(child<QLabel>(w, "label_check")->text(),
            QString("Testing proxy status,please confirm that the agent is open."));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(false));
        QCOMPARE(w->windowTitle(), QString("Orvanta Quillon"));
        // The saved settings came back too.
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess")->currentText(), QString("5"));
    }

    void storedProcessCountOutsideTheChoices()
    {
        delete w;
        w = nullptr;
        SettingsStore::GeneralSettings g;
        g.processnum = 12;
        SettingsStore::saveGeneral(settingsPath(), g);
        w = new MainWindow;
        QCOMPARE(w->processnum, 12);
        QCOMPARE(child<QComboBox>(w, "comboBox_numberprocess")->currentText(), QString("1"));
        button("pushButton_setting")->click();
        QCOMPARE(SettingsStore::readString(settingsPath(), "/setting/processnum"), QString("1"));
        QCOMPARE(w->processnum, 1);
    }

    // Started elsewhere, with no translation beside the program either: the
    // texts stay English, the pictures still follow the stored language.
    void missingTranslationKeepsChinesePictures()
    {
        delete w;
        w = nullptr;
        SettingsStore::saveLanguage(settingsPath(), 1);
        const QString oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::homePath()));
        w = new MainWindow;
        QDir::setCurrent(oldCwd);
        QCOMPARE(w->languageSwitch, 1);
        QCOMPARE(child<QLabel>(w, "label_version")->text(), QString("Version: 2.6.1"));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(true));
    }
};

QUILLON_TEST_MAIN(TestMainWindowShell)
#include "tst_mainwindowshell.moc"
