#include "support/testmain.h"

#include "network/pacfunctions.h"
#include "network/pacparser.h"
#include "network/proxycandidates.h"

#include <QElapsedTimer>

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

class TestPacParser : public QObject
{
    Q_OBJECT

private slots:
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

QUILLON_TEST_MAIN(TestPacParser)
#include "tst_pacparser.moc"
