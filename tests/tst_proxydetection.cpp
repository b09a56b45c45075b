#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/testmain.h"

#include "base/settingsstore.h"
#include "network/getproxyportthread.h"
#include "network/pacfunctions.h"
#include "network/pacparser.h"
#include "network/proxycandidates.h"
#include "network/proxydetector.h"
#include "network/proxyplatform.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(ProxyDetector::Policy)

static QString answerOf(const QString &script, int budgetMs = PacParser::DefaultBudgetMs,
    const QDateTime &now = QDateTime())
{
    PacParser parser(nullptr, script, budgetMs);
    if (now.isValid())
        parser.setClock([now] { return now; });
    return parser.findProxyForUrl("http://127.0.0.1/", "127.0.0.1");
}

// The PAC functions are called the way scripts call them: through a script.
static QString script(const QString &expression)
{
    return "function FindProxyForURL(url, host) { return " + expression + "; }";
}

// Proxy detection: the chain of sources and probes against real proxies on
// 127.0.0.1, and the proxy auto-config scripts it evaluates.
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

    // --- proxy auto-config scripts -------------------------------------------

    // The standard functions answer as browsers answer. Names are looked up
    // only where they resolve on this machine ("localhost") or are no valid
    // host name at all, so no lookup leaves 127.0.0.1.
    void standardFunctions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("answer");
        const auto row = [](const char *expression, const char *answer) {
            QTest::newRow(expression) << QString(expression) << QString(answer);
        };
        // Suffix, not substring: a look-alike domain is outside.
        row("dnsDomainIs('www.example.com', '.example.com')", "true");
        row("dnsDomainIs('evil-example.com', '.example.com')", "false");
        row("dnsDomainIs('www.example.com.evil.net', '.example.com')", "false");
        row("dnsDomainIs('WWW.EXAMPLE.COM', '.example.com')", "false");
        row("localHostOrDomainIs('www.example.com', 'www.example.com')", "true");
        row("localHostOrDomainIs('www', 'www.example.com')", "true");
        row("localHostOrDomainIs('www.other.com', 'www.example.com')"
            " || localHostOrDomainIs('home', 'www.example.com')",
            "false");
        row("isPlainHostName('intranet') && !isPlainHostName('a.b')", "true");
        row("[dnsDomainLevels('www'), dnsDomainLevels('www.example.com')].join()", "0,2");
        row("shExpMatch('a.def', '*.def') && shExpMatch('a1c', 'a?c')", "true");
        row("shExpMatch('b', '[ab]') && shExpMatch('http://a/b/c', 'http://*/c')", "true");
        row("shExpMatch('axdef', 'a.def') || shExpMatch('ABC.def', '*abc.def')", "false");
        // Names are resolved, bounded; numbers are taken as they are.
        row("isInNet('10.1.2.3', '10.0.0.0', '255.0.0.0')", "true");
        row("isInNet('11.1.2.3', '10.0.0.0', '255.0.0.0')", "false");
        row("isInNet('localhost', '127.0.0.0', '255.0.0.0')", "true");
        row("isInNet('bad name', '0.0.0.0', '0.0.0.0')", "false");
        row("isInNet('10.1.2.3', 'intranet', '255.0.0.0')", "false");
        row("[dnsResolve('localhost'), dnsResolve('10.1.2.3'), dnsResolve('bad name')].join()",
            "127.0.0.1,10.1.2.3,");
        row("isResolvable('localhost') && !isResolvable('bad name') && !isResolvable('a..b')",
            "true");
        row("/^\\d+\\.\\d+\\.\\d+\\.\\d+$/.test(myIpAddress())", "true");
        row("typeof alert('x') + typeof debug('x')", "undefinedundefined");
        // The extension's own QObject slots must not become globals.
        row("typeof deleteLater + typeof objectName", "undefinedundefined");
    }
    void standardFunctions()
    {
        QFETCH(QString, expression);
        QFETCH(QString, answer);
        QCOMPARE(answerOf(script(expression)), answer);
    }

    // A script may call the functions while it loads; one without an answer
    // function, or broken, means DIRECT.
    void scriptsAsTheyCome()
    {
        QCOMPARE(answerOf("var me = myIpAddress();\n" + script("typeof me")), QString("string"));
        QCOMPARE(answerOf("function other() { return 'PROXY a:1'; }"), QString("DIRECT"));
        QCOMPARE(answerOf("function FindProxyForURL(u, h) { return ( }"), QString("DIRECT"));
    }

    // The calendar functions at a fixed moment: Friday 1 January 2027, 08:15:30
    // local time at UTC+9, which is Thursday 31 December 2026, 23:15:30 GMT.
    void calendarFunctions_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("expected");
        const auto row = [](const char *call, bool expected) {
            QTest::newRow(call) << QString(call) << expected;
        };
        row("weekdayRange('FRI')", true);
        row("weekdayRange('FRI', 'GMT')", false);
        row("weekdayRange('MON', 'THU', 'GMT')", true);
        row("weekdayRange('THU', 'MON')", true); // over the weekend
        row("weekdayRange('SAT', 'THU')", false);
        row("weekdayRange('FRIDAY')", false);
        row("dateRange(1) && dateRange('JAN') && dateRange(2027)", true);
        row("dateRange(31, 'GMT') && dateRange('DEC', 'GMT') && dateRange(2026, 'GMT')", true);
        row("dateRange('NOV', 'FEB')", true); // over the turn of the year
        row("dateRange(2, 31)", false);
        row("dateRange(24, 'DEC', 6, 'JAN')", true);
        row("dateRange('DEC', 2026, 'JAN', 2027)", true);
        row("dateRange(1, 'JAN', 2027, 1, 'JAN', 2027)", true);
        row("dateRange(2, 'JAN', 2027, 31, 'DEC', 2027)", false);
        row("dateRange(1, 'JAN', 2027, 31, 'DEC', 2026)", false); // years do not wrap
        row("dateRange(1, 'JAN')", false); // a day and a month are no range
        row("timeRange(8) && timeRange(23, 'GMT')", true);
        row("timeRange(22, 8)", true); // overnight, the end hour included
        row("timeRange(9, 17)", false);
        row("timeRange(8, 15, 8, 15)", true);
        row("timeRange(8, 16, 9, 0)", false);
        row("timeRange(8, 15, 30, 8, 15, 30)", true);
        row("timeRange(8, 15, 31, 8, 20, 0)", false);
        row("timeRange(24) || timeRange(8, 60, 9, 0) || timeRange(1, 2, 3)", false);
    }
    void calendarFunctions()
    {
        QFETCH(QString, call);
        QFETCH(bool, expected);
        const QDateTime now(QDate(2027, 1, 1), QTime(8, 15, 30), Qt::OffsetFromUTC, 9 * 3600);
        QCOMPARE(answerOf(script(call), PacParser::DefaultBudgetMs, now),
            expected ? QString("true") : QString("false"));
    }

    // "This machine" is an IPv4 address another host could reach.
    void myIpAddressSkipsWhatNoOneReaches()
    {
        using PacFunctions::Interface;
        const auto up = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
        const Interface loopback {
            up | QNetworkInterface::IsLoopBack, {QHostAddress("127.0.0.1"), QHostAddress("::1")}};
        const Interface down {QNetworkInterface::IsUp, {QHostAddress("10.0.0.9")}};
        const Interface linkLocal {up, {QHostAddress("fe80::1"), QHostAddress("169.254.3.4")}};
        const Interface lan {up, {QHostAddress("fd00::5"), QHostAddress("192.168.1.20")}};
        QCOMPARE(
            PacFunctions::myAddress({loopback, down, linkLocal, lan}), QString("192.168.1.20"));
        QCOMPARE(PacFunctions::myAddress({loopback, down, linkLocal}), QString("127.0.0.1"));
    }

    // The ways to connect an answer names, in its order.
    void answersNameTheWaysInOrder_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("entries");
        QTest::newRow("several") << "PROXY a:1; SOCKS b:2; DIRECT"
                                 << "HTTP a:1|SOCKS5 b:2|DIRECT";
        QTest::newRow("case and blanks") << "proxy  a:1 ;\tSocks5 b:2;;"
                                         << "HTTP a:1|SOCKS5 b:2";
        QTest::newRow("default ports") << "HTTPS a; PROXY b; SOCKS c"
                                       << "HTTP a:443|HTTP b:80|SOCKS5 c:1080";
        QTest::newRow("keyword, not a word in the host") << "PROXY socks5-gw.corp:8080"
                                                         << "HTTP socks5-gw.corp:8080";
        QTest::newRow("IPv6") << "PROXY [::1]:3128"
                              << "HTTP ::1:3128";
        QTest::newRow("unusable") << "PROXY a:0; PROXY a:x; PROXY :80; QUIC a:1; PROXY a:1 b; PROXY"
                                  << "";
        QTest::newRow("an error text") << "ReferenceError: weekdayRange is not defined"
                                       << "";
    }
    void answersNameTheWaysInOrder()
    {
        QFETCH(QString, answer);
        QFETCH(QString, entries);
        QStringList found;
        for (const auto &e : ProxyCandidates::pacEntries(answer)) {
            using Entry = ProxyCandidates::PacEntry;
            found << (e.kind == Entry::Direct ? QString("DIRECT")
                                              : QString("%1 %2:%3")
                                                    .arg(e.kind == Entry::Http ? "HTTP" : "SOCKS5")
                                                    .arg(e.host)
                                                    .arg(e.port));
        }
        QCOMPARE(found.join('|'), entries);
    }

    // A script that never ends cannot hang detection.
    void endlessScriptsAreInterrupted()
    {
        const QString scripts[] = {
            // The declaration is hoisted and callable, but the script never loaded.
            "while (true) {}\nfunction FindProxyForURL(u, h) { return 'PROXY a:1'; }",
            "function FindProxyForURL(u, h) { while (true) {} return 'PROXY a:1'; }",
            script("{ toString: function() { for (;;) {} } }"),
            // Lookups between the loops do not keep the watch from ending it.
            script("(function () { for (;;) dnsResolve('localhost'); })()"),
        };
        for (const QString &text : scripts) {
            QElapsedTimer clock;
            clock.start();
            const QString result = answerOf(text, 500);
            QVERIFY2(!result.contains("PROXY") && clock.elapsed() < 10000, qPrintable(text));
            // The engine is usable again afterwards.
            QCOMPARE(answerOf(script("'PROXY b:2'"), 500), QString("PROXY b:2"));
        }
    }
};

QUILLON_TEST_MAIN(TestProxyDetection)
#include "tst_proxydetection.moc"
