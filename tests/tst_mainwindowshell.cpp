#include "support/taskfactory.h"
#include "support/testmain.h"

#include "base/global.h"
#include "base/settingscontroller.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/downloadnotifier.h"
#include "downloads/itemwidget.h"
#include "downloads/listwidget.h"
#include "downloads/qmenubutton.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QStackedWidget>
#include <QStandardPaths>

// The main window as a user meets it: first start, the settings page, the
// language switch and its survival over a restart, wheel and drag. Building
// a window costs two seconds, so one window serves the cases, in order.
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
    void click(const char *button) { child<QPushButton>(button)->click(); }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    const QString path
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    // The drop-down menu's "Language" submenu: 0 English, 1 Chinese.
    void chooseLanguage(int index)
    {
        QMenu *menu = child<QMenuButton>("pushButton_xiala")->menu();
        menu->actions().last()->menu()->actions().at(index)->trigger();
    }
    void restart()
    {
        delete w;
        w = new MainWindow;
        w->show();
    }
    void wheelAt(const QPoint &pos)
    {
        QWheelEvent e(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &e);
    }

private slots:
    // Cookies of an earlier run are gone, the folders and the task database
    // exist, the window is Chinese, and starting writes no settings file.
    void firstStart()
    {
        const QString data = QFileInfo(path).path() + '/';
        QDir().mkpath(data + "cookies/site");
        for (const char *name : {"cookies/site/cookie.txt", "cookies/.hidden"})
            QVERIFY(QFile(data + name).open(QIODevice::WriteOnly));
        // The compiled translations are looked up in the working directory.
        QVERIFY(QDir::setCurrent(qEnvironmentVariable("QUILLON_BINARY_DIR")));
        restart();
        QVERIFY(
            QDir(data + "cookies").isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QDir(Global::DOWNLOAD_DIR).exists());
        QVERIFY(QSqlDatabase::database().tables().contains("student1"));
        QVERIFY(w->settings()->chineseUi());
    }

    void cleanupTestCase() { delete w; }

    // An edit stays on the page until saved; saving writes the file, hands
    // the values to the downloads and returns to the download page.
    void settingsPageSaves()
    {
        click("pushButton_service");
        QVERIFY(child<QCheckBox>("checkBox_3")->isChecked());
        QCOMPARE(combo("comboBox_numberprocess")->currentText(), QString("3"));
        child<QCheckBox>("checkBox_3")->setChecked(false);
        QVERIFY(child<QCheckBox>("checkBox_notify")->isChecked());
        child<QCheckBox>("checkBox_notify")->setChecked(false);
        combo("comboBox_numbervideo")->setCurrentIndex(2);
        combo("comboBox_numberprocess")->setCurrentIndex(4);
        combo("comboBox_numberprocess_2")->setCurrentIndex(1);
        QVERIFY(!QFile::exists(path)); // neither starting nor editing writes

        click("pushButton_setting");
        QCOMPARE(child<QStackedWidget>("stackedWidget")->currentIndex(), 0);
        const auto g = SettingsStore::loadGeneral(path);
        QCOMPARE(QList<int>({g.topnum, g.processnum, g.anaprocessnum, g.loadhistoryswitch,
                     g.notifyswitch}),
            QList<int>({15, 5, 2, 0, 0}));
        QCOMPARE(w->downloadList()->processnum(), 5);
        QVERIFY(!w->notifier()->enabled());
    }

    // A "Downloading" row changes its words without waiting for its next
    // progress line; the choice lists keep their selection in the new words.
    void languageSwitchRetranslatesAtOnce()
    {
        ItemInfo *task = makeTask("running", TaskStatus::DownloadProgress);
        w->downloadList()->addTask(task);
        w->on_pushButton_downloadfinished_2_clicked();
        itemWidget *row = w->findChild<ListWidget *>()->rowFor(task);
        QVERIFY(row);
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));
        combo("comboBox_4")->setCurrentIndex(6);
        chooseLanguage(0);
        QCOMPARE(row->statusText(), QString("Downloading"));
        QCOMPARE(combo("comboBox_4")->currentText(), QString(" FHD 720P"));
        chooseLanguage(1);
        QCOMPARE(row->statusText(), QString::fromUtf8("下载中"));
        QCOMPARE(combo("comboBox_4")->currentText(), QString::fromUtf8(" 高清 720P"));
        chooseLanguage(0);
        QCOMPARE(SettingsStore::loadLanguage(path), 0);
    }

    // After a restart the language and the saved values reach the page and
    // the downloads.
    void storedSettingsSurviveARestart()
    {
        restart();
        QVERIFY(!w->settings()->chineseUi());
        QCOMPARE(w->windowTitle(), QString("Orvanta Quillon"));
        QCOMPARE(combo("comboBox_numberprocess")->currentText(), QString("5"));
        QCOMPARE(w->downloadList()->anaprocessnum(), 2);
        QVERIFY(!w->notifier()->enabled() && !child<QCheckBox>("checkBox_notify")->isChecked());
    }

    // 25 finished tasks: the finished view pages five at a time over 0 .. 20.
    void wheelPagesOnlyOverTheList()
    {
        for (int i = 0; i < 25; ++i)
            w->downloadList()->addTask(makeTask(QString::number(i), TaskStatus::Finished));
        click("pushButton_download");
        w->on_pushButton_downloadfinished_3_clicked();
        QScrollBar *bar = child<QScrollBar>("verticalScrollBar");
        QCOMPARE(bar->maximum(), 20);
        const QPoint list = child<QFrame>("frame_main")->mapTo(w, QPoint(60, 60));
        bar->setValue(10);
        wheelAt(list);
        QCOMPARE(bar->value(), 15);
        bar->setValue(18);
        wheelAt(list);
        QCOMPARE(bar->value(), 20); // stops at the last page
        bar->setValue(10);
        wheelAt(QPoint(300, 30)); // the title bar
        click("pushButton_top"); // another page
        wheelAt(list);
        click("pushButton_biaoti"); // the intro instead of the list
        QCOMPARE(child<QStackedWidget>("stackedWidget_2")->currentIndex(), 0);
        wheelAt(list);
        QCOMPARE(bar->value(), 10);
    }

    // The frameless window moves with a left-button drag only.
    void dragOnlyWithTheLeftButton()
    {
        const QPoint start = w->pos();
        for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
            QTest::mousePress(w, button, Qt::NoModifier, QPoint(100, 30));
            QMouseEvent move(QEvent::MouseMove, QPointF(130, 50),
                QPointF(w->mapToGlobal(QPoint(130, 50))), Qt::NoButton, button, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &move);
            QTest::mouseRelease(w, button, Qt::NoModifier, QPoint(130, 50));
            QCOMPARE(w->pos(), button == Qt::LeftButton ? start + QPoint(30, 20) : start);
        }
    }
};

QUILLON_TEST_MAIN(TestMainWindowShell)
#include "tst_mainwindowshell.moc"
