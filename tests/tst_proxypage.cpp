#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "extractor/proxyrule.h"
#include "network/proxycontroller.h"
#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

class TestProxyPage : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target;
    quint16 m_dead = 0; // nothing listens there
    QTemporaryDir m_dir;
    const QString m_cwd = QDir::currentPath();

    QByteArray url(const char *path) const { return m_target.url(path).toString().toUtf8(); }

    // The extractor start finds a "tool.exe" in the current folder first.
    static bool installTool(const QTemporaryDir &dir, const QByteArray &body)
    {
        return writeFile(dir.filePath("tool.exe"), "#!/bin/sh\n" + body, true)
            && QDir::setCurrent(dir.path());
    }

    // The effective proxy as "none" (nothing known), "direct" or type:port.
    static QString effectiveProxy()
    {
        if (Global::PROXY_PORT < 1)
            return Global::PROXY_PORT == 0 ? "direct" : "none";
        return QString("%1:%2")
            .arg(Global::PROXY_IS_SOCKS5 ? "SOCKS5" : "HTTP")
            .arg(Global::PROXY_PORT);
    }
    std::unique_ptr<ProxyController> controller() const
    {
        auto proxy = std::make_unique<ProxyController>(m_dir.filePath("setting.ini"));
        proxy->setDetectionDelay(0);
        return proxy;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_http.start(&error) && m_socks.start(&error), qPrintable(error));
        QVERIFY(m_target.listen());
        m_target.route("/probe", "probe answered");
        m_target.route("/icon", "ICON");
        m_target.route("/clip.mp4", QByteArray(4096, 'v'), "video/mp4");
        m_dead = ProxyServerProcess::freePort();
        m_target.route("/system.pac",
            QString("function FindProxyForURL(url, host) {\n"
                    "  return 'PROXY 127.0.0.1:%1; SOCKS 127.0.0.1:%2; DIRECT';\n}\n")
                .arg(m_dead)
                .arg(m_socks.port())
                .toLatin1());
    }
    void init()
    {
        Global::PROXY_PORT = -1;
        QFile::remove(m_dir.filePath("setting.ini"));
    }
    void cleanup() { QDir::setCurrent(m_cwd); }

    // A proxy that is published is stored, handed to the extractor and used by
    // the connectivity check, each as the type it is.
    void publishedProxyReachesEveryConsumer_data()
    {
        QTest::addColumn<bool>("socks");
        QTest::newRow("HTTP") << false;
        QTest::newRow("SOCKS5") << true;
    }
    void publishedProxyReachesEveryConsumer()
    {
        QFETCH(bool, socks);
        const int port = (socks ? m_socks : m_http).port();
        const QString type = socks ? "SOCKS5" : "HTTP";
        auto proxy = controller();
        QSignalSpy available(proxy.get(), &ProxyController::networkAvailable);
        proxy->publish("127.0.0.1", port, type);
        QCOMPARE(available.size(), 1);
        QCOMPARE(SettingsStore::loadProxy(m_dir.filePath("setting.ini")).type, type);
        QCOMPARE(currentProxyOption(),
            QString(" --proxy %1://127.0.0.1:%2").arg(type.toLower()).arg(port));
        // The connectivity check goes through the proxy as what it is.
        ScopedEnv icon("QUILLON_KEEPALIVE_URL", url("/icon"));
        proxy->checkConnectivity();
        QCOMPARE(proxy->failuresInARow(), 0);
        // So does the real extractor, run by the proxy test.
        QSignalSpy output(proxy.get(), &ProxyController::testOutput);
        proxy->runProxyTest(m_target.url("/clip.mp4").toString());
        QTRY_VERIFY_WITH_TIMEOUT(!output.isEmpty(), 60000);
        QVERIFY2(output[0][0].toString().contains("\"id\": \"clip\""),
            qPrintable(output[0][0].toString()));
        const auto &last = m_target.requests().last();
        QVERIFY(last.path == "/clip.mp4" && last.headers.contains("via") == !socks);
    }

    // A lost network, or three failed checks in a row, start a new detection.
    void connectivityCheckStartsNewRuns()
    {
        auto proxy = controller();
        QSignalSpy started(proxy.get(), &ProxyController::detectionStarted);
        proxy->checkConnectivity(); // nothing known: a run, which finds nothing
        QTRY_VERIFY_WITH_TIMEOUT(started.size() == 1 && !proxy->isDetecting(), 15000);
        QCOMPARE(Global::PROXY_PORT, -1);
        ScopedEnv probe("QUILLON_PROBE_URL", url("/probe")); // the network is back
        proxy->checkConnectivity();
        QTRY_VERIFY_WITH_TIMEOUT(Global::PROXY_PORT == 0 && !proxy->isDetecting(), 15000);
        // The keepalive address is dead: the third failure in a row starts a run.
        QSignalSpy testing(proxy.get(), &ProxyController::networkTesting);
        for (int check = 1; check <= 3; ++check) {
            proxy->checkConnectivity();
            QCOMPARE(started.size(), check < 3 ? 2 : 3);
        }
        QCOMPARE(testing.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Global::PROXY_PORT == 0 && !proxy->isDetecting(), 15000);
        // With the direct connection the check goes out without a proxy.
        ScopedEnv icon("QUILLON_KEEPALIVE_URL", url("/icon"));
        proxy->checkConnectivity();
        const auto &last = m_target.requests().last();
        QVERIFY(last.path == "/icon" && !last.headers.contains("via"));
    }

    // The proxy test passes the typed link as one argument, never as an
    // option, shows only standard output and ends a hanging extractor.
    void proxyTestShowsStandardOutputOnly_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QByteArray>("tool");
        QTest::addColumn<QString>("output");
        const QByteArray echo = "for a in \"$@\"; do echo \"[$a]\"; done\necho 'on stderr' >&2\n";
        QTest::newRow("text with blanks stays one argument")
            << "https://127.0.0.1/a b \"c\"" << echo
            << "[-j]\n[https://127.0.0.1/a b c]\n[-R]\n[5]\n[--socket-timeout]\n[60]\n";
        QTest::newRow("option-like text is no option")
            << "--exec touch" << echo << "[-j]\n[-R]\n[5]\n[--socket-timeout]\n[60]\n";
        QTest::newRow("hanging extractor is ended")
            << "https://127.0.0.1/v" << QByteArray("echo \"$2\"\nexec sleep 60\n")
            << "https://127.0.0.1/v\n";
    }
    void proxyTestShowsStandardOutputOnly()
    {
        QFETCH(QString, clip);
        QFETCH(QByteArray, tool);
        QFETCH(QString, output);
        QTemporaryDir dir;
        QVERIFY(installTool(dir, tool));
        auto proxy = controller();
        proxy->setTestWait(3000);
        QSignalSpy shown(proxy.get(), &ProxyController::testOutput);
        // A second click drops the first run, which never reports.
        proxy->runProxyTest("https://127.0.0.1/first");
        proxy->runProxyTest(clip);
        QVERIFY(proxy->isTesting()); // the caller is not blocked
        QTRY_VERIFY_WITH_TIMEOUT(!proxy->isTesting(), 10000);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0][0].toString(), output);
        QTRY_VERIFY(proxy->findChildren<QProcess *>().isEmpty()); // both ended and freed
    }

    // Each choice on the proxy page changes, without a restart, what the
    // next extractor run gets; the custom proxy's probe shows on the page.
    void eachChoiceReachesTheNextExtractorRun_data()
    {
        QTest::addColumn<int>("mode"); // stored before the window starts
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("choice"); // a radio button, or a port saved
        QTest::addColumn<QString>("after");
        const int http = m_http.port();
        const QString tiny = "HTTP:" + QString::number(http);
        QTest::newRow("don't use") << 3 << http << tiny << "radioButton_2"
                                   << "direct";
        // The system's script names a dead proxy, then microsocks.
        QTest::newRow("system") << 3 << http << tiny << "radioButton_3"
                                << "SOCKS5:" + QString::number(m_socks.port());
        QTest::newRow("custom port that answers")
            << 1 << 0 << "direct" << QString::number(http) << tiny;
        QTest::newRow("custom port that does not")
            << 3 << http << tiny << QString::number(m_dead) << "none";
        // The stored proxy is dead, the probe address answers directly.
        QTest::newRow("adaptive") << 3 << int(m_dead) << "none"
                                  << "radioButton"
                                  << "direct";
    }
    void eachChoiceReachesTheNextExtractorRun()
    {
        QFETCH(int, mode);
        QFETCH(int, port);
        QFETCH(QString, before);
        QFETCH(QString, choice);
        QFETCH(QString, after);
        const QString settings
            = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
        QFile::remove(settings);
        SettingsStore::saveCustomProxy(settings, "127.0.0.1", QString::number(port));
        SettingsStore::saveProxyCustomer(settings, mode);
        ScopedEnv probe("QUILLON_PROBE_URL", url("/probe"));
        ScopedEnv pac("auto_proxy", choice == "radioButton_3" ? url("/system.pac") : "");
        QTemporaryDir dir;
        QVERIFY(installTool(dir, "for a in \"$@\"; do echo \"[$a]\"; done\n"));
        QApplication::clipboard()->setText("https://127.0.0.1/v");

        ScriptedDialogs dialogs;
        MainWindow w;
        ProxyController *proxy = w.proxy();
        proxy->setDetectionDelay(0);
        QSignalSpy started(proxy, &ProxyController::detectionStarted);
        const auto settled = [&](int runs) {
            if (started.size() < runs || proxy->isDetecting())
                return false;
            QCoreApplication::processEvents(); // what the run reported
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(1), 20000);
        QCOMPARE(effectiveProxy(), before);

        if (choice.startsWith("radioButton")) {
            w.findChild<QAbstractButton *>(choice)->click();
        } else {
            w.findChild<QAbstractButton *>("radioButton_4")->click();
            auto *field = w.findChild<QLineEdit *>("lineEdit_2");
            field->clear();
            QTest::keyClicks(field, choice);
            w.findChild<QAbstractButton *>("pushButton_2")->click();
            QCOMPARE(proxy->customCheck(), ProxyController::CustomCheck::Testing);
        }
        QCOMPARE(started.size(), 2); // at once, not at the next check or start
        QTRY_VERIFY_WITH_TIMEOUT(settled(2), 20000);
        QCOMPARE(effectiveProxy(), after);
        if (!choice.startsWith("radioButton")) {
            QCOMPARE(proxy->customCheck(),
                after == "none" ? ProxyController::CustomCheck::Fails
                                : ProxyController::CustomCheck::Works);
            QCOMPARE(w.findChild<QLabel *>("label_proxycheck")->text(), proxy->customCheckText());
        }

        // The extractor gets the proxy of the choice, as the type it is.
        auto *output = w.findChild<QTextEdit *>("textEdit_test");
        w.findChild<QAbstractButton *>("pushButton_test_pro")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!output->toPlainText().isEmpty(), 10000);
        const QStringList args = output->toPlainText().split('\n');
        const int option = args.indexOf("[--proxy]");
        const QString given = option < 0
            ? QString()
            : args.value(option + 1).mid(1).chopped(1).replace("://127.0.0.1", "").toUpper();
        QCOMPARE(given, after.contains(':') ? after : QString());
    }

    // The custom port field stores a valid port only (what each choice does
    // is checked above), and an unknown stored mode reads as adaptive.
    void pageButtonsReachTheController()
    {
        ScriptedDialogs dialogs;
        MainWindow w;
        const auto click
            = [&w](const char *name) { w.findChild<QAbstractButton *>(name)->click(); };
        click("radioButton_4");
        click("pushButton_2");
        QTest::keyClicks(w.findChild<QLineEdit *>("lineEdit_2"), "78a90"); // digits only
        click("pushButton_2");
        QCOMPARE(dialogs.calls.size(), 2); // refused, then saved
        QCOMPARE(w.proxy()->storedPort(), QString("7890"));
        const QString path
            = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
        SettingsStore::saveProxyCustomer(path, 7);
        QCOMPARE(w.proxy()->storedMode(), ProxyController::Adaptive); // unknown mode
        QVERIFY(!w.proxy()->saveCustomProxy("127.0.0.1", "70000").saved); // the field lets it in
    }
};

QUILLON_TEST_MAIN(TestProxyPage)
#include "tst_proxypage.moc"
