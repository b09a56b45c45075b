#include "support/testmain.h"

#include "extractor/downloadcommand.h"
#include "extractor/toolprocess.h"
#include "support/extractorrun.h"
#include "support/fakeextractor.h"

#include <QTemporaryDir>

using namespace ToolProcess;

namespace {

// A script that prints its tag, each argument in brackets, then a line on stderr.
void writeScript(const QString &path, const QString &tag, bool executable = true)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("#!/bin/sh\necho \"" + tag.toUtf8()
        + "\"\nfor a in \"$@\"; do echo \"[$a]\"; done\necho err-line >&2\n");
    f.close();
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    f.setPermissions(executable ? permissions | QFile::ExeOwner : permissions);
}

} // namespace

class TestToolProcess : public QObject
{
    Q_OBJECT

private slots:
    // Stored command texts split as the extractor must see them: quotes
    // group, escaped quotes stay inside one argument.
    void splitting()
    {
        // clang-format off
        const struct { const char *command; QStringList expected; } cases[] = {
            {"tool.exe  --get-title   x  ", {"tool.exe", "--get-title", "x"}},
            {"tool.exe -o \"D:/My Videos//A B.mp4\" -r 1M", {"tool.exe", "-o", "D:/My Videos//A B.mp4", "-r", "1M"}},
            {"tool.exe -o \"\" x", {"tool.exe", "-o", "", "x"}},
            {"tool.exe a\"b c\"d", {"tool.exe", "ab cd"}}, {"   ", {""}}, // no program at all
            {"tool.exe -o \"a\\\" --exec \\\"b\" x", {"tool.exe", "-o", "a\" --exec \"b", "x"}},
            {"tool.exe -o \"C:\\dir\\f.mp4\"", {"tool.exe", "-o", "C:\\dir\\f.mp4"}},
        };
        // clang-format on
        for (const auto &c : cases) {
            const CommandLine line = splitCommandLine(c.command);
            QCOMPARE(QStringList(line.program) + line.arguments, c.expected);
        }
    }

    // Which file a command's program name starts: working folder, program
    // folder, the updated copy, then PATH, the tool's own name before its
    // other name.
    void resolutionOrder()
    {
        // Files that exist ("!": not executable) and what is found; "" keeps
        // the name, so that the start fails.
        // clang-format off
        const struct { const char *program; QStringList files; const char *found; } cases[] = {
            {"tool.exe", {}, ""}, {"tool.exe", {"p2/yt-dlp"}, "p2/yt-dlp"},
            {"tool.exe", {"p1/yt-dlp", "p2/tool.exe"}, "p2/tool.exe"},
            {"tool.exe", {"p1/tool.exe", "p2/tool.exe"}, "p1/tool.exe"},
            {"tool.exe", {"app/tool.exe", "p1/tool.exe"}, "app/tool.exe"},
            {"tool.exe", {"cwd/tool.exe", "app/tool.exe"}, "cwd/tool.exe"},
            {"tool.exe", {"cwd/tool.exe!", "app/tool.exe"}, "app/tool.exe"},
            {"tool.exe", {"upd/yt-dlp", "p1/tool.exe"}, "upd/yt-dlp"},
            {"tool.exe", {"app/tool.exe", "upd/yt-dlp"}, "app/tool.exe"},
            {"tool.exe", {"upd/yt-dlp!", "p2/yt-dlp"}, "p2/yt-dlp"},
            {"ffmpeg", {"cwd/ffmpeg"}, ""},
        };
        // clang-format on
        for (const auto &c : cases) {
            QTemporaryDir tmp;
            for (QString file : c.files)
                writeScript(tmp.filePath(file.remove('!')), "x", !file.endsWith('!'));
            const ToolSearch where {tmp.filePath("cwd"), tmp.filePath("app"),
                tmp.filePath("upd/yt-dlp"), {tmp.filePath("p1"), tmp.filePath("p2")}, {"yt-dlp"}};
            QCOMPARE(resolveProgram(c.program, where),
                *c.found ? tmp.filePath(c.found) : QString(c.program));
        }
    }

    // A started command passes each argument whole and never through a shell.
    void startKeepsEveryArgumentWhole()
    {
        QTemporaryDir tmp;
        writeScript(tmp.filePath("tool.exe"), "fake-extractor");
        ScopedCurrentDir cwd(tmp.path());
        // A folder may hold quotes: they stay inside the one argument.
        const QString target = "/tmp/My \" --exec \"touch x\" -o \"Videos//a;b.mp4";
        const ExtractorRun run = runExtractor("tool.exe --no-cache-dir  -i  -o \""
                + outputTemplateArgument(target) + "\" https://v.example/watch?v=1&list=2",
            10000);
        // Whatever a stored command names, only the extractor is started.
        const ExtractorRun shell = runExtractor("/bin/sh -c \"echo started\"", 10000);
        // Nothing reaches a shell; error output is merged in order.
        const QStringList expected {"fake-extractor", "[--no-cache-dir]", "[-i]", "[-o]",
            "[" + target + "]", "[https://v.example/watch?v=1&list=2]", "err-line"};
        QCOMPARE(QString::fromUtf8(run.output).split('\n', Qt::SkipEmptyParts), expected);
        QVERIFY(!shell.output.contains("started"));
    }
};

QUILLON_TEST_MAIN(TestToolProcess)
#include "tst_toolprocess.moc"
