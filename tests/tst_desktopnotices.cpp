#include "support/fakeextractor.h"
#include "support/scopedenv.h"
#include "support/taskruns.h"
#include "support/testmain.h"

#include "base/desktopnotifications.h"
#include "base/settingscontroller.h"
#include "downloads/downloadnotifier.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "ui/mainwindow.h"

#include <QDBusConnection>
#include <QStackedWidget>
#include <QVariantMap>

#include <memory>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

// A desktop notification service as the test's bus offers it: it records
// every notice it is sent, reads bodies as markup, and sends the signals a
// user's click makes.
class NoticeRecorder : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notice
    {
        uint id;
        QString app, icon, summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Notice> notices;

    const Notice *find(const QString &body) const
    {
        for (const Notice &n : notices) {
            if (n.body == body)
                return &n;
        }
        return nullptr;
    }

public slots:
    QStringList GetCapabilities() { return {"actions", "body", "body-markup"}; }
    uint Notify(const QString &app, uint, const QString &icon, const QString &summary,
        const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        const uint id = 100 + notices.size();
        notices.append({id, app, icon, summary, body, actions, hints});
        return id;
    }
    void CloseNotification(uint) { }

signals:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);
};

// Desktop notices of downloads that end while the window is in the
// background, against a session bus of the test's own with the recorder as
// the notification service: real runs (of the scripted extractor) end, the
// window is never shown until a notice is activated. And what happens
// without a bus or without a service: nothing, at once.
class TestDesktopNotices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_busDir;
    QProcess m_bus;
    QString m_address;
    NoticeRecorder m_recorder;
    FakeExtractor m_fake;
    ScopedCurrentDir m_cwd {m_fake.folder()};
    QTemporaryDir m_downloads;
    std::unique_ptr<MainWindow> m_window;

    static QDBusConnection recorderBus() { return QDBusConnection(QStringLiteral("recorder")); }

    DownloadListController *list() const { return m_window->downloadList(); }

    ItemInfo *queue(const QString &word, bool analysed = false)
    {
        return queueTask(list(), word, m_downloads.path(),
            analysed ? TaskStatus::WaitingForDownload : TaskStatus::WaitingForAnalysis);
    }

    bool settle(const QList<ItemInfo *> &tasks)
    {
        list()->runScheduler();
        return waitSettled(tasks, 20000);
    }

    void setNotices(bool on)
    {
        SettingsStore::GeneralSettings values = m_window->settings()->general();
        values.notifyswitch = on ? 1 : 0;
        m_window->settings()->saveGeneral(values);
    }

private slots:
    void initTestCase()
    {
        // A bus of the test's own, with nothing to start on demand.
        const QString config = m_busDir.filePath("bus.conf");
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                               "<auth>EXTERNAL</auth><policy context=\"default\">"
                               "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                    .arg(m_busDir.path())
                    .toUtf8());
        f.close();
        m_bus.start("dbus-daemon",
            {"--config-file=" + config, "--nofork", "--nopidfile", "--print-address"});
        QVERIFY2(m_bus.waitForStarted(5000), "dbus-daemon (package dbus-daemon) does not start");
        QVERIFY2(m_bus.waitForReadyRead(10000), "dbus-daemon printed no address");
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());

        QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("recorder"));
        QVERIFY2(bus.isConnected(), qPrintable(m_address));
        QVERIFY(bus.registerObject(Path, &m_recorder,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        QVERIFY(bus.registerService(Service));

        m_window = std::make_unique<MainWindow>(); // never shown: not the active window
    }

    void cleanupTestCase()
    {
        m_window.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("recorder"));
        m_bus.kill();
        m_bus.waitForFinished(5000);
    }

    // A finished download, a failed one and a failed analysis each give one
    // notice: the result, the title (the link while there is none), written
    // as markup, with the program's icon and menu entry and an action.
    void downloadsThatEndInTheBackgroundAreNoticed()
    {
        ItemInfo *failedAnalysis = queue("badjson-link");
        failedAnalysis->title.clear();
        ItemInfo *failedDownload = queue("break-2", true);
        failedDownload->title = "Tom & Jerry <2>";
        const QList<ItemInfo *> tasks = {queue("ok-done"), failedDownload, failedAnalysis};
        QVERIFY(settle(tasks));
        QCOMPARE(statuses(tasks), QList<int>({6, 7, 8}));
        QTRY_COMPARE_WITH_TIMEOUT(m_recorder.notices.size(), 3, 10000);

        QStringList seen;
        for (const NoticeRecorder::Notice &n : qAsConst(m_recorder.notices)) {
            seen << n.summary + " | " + n.body + " | " + n.hints.value("category").toString();
            QCOMPARE(QStringList({n.app, n.icon, n.hints.value("desktop-entry").toString()}),
                QStringList({"Quillon", "com.orvanta.quillon", "com.orvanta.quillon"}));
            QCOMPARE(n.actions, QStringList({"default", "Show"}));
        }
        seen.sort();
        QCOMPARE(seen,
            QStringList({"Download failed | Tom &amp; Jerry &lt;2&gt; | transfer.error",
                "Download failed | https://video.example/watch/badjson-link | transfer.error",
                "Download finished | Title ok-done | transfer.complete"}));
    }

    // Switched off, or with the window in front, a download ends silently.
    void noNoticeWhenSwitchedOffOrInFront()
    {
        setNotices(false);
        QVERIFY(settle({queue("ok-off")}));
        setNotices(true);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(m_window->isActiveWindow());
        QVERIFY(settle({queue("ok-front")}));
        m_window->hide();
        QApplication::setActiveWindow(nullptr);

        // Notices of one sender arrive in order: this one comes after any
        // that should not have been sent.
        QVERIFY(settle({queue("ok-back")}));
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder.find("Title ok-back"), 10000);
        QCOMPARE(m_recorder.notices.size(), 4);
    }

    // Activating a notice brings the window up on the download page, in the
    // view and on the page that hold the task's row, newer tasks or not.
    void activatingANoticeShowsTheTasksRow()
    {
        ItemInfo *done = nullptr;
        for (ItemInfo *t : list()->tasks())
            done = t->title == "Title ok-done" ? t : done;
        QVERIFY(done);
        for (int i = 0; i < 7; ++i)
            list()->addTask(makeTask(QString("newer-%1").arg(i), TaskStatus::Finished));
        m_window->on_pushButton_downloadfinished_2_clicked(); // the in-progress view
        m_window->on_pushButton_top_clicked(); // the popular page
        QVERIFY(!m_window->isVisible());

        emit m_recorder.ActionInvoked(m_recorder.find("Title ok-done")->id, "default");
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isVisible(), 10000);
        QCOMPARE(m_window->findChild<QStackedWidget *>("stackedWidget")->currentIndex(), 0);
        QCOMPARE(list()->view(), int(ListRules::Finished));
        ListWidget *rows = m_window->findChild<ListWidget *>();
        QVERIFY(rows->rowFor(done) && rows->shownRows().contains(rows->rowFor(done)));
    }

    // No bus (none named and none in the runtime folder, one that would
    // have to be started, one that is not there): the notice is dropped. A
    // bus without a service drops it too, and the next notice after a
    // service appeared is shown.
    void withoutBusOrServiceNothingHappens()
    {
        DesktopNotice notice {"Download finished", "dropped", "transfer.complete", "Show", "key"};
        const QList<QByteArray> noBus
            = {QByteArray(), "unix:path=" + m_busDir.filePath("missing").toUtf8(), "autolaunch:"};
        for (const QByteArray &address : noBus) {
            ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", address);
            DesktopNotifications desktop("com.orvanta.quillon");
            QSignalSpy dropped(&desktop, &DesktopNotifications::unavailable);
            desktop.show(notice);
            QVERIFY2(dropped.count() == 1 || dropped.wait(10000), address.constData());
        }

        DesktopNotifications desktop("com.orvanta.quillon");
        QSignalSpy dropped(&desktop, &DesktopNotifications::unavailable);
        QVERIFY(recorderBus().unregisterService(Service));
        desktop.show(notice);
        QVERIFY(dropped.wait(10000));
        QVERIFY(recorderBus().registerService(Service));
        notice.body = "after the service came";
        desktop.show(notice);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder.find(notice.body), 10000);
        QVERIFY(!m_recorder.find("dropped"));
    }
};

QUILLON_TEST_MAIN(TestDesktopNotices)
#include "tst_desktopnotices.moc"
