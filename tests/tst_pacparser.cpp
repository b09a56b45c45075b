#include "support/testmain.h"

#include "network/pacparser.h"

#include <QElapsedTimer>

static QString answerOf(const QString &script, int budgetMs = PacParser::DefaultBudgetMs)
{
    return PacParser(nullptr, script, budgetMs).findProxyForUrl("http://127.0.0.1/", "127.0.0.1");
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
    // The PAC helper functions answer as scripts expect; a broken script means DIRECT.
    void answers()
    {
        const QString cases[][2] = {
            {script("isInNet('10.1.2.3', '10.0.0.0', '255.0.0.0')"), "true"},
            {script("isInNet('11.1.2.3', '10.0.0.0', '255.0.0.0')"), "false"},
            {script("shExpMatch('a.def', '*.def') && shExpMatch('a1c', 'a?c')"), "true"},
            {script("shExpMatch('b', '[ab]') && shExpMatch('http://a/b/c', 'http://*/c')"), "true"},
            {script("shExpMatch('axdef', 'a.def') || shExpMatch('a.def.x', '*.def')"), "false"},
            {script("dnsDomainIs('w.a.b', '.a.b') && isPlainHostName('intranet')"), "true"},
            {script("dnsDomainIs('W.A.B', '.a.b') || isPlainHostName('a.b')"), "false"},
            // The extension's own QObject slots must not become globals.
            {script("typeof deleteLater + typeof objectName"), "undefinedundefined"},
            {"function other() { return 'PROXY a:1'; }", "DIRECT"},
            {"function FindProxyForURL(u, h) { return ( }", "DIRECT"},
        };
        for (const auto &c : cases)
            QVERIFY2(answerOf(c[0]) == c[1], qPrintable(c[0]));
    }

    // A script that never ends cannot hang detection.
    void endlessScriptsAreInterrupted()
    {
        const QString scripts[] = {
            // The declaration is hoisted and callable, but the script never loaded.
            "while (true) {}\nfunction FindProxyForURL(u, h) { return 'PROXY a:1'; }",
            "function FindProxyForURL(u, h) { while (true) {} return 'PROXY a:1'; }",
            script("{ toString: function() { for (;;) {} } }"),
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
