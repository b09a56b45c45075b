#include "support/testmain.h"

#include "network/pacparser.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QNetworkInterface>

static QString answerOf(const QString &script, int budgetMs = PacParser::DefaultBudgetMs)
{
    return PacParser(nullptr, script, budgetMs).findProxyForUrl("http://127.0.0.1/", "127.0.0.1");
}

// The PAC functions are called the way scripts call them: through a script.
static QString returning(const QString &expression)
{
    return "function FindProxyForURL(url, host) { return " + expression + "; }";
}

static void row(const char *name, const QString &script, const QString &expected)
{
    QTest::newRow(name) << script << expected;
}

class TestPacParser : public QObject
{
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        row("arguments reach the script", returning("url + '|' + host"),
            "http://127.0.0.1/|127.0.0.1");
        row("no FindProxyForURL", "function other() { return 'PROXY a:1'; }", "DIRECT");
        row("syntax error", "function FindProxyForURL(url, host) { return ( }", "DIRECT");
        row("undefined result", "function FindProxyForURL(url, host) { }", "undefined");
        row("isInNet inside", returning("isInNet('10.1.2.3', '10.0.0.0', '255.0.0.0')"), "true");
        row("isInNet outside", returning("isInNet('11.1.2.3', '10.0.0.0', '255.0.0.0')"), "false");
        row("isInNet host name is 0", returning("isInNet('localhost', '0.1.2.3', '255.0.0.0')"),
            "true");
        row("isInNet IPv6 is 0", returning("isInNet('::1', '0.1.2.3', '255.0.0.0')"), "true");
        row("shExpMatch star", returning("shExpMatch('abc.def', '*.def')"), "true");
        row("shExpMatch case", returning("shExpMatch('ABC.def', '*abc.def')"), "false");
        row("shExpMatch whole", returning("shExpMatch('abc.def.x', '*.def')"), "false");
        row("shExpMatch star and slashes", returning("shExpMatch('http://a.b/c/d', 'http://*/d')"),
            "true");
        row("shExpMatch ?", returning("shExpMatch('a1c', 'a?c')"), "true");
        row("shExpMatch set", returning("shExpMatch('b.x', '[abc].x')"), "true");
        row("shExpMatch set miss", returning("shExpMatch('d.x', '[abc].x')"), "false");
        row("shExpMatch literal dot", returning("shExpMatch('abcxdef', 'abc.def')"), "false");
        row("dnsDomainIs", returning("dnsDomainIs('w.abc.def.xyz', '.abc.def')"), "true");
        row("dnsDomainIs miss", returning("dnsDomainIs('w.abc.xyz', '.abc.def')"), "false");
        row("dnsDomainIs case", returning("dnsDomainIs('W.ABC.DEF', '.abc.def')"), "false");
        row("isPlainHostName", returning("isPlainHostName('intranet')"), "true");
        row("isPlainHostName dotted", returning("isPlainHostName('a.b')"), "false");
        row("dnsResolve address", returning("dnsResolve('127.0.0.1')"), "127.0.0.1");
        row("dnsResolve bad name", returning("String(dnsResolve('bad name!'))"), "null");
        row("missing function", returning("weekdayRange('MON', 'FRI')"),
            "ReferenceError: weekdayRange is not defined");
        // QObject's own slots must not become globals.
        row("only PAC functions exposed",
            returning("typeof deleteLater + typeof objectName + typeof isInNet"),
            "undefinedundefinedfunction");
    }
    void answers()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QCOMPARE(answerOf(script), expected);
    }

    void hostDependentFunctions()
    {
        // localhost comes from the hosts file; no name server is asked.
        const QString resolved = answerOf(returning("dnsResolve('localhost')"));
        QVERIFY2(QHostAddress(resolved).isLoopback(), qPrintable(resolved));
        QString ip = "undefined";
        for (const QHostAddress &a : QNetworkInterface::allAddresses()) {
            if (a != QHostAddress(QHostAddress::LocalHost)
                && a != QHostAddress(QHostAddress::LocalHostIPv6)) {
                ip = a.toString();
                break;
            }
        }
        QCOMPARE(answerOf(returning("String(myIpAddress())")), ip);
    }

    void endlessScriptsAreInterrupted_data()
    {
        QTest::addColumn<QString>("script");
        // The declaration is hoisted and callable, but the script never loaded.
        QTest::newRow("loop while loading")
            << "while (true) {}\nfunction FindProxyForURL(u, h) { return 'PROXY a:1'; }";
        QTest::newRow("loop in FindProxyForURL")
            << "function FindProxyForURL(u, h) { while (true) {} return 'PROXY a:1'; }";
        QTest::newRow("loop in toString of the answer")
            << returning("{ toString: function() { for (;;) {} } }");
    }
    void endlessScriptsAreInterrupted()
    {
        QFETCH(QString, script);
        QElapsedTimer clock;
        clock.start();
        const QString result = answerOf(script, 500);
        QVERIFY2(!result.contains("PROXY"), qPrintable(result));
        QVERIFY2(clock.elapsed() < 10000, "the evaluation was not interrupted");
        // The engine is usable again afterwards.
        QCOMPARE(answerOf(returning("'PROXY b:2'"), 500), QString("PROXY b:2"));
    }
};

QUILLON_TEST_MAIN(TestPacParser)
#include "tst_pacparser.moc"
