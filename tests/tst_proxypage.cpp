#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "extractor/proxyrule.h"
#include "network/getproxyportthread.h"
#include "ui/mainwindow.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

static const QString Available = "The network is available.";

class TestProxyPage : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target;
    std::unique_ptr<MainWindow> m_shared; // for the page tests, which need no fresh start
    const QString m_cwd = QDir::currentPath();

    MainWindow &pageWindow()
    {
        if (!m_shared)
            m_shared = std::make_unique<MainWindow>();
        return *m_shared;
    }
    static QString settingsPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    }
    static QVariant stored(const char *key)
    {
        return SettingsStore::open(settingsPath())->value(QString("/setting/") + key);
    }
    template<typename T> static T *child(MainWindow &w, const char *name)
    {
        return w.findChild<T *>(name);
    }
    QByteArray url(const char *path) const { return m_target.url(path).toString().toUtf8(); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_http.start(&error), qPrintable(error));
        QVERIFY2(m_socks.start(&error), qPrintable(error));
        QVERIFY(m_target.listen());
        m_target.route("/probe", "probe answered");
        m_target.route("/icon", "ICON");
        m_target.route("/clip.mp4", QByteArray(4096, 'v'), "video/mp4");
    }

    void cleanupTestCase() { m_shared.reset(); }

    void cleanup() { QDir::setCurrent(m_cwd); }
    void init()
    {
        Global::PROXY_PORT = -1;
        Global::PROXY_HOST = "127.0.0.1";
        Global::PROXY_IS_SOCKS5 = false;
        QFile::remove(settingsPath());
    }

    // --- detection result published ------------------------------------------

    void storedProxyReachesEveryConsumer_data()
    {
        QTest::addColumn<bool>("socks");
        QTest::newRow("HTTP") << false;
        QTest::newRow("SOCKS5 stored as HTTP is stored back as SOCKS5") << true;
    }
    void storedProxyReachesEveryConsumer()
    {
        QFETCH(bool, socks);
        const quint16 port = (socks ? m_socks : m_http).port();
        SettingsStore::saveDetectedProxy(settingsPath(), "127.0.0.1", port, false);
        ScopedEnv probe("QUILLON_PROBE_URL", url("/probe"));
        ScopedEnv icon("QUILLON_KEEPALIVE_URL", url("/icon"));
        MainWindow w;
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, int(port), 15000);
        QCOMPARE(Global::PROXY_IS_SOCKS5, socks);
        QCOMPARE(stored("proxyport").toString(), QString::number(port));
        QCOMPARE(stored("proxytype").toString(), QString(socks ? "SOCKS5" : "HTTP"));
        QCOMPARE(child<QLabel>(w, "label_check")->text(), Available);
        QVERIFY(!w.m_pixmapTimer.isActive());
        QCOMPARE(currentProxyOption(),
            QString(" --proxy %1://127.0.0.1:%2").arg(socks ? "socks5" : "http").arg(port));

        // Reopening the proxy page shows the found proxy as the custom one.
        w.refreshProxyPage();
        QVERIFY(child<QRadioButton>(w, "radioButton_4")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "lineEdit_2")->text(), QString::number(port));

        // The connectivity check goes through the proxy as what it is.
        w.m_keepaliveFailures = 1;
        w.m_keepalive_sec();
        QCOMPARE(w.m_keepaliveFailures, 0);
        if (socks)
            return;

        // The real extractor, run by the proxy test page, goes through it.
        QApplication::clipboard()->setText(m_target.url("/clip.mp4").toString());
        const auto viaRequests = [this] {
            int n = 0;
            for (const auto &r : m_target.requests())
                n += r.path.endsWith("/clip.mp4") && r.headers.contains("via");
            return n;
        };
        const int before = viaRequests();
        QTest::mouseClick(child<QPushButton>(w, "pushButton_test_pro"), Qt::LeftButton);
        auto *output = child<QTextEdit>(w, "textEdit_test");
        QTRY_VERIFY_WITH_TIMEOUT(output->toPlainText().contains("\"id\": \"clip\""), 60000);
        QVERIFY(viaRequests() > before);
    }

    void connectivityCheckStartsNewRuns()
    {
        MainWindow w; // dead probe address: the first run finds nothing
        QTRY_VERIFY_WITH_TIMEOUT(w.m_proxyThread->isFinished(), 15000);
        QCOMPARE(Global::PROXY_PORT, -1);
        auto *label = child<QLabel>(w, "label_check");
        {
            // The network comes back; the next check starts a run that finds
            // the direct connection.
            ScopedEnv probe("QUILLON_PROBE_URL", url("/probe"));
            w.m_keepalive_sec();
            QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, 0, 15000);
            QCOMPARE(label->text(), Available);
            QCOMPARE(stored("proxyport").toString(), QString("0"));
            QCOMPARE(currentProxyOption(), QString());
            QTRY_VERIFY(w.m_proxyThread->isFinished());
        }
        {
            // ... which the check then uses without a proxy.
            ScopedEnv icon("QUILLON_KEEPALIVE_URL", url("/icon"));
            const int before = m_target.requests().size();
            w.m_keepalive_sec();
            QCOMPARE(m_target.requests().size(), before + 1);
            QVERIFY(!m_target.requests().last().headers.contains("via"));
        }
        // The keepalive address is dead again: the third failed check starts a run.
        QSignalSpy started(w.m_proxyThread, &QThread::started);
        w.m_keepalive_sec();
        w.m_keepalive_sec();
        QCOMPARE(label->text(), Available);
        QCOMPARE(w.m_keepaliveFailures, 2);
        QCOMPARE(started.size(), 0);
        w.m_keepalive_sec();
        QCOMPARE(w.m_keepaliveFailures, 0);
        QCOMPARE(
            label->text(), QString("Testing proxy status,please confirm that the agent is open."));
        QVERIFY(w.m_pixmapTimer.isActive());
        QTRY_COMPARE(started.size(), 1); // emitted from the new thread
        QCOMPARE(Global::PROXY_PORT, 0); // the old decision stays meanwhile
    }

    // --- proxy page ------------------------------------------------------------

    void modeButtonsStoreAndShowTheMode()
    {
        MainWindow &w = pageWindow();
        auto *group = child<QGroupBox>(w, "groupBox");
        QVERIFY(group->isHidden());
        const char *names[] = {"radioButton", "radioButton_2", "radioButton_3", "radioButton_4"};
        SettingsStore::saveProxyPort(settingsPath(), "8118");
        child<QRadioButton>(w, names[3])->click();
        QVERIFY(!group->isHidden());
        QCOMPARE(child<QLineEdit>(w, "lineEdit_2")->text(), QString("8118"));
        for (int mode = 2; mode >= 0; --mode) {
            child<QRadioButton>(w, names[mode])->click();
            QVERIFY(group->isHidden());
            QCOMPARE(stored("proxycustomer").toInt(), mode);
        }
        // Reopening the page shows the stored mode; an unknown one as adaptive.
        for (int mode : {0, 1, 2, 3, 7}) {
            const int shown = mode > 3 ? 0 : mode;
            child<QRadioButton>(w, names[(shown + 1) % 4])->setChecked(true);
            SettingsStore::saveProxyCustomer(settingsPath(), mode);
            w.refreshProxyPage();
            QVERIFY2(child<QRadioButton>(w, names[shown])->isChecked(), names[shown]);
            QCOMPARE(!group->isHidden(), mode == 3);
        }
    }

    void customPortIsSavedWithItsHost()
    {
        ScriptedDialogs dialogs;
        MainWindow &w = pageWindow();
        child<QRadioButton>(w, "radioButton_4")->click();
        auto *port = child<QLineEdit>(w, "lineEdit_2");
        auto *save = child<QPushButton>(w, "pushButton_2");
        port->clear();
        save->click();
        QCOMPARE(dialogs.calls.size(), 1); // asks for a port
        QVERIFY(!stored("proxyport").isValid());

        QTest::keyClicks(port, "7890");
        save->click();
        QCOMPARE(dialogs.calls.size(), 2);
        QCOMPARE(stored("proxyport").toString(), QString("7890"));
        QCOMPARE(stored("proxyipaddr").toString(), QString("127.0.0.1"));
        QCOMPARE(stored("proxycustomer").toInt(), 3);

        port->clear();
        QTest::keyClicks(port, "8a0"); // letters never get into the field
        QCOMPARE(port->text(), QString("80"));
    }

    // --- proxy test page --------------------------------------------------------

    void testPageShowsStandardOutputOnly_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QByteArray>("tool"); // empty: there is no extractor
        QTest::addColumn<QString>("output");
        const QByteArray echo = "for a in \"$@\"; do echo \"[$a]\"; done\necho 'on stderr' >&2\n";
        QTest::newRow("text with blanks stays one argument")
            << "https://127.0.0.1/a b \"c\"" << echo
            << "[-j]\n[https://127.0.0.1/a b c]\n[-R]\n[5]\n[--socket-timeout]\n[60]\n";
        QTest::newRow("option-like text is no option")
            << "--exec touch" << echo << "[-j]\n[-R]\n[5]\n[--socket-timeout]\n[60]\n";
        QTest::newRow("hanging extractor is ended")
            << "https://127.0.0.1/v" << QByteArray("echo partial\nexec sleep 60\n") << "partial\n";
        QTest::newRow("missing extractor") << "https://127.0.0.1/v" << QByteArray() << "";
    }
    void testPageShowsStandardOutputOnly()
    {
        QFETCH(QString, clip);
        QFETCH(QByteArray, tool);
        QFETCH(QString, output);
        // The extractor start finds a "tool.exe" in the current folder first.
        QTemporaryDir dir;
        QFile script(dir.filePath("tool.exe"));
        if (!tool.isEmpty()) {
            QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\n" + tool) > 0);
            script.close();
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        QDir::setCurrent(dir.path());
        ScopedEnv path("PATH", tool.isEmpty() ? dir.path().toUtf8() : qgetenv("PATH"));
        MainWindow &w = pageWindow();
        w.m_proxyTestWaitMs = 3000;
        QApplication::clipboard()->setText(clip);
        auto *text = child<QTextEdit>(w, "textEdit_test");
        text->setPlainText("left from before");
        child<QPushButton>(w, "pushButton_test_pro")->click();
        QVERIFY(text->toPlainText().isEmpty()); // cleared, and the window is not blocked
        QPointer<QProcess> process = w.m_proxyTestProcess;
        QVERIFY(process);
        QTRY_VERIFY_WITH_TIMEOUT(!w.m_proxyTestProcess, 10000);
        QCOMPARE(text->toPlainText(), output);
        QTRY_VERIFY(!process); // ended and gone
    }
};

QUILLON_TEST_MAIN(TestProxyPage)
#include "tst_proxypage.moc"
