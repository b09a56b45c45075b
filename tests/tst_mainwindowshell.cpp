#include "support/testmain.h"

#include "base/imagestyle.h"
#include "base/settingsstore.h"
#include "downloads/itemwidget.h"
#include "downloads/qmenubutton.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardPaths>

// Catches the URLs the program hands to the desktop.
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

    template<typename T> T *child(const char *name)
    {
        T *found = w->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    QPushButton *button(const char *name) { return child<QPushButton>(name); }
    QStackedWidget *stack(const char *name) { return child<QStackedWidget>(name); }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    QCheckBox *check(const char *name) { return child<QCheckBox>(name); }
    QString text(const char *label) { return child<QLabel>(label)->text(); }
    static QString settingsPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    }
    // The entries of the drop-down menu's "Language" submenu: English, Chinese.
    QAction *languageAction(int index)
    {
        QMenu *menu = child<QMenuButton>("pushButton_xiala")->menu();
        return menu->actions().last()->menu()->actions().at(index);
    }
    void sendWheel(const QPoint &posInWindow)
    {
        QWheelEvent e(QPointF(posInWindow), QPointF(w->mapToGlobal(posInWindow)), QPoint(),
            QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &e);
    }
    QPoint listCentre()
    {
        QFrame *frame = child<QFrame>("frame_main");
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
        QCOMPARE(text("label_version"), QString::fromUtf8("版本：2.6.1"));
        QCOMPARE(check("checkBox_3")->text(), QString::fromUtf8("启动时加载历史记录。"));
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Orvanta Quillon 视频下载器"));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(true));
        QCOMPARE(languageAction(1)->text(), QString::fromUtf8("简体中文"));
        QVERIFY(!QFile::exists(settingsPath())); // starting wrote nothing
    }

    void chromeAndStatusStrip()
    {
        QVERIFY(child<QFrame>("frame_base")->graphicsEffect());
        // The animation steps 1, 2, 3, 4, 1 until the network is available.
        QPushButton *net = button("pushButton_network_2");
        w->m_pixmapFrame = 1;
        for (int frame : {1, 2, 3, 4, 1}) {
            w->updatePixmap();
            QCOMPARE(net->styleSheet(), ImageStyle::networkFrameSheet(frame));
        }
        w->showNetworkAvailable();
        QVERIFY(!w->m_pixmapTimer.isActive());
        QCOMPARE(net->styleSheet(), ImageStyle::networkAvailableSheet());
        QCOMPARE(text("label_check"), QString::fromUtf8("网络连接正常。"));
        w->showNetworkTesting();
        QVERIFY(w->m_pixmapTimer.isActive());
    }

    void topTabsSelectPages()
    {
        auto tab = [](const char *stem, bool on) {
            return ImageStyle::tabSheet(":/tabimage/", stem, on, true);
        };
        button("pushButton_top")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 1);
        QCOMPARE(button("pushButton_top")->styleSheet(), tab("top", true));
        QCOMPARE(
            button("pushButton_download")->styleSheet(), ImageStyle::downloadTabSheet(false, true));

        button("pushButton_about")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 3);
        QCOMPARE(button("pushButton_top")->styleSheet(), tab("top", false));

        // The title picture shows the intro without touching the highlight.
        button("pushButton_biaoti")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 0);
        QCOMPARE(button("pushButton_about")->styleSheet(), tab("tools", true));

        button("pushButton_onekey")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 4);

        button("pushButton_service")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 2);
        QCOMPARE(stack("stackedWidget_3")->currentWidget()->objectName(), QString("page_12"));
        QCOMPARE(button("pushButton_about")->styleSheet(), tab("tools", false));
    }

    void serviceTabsSelectPages()
    {
        const char *tabs[][3] = {{"pushButton_tab_proxy", "proxy", "page_11"},
            {"pushButton_tab_setting", "setting", "page_12"},
            {"pushButton_tab_step", "step", "page_9"}, {"pushButton_tab_about", "about", "page_10"},
            {"pushButton_tab_testpro", "test", "page_testpro"}};
        for (int index = 0; index < 5; ++index) {
            button(tabs[index][0])->click();
            QCOMPARE(
                stack("stackedWidget_3")->currentWidget()->objectName(), QString(tabs[index][2]));
            QCOMPARE(w->m_serviceTab, index);
            for (int i = 0; i < 5; ++i) // exactly this tab looks selected
                QCOMPARE(button(tabs[i][0])->styleSheet(),
                    ImageStyle::serviceTabSheet(tabs[i][1], i == index, true));
        }
    }

    void downloadTabShowsIntroOrList()
    {
        button("pushButton_download")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);
        QCOMPARE(stack("stackedWidget_2")->currentIndex(), 0);

        auto *task = new ItemInfo; // on the heap: a failed check leaves it listed
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
            tasks << new ItemInfo;
            tasks.last()->process_status = 6;
        }
        w->taskList << tasks;
        button("pushButton_download")->click();
        w->on_pushButton_downloadfinished_3_clicked();
        QScrollBar *bar = child<QScrollBar>("verticalScrollBar");
        QCOMPARE(bar->maximum(), 20);
        bar->setValue(10);
        sendWheel(listCentre());
        QCOMPARE(bar->value(), 15);

        sendWheel(QPoint(300, 30)); // the title bar
        QCOMPARE(bar->value(), 15);
        button("pushButton_top")->click(); // another page
        sendWheel(listCentre());
        QCOMPARE(bar->value(), 15);
        button("pushButton_biaoti")->click(); // the intro instead of the list
        sendWheel(listCentre());
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
        auto drag = [this](Qt::MouseButton button) {
            QTest::mousePress(w, button, Qt::NoModifier, QPoint(100, 30));
            QMouseEvent move(QEvent::MouseMove, QPointF(130, 50),
                QPointF(w->mapToGlobal(QPoint(130, 50))), Qt::NoButton, button, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &move);
            QTest::mouseRelease(w, button, Qt::NoModifier, QPoint(130, 50));
        };
        drag(Qt::RightButton);
        QCOMPARE(w->pos(), start);
        drag(Qt::LeftButton);
        QCOMPARE(w->pos(), start + QPoint(30, 20));
        w->move(start);
    }

    void helpOpensTheHelpPage()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "openUrl");
        button("pushButton_help")->click();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(catcher.urls.size(), 1);
        QFile page(catcher.urls.first().toLocalFile());
        QCOMPARE(page.fileName(), w->appDataDir + "help/help_zh.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QVERIFY(text.contains(QString::fromUtf8("三个步骤")) && text.contains("setting.ini"));
    }

    // Defaults on a fresh start; an edit stays on the page unapplied until
    // saved; saving writes the file and returns to the download page.
    void settingsPageShowsDefaultsAndSaves()
    {
        button("pushButton_service")->click();
        button("pushButton_tab_setting")->click();
        QVERIFY(!check("checkBox_2")->isChecked());
        QVERIFY(check("checkBox_3")->isChecked());
        QVERIFY(!check("checkBox_4")->isChecked());
        QVERIFY(check("checkBox_6")->isChecked());
        QCOMPARE(combo("comboBox_numbervideo")->currentText(), QString("10"));
        QCOMPARE(combo("comboBox_numberprocess")->currentText(), QString("3"));
        QCOMPARE(combo("comboBox_numberprocess_2")->currentText(), QString("1"));

        check("checkBox_2")->setChecked(true);
        button("pushButton_download")->click();
        button("pushButton_service")->click();
        QVERIFY(check("checkBox_2")->isChecked());
        QCOMPARE(w->redownloadswitch, 0);
        check("checkBox_2")->setChecked(false);

        check("checkBox_3")->setChecked(false);
        check("checkBox_4")->setChecked(true);
        combo("comboBox_numbervideo")->setCurrentIndex(2);
        combo("comboBox_numberprocess")->setCurrentIndex(4);
        combo("comboBox_numberprocess_2")->setCurrentIndex(1);
        button("pushButton_setting")->click();
        QCOMPARE(stack("stackedWidget")->currentIndex(), 0);

        const auto stored = SettingsStore::loadGeneral(settingsPath());
        QCOMPARE(stored.topnum, 15);
        QCOMPARE(stored.processnum, 5);
        QCOMPARE(stored.anaprocessnum, 2);
        QCOMPARE(stored.loadhistoryswitch, 0);
        QCOMPARE(stored.autodeletefileswitch, 1);
        QCOMPARE(stored.folderoption, 1);
    }

    // The language menu switches at once: a "Downloading" row changes its
    // words without waiting for its next progress line, and refilled choice
    // lists keep their selection.
    void switchRetranslatesAtOnce()
    {
        auto *task = new ItemInfo;
        task->process_status = TaskStatus::DownloadProgress;
        task->status = TaskStatus::downloading();
        w->taskList.append(task);
        itemWidget *row = w->rowFor(task);
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));
        button("pushButton_about")->click();
        combo("comboBox_4")->setCurrentIndex(6);
        combo("comboBox_7")->setCurrentIndex(3);

        languageAction(0)->trigger();
        QCOMPARE(w->languageSwitch, 0);
        QCOMPARE(SettingsStore::readInt(settingsPath(), "/setting/languageswitch"), 0);
        QCOMPARE(row->statusText(), QString("Downloading"));
        QCOMPARE(task->status, QString("Downloading"));
        QCOMPARE(text("label_version"), QString("Version: 2.6.1"));
        QCOMPARE(child<QMenuButton>("pushButton_xiala")->menu()->actions().first()->text(),
            QString("Website"));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(false));
        QCOMPARE(button("pushButton_tab_setting")->styleSheet(),
            ImageStyle::serviceTabSheet("setting", true, false));
        QCOMPARE(button("pushButton_about")->styleSheet(),
            ImageStyle::tabSheet(":/tabimage/", "tools", true, false));
        QCOMPARE(combo("comboBox_4")->currentIndex(), 6);

        languageAction(1)->trigger();
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));
        QCOMPARE(task->status, QString::fromUtf8("下载中"));
        QCOMPARE(combo("comboBox_4")->currentText(), QString::fromUtf8(" 高清 720P"));
        QCOMPARE(combo("comboBox_7")->currentIndex(), 3);

        languageAction(0)->trigger();
        QCOMPARE(row->statusText(), QString("Downloading"));
        w->taskList.removeAll(task);
        delete row;
        delete task;
    }

    void englishSurvivesARestart()
    {
        delete w;
        w = new MainWindow;
        QCOMPARE(w->languageSwitch, 0);
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(false));
        QCOMPARE(w->windowTitle(), QString("Orvanta Quillon"));
        QCOMPARE(combo("comboBox_numberprocess")->currentText(), QString("5")); // saved earlier
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
        QCOMPARE(combo("comboBox_numberprocess")->currentText(), QString("1"));
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
        QVERIFY(QDir::setCurrent(QDir::homePath()));
        w = new MainWindow;
        QCOMPARE(w->languageSwitch, 1);
        QCOMPARE(text("label_version"), QString("Version: 2.6.1"));
        QCOMPARE(button("pushButton_paste")->styleSheet(), ImageStyle::pasteSheet(true));
    }
};

QUILLON_TEST_MAIN(TestMainWindowShell)
#include "tst_mainwindowshell.moc"
