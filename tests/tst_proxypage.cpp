#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include "app/global.h"
#include "app/mainwindow.h"
#include "app/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/proxyrule.h"
#include "network/proxytestcommand.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

// Runs the test from a folder holding a scripted "tool.exe", which the
// extractor start finds first.
class FakeTool
{
public:
    explicit FakeTool(const QByteArray &script)
        : m_oldCwd(QDir::currentPath())
    {
        QFile f(m_dir.filePath("tool.exe"));
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n" + script);
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        QDir::setCurrent(m_dir.path());
    }
    ~FakeTool() { QDir::setCurrent(m_oldCwd); }

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

class TestProxyPage : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target;
    std::unique_ptr<MainWindow> m_shared; // for the page tests, which need no fresh start

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
    static void storeProxy(const QString &ip, int port, const QString &type)
    {
        auto s = SettingsStore::open(settingsPath());
        s->setValue("/setting/proxyport", QString::number(port));
        s->setValue("/setting/proxyipaddr", ip);
        s->setValue("/setting/proxytype", type);
    }
    template<typename T> static T *child(MainWindow &w, const char *name)
    {
        return w.findChild<T *>(name);
    }
    QByteArray probeUrl() const { return m_target.url("/probe").toString().toUtf8(); }
    int requestsWithVia(const QByteArray &path) const
    {
        int n = 0;
        for (const auto &r : m_target.requests())
            n += r.path.endsWith(path) && r.headers.contains("via");
        return n;
    }

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

    void init()
    {
        Global::PROXY_PORT = -1;
        Global::PROXY_HOST = "127.0.0.1";
        Global::PROXY_IS_SOCKS5 = false;
        QFile::remove(settingsPath());
    }

    // --- detection result published ------------------------------------------

    void storedHttpProxyReachesEveryConsumer()
    {
        storeProxy("127.0.0.1", m_http.port(), "HTTP");
        ScopedEnv probe("QUILLON_PROBE_URL", probeUrl());
        MainWindow w;
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, int(m_http.port()), 15000);
        QCOMPARE(Global::PROXY_HOST, QString("127.0.0.1"));
        QVERIFY(!Global::PROXY_IS_SOCKS5);
        QCOMPARE(stored("proxyport").toString(), QString::number(m_http.port()));
        QCOMPARE(stored("proxyipaddr").toString(), QString("127.0.0.1"));
        QCOMPARE(stored("proxytype").toString(), QString("HTTP"));
        QCOMPARE(stored("proxycustomer").toInt(), 3);
        QCOMPARE(child<QLabel>(w, "label_check")->text(), QString("The network is available."));
        QVERIFY(!w.m_pixmapTimer.isActive());
        QCOMPARE(currentProxyOption(), QString(" --proxy http://127.0.0.1:%1").arg(m_http.port()));

        // Reopening the proxy page shows the found proxy as the custom one.
        w.refreshProxyPage();
        QVERIFY(child<QRadioButton>(w, "radioButton_4")->isChecked());
        QVERIFY(!child<QGroupBox>(w, "groupBox")->isHidden());
        QCOMPARE(child<QLineEdit>(w, "lineEdit_2")->text(), QString::number(m_http.port()));

        // The real extractor, run by the proxy test page, goes through it.
        QApplication::clipboard()->setText(m_target.url("/clip.mp4").toString());
        const int before = requestsWithVia("/clip.mp4");
        QTest::mouseClick(child<QPushButton>(w, "pushButton_test_pro"), Qt::LeftButton);
        auto *output = child<QTextEdit>(w, "textEdit_test");
        QTRY_VERIFY_WITH_TIMEOUT(output->toPlainText().contains("\"id\": \"clip\""), 60000);
        QVERIFY(requestsWithVia("/clip.mp4") > before);
    }

    void socksProxyStoredAsHttpIsStoredBackAsSocks()
    {
        storeProxy("127.0.0.1", m_socks.port(), "HTTP");
        ScopedEnv probe("QUILLON_PROBE_URL", probeUrl());
        MainWindow w;
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, int(m_socks.port()), 15000);
        QVERIFY(Global::PROXY_IS_SOCKS5);
        QCOMPARE(stored("proxytype").toString(), QString("SOCKS5"));
        QCOMPARE(
            currentProxyOption(), QString(" --proxy socks5://127.0.0.1:%1").arg(m_socks.port()));

        // The connectivity check goes through the proxy as what it is.
        ScopedEnv icon("QUILLON_KEEPALIVE_URL", m_target.url("/icon").toString().toUtf8());
        w.m_keepaliveFailures = 1;
        w.m_keepalive_sec();
        QCOMPARE(w.m_keepaliveFailures, 0);
    }

    void directConnectionGivesPortZero()
    {
        ScopedEnv probe("QUILLON_PROBE_URL", probeUrl());
        MainWindow w;
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, 0, 15000);
        QCOMPARE(stored("proxyport").toString(), QString("0"));
        QCOMPARE(currentProxyOption(), QString());

        ScopedEnv icon("QUILLON_KEEPALIVE_URL", m_target.url("/icon").toString().toUtf8());
        const int iconsBefore = m_target.requests().size();
        w.m_keepalive_sec();
        QCOMPARE(m_target.requests().size(), iconsBefore + 1);
        QVERIFY(!m_target.requests().last().headers.contains("via"));
        QCOMPARE(w.m_keepaliveFailures, 0);
    }

    // --- connectivity check --------------------------------------------------

    void threeFailedChecksStartANewRun()
    {
        MainWindow w; // dead probe address: the first run finds nothing
        QTRY_VERIFY_WITH_TIMEOUT(w.m_proxyThread->isFinished(), 15000);
        Global::PROXY_PORT = 0; // as if a direct connection had been found
        QSignalSpy started(w.m_proxyThread, &QThread::started);
        auto *label = child<QLabel>(w, "label_check");

        w.m_keepalive_sec();
        w.m_keepalive_sec();
        QCOMPARE(label->text(), QString("The network is available."));
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

    void aRunThatFoundNothingIsRetried()
    {
        MainWindow w;
        QTRY_VERIFY_WITH_TIMEOUT(w.m_proxyThread->isFinished(), 15000);
        QCOMPARE(Global::PROXY_PORT, -1);

        // The network comes back; the next check starts a run that finds it.
        ScopedEnv probe("QUILLON_PROBE_URL", probeUrl());
        w.m_keepalive_sec();
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, 0, 15000);
        QCOMPARE(child<QLabel>(w, "label_check")->text(), QString("The network is available."));
    }

    // --- proxy page ------------------------------------------------------------

    void modeButtonsStoreTheMode()
    {
        MainWindow &w = pageWindow();
        auto *group = child<QGroupBox>(w, "groupBox");
        QVERIFY(group->isHidden());
        const char *names[] = {"radioButton", "radioButton_2", "radioButton_3"};
        SettingsStore::saveProxyPort(settingsPath(), "8118");
        child<QRadioButton>(w, "radioButton_4")->click();
        QVERIFY(!group->isHidden());
        QCOMPARE(child<QLineEdit>(w, "lineEdit_2")->text(), QString("8118"));
        for (int mode = 2; mode >= 0; --mode) {
            child<QRadioButton>(w, names[mode])->click();
            QVERIFY(group->isHidden());
            QCOMPARE(stored("proxycustomer").toInt(), mode);
        }
    }

    void pageShowsTheStoredMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::newRow("adaptive") << 0 << "radioButton";
        QTest::newRow("none") << 1 << "radioButton_2";
        QTest::newRow("system") << 2 << "radioButton_3";
        QTest::newRow("custom") << 3 << "radioButton_4";
        QTest::newRow("out of range") << 7 << "radioButton";
    }
    void pageShowsTheStoredMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, button);
        MainWindow &w = pageWindow();
        child<QRadioButton>(w, "radioButton_4")->setChecked(true);
        SettingsStore::saveProxyCustomer(settingsPath(), mode);
        w.refreshProxyPage();
        QVERIFY(w.findChild<QRadioButton *>(button)->isChecked());
        QCOMPARE(!child<QGroupBox>(w, "groupBox")->isHidden(), mode == 3);
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
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].title, QString("Tips"));
        QCOMPARE(dialogs.calls[0].text, QString("Please input proxy server port number."));
        QVERIFY(!stored("proxyport").isValid());

        QTest::keyClicks(port, "7890");
        save->click();
        QCOMPARE(dialogs.calls.size(), 2);
        QCOMPARE(dialogs.calls[1].text, QString("The new port establishes the success.."));
        QCOMPARE(stored("proxyport").toString(), QString("7890"));
        QCOMPARE(stored("proxyipaddr").toString(), QString("127.0.0.1"));
        QCOMPARE(stored("proxycustomer").toInt(), 3);

        // Letters never get into the field.
        port->clear();
        QTest::keyClicks(port, "8a0");
        QCOMPARE(port->text(), QString("80"));
    }

    // --- proxy test page --------------------------------------------------------

    void testCommandText_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("socks5");
        QTest::addColumn<QString>("command");
        QTest::newRow("no proxy known")
            << "https://v.test/1" << -1 << false
            << "tool.exe -j \"https://v.test/1\" -R 5  --socket-timeout 60 ";
        QTest::newRow("direct") << "https://v.test/1" << 0 << false
                                << "tool.exe -j \"https://v.test/1\" -R 5  --socket-timeout 60 ";
        QTest::newRow("http proxy") << "https://v.test/1" << 7890 << false
                                    << "tool.exe -j \"https://v.test/1\" -R 5  --proxy "
                                       "http://127.0.0.1:7890 --socket-timeout 60 ";
        QTest::newRow("socks proxy") << "https://v.test/1" << 1080 << true
                                     << "tool.exe -j \"https://v.test/1\" -R 5  --proxy "
                                        "socks5://127.0.0.1:1080 --socket-timeout 60 ";
        QTest::newRow("empty clipboard")
            << "" << -1 << false << "tool.exe -j  -R 5  --socket-timeout 60 ";
    }
    void testCommandText()
    {
        QFETCH(QString, clip);
        QFETCH(int, port);
        QFETCH(bool, socks5);
        QFETCH(QString, command);
        QCOMPARE(proxyTestCommand(clip, "127.0.0.1", port, socks5), command);
    }

    void testPageShowsStandardOutputOnly_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("port");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no proxy") << "https://127.0.0.1/watch?v=1" << -1
                                  << QStringList {"-j", "https://127.0.0.1/watch?v=1", "-R", "5",
                                         "--socket-timeout", "60"};
        QTest::newRow("http proxy")
            << "https://127.0.0.1/watch?v=1" << 7890
            << QStringList {"-j", "https://127.0.0.1/watch?v=1", "-R", "5", "--proxy",
                   "http://127.0.0.1:7890", "--socket-timeout", "60"};
        QTest::newRow("text with blanks stays one argument")
            << "https://127.0.0.1/a b \"c\"" << -1
            << QStringList {"-j", "https://127.0.0.1/a b c", "-R", "5", "--socket-timeout", "60"};
        QTest::newRow("option-like text is no option")
            << "--exec touch" << -1 << QStringList {"-j", "-R", "5", "--socket-timeout", "60"};
    }
    void testPageShowsStandardOutputOnly()
    {
        QFETCH(QString, clip);
        QFETCH(int, port);
        QFETCH(QStringList, arguments);
        FakeTool tool("for a in \"$@\"; do echo \"[$a]\"; done\necho 'on stderr' >&2\n");
        MainWindow &w = pageWindow();
        Global::PROXY_PORT = port;
        QApplication::clipboard()->setText(clip);
        auto *output = child<QTextEdit>(w, "textEdit_test");
        output->setPlainText("left from before");
        child<QPushButton>(w, "pushButton_test_pro")->click();
        QVERIFY(output->toPlainText().isEmpty()); // cleared, and the window is not blocked
        QVERIFY(child<QPushButton>(w, "pushButton_test_pro")
                    ->styleSheet()
                    .contains(":/stack1/chinpaste2.png"));
        QStringList expected;
        for (const QString &a : arguments)
            expected << "[" + a + "]";
        QTRY_COMPARE_WITH_TIMEOUT(output->toPlainText(), expected.join('\n') + '\n', 10000);
        QVERIFY(!w.m_proxyTestProcess);
    }

    void hangingExtractorIsEndedAndShowsWhatItPrinted()
    {
        FakeTool tool("echo partial\nexec sleep 60\n");
        MainWindow &w = pageWindow();
        w.m_proxyTestWaitMs = 500;
        QApplication::clipboard()->setText("https://127.0.0.1/v");
        child<QPushButton>(w, "pushButton_test_pro")->click();
        QPointer<QProcess> process = w.m_proxyTestProcess;
        QVERIFY(process);
        auto *output = child<QTextEdit>(w, "textEdit_test");
        QTRY_COMPARE_WITH_TIMEOUT(output->toPlainText(), QString("partial\n"), 10000);
        QVERIFY(!w.m_proxyTestProcess);
        QTRY_VERIFY(!process); // ended and gone
        w.m_proxyTestWaitMs = 30000;
    }

    void missingExtractorLeavesTheAreaEmpty()
    {
        FakeTool tool("");
        QFile::remove(QDir::current().filePath("tool.exe"));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QDir::currentPath().toUtf8());
        MainWindow &w = pageWindow();
        child<QPushButton>(w, "pushButton_test_pro")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w.m_proxyTestProcess, 10000);
        qputenv("PATH", oldPath);
        QVERIFY(child<QTextEdit>(w, "textEdit_test")->toPlainText().isEmpty());
    }
};

QUILLON_TEST_MAIN(TestProxyPage)
#include "tst_proxypage.moc"
