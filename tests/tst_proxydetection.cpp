#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/testmain.h"

#include "app/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/proxycandidates.h"
#include "network/proxydetector.h"
#include "network/proxyplatform.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using Step = ProxyDetector::Step;

// A probe target that answers only requests that came through an HTTP proxy
// (they carry a Via header); direct requests get 403. It stands for an
// internet that is reachable through the proxy alone, so the direct step
// fails and the chain goes on to the port scan.
class ProxyOnlyTarget : public QObject
{
public:
    bool listen()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [socket] { answer(socket); });
        });
        return m_server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const
    {
        return QUrl(QString("http://127.0.0.1:%1/probe").arg(m_server.serverPort()));
    }

private:
    static void answer(QTcpSocket *socket)
    {
        const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
        socket->setProperty("head", head);
        if (!head.contains("\r\n\r\n"))
            return;
        const bool proxied = head.toLower().contains("\r\nvia:");
        const QByteArray body = proxied ? "through the proxy" : "direct refused";
        socket->write((proxied ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 403 Forbidden\r\n")
            + QByteArray("Content-Length: ") + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
    QTcpServer m_server;
};

class TestProxyDetection : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target; // the probe address, reachable from the proxies
    bool m_laterStepReached = false;

    ProxyEndpoints endpoints() const
    {
        ProxyEndpoints e;
        e.probeUrl = m_target.url("/probe");
        e.pacTestUrl = QUrl("http://127.0.0.1/pac-question");
        e.pacTestHost = "127.0.0.1";
        e.keepaliveUrl = m_target.url("/icon");
        return e;
    }

    // Sources that notice when the chain gets past the stored proxy.
    ProxyDetector::Sources watchingSources()
    {
        ProxyDetector::Sources s;
        s.systemProxies = [this] {
            m_laterStepReached = true;
            return QList<QNetworkProxy>();
        };
        s.pacUrl = [this] {
            m_laterStepReached = true;
            return QString();
        };
        s.candidatePorts = [this] {
            m_laterStepReached = true;
            return QStringList();
        };
        return s;
    }

    static ProxyDetector::Sources emptySources() { return {}; }

    int requestsFor(const QByteArray &path) const
    {
        int n = 0;
        for (const auto &r : m_target.requests())
            n += r.path.endsWith(path);
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
    }

    void init() { m_laterStepReached = false; }

    // --- the chain, step by step -------------------------------------------

    void storedHttpProxyEndsTheRunAtOnce()
    {
        const int before = m_target.requests().size();
        ProxyDetector detector(endpoints(), watchingSources());
        QList<ProxyDetector::Found> reported;
        detector.setReporter([&](const ProxyDetector::Found &f) { reported << f; });

        const auto found = detector.run({"127.0.0.1", m_http.port(), "HTTP"});
        QVERIFY(found);
        QCOMPARE(found->port, int(m_http.port()));
        QCOMPARE(found->host, QString("127.0.0.1"));
        QCOMPARE(found->type, QString("HTTP"));
        QCOMPARE(reported.size(), 1);
        QCOMPARE(detector.steps(), QList<Step> {Step::Stored});
        QVERIFY(!m_laterStepReached);
        // The probe really went through the proxy.
        QCOMPARE(m_target.requests().size(), before + 1);
        QVERIFY(m_target.requests().last().headers.value("via").contains("tinyproxy"));
    }

    void socksProxyStoredAsHttpIsFoundAsSocks()
    {
        ProxyDetector detector(endpoints(), watchingSources());
        const auto found = detector.run({"127.0.0.1", m_socks.port(), "HTTP"});
        QVERIFY(found);
        QCOMPARE(found->type, QString("SOCKS5"));
        QCOMPARE(found->port, int(m_socks.port()));
        const auto attempts = detector.attempts();
        QCOMPARE(attempts.size(), 2);
        QCOMPARE(attempts[0].type, QString("HTTP"));
        QCOMPARE(attempts[1].type, QString("SOCKS5"));
        QVERIFY(!m_laterStepReached);
    }

    void aWebServerIsNoProxy()
    {
        // A local web server answers a proxy request with an error page; that
        // must not make it the proxy every command then goes through.
        ProxyDetector detector(endpoints(), emptySources());
        QVERIFY(!detector.probeThroughProxy(
            m_target.url("/probe"), "127.0.0.1", QNetworkProxy::HttpProxy, m_target.port()));
        // Nor does a proxy that cannot reach the target count.
        QVERIFY(!detector.probeThroughProxy(
            QUrl(QString("http://127.0.0.1:%1/").arg(ProxyServerProcess::freePort())), "127.0.0.1",
            QNetworkProxy::HttpProxy, m_http.port()));
    }

    void systemProxiesAreProbedWithTheirOwnType()
    {
        ProxyDetector::Sources s;
        s.systemProxies = [this] {
            return QList<QNetworkProxy> {QNetworkProxy(QNetworkProxy::NoProxy),
                QNetworkProxy(QNetworkProxy::FtpCachingProxy, "127.0.0.1", m_http.port()),
                QNetworkProxy(
                    QNetworkProxy::HttpProxy, "127.0.0.1", ProxyServerProcess::freePort()),
                QNetworkProxy(QNetworkProxy::Socks5Proxy, "127.0.0.1", m_socks.port())};
        };
        ProxyDetector detector(endpoints(), s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(found->type, QString("SOCKS5"));
        QCOMPARE(found->port, int(m_socks.port()));
        QCOMPARE(detector.steps(), (QList<Step> {Step::Stored, Step::System}));
        QCOMPARE(detector.attempts().size(), 2); // the FTP and "no proxy" entries are skipped
    }

    void theSystemProxyFactoryIsRead()
    {
        ScopedEnv all("all_proxy", QString("socks5://127.0.0.1:%1").arg(m_socks.port()).toUtf8());
        const auto proxies = ProxyPlatform::systemProxies();
        QCOMPARE(proxies.size(), 1);
        QCOMPARE(proxies[0].type(), QNetworkProxy::Socks5Proxy);
        QCOMPARE(proxies[0].port(), m_socks.port());
    }

    void pacScriptNamesTheProxy_data()
    {
        QTest::addColumn<QString>("answer"); // %1 tinyproxy, %2 microsocks, %3 a dead port
        QTest::addColumn<int>("proxy"); // 1 tinyproxy, 2 microsocks, 0 direct
        QTest::addColumn<int>("probes");
        QTest::newRow("PROXY then DIRECT") << "PROXY 127.0.0.1:%1; DIRECT" << 1 << 1;
        QTest::newRow("SOCKS5 entry") << "SOCKS5 127.0.0.1:%2" << 2 << 1;
        QTest::newRow("dead entry skipped") << "PROXY 127.0.0.1:%3;SOCKS5 127.0.0.1:%2" << 2 << 2;
        QTest::newRow("only DIRECT leads to the direct step") << "DIRECT" << 0 << 0;
    }
    void pacScriptNamesTheProxy()
    {
        QFETCH(QString, answer);
        QFETCH(int, proxy);
        QFETCH(int, probes);
        const QString text = QString(answer)
                                 .replace("%1", QString::number(m_http.port()))
                                 .replace("%2", QString::number(m_socks.port()))
                                 .replace("%3", QString::number(ProxyServerProcess::freePort()));
        // The script answers only for the question the detector asks.
        m_target.route("/proxy.pac",
            QString(
                "function FindProxyForURL(url, host) {\n"
                "  if (url == 'http://127.0.0.1/pac-question' && isPlainHostName(host) == false)\n"
                "    return '%1';\n"
                "  return 'PROXY 127.0.0.1:1';\n}\n")
                .arg(text)
                .toLatin1(),
            "application/x-ns-proxy-autoconfig");
        ProxyDetector::Sources s;
        s.pacUrl = [this] { return m_target.url("/proxy.pac").toString(); };
        ProxyDetector detector(endpoints(), s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(detector.attempts().size(), probes);
        if (proxy == 0) {
            QCOMPARE(found->port, 0);
            QCOMPARE(detector.steps().last(), Step::Direct);
        } else {
            QCOMPARE(found->port, int(proxy == 1 ? m_http.port() : m_socks.port()));
            QCOMPARE(found->type, QString(proxy == 1 ? "HTTP" : "SOCKS5"));
            QCOMPARE(detector.steps().last(), Step::Pac);
        }
    }

    void hangingPacScriptEndsAndTheChainGoesOn()
    {
        m_target.route("/hang.pac", "function FindProxyForURL(url, host) { for (;;) {} }");
        ProxyDetector::Sources s;
        s.pacUrl = [this] { return m_target.url("/hang.pac").toString(); };
        ProxyDetector detector(endpoints(), s);
        QElapsedTimer clock;
        clock.start();
        const auto found = detector.run({});
        QVERIFY2(clock.elapsed() < 20000, "the PAC evaluation was not bounded");
        QVERIFY(found);
        QCOMPARE(found->port, 0); // the direct step
    }

    void deadProxiesEndWithinTheirBound()
    {
        // Accepts connections and never answers: both probes run into the
        // 4 s limit; a refused port fails at once.
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        ProxyDetector::Sources s;
        s.systemProxies = [] {
            return QList<QNetworkProxy> {QNetworkProxy(
                QNetworkProxy::HttpProxy, "127.0.0.1", ProxyServerProcess::freePort())};
        };
        ProxyDetector detector(endpoints(), s);
        QElapsedTimer clock;
        clock.start();
        const auto found = detector.run({"127.0.0.1", silent.port(), "HTTP"});
        QVERIFY2(clock.elapsed() < 20000, "a probe was not bounded");
        QVERIFY(found);
        QCOMPARE(found->port, 0);
        QCOMPARE(detector.attempts().size(), 3);
    }

    void portScanFindsTheListeningProxy()
    {
        ProxyOnlyTarget internet;
        QVERIFY(internet.listen());
        ProxyEndpoints e = endpoints();
        e.probeUrl = internet.url();
        const QString a = QString::number(ProxyServerProcess::freePort());
        const QString b = QString::number(m_http.port());
        const QString c = QString::number(ProxyServerProcess::freePort());
        ProxyDetector::Sources s;
        s.candidatePorts = [&] { return QStringList {a, b, c}; };
        ProxyDetector detector(e, s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(found->port, int(m_http.port()));
        QCOMPARE(found->type, QString("HTTP"));
        QCOMPARE(detector.steps(),
            (QList<Step> {Step::Stored, Step::System, Step::Pac, Step::Direct, Step::PortScan}));
        const auto attempts = detector.attempts();
        QCOMPARE(attempts.size(), 2); // from the last candidate back: c, then b
        QCOMPARE(attempts[0].port, c.toInt());
        QCOMPARE(attempts[1].port, b.toInt());
    }

    void portScanOrderAndRunWithoutResult()
    {
        ProxyOnlyTarget internet;
        QVERIFY(internet.listen());
        ProxyEndpoints e = endpoints();
        e.probeUrl = internet.url();
        const QStringList ports {QString::number(ProxyServerProcess::freePort()),
            QString::number(ProxyServerProcess::freePort()),
            QString::number(ProxyServerProcess::freePort())};
        ProxyDetector::Sources s;
        s.candidatePorts = [&] { return ports; };
        ProxyDetector detector(e, s);
        QList<ProxyDetector::Found> reported;
        detector.setReporter([&](const ProxyDetector::Found &f) { reported << f; });
        const auto found = detector.run({});
        QVERIFY(!found);
        QVERIFY(reported.isEmpty());
        QList<QPair<int, QString>> order;
        for (const auto &a : detector.attempts())
            order << qMakePair(a.port, a.type);
        const QList<QPair<int, QString>> expected {{ports[2].toInt(), "HTTP"},
            {ports[1].toInt(), "HTTP"}, {ports[0].toInt(), "HTTP"}, {ports[2].toInt(), "SOCKS5"},
            {ports[1].toInt(), "SOCKS5"}, {ports[0].toInt(), "SOCKS5"}};
        QCOMPARE(order, expected);
    }

    // --- the thread ----------------------------------------------------------

    void threadReportsTheStoredProxy()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath("setting.ini");
        SettingsStore::saveDetectedProxy(settings, "127.0.0.1", m_http.port(), false);
        ScopedEnv probe("QUILLON_PROBE_URL", m_target.url("/probe").toString().toUtf8());

        GetProxyPortThread thread;
        thread.setSettingsPath(settings);
        thread.setSources(emptySources());
        QSignalSpy done(&thread, &GetProxyPortThread::isDone);
        thread.start();
        QVERIFY(done.wait(15000));
        QCOMPARE(done.first().at(0).toString(), QString("127.0.0.1"));
        QCOMPARE(done.first().at(1).toInt(), int(m_http.port()));
        QCOMPARE(done.first().at(2).toString(), QString("HTTP"));
        QVERIFY(thread.wait(5000));
        QCOMPARE(thread.port(), int(m_http.port()));
        QCOMPARE(thread.type(), QString("HTTP"));
        QCOMPARE(done.size(), 1);
    }

    void threadWithNothingToFindEnds()
    {
        QTemporaryDir dir;
        ScopedEnv probe("QUILLON_PROBE_URL",
            QString("http://127.0.0.1:%1/").arg(ProxyServerProcess::freePort()).toUtf8());
        GetProxyPortThread thread;
        thread.setSettingsPath(dir.filePath("setting.ini"));
        thread.setSources(emptySources());
        QSignalSpy done(&thread, &GetProxyPortThread::isDone);
        QSignalSpy finished(&thread, &QThread::finished);
        thread.start();
        QVERIFY(finished.wait(15000));
        QCOMPARE(done.size(), 0);
        QCOMPARE(thread.port(), 0); // what step 1 read: nothing stored
    }

    void deletingARunningThreadStopsItPromptly()
    {
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        QTemporaryDir dir;
        SettingsStore::saveDetectedProxy(
            dir.filePath("setting.ini"), "127.0.0.1", silent.port(), false);
        auto *thread = new GetProxyPortThread;
        thread->setSettingsPath(dir.filePath("setting.ini"));
        thread->setSources(emptySources());
        thread->start();
        QTRY_VERIFY(!silent.requests().isEmpty()); // the probe is waiting now
        QElapsedTimer clock;
        clock.start();
        delete thread;
        QVERIFY2(clock.elapsed() < 2000, "the running probe did not give up when asked");
    }

    // --- platform readers and text rules -------------------------------------

    void procReaderSeesRealListeningSockets()
    {
        QTcpServer loopback, anyV4, anyDual;
        QVERIFY(loopback.listen(QHostAddress::LocalHost, 0));
        QVERIFY(anyV4.listen(QHostAddress::AnyIPv4, 0));
        QVERIFY(anyDual.listen(QHostAddress::Any, 0));
        QTcpSocket client; // its own port is connected, not listening
        client.connectToHost(QHostAddress::LocalHost, loopback.serverPort());
        QVERIFY(client.waitForConnected(3000));

        const QStringList addresses = ProxyPlatform::listeningAddresses();
        QVERIFY(addresses.contains(QString("127.0.0.1:%1").arg(loopback.serverPort())));
        QVERIFY(addresses.contains(QString("0.0.0.0:%1").arg(anyV4.serverPort())));
        QVERIFY(addresses.contains(QString("0.0.0.0:%1").arg(anyDual.serverPort())));
        QVERIFY(!addresses.contains(QString("127.0.0.1:%1").arg(client.localPort())));

        const QString wanted
            = QString("%1 %2").arg(loopback.serverPort()).arg(anyDual.serverPort());
        ScopedEnv only("QUILLON_SCAN_PORTS", wanted.toUtf8());
        QCOMPARE(ProxyPlatform::scanCandidates(),
            (QStringList {
                QString::number(loopback.serverPort()), QString::number(anyDual.serverPort())}));
        ScopedEnv none("QUILLON_SCAN_PORTS", "");
        QVERIFY(ProxyPlatform::scanCandidates().isEmpty());
    }

    void procTableSample()
    {
        const QString tcp
            = "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid\n"
              "   0: 0100007F:1ED2 00000000:0000 0A 00000000:00000000 00:00000000 00000000  0\n"
              "   1: 00000000:1ED2 00000000:0000 0A 00000000:00000000 00:00000000 00000000  0\n"
              "   2: 0100007F:0087 00000000:0000 0A 00000000:00000000 00:00000000 00000000  0\n"
              "   3: 0100007F:2A31 0100007F:CD0A 01 00000000:00000000 00:00000000 00000000  0\n"
              "   4: 0500A8C0:0050 00000000:0000 0A 00000000:00000000 00:00000000 00000000  0\n";
        const QString tcp6 = "  sl  local_address                         remote_address           "
                             "             st\n"
                             "   0: 00000000000000000000000000000000:2A41 "
                             "00000000000000000000000000000000:0000 0A\n"
                             "   1: 00000000000000000000000001000000:2A42 "
                             "00000000000000000000000000000000:0000 0A\n"
                             "   2: 0000000000000000FFFF00000100007F:2A43 "
                             "00000000000000000000000000000000:0000 0A\n";
        QCOMPARE(ProxyCandidates::procNetTcpListening(tcp),
            (QStringList {"127.0.0.1:7890", "0.0.0.0:7890", "127.0.0.1:135"}));
        QCOMPARE(ProxyCandidates::procNetTcpListening(tcp6),
            (QStringList {"0.0.0.0:10817", "127.0.0.1:10819"}));
        QCOMPARE(
            ProxyCandidates::portsFromLocalAddresses(ProxyCandidates::procNetTcpListening(tcp)),
            (QStringList {"7890", "135"}));
    }

    void netstatSample()
    {
        const QString output
            = "  TCP    0.0.0.0:135            0.0.0.0:0              LISTENING       1000\r\n"
              "\r\n"
              "  TCP    0.0.0.0:7890           0.0.0.0:0              LISTENING       2000\r\n"
              "  TCP    127.0.0.1:7890         0.0.0.0:0              LISTENING       2000\r\n"
              "  TCP    192.168.1.5:139        0.0.0.0:0              LISTENING       4\r\n"
              "  TCP    127.0.0.1:10809        0.0.0.0:0              LISTENING       3000\r\n"
              "  TCP    [::]:135               [::]:0                 LISTENING       1000\r\n";
        const QStringList addresses = ProxyCandidates::netstatLocalAddresses(output);
        QCOMPARE(addresses.first(), QString("0.0.0.0:135"));
        QCOMPARE(ProxyCandidates::portsFromLocalAddresses(addresses),
            (QStringList {"135", "7890", "10809"}));
    }

    void pacEntries_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("entries");
        QTest::newRow("proxy and direct") << "PROXY 127.0.0.1:1080; DIRECT"
                                          << "H127.0.0.1:1080";
        QTest::newRow("socks5") << "SOCKS5 10.0.0.2:1081"
                                << "S10.0.0.2:1081";
        QTest::newRow("order kept") << "SOCKS5 a:1;PROXY b:2"
                                    << "Sa:1 Hb:2";
        QTest::newRow("direct only") << "DIRECT"
                                     << "";
        QTest::newRow("error text") << "ReferenceError: x is not defined"
                                    << "";
        QTest::newRow("no port") << "PROXY host"
                                 << "";
        QTest::newRow("bad port") << "PROXY host:99999; PROXY h:x"
                                  << "";
        QTest::newRow("empty parts kept harmless") << ";;PROXY c:3;"
                                                   << "Hc:3";
    }
    void pacEntries()
    {
        QFETCH(QString, answer);
        QFETCH(QString, entries);
        QStringList got;
        for (const auto &e : ProxyCandidates::pacEntries(answer))
            got << QString("%1%2:%3").arg(e.socks5 ? "S" : "H", e.host).arg(e.port);
        QCOMPARE(got.join(' '), entries);
    }

    void linuxPacAddress()
    {
        QCOMPARE(ProxyPlatform::pacUrlFromGsettings("'auto'\n", "'http://127.0.0.1/a.pac'\n"),
            QString("http://127.0.0.1/a.pac"));
        QCOMPARE(ProxyPlatform::pacUrlFromGsettings("'manual'\n", "'http://127.0.0.1/a.pac'\n"),
            QString());
        const QString kde = "[General]\nProxyType=2\n[Proxy Settings]\nProxyType=2\n"
                            "Proxy Config Script=http://127.0.0.1/k.pac\n";
        QCOMPARE(ProxyPlatform::pacUrlFromKioslaverc(kde), QString("http://127.0.0.1/k.pac"));
        QCOMPARE(ProxyPlatform::pacUrlFromKioslaverc(
                     QString(kde).replace("ProxyType=2\nProxy", "ProxyType=1\nProxy")),
            QString());

#ifndef Q_OS_WIN
        // The real reader: the environment variable, then the desktop files.
        {
            ScopedEnv env("auto_proxy", "http://127.0.0.1/env.pac");
            QCOMPARE(ProxyPlatform::pacUrl(), QString("http://127.0.0.1/env.pac"));
        }
        ScopedEnv env("auto_proxy", "");
        QFile rc(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/kioslaverc");
        QVERIFY(rc.open(QIODevice::WriteOnly));
        rc.write(kde.toUtf8());
        rc.close();
        QCOMPARE(ProxyPlatform::pacUrl(), QString("http://127.0.0.1/k.pac"));
        rc.remove();
        QCOMPARE(ProxyPlatform::pacUrl(), QString());
#endif
    }
};

QUILLON_TEST_MAIN(TestProxyDetection)
#include "tst_proxydetection.moc"
