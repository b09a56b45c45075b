#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/testmain.h"

#include "base/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/proxydetector.h"
#include "network/proxyplatform.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(ProxyDetector::Policy)

class TestProxyDetection : public QObject
{
    Q_OBJECT

    ProxyServerProcess m_http {ProxyServerProcess::Http};
    ProxyServerProcess m_socks {ProxyServerProcess::Socks5};
    LoopbackHttpServer m_target; // the probe address, reachable from the proxies
    LoopbackHttpServer m_proxied; // the probe address when the direct connection fails
    LoopbackHttpServer m_silent; // accepts connections, never answers

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_http.start(&error) && m_socks.start(&error), qPrintable(error));
        QVERIFY(m_target.listen() && m_proxied.listen() && m_silent.listen());
        m_silent.setSilent(true);
        m_proxied.setProxiedOnly(true);
        m_target.route("/probe", "probe answered");
        m_proxied.route("/probe", "probe answered");
    }

    // Stored, system, PAC and scanned proxies are tried in order, each probe
    // as the type it is and within its bound; the user's choice of proxy
    // decides which steps run.
    void chainFindsTheProxyOfItsType_data()
    {
        using Policy = ProxyDetector::Policy;
        QTest::addColumn<Policy>("policy");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QList<QNetworkProxy>>("system");
        QTest::addColumn<QString>("pac"); // the script's answer; empty: no script
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<QString>("found"); // type and port; empty: nothing
        QTest::addColumn<QStringList>("probes");
        const QString http = QString::number(m_http.port()),
                      socks = QString::number(m_socks.port()),
                      silent = QString::number(m_silent.port()),
                      dead = QString::number(ProxyServerProcess::freePort()),
                      dead2 = QString::number(ProxyServerProcess::freePort()),
                      web = QString::number(m_target.port());
        const QStringList noPorts;
        const QList<QNetworkProxy> system {QNetworkProxy(QNetworkProxy::NoProxy),
            QNetworkProxy(QNetworkProxy::FtpCachingProxy, "127.0.0.1", m_http.port()),
            QNetworkProxy(QNetworkProxy::Socks5Proxy, "127.0.0.1", m_socks.port())};
        const QList<QNetworkProxy> none,
            refused {QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", dead.toUShort())};
        const Policy adaptive = Policy::Adaptive;
        QTest::newRow("stored SOCKS5 proxy")
            << adaptive << int(m_socks.port()) << none << "" << noPorts << "SOCKS5" + socks
            << QStringList {"HTTP" + socks, "SOCKS5" + socks};
        QTest::newRow("system SOCKS5 proxy") << adaptive << 0 << system << "" << noPorts
                                             << "SOCKS5" + socks << QStringList {"SOCKS5" + socks};
        QTest::newRow("PAC: dead entries skipped, tinyproxy next")
            << adaptive << 0 << none
            << "PROXY 127.0.0.1:" + dead + "; SOCKS 127.0.0.1:" + dead2
                + "; PROXY 127.0.0.1:" + http + "; DIRECT"
            << noPorts << "HTTP" + http
            << QStringList {"HTTP" + dead, "SOCKS5" + dead2, "HTTP" + http};
        QTest::newRow("PAC: DIRECT after a dead proxy")
            << adaptive << 0 << none << "PROXY 127.0.0.1:" + dead + "; DIRECT" << noPorts << "HTTP0"
            << QStringList {"HTTP" + dead};
        // Both probes of the silent proxy run into their bound, the refused
        // one fails at once, the endless script is interrupted.
        QTest::newRow("silent, refused and endless: direct")
            << adaptive << silent.toInt() << refused << "endless" << noPorts << "HTTP0"
            << QStringList {"HTTP" + silent, "SOCKS5" + silent, "HTTP" + dead};
        QTest::newRow("port scan from the last; a web server is no proxy")
            << adaptive << 0 << none << "" << QStringList {dead, http, web} << "HTTP" + http
            << QStringList {"HTTP" + web, "HTTP" + http};
        QTest::newRow("port scan: HTTP, then SOCKS5")
            << adaptive << 0 << none << "" << QStringList {dead, dead2} << ""
            << QStringList {"HTTP" + dead2, "HTTP" + dead, "SOCKS5" + dead2, "SOCKS5" + dead};
        QTest::newRow("no proxy: nothing probed")
            << Policy::DirectOnly << int(m_http.port()) << system << "" << noPorts << "HTTP0"
            << QStringList();
        QTest::newRow("custom: the stored proxy only")
            << Policy::StoredOnly << dead.toInt() << system << "" << noPorts << ""
            << QStringList {"HTTP" + dead, "SOCKS5" + dead};
        QTest::newRow("system: its proxy, not the stored one")
            << Policy::SystemOnly << int(m_http.port()) << system << "" << noPorts
            << "SOCKS5" + socks << QStringList {"SOCKS5" + socks};
        QTest::newRow("system: its script's proxy after a dead one")
            << Policy::SystemOnly << 0 << none
            << "PROXY 127.0.0.1:" + dead + "; PROXY 127.0.0.1:" + http << noPorts << "HTTP" + http
            << QStringList {"HTTP" + dead, "HTTP" + http};
        QTest::newRow("system: no proxy named, direct")
            << Policy::SystemOnly << 0 << none << "" << noPorts << "HTTP0" << QStringList();
        QTest::newRow("system: its dead proxy is not bypassed")
            << Policy::SystemOnly << 0 << refused << "" << noPorts << ""
            << QStringList {"HTTP" + dead};
    }
    void chainFindsTheProxyOfItsType()
    {
        QFETCH(ProxyDetector::Policy, policy);
        QFETCH(int, stored);
        QFETCH(QList<QNetworkProxy>, system);
        QFETCH(QString, pac);
        QFETCH(QStringList, candidates);
        QFETCH(QString, found);
        QFETCH(QStringList, probes);
        // The script answers only for the question the detector asks.
        m_target.route("/proxy.pac",
            (pac == "endless" ? QString("function FindProxyForURL(url, host) { for (;;) {} }")
                              : "function FindProxyForURL(url, host) {\n"
                                "  if (url == 'http://127.0.0.1/pac-question' && "
                                "!isPlainHostName(host))\n    return '"
                        + pac + "';\n  return 'PROXY 127.0.0.1:1';\n}\n")
                .toLatin1());
        ProxyDetector::Sources sources;
        sources.systemProxies = [&] { return system; };
        if (!pac.isEmpty())
            sources.pacUrl = [this] { return m_target.url("/proxy.pac").toString(); };
        sources.candidatePorts = [&] { return candidates; };
        // The scan is reached only when the direct connection fails.
        const LoopbackHttpServer &probe = candidates.isEmpty() ? m_target : m_proxied;
        ProxyDetector detector(
            {probe.url("/probe"), QUrl("http://127.0.0.1/pac-question"), "127.0.0.1", {}}, sources);
        QElapsedTimer clock;
        clock.start();
        const auto result = detector.run({"127.0.0.1", stored, "HTTP"}, policy);
        QVERIFY2(clock.elapsed() < 20000, "a probe or the PAC evaluation was not bounded");
        QCOMPARE(result ? result->type + QString::number(result->port) : QString(), found);
        QStringList made;
        for (const auto &a : detector.attempts())
            made << a.type + QString::number(a.port);
        QCOMPARE(made, probes);
    }

    // Closing the program does not wait for a probe of a silent proxy.
    void deletingARunningThreadStopsItPromptly()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath("setting.ini");
        SettingsStore::saveDetectedProxy(settings, "127.0.0.1", m_silent.port(), false);
        auto *thread = new GetProxyPortThread;
        thread->setSettingsPath(settings);
        const int before = m_silent.requests().size();
        thread->start();
        QTRY_VERIFY(m_silent.requests().size() > before); // the probe is waiting now
        QElapsedTimer clock;
        clock.start();
        delete thread;
        QVERIFY2(clock.elapsed() < 2000, "the running probe did not give up when asked");
    }

    // The port scan finds the local listening sockets to try.
    void listeningSocketsAreReadFromTheSystem()
    {
        QTcpServer loopback, anyDual;
        QVERIFY(
            loopback.listen(QHostAddress::LocalHost, 0) && anyDual.listen(QHostAddress::Any, 0));
        const QStringList addresses = ProxyPlatform::listeningAddresses();
        QVERIFY(addresses.contains(QString("127.0.0.1:%1").arg(loopback.serverPort())));
        QVERIFY(addresses.contains(QString("0.0.0.0:%1").arg(anyDual.serverPort())));
    }
};

QUILLON_TEST_MAIN(TestProxyDetection)
#include "tst_proxydetection.moc"
