#include "support/testmain.h"

#include "app/commandline.h"

using CommandLine::Action;

// What the arguments ask for: links to hand over, help, the version, or an
// error for an option nobody knows. The installed program's answers are
// checked from its installed path by scripts/check_package.sh.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("links");
        const QString a = "https://video.example/watch/a", b = "https://video.example/watch/b";
        QTest::newRow("links") << QStringList {a, b} << int(Action::Run) << QStringList {a, b};
        QTest::newRow("nothing") << QStringList() << int(Action::Run) << QStringList();
        QTest::newRow("help wins over links")
            << QStringList {a, "--help"} << int(Action::Help) << QStringList {a};
        QTest::newRow("short version")
            << QStringList {"-v"} << int(Action::Version) << QStringList();
        QTest::newRow("unknown option")
            << QStringList {a, "--verbose", "--help"} << int(Action::Error) << QStringList {a};
        QTest::newRow("after -- everything is a link") << QStringList {
            "--", "--help", "-x"} << int(Action::Run) << QStringList {"--help", "-x"};
        // The toolkit's own options keep working, their values are no links.
        QTest::newRow("toolkit options")
            << QStringList {"-platform", "offscreen", a, "--style=fusion", "-reverse", b}
            << int(Action::Run) << QStringList {a, b};
        QTest::newRow("a toolkit option's value may look like an option")
            << QStringList {"-stylesheet", "-x.qss", a} << int(Action::Run) << QStringList {a};
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QStringList, links);
        const CommandLine::Parsed parsed = CommandLine::parse(arguments);
        QCOMPARE(int(parsed.action), action);
        QCOMPARE(parsed.links, links);
        QCOMPARE(parsed.error.isEmpty(), action != int(Action::Error));
    }

    // The error names the option in one line, whatever the option holds.
    void errorIsOneLine()
    {
        const CommandLine::Parsed parsed = CommandLine::parse({"--evil\n\x1b[2Jtext"});
        QCOMPARE(parsed.error,
            QString("quillon: unknown option '--evil??[2Jtext' (try 'quillon --help')"));
    }
};

QUILLON_TEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
