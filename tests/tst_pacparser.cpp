#include "support/testmain.h"

#include "network/pacparser.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QNetworkInterface>

// The PAC functions are called the way scripts call them: through a script.
static QString answer(const QString &body)
{
    PacParser parser(
        nullptr, QStringLiteral("function FindProxyForURL(url, host) { %1 }").arg(body));
    return parser.findProxyForUrl(QStringLiteral("http://127.0.0.1/"), QStringLiteral("127.0.0.1"));
}

class TestPacParser : public QObject
{
    Q_OBJECT

private slots:
    void answersOfWholeScripts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("constant answer unchanged")
            << "function FindProxyForURL(url, host) { return 'PROXY 127.0.0.1:8080; DIRECT'; }"
            << "PROXY 127.0.0.1:8080; DIRECT";
        QTest::newRow("arguments reach the script")
            << "function FindProxyForURL(url, host) { return url + '|' + host; }"
            << "http://127.0.0.1/|127.0.0.1";
        QTest::newRow("empty script") << ""
                                      << "DIRECT";
        QTest::newRow("no FindProxyForURL") << "function other() { return 'PROXY a:1'; }"
                                            << "DIRECT";
        QTest::newRow("syntax error") << "function FindProxyForURL(url, host) { return ( }"
                                      << "DIRECT";
        QTest::newRow("undefined result") << "function FindProxyForURL(url, host) { }"
                                          << "undefined";
    }
    void answersOfWholeScripts()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        PacParser parser(nullptr, script);
        QCOMPARE(parser.findProxyForUrl("http://127.0.0.1/", "127.0.0.1"), expected);
    }

    void pacFunctions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");
        QTest::newRow("isInNet inside") << "isInNet('10.1.2.3', '10.0.0.0', '255.0.0.0')"
                                        << "true";
        QTest::newRow("isInNet outside") << "isInNet('11.1.2.3', '10.0.0.0', '255.0.0.0')"
                                         << "false";
        QTest::newRow("isInNet host name is 0, pattern not")
            << "isInNet('localhost', '10.0.0.0', '255.0.0.0')"
            << "false";
        QTest::newRow("isInNet host name is 0, pattern masked to 0")
            << "isInNet('localhost', '0.1.2.3', '255.0.0.0')"
            << "true";
        QTest::newRow("isInNet IPv6 host counts as 0") << "isInNet('::1', '10.0.0.0', '255.0.0.0')"
                                                       << "false";
        QTest::newRow("shExpMatch star") << "shExpMatch('abc.def', '*.def')"
                                         << "true";
        QTest::newRow("shExpMatch case-sensitive") << "shExpMatch('ABC.def', '*abc.def')"
                                                   << "false";
        QTest::newRow("shExpMatch whole string") << "shExpMatch('abc.def.x', '*.def')"
                                                 << "false";
        QTest::newRow("shExpMatch star crosses slashes")
            << "shExpMatch('http://a.b/c/d', 'http://*/d')"
            << "true";
        QTest::newRow("shExpMatch question mark") << "shExpMatch('a1c', 'a?c')"
                                                  << "true";
        QTest::newRow("shExpMatch set") << "shExpMatch('b.x', '[abc].x')"
                                        << "true";
        QTest::newRow("shExpMatch set miss") << "shExpMatch('d.x', '[abc].x')"
                                             << "false";
        QTest::newRow("shExpMatch dot is literal") << "shExpMatch('abcxdef', 'abc.def')"
                                                   << "false";
        QTest::newRow("dnsDomainIs substring") << "dnsDomainIs('w.abc.def.xyz', '.abc.def')"
                                               << "true";
        QTest::newRow("dnsDomainIs miss") << "dnsDomainIs('w.abc.xyz', '.abc.def')"
                                          << "false";
        QTest::newRow("dnsDomainIs case-sensitive") << "dnsDomainIs('W.ABC.DEF', '.abc.def')"
                                                    << "false";
        QTest::newRow("isPlainHostName plain") << "isPlainHostName('intranet')"
                                               << "true";
        QTest::newRow("isPlainHostName dotted") << "isPlainHostName('a.b')"
                                                << "false";
        QTest::newRow("isResolvable always") << "isResolvable('no.such.host.invalid')"
                                             << "true";
        QTest::newRow("dnsResolve address") << "dnsResolve('127.0.0.1')"
                                            << "127.0.0.1";
        QTest::newRow("dnsResolve bad name is null") << "String(dnsResolve('bad name!'))"
                                                     << "null";
        QTest::newRow("debug returns undefined") << "String(debug('hello'))"
                                                 << "undefined";
        QTest::newRow("missing localHostOrDomainIs")
            << "localHostOrDomainIs('a', 'a')"
            << "ReferenceError: localHostOrDomainIs is not defined";
        QTest::newRow("missing dnsDomainLevels")
            << "dnsDomainLevels('a.b')"
            << "ReferenceError: dnsDomainLevels is not defined";
        QTest::newRow("missing weekdayRange") << "weekdayRange('MON', 'FRI')"
                                              << "ReferenceError: weekdayRange is not defined";
    }
    void pacFunctions()
    {
        QFETCH(QString, expression);
        QFETCH(QString, expected);
        QCOMPARE(answer("return " + expression + ";"), expected);
    }

    void dnsResolveLooksUpNames()
    {
        // localhost comes from the hosts file; no name server is asked.
        const QString resolved = answer("return dnsResolve('localhost');");
        QVERIFY2(QHostAddress(resolved).isLoopback(), qPrintable(resolved));
    }

    void myIpAddressSkipsLoopback()
    {
        QString expected = "undefined";
        for (const QHostAddress &a : QNetworkInterface::allAddresses()) {
            if (a != QHostAddress(QHostAddress::LocalHost)
                && a != QHostAddress(QHostAddress::LocalHostIPv6)) {
                expected = a.toString();
                break;
            }
        }
        QCOMPARE(answer("return String(myIpAddress());"), expected);
    }

    void onlyTheEightFunctionsAreExposed()
    {
        // QObject's own slots (deleteLater, ...) must not become globals.
        QCOMPARE(
            answer("return typeof deleteLater + ' ' + typeof objectName + ' ' + typeof isInNet;"),
            QString("undefined undefined function"));
    }

    void endlessScriptsAreInterrupted_data()
    {
        QTest::addColumn<QString>("script");
        // The declaration is hoisted and callable, but the script never loaded.
        QTest::newRow("loop while loading")
            << "while (true) {}\n"
               "function FindProxyForURL(u, h) { return 'PROXY a:1'; }";
        QTest::newRow("loop in FindProxyForURL")
            << "function FindProxyForURL(u, h) { while (true) {} return 'PROXY a:1'; }";
        QTest::newRow("loop in toString of the answer")
            << "function FindProxyForURL(u, h) {"
               " return { toString: function() { for (;;) {} } }; }";
    }
    void endlessScriptsAreInterrupted()
    {
        QFETCH(QString, script);
        QElapsedTimer clock;
        clock.start();
        PacParser parser(nullptr, script, 500);
        const QString result = parser.findProxyForUrl("http://127.0.0.1/", "127.0.0.1");
        QVERIFY2(!result.contains("PROXY"), qPrintable(result));
        QVERIFY2(clock.elapsed() < 10000, "the evaluation was not interrupted");

        // The engine is usable again afterwards.
        PacParser next(nullptr, "function FindProxyForURL(u, h) { return 'PROXY b:2'; }", 500);
        QCOMPARE(next.findProxyForUrl("http://127.0.0.1/", "127.0.0.1"), QString("PROXY b:2"));
    }
};

QUILLON_TEST_MAIN(TestPacParser)
#include "tst_pacparser.moc"
