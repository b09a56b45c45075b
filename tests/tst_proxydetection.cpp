#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/testmain.h"

#include "base/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/proxycandidates.h"
#include "network/proxydetector.h"
#include "network/proxyplatform.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using Step = ProxyDetector::Step;

// A probe target reachable through the HTTP proxy alone: requests without the
// proxy's Via header get no answer, so the direct step fails.
class ProxyOnlyTarget : public QTcpServer
{
public:
    ProxyOnlyTarget()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    const QByteArray head = s->peek(1 << 16).toLower();
                    if (!head.contains("\r\n\r\n"))
                        return;
                    if (head.contains("\r\nvia:"))
                        s->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
                    s->disconnectFromHost();
                });
        });
        listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const { return QUrl(QString("http://127.0.0.1:%1/probe").arg(serverPort())); }
};

static QString freePort()
{
    return QString::number(ProxyServerProcess::freePort());
}

class TestProxyDetection : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target; // the probe address, reachable from the proxies

    ProxyEndpoints endpoints(const QUrl &probe = {}) const
    {
        ProxyEndpoints e;
        e.probeUrl = probe.isEmpty() ? m_target.url("/probe") : probe;
        e.pacTestUrl = QUrl("http://127.0.0.1/pac-question");
        e.pacTestHost = "127.0.0.1";
        return e;
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

    void storedHttpProxyEndsTheRunAtOnce()
    {
        ProxyDetector detector(endpoints(), {});
        QList<ProxyDetector::Found> reported;
        detector.setReporter([&](const ProxyDetector::Found &f) { reported << f; });
        const int before = m_target.requests().size();

        const auto found = detector.run({"127.0.0.1", m_http.port(), "HTTP"});
        QVERIFY(found);
        QCOMPARE(found->port, int(m_http.port()));
        QCOMPARE(found->type, QString("HTTP"));
        QCOMPARE(reported.size(), 1);
        QCOMPARE(detector.steps(), QList<Step> {Step::Stored}); // no later step reached
        // The probe really went through tinyproxy.
        QCOMPARE(m_target.requests().size(), before + 1);
        QVERIFY(m_target.requests().last().headers.value("via").contains("tinyproxy"));
    }

    void systemProxiesAreProbedWithTheirOwnType()
    {
        // The real reader of the system proxy factory supplies the SOCKS5 one.
        ScopedEnv all("all_proxy", QString("socks5://127.0.0.1:%1").arg(m_socks.port()).toUtf8());
        QCOMPARE(ProxyPlatform::systemProxies().size(), 1);
        ProxyDetector::Sources s;
        // A local web server answers a proxy request with an error page; that
        // must not make it the proxy every command then goes through.
        s.systemProxies = [this] {
            return QList<QNetworkProxy> {QNetworkProxy(QNetworkProxy::NoProxy),
                       QNetworkProxy(QNetworkProxy::FtpCachingProxy, "127.0.0.1", m_http.port()),
                       QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", m_target.port())}
            + ProxyPlatform::systemProxies();
        };
        ProxyDetector detector(endpoints(), s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(found->type, QString("SOCKS5"));
        QCOMPARE(found->port, int(m_socks.port()));
        QCOMPARE(detector.steps(), (QList<Step> {Step::Stored, Step::System}));
        QCOMPARE(detector.attempts().size(), 2); // the FTP and "no proxy" entries are skipped
        // Nor does a proxy that cannot reach the target count.
        QVERIFY(!detector.probeThroughProxy(QUrl("http://127.0.0.1:" + freePort()), "127.0.0.1",
            QNetworkProxy::HttpProxy, m_http.port()));
    }

    void pacScriptNamesTheProxy_data()
    {
        QTest::addColumn<QString>("answer"); // %1 tinyproxy, %2 microsocks, %3 a dead port
        QTest::addColumn<bool>("socks");
        QTest::addColumn<int>("probes");
        QTest::newRow("PROXY then DIRECT") << "PROXY 127.0.0.1:%1; DIRECT" << false << 1;
        QTest::newRow("dead entry skipped")
            << "PROXY 127.0.0.1:%3;SOCKS5 127.0.0.1:%2" << true << 2;
        QTest::newRow("malformed entries never probed")
            << ";;PROXY 127.0.0.1; PROXY h:99999;PROXY h:x;PROXY 127.0.0.1:%1;" << false << 1;
    }
    void pacScriptNamesTheProxy()
    {
        QFETCH(QString, answer);
        QFETCH(bool, socks);
        QFETCH(int, probes);
        answer.replace("%1", QString::number(m_http.port()))
            .replace("%2", QString::number(m_socks.port()))
            .replace("%3", freePort());
        // The script answers only for the question the detector asks.
        m_target.route("/proxy.pac",
            QString("function FindProxyForURL(url, host) {\n"
                    "  if (url == 'http://127.0.0.1/pac-question' && !isPlainHostName(host))\n"
                    "    return '%1';\n"
                    "  return 'PROXY 127.0.0.1:1';\n}\n")
                .arg(answer)
                .toLatin1(),
            "application/x-ns-proxy-autoconfig");
        ProxyDetector::Sources s;
        s.pacUrl = [this] { return m_target.url("/proxy.pac").toString(); };
        ProxyDetector detector(endpoints(), s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(detector.attempts().size(), probes);
        QCOMPARE(found->port, int((socks ? m_socks : m_http).port()));
        QCOMPARE(found->type, QString(socks ? "SOCKS5" : "HTTP"));
        QCOMPARE(detector.steps().last(), Step::Pac);
    }

    void hangingPacScriptAndDeadProxiesEndWithinTheirBounds()
    {
        // The stored proxy accepts connections and never answers: both probes
        // run into the 4 s limit. A refused port fails at once. The endless
        // PAC script is interrupted. The chain goes on to the direct step.
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        m_target.route("/hang.pac", "function FindProxyForURL(url, host) { for (;;) {} }");
        ProxyDetector::Sources s;
        s.systemProxies = [] {
            return QList<QNetworkProxy> {
                QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", freePort().toInt())};
        };
        s.pacUrl = [this] { return m_target.url("/hang.pac").toString(); };
        ProxyDetector detector(endpoints(), s);
        QElapsedTimer clock;
        clock.start();
        const auto found = detector.run({"127.0.0.1", silent.port(), "HTTP"});
        QVERIFY2(clock.elapsed() < 20000, "a probe or the PAC evaluation was not bounded");
        QVERIFY(found);
        QCOMPARE(found->port, 0);
        QCOMPARE(detector.steps().last(), Step::Direct);
        QCOMPARE(detector.attempts().size(), 3);
    }

    void portScanTriesCandidatesFromTheLast()
    {
        ProxyOnlyTarget internet;
        QVERIFY(internet.isListening());
        QStringList ports {freePort(), freePort(), freePort()};
        ProxyDetector::Sources s;
        s.candidatePorts = [&] { return ports; };
        // Nothing listens: every port as HTTP from the last back, then as SOCKS5.
        ProxyDetector none(endpoints(internet.url()), s);
        QList<ProxyDetector::Found> reported;
        none.setReporter([&](const ProxyDetector::Found &f) { reported << f; });
        QVERIFY(!none.run({}));
        QVERIFY(reported.isEmpty());
        QStringList order;
        for (const auto &a : none.attempts())
            order << a.type + QString::number(a.port);
        QCOMPARE(order,
            (QStringList {"HTTP" + ports[2], "HTTP" + ports[1], "HTTP" + ports[0],
                "SOCKS5" + ports[2], "SOCKS5" + ports[1], "SOCKS5" + ports[0]}));

        ports[1] = QString::number(m_http.port());
        ProxyDetector detector(endpoints(internet.url()), s);
        const auto found = detector.run({});
        QVERIFY(found);
        QCOMPARE(found->port, int(m_http.port()));
        QCOMPARE(found->type, QString("HTTP"));
        QCOMPARE(detector.steps(),
            (QList<Step> {Step::Stored, Step::System, Step::Pac, Step::Direct, Step::PortScan}));
        QCOMPARE(detector.attempts().size(), 2); // the last candidate, then this one
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
        thread->setSources({});
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

        const QStringList wanted {
            QString::number(loopback.serverPort()), QString::number(anyDual.serverPort())};
        ScopedEnv only("QUILLON_SCAN_PORTS", wanted.join(' ').toUtf8());
        QCOMPARE(ProxyPlatform::scanCandidates(), wanted);
        ScopedEnv none("QUILLON_SCAN_PORTS", "");
        QVERIFY(ProxyPlatform::scanCandidates().isEmpty());
    }

    void listingSamples()
    {
        const QString tcp = "  sl  local_address rem_address   st tx_queue rx_queue tr\n"
                            "   0: 0100007F:1ED2 00000000:0000 0A 00000000:00000000 00\n"
                            "   1: 00000000:1ED2 00000000:0000 0A 00000000:00000000 00\n"
                            "   2: 0100007F:0087 00000000:0000 0A 00000000:00000000 00\n"
                            "   3: 0100007F:2A31 0100007F:CD0A 01 00000000:00000000 00\n"
                            "   4: 0500A8C0:0050 00000000:0000 0A 00000000:00000000 00\n";
        const QString zero(32, '0');
        const QString tcp6 = "  sl  local_address remote_address st\n   0: " + zero + ":2A41 "
            + zero + ":0000 0A\n   1: " + zero.left(24) + "01000000:2A42 " + zero
            + ":0000 0A\n   2: 0000000000000000FFFF00000100007F:2A43 " + zero + ":0000 0A\n";
        QCOMPARE(ProxyCandidates::procNetTcpListening(tcp),
            (QStringList {"127.0.0.1:7890", "0.0.0.0:7890", "127.0.0.1:135"}));
        QCOMPARE(ProxyCandidates::procNetTcpListening(tcp6),
            (QStringList {"0.0.0.0:10817", "127.0.0.1:10819"}));
        QCOMPARE(
            ProxyCandidates::portsFromLocalAddresses(ProxyCandidates::procNetTcpListening(tcp)),
            (QStringList {"7890", "135"}));

        const QString netstat = "  TCP    0.0.0.0:135     0.0.0.0:0   LISTENING   1000\r\n\r\n"
                                "  TCP    0.0.0.0:7890    0.0.0.0:0   LISTENING   2000\r\n"
                                "  TCP    127.0.0.1:7890  0.0.0.0:0   LISTENING   2000\r\n"
                                "  TCP    192.168.1.5:139 0.0.0.0:0   LISTENING   4\r\n"
                                "  TCP    127.0.0.1:10809 0.0.0.0:0   LISTENING   3000\r\n"
                                "  TCP    [::]:135        [::]:0      LISTENING   1000\r\n";
        QCOMPARE(ProxyCandidates::portsFromLocalAddresses(
                     ProxyCandidates::netstatLocalAddresses(netstat)),
            (QStringList {"135", "7890", "10809"}));
    }

    void linuxPacAddress()
    {
        const QString url = "'http://127.0.0.1/a.pac'\n";
        QCOMPARE(
            ProxyPlatform::pacUrlFromGsettings("'auto'\n", url), QString("http://127.0.0.1/a.pac"));
        QCOMPARE(ProxyPlatform::pacUrlFromGsettings("'manual'\n", url), QString());
#ifndef Q_OS_WIN
        // The real reader: the environment variable, then the desktop files.
        {
            ScopedEnv env("auto_proxy", "http://127.0.0.1/env.pac");
            QCOMPARE(ProxyPlatform::pacUrl(), QString("http://127.0.0.1/env.pac"));
        }
        QFile rc(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/kioslaverc");
        for (const QString type : {"2", "1"}) { // only 2 is automatic
            QVERIFY(rc.open(QIODevice::WriteOnly));
            rc.write(QString("[General]\nProxyType=2\n[Proxy Settings]\nProxyType=%1\n"
                             "Proxy Config Script=http://127.0.0.1/k.pac\n")
                         .arg(type)
                         .toUtf8());
            rc.close();
            QCOMPARE(ProxyPlatform::pacUrl(), QString(type == "2" ? "http://127.0.0.1/k.pac" : ""));
        }
        rc.remove();
#endif
    }
};

QUILLON_TEST_MAIN(TestProxyDetection)
#include "tst_proxydetection.moc"
