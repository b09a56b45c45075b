#include "support/fakeextractor.h"
#include "support/loopbackhttpserver.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/vendorroot.h"

#include "base/global.h"
#include "base/imagestyle.h"
#include "base/settingsstore.h"
#include "downloads/qmenubutton.h"
#include "intake/singledialog.h"
#include "service/listtopform.h"
#include "service/noticedialog.h"
#include "service/topform.h"
#include "service/vendorservicecontroller.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <utility>

// The vendor service as the user meets it in the window, against the
// example vendor root on 127.0.0.1: the popular page, a row's download, the
// notice button, the "Update" entry; and a window whose service is silent.
class TestVendorWindow : public QObject
{
    Q_OBJECT

    const QString m_settingsPath
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    FakeExtractor m_fake;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<MainWindow> m_window;

    template<typename T> T *child(const char *name)
    {
        T *found = m_window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    QAction *menuEntry(int index)
    {
        return child<QMenuButton>("pushButton_xiala")->menu()->actions().at(index);
    }
    QString noticeSheet() { return child<QPushButton>("pushButton_notice")->styleSheet(); }

    void openWindow()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(m_server->listen());
        VendorRoot::serve(*m_server);
        qputenv("QUILLON_THUMBNAIL_BASE", m_server->url("/vi/").toString().toUtf8());
        Global::useVendorRoot(m_server->url().toString());
        Global::APP_VER = "2.6.1";
        // The single-video dialog analyses with the stand-in extractor.
        QVERIFY(QDir::setCurrent(m_fake.folder()));
        m_dialogs = std::make_unique<ScriptedDialogs>();
        openWindow();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_dialogs.reset();
    }

    // Three lists of ten (topnum), ranked and timed, with thumbnails; a long
    // title is cut with its whole text as tool tip; refresh shows them again.
    void popularPage()
    {
        for (int kind = 0; kind < 3; ++kind)
            QTRY_COMPARE(m_window->topListForm(kind)->rows().size(), 10);
        QVERIFY(child<QLabel>("label_topnone")->isHidden());
        QTRY_VERIFY(m_window->topListForm(2)->rows().last()->hasImage());
        const QList<TopForm *> day = m_window->topListForm(0)->rows();
        QCOMPARE(day[0]->rankText() + " " + day[0]->timeText(), QString("01 01:02:05"));
        QCOMPARE(day[9]->rankText() + " " + day[1]->timeText(), QString("10 00:00:59"));
        QVERIFY(day[3]->nameText().endsWith(QChar(0x2026)));
        QCOMPARE(day[3]->findChild<QLabel *>("label_name")->toolTip(),
            QString("Rebuilding a 1970s synthesizer from spare parts"));

        child<QPushButton>("pushButton_refresh")->click();
        QCOMPARE(m_window->topListForm(1)->rows().size(), 10);
        QVERIFY(!m_window->topListForm(0)->rows().contains(day[0]));
    }

    // "Download link" hands the row's watch page to link intake, which
    // analyses it in the single-video dialog.
    void downloadLinkReachesIntake()
    {
        Global::PROXY_PORT = 0;
        TopForm *row = m_window->topListForm(1)->rows().at(2);
        const QString link = row->url();
        QVERIFY(link.contains("watch?v="));
        bool analysed = false;
        QTimer poll;
        // The dialog is closed once its analysis run has begun: closing it
        // ends the run, which on a busy machine may not have started yet.
        connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = m_window->findChild<SingleDialog *>();
            QFile runs(m_fake.runsLog());
            if (dialog->isVisible() && runs.open(QIODevice::ReadOnly)
                && runs.readAll().contains(link.toUtf8())) {
                analysed = true;
                dialog->reject();
            }
        });
        poll.start(50);
        QAction *download = row->findChild<QMenu *>()->actions().at(1);
        QCOMPARE(download->text(), QString("Download link"));
        download->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(analysed, 30000);
    }

    // A new notice set shows the unread picture until the dialog was opened.
    void noticeMovesFromUnreadToRead()
    {
        QTRY_COMPARE(m_window->vendorService()->notices().id, QString("2026-12-01"));
        QCOMPARE(noticeSheet(), ImageStyle::noticeSheet(true));
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(100, m_window->noticeDialog(), &QDialog::reject);
            child<QPushButton>("pushButton_notice")->click();
            QCOMPARE(m_window->noticeDialog()->rowLabels(1).at(0)->text(),
                QString("Service hours over the holidays"));
            QCOMPARE(SettingsStore::loadNotice(m_settingsPath), QString("2026-12-01"));
            QCOMPARE(noticeSheet(), ImageStyle::noticeSheet(false));
        }
    }

    // "Update" on the latest version: the Tips box. On an older version the
    // example appcast's installer lands in Downloads.
    void updateEntry()
    {
        m_dialogs->calls.clear();
        menuEntry(3)->trigger();
        QCOMPARE(m_dialogs->calls.size(), 1);
        QVERIFY(m_dialogs->calls[0].text.startsWith("This Version is the lastest Version"));

        Global::APP_VER = "2.6.0";
        menuEntry(3)->trigger();
        const QString installer = QDir::homePath() + "/Downloads/quillon-2.6.1-linux.sh";
        QTRY_VERIFY(QFile::exists(installer));
        Global::APP_VER = "2.6.1";
        QCOMPARE(m_dialogs->calls.size(), 1);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->windowTitle() == "Updater" && w->isVisible())
                w->close();
        }

        // Without a service the entry says why nothing happens.
        const QString service = std::exchange(Global::SERVICE_URL, QString());
        m_dialogs->calls.clear();
        menuEntry(3)->trigger();
        Global::SERVICE_URL = service;
        QCOMPARE(m_dialogs->calls.size(), 1);
        QVERIFY(m_dialogs->calls[0].text.startsWith("No update service is configured"));
    }

    // A silent service costs one bound at start-up; the window keeps
    // working, the page says there are no lists, and a refresh tries again.
    void silentServiceLeavesTheWindowUsable()
    {
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        Global::useVendorRoot(silent.url().toString());
        openWindow();
        m_window->vendorService()->setServiceTimeout(600);
        QTRY_VERIFY(!child<QLabel>("label_topnone")->isHidden());
        // The version check and the lists wait side by side; the notices
        // that would follow are not asked.
        QCOMPARE(silent.requests().size(), 2);
        for (const LoopbackHttpServer::Request &r : silent.requests())
            QVERIFY(!r.path.contains("1.ini"));
        // No notice set known: nothing is unread, whatever was read before.
        QCOMPARE(noticeSheet(), ImageStyle::noticeSheet(false));
        child<QPushButton>("pushButton_top")->click();
        child<QPushButton>("pushButton_refresh")->click();
        QCOMPARE(silent.requests().size(), 3);
        m_dialogs->calls.clear();
        menuEntry(3)->trigger();
        QVERIFY(m_dialogs->calls.isEmpty());
    }
};

QUILLON_TEST_MAIN(TestVendorWindow)
#include "tst_vendorwindow.moc"
