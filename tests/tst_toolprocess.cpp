#include "support/testmain.h"

#include "downloads/myqprocess.h"
#include "extractor/proxyrule.h"
#include "extractor/toolprocess.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace ToolProcess;

namespace {

// Writes an executable shell script that prints who it is and its arguments,
// one per line, and something on standard error.
QString writeScript(const QString &dir, const QString &name, const QString &tag)
{
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("#!/bin/sh\necho \"" + tag.toUtf8()
        + "\"\nfor a in \"$@\"; do echo \"[$a]\"; done\n"
          "echo err-line >&2\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TestToolProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QProcess::ExitStatus>(); }

    void splitting_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("plain") << "tool.exe -j https://v.example/w?v=1"
                               << QStringList {"tool.exe", "-j", "https://v.example/w?v=1"};
        QTest::newRow("runs of blanks")
            << "tool.exe  --get-title   x  " << QStringList {"tool.exe", "--get-title", "x"};
        QTest::newRow("quoted path with blanks")
            << "tool.exe -o \"D:/My Videos//A B.mp4\" -r 1M"
            << QStringList {"tool.exe", "-o", "D:/My Videos//A B.mp4", "-r", "1M"};
        QTest::newRow("empty quotes make an argument")
            << "tool.exe -o \"\" x" << QStringList {"tool.exe", "-o", "", "x"};
        QTest::newRow("quotes inside a word")
            << "tool.exe a\"b c\"d" << QStringList {"tool.exe", "ab cd"};
        QTest::newRow("empty") << "   " << QStringList {};
    }

    void splitting()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        const CommandLine line = splitCommandLine(command);
        QStringList got = line.arguments;
        if (!line.program.isEmpty())
            got.prepend(line.program);
        QCOMPARE(got, expected);
    }

    void resolutionOrder()
    {
        QTemporaryDir tmp;
        const QString cwd = tmp.filePath("cwd"), app = tmp.filePath("app");
        const QString path1 = tmp.filePath("path1"), path2 = tmp.filePath("path2");
        for (const QString &d : {cwd, app, path1, path2})
            QDir().mkpath(d);
        ToolSearch where {cwd, app, {path1, path2}, {"yt-dlp"}};

        // Nothing anywhere: the name is kept and the start will fail.
        QCOMPARE(resolveProgram("tool.exe", where), QString("tool.exe"));

        const QString fallback = writeScript(path2, "yt-dlp", "fallback");
        QCOMPARE(resolveProgram("tool.exe", where), fallback);
        const QString inPath = writeScript(path2, "tool.exe", "path");
        QCOMPARE(resolveProgram("tool.exe", where), inPath);
        const QString inApp = writeScript(app, "tool.exe", "app");
        QCOMPARE(resolveProgram("tool.exe", where), inApp);
        const QString inCwd = writeScript(cwd, "tool.exe", "cwd");
        QCOMPARE(resolveProgram("tool.exe", where), inCwd);

        // A file that cannot be run is passed over.
        QFile::setPermissions(inCwd, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(resolveProgram("tool.exe", where), inApp);

        // Other programs are never rewritten.
        QCOMPARE(resolveProgram("ffmpeg", where), QString("ffmpeg"));
    }

    void startKeepsEveryArgumentWhole()
    {
        QTemporaryDir tmp;
        writeScript(tmp.path(), "tool.exe", "fake-extractor");
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(tmp.path());

        MyQProcess p;
        QSignalSpy finished(&p, SIGNAL(finished(int, QProcess::ExitStatus)));
        QVERIFY(startExtractor(&p,
            "tool.exe --no-cache-dir  -i  -o \"/tmp/My Videos//a;b $(id).mp4\" "
            "https://v.example/watch?v=1&list=2"));
        QVERIFY(finished.wait(10000));
        QDir::setCurrent(oldCwd);

        const QString out = QString::fromUtf8(p.readAll());
        const QStringList expected {"fake-extractor", "[--no-cache-dir]", "[-i]", "[-o]",
            "[/tmp/My Videos//a;b $(id).mp4]", "[https://v.example/watch?v=1&list=2]", "err-line"};
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts), expected); // error output merged in order
        QCOMPARE(p.processChannelMode(), QProcess::MergedChannels);
    }

    void failedStartEndsLikeAnEmptyRun()
    {
        // No tool.exe anywhere and no fallback on PATH.
        QTemporaryDir tmp;
        const QString oldCwd = QDir::currentPath();
        const QByteArray oldPath = qgetenv("PATH");
        QDir::setCurrent(tmp.path());
        qputenv("PATH", tmp.path().toUtf8());

        MyQProcess p;
        QSignalSpy finished(&p, SIGNAL(finished(int, QProcess::ExitStatus)));
        startExtractor(&p, "tool.exe -j https://v.example/watch?v=1");
        const bool ended = finished.wait(5000);

        qputenv("PATH", oldPath);
        QDir::setCurrent(oldCwd);
        QVERIFY(ended);
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(1).value<QProcess::ExitStatus>(), QProcess::CrashExit);
        QVERIFY(p.readAll().isEmpty());

        // The slot is reusable afterwards, and reports again on a second failure.
        p.close();
        startExtractor(&p, "");
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.count(), 2);
    }

    void proxyOptionFollowsThePort()
    {
        QCOMPARE(proxyOption("127.0.0.1", -1, false), QString());
        QCOMPARE(proxyOption("127.0.0.1", 0, true), QString()); // direct connection
        QCOMPARE(proxyOption("127.0.0.1", 8118, false), QString(" --proxy http://127.0.0.1:8118"));
        QCOMPARE(proxyOption("127.0.0.2", 1080, true), QString(" --proxy socks5://127.0.0.2:1080"));
    }

    void realExtractorIsFoundAsFallback()
    {
        if (QStandardPaths::findExecutable("yt-dlp").isEmpty())
            QSKIP("yt-dlp is not installed");
        QTemporaryDir tmp;
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        QProcess p;
        QSignalSpy finished(&p, SIGNAL(finished(int, QProcess::ExitStatus)));
        QVERIFY(startExtractor(&p, "tool.exe --version"));
        QVERIFY(finished.wait(30000));
        QDir::setCurrent(oldCwd);
        const QString version = QString::fromUtf8(p.readAll()).trimmed();
        QVERIFY2(QRegularExpression("^\\d{4}\\.\\d{2}\\.\\d{2}").match(version).hasMatch(),
            qPrintable(version));
    }
};

QUILLON_TEST_MAIN(TestToolProcess)
#include "tst_toolprocess.moc"
