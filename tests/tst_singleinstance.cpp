#include "support/mediafixture.h"
#include "support/testmain.h"

#include "app/commandline.h"
#include "base/settingsstore.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <csignal>
#include <memory>

using CommandLine::Action;

// Starting the program. What the arguments ask for: links to hand over,
// help, the version, or an error for an option nobody knows (the installed
// program's answers are checked from its installed path by
// scripts/check_package.sh). One running copy per user, with the real
// program: a later start hands its links to the running copy and ends
// without touching its own data folder; a killed copy does not keep later
// starts out.
class TestSingleInstance : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    QString m_dataDir; // the program's data folder under the test home

    // Starts the program with links; dataHome replaces XDG_DATA_HOME.
    std::unique_ptr<QProcess> start(const QStringList &links, const QString &dataHome = QString())
    {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILLON_PROBE_URL", m_media->plainMp4Url());
        env.insert("QUILLON_KEEPALIVE_URL", m_media->plainMp4Url());
        if (!dataHome.isEmpty())
            env.insert("XDG_DATA_HOME", dataHome);
        program->setProcessEnvironment(env);
        program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QString binaryDir = qEnvironmentVariable("QUILLON_BINARY_DIR");
        program->setWorkingDirectory(binaryDir);
        program->start(binaryDir + "/quillon", links);
        return program;
    }

    // The links of the tasks stored in the running copy's database.
    QStringList storedLinks() const
    {
        QStringList links;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
            db.setDatabaseName(m_dataDir + "/MACAddrs.db");
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            if (db.open()) {
                QSqlQuery query(db);
                query.exec("SELECT url FROM student1");
                while (query.next())
                    links << query.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase("peek");
        return links;
    }

    // The running copy holds its lock (a later start keeps asking for a
    // while until it listens).
    static bool running()
    {
        return QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quillon.lock");
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        m_dataDir = qEnvironmentVariable("XDG_DATA_HOME") + "/quillon";
        QDir().mkpath(m_dataDir);
        // One-key mode: a handed-over link becomes a stored task at once.
        SettingsStore::OneKeySettings onekey;
        onekey.onekey = true;
        onekey.videolocation = qEnvironmentVariable("HOME") + "/videos";
        SettingsStore::saveOneKey(m_dataDir + "/setting.ini", onekey);
    }

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

    void laterStartHandsItsLinksToTheRunningCopy()
    {
        std::unique_ptr<QProcess> first = start({});
        QTRY_VERIFY_WITH_TIMEOUT(running(), 20000);

        QTemporaryDir otherData;
        const QString link = m_media->plainMp4Url() + "?handed-over";
        std::unique_ptr<QProcess> second = start({link}, otherData.path());
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        // It opened neither settings nor database of its own.
        QVERIFY(
            QDir(otherData.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        // The running copy took the link as if it had been pasted.
        QTRY_VERIFY_WITH_TIMEOUT(storedLinks().contains(link), 20000);
        QCOMPARE(first->state(), QProcess::Running);

        // A killed copy leaves its lock and socket behind; the next start
        // runs all the same, and later starts reach it.
        ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(5000));
        std::unique_ptr<QProcess> third = start({});
        QTest::qWait(3000);
        QCOMPARE(third->state(), QProcess::Running);
        std::unique_ptr<QProcess> fourth = start({}, otherData.path());
        QVERIFY(fourth->waitForFinished(15000));
        QCOMPARE(fourth->exitCode(), 0);

        ::kill(static_cast<pid_t>(third->processId()), SIGTERM);
        QVERIFY(third->waitForFinished(15000));
        QCOMPARE(third->exitStatus(), QProcess::NormalExit);
    }
};

QUILLON_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
