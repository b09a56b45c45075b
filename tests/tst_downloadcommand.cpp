#include "support/testmain.h"

#include "base/global.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"

#include <QTemporaryDir>
#include <tuple>

namespace {

FormatInfo format(QString id, QString ext, int width, int height, QString acodec = "mp4a")
{
    FormatInfo f;
    std::tie(f.format_id, f.ext, f.width, f.height, f.acodec)
        = std::tie(id, ext, width, height, acodec);
    return f;
}

void setProxy(QString host, int port, bool socks5)
{
    std::tie(Global::PROXY_HOST, Global::PROXY_PORT, Global::PROXY_IS_SOCKS5)
        = std::tie(host, port, socks5);
}

} // namespace

class TestDownloadCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        // The worked example saves to "D:/Videos", a relative path here.
        QDir::setCurrent(m_tmp.path());
    }

    void workedExample()
    {
        ItemInfo task;
        task.quality_num = 5;
        task.formats = {format("140", "m4a", -1, -1), format("134", "mp4", 640, 360),
            format("136", "mp4", 1280, 720), format("137", "mp4", 1920, 1080, "none"),
            format("248", "webm", 1920, 1080)};
        task.bestaudio_id = "140";
        task.limitRate = "512K";
        task.zhuanhuan = "mkv";
        task.zimu = subtitleModeOption(0) + subtitleLanguageOption(0);
        task.path = "D:/Videos";
        task.uploader = "ChannelA";
        task.title = "A: B?";
        task.namePrefix = "20200131";
        task.url = "https://v.example/watch?v=1";

        composeDownloadCommand(&task, 0);

        QCOMPARE(task.quality, QString(" -f 137+140 "));
        QCOMPARE(task.renametitle, QString("20200131A__B_"));
        QCOMPARE(task.folder, QString("D:/Videos//ChannelA"));
        QCOMPARE(task.targetPath, QString("D:/Videos//ChannelA//20200131A__B_.mp4"));
        QCOMPARE(task.renametargetPath, QString("D:/Videos//ChannelA//20200131A__B_.mkv"));
        QCOMPARE(task.cmd,
            QString("tool.exe --no-cache-dir  --write-sub --write-auto-sub "
                    " --sub-lang en,en-GB  -i --newline  -f 137+140  "
                    "https://v.example/watch?v=1 -o "
                    "\"D:/Videos//ChannelA//20200131A__B_.mp4\" -r 512K "
                    " --recode-video mkv "));
        QVERIFY(QFileInfo(m_tmp.filePath("D:/Videos/ChannelA")).isDir());
    }

    void qualitySelection()
    {
        const QList<FormatInfo> wide {
            format("w4k", "mp4", 3840, 2160), format("w8k", "mp4", 7680, 4320)};
        const QList<FormatInfo> tall {format("h1080", "mp4", 1920, 1080, "none"),
            format("h1081", "mp4", 1920, 1081, "none"), format("h720", "mp4", 1280, 720)};
        // Format ids come from the site: one that would split or become an
        // option is never chosen.
        const QList<FormatInfo> mixed {format("w", "webm", 640, 360), format("m", "mp4", 640, 360),
            format("m2", "mp4", 480, 300), format("v720", "webm", 1280, 720, "none"),
            format("z", "mp4", 0, 0), format("1\" --exec \"x", "mp4", 640, 360),
            format("--exec=x", "mp4", 640, 360), format("a b", "mp4", 640, 360)};
        // clang-format off
        const struct { int quality; QList<FormatInfo> formats; const char *audio, *before, *expected; } cases[] = {
            {3, wide, "140", "", " -f w4k "},          // 7680 is not 4K
            {2, wide, "140", "", " -f w8k "},
            {5, tall, "140", "", " -f h1080+140 "},    // 1081 is not 1080P
            {6, tall, "140", "", " -f h720 "},
            {5, tall, "", "", " -f h1080+ "},          // fails later, as it should
            {8, mixed, "", "", " -f m2 "},             // mp4 first, the last safe match wins
            {6, mixed, "251", "", " -f v720+251 "},    // webm when no mp4 fits
            {10, mixed, "", "", " -f mp4 "},           // height 0 is no 144P
            {7, tall, "140", " -f 135+140 ", " -f 135+140 "}, // a second analysis keeps it
            {0, tall, "140", "x", " -f mp4 "},
            {1, tall, "140", "x", " -f bestvideo+bestaudio "},
            {11, tall, "140", "x", " -f 140"},
            {12, tall, "140", "x", " --skip-download "},
            {13, tall, "140", "kept", "kept"},
            {-1, tall, "140", "kept", "kept"},
            {11, tall, "140 --exec x", "", " -f "},
        };
        // clang-format on
        for (const auto &c : cases)
            QCOMPARE(selectQuality(c.quality, c.formats, c.audio, c.before), QString(c.expected));
    }

    void namesAndPaths()
    {
        const QString hundred = QString("abcdefghij").repeated(10);
        QCOMPARE(sanitizeTitle(hundred, "20200131"), "20200131" + hundred.left(72));
        QCOMPARE(sanitizeTitle(" &|#?/\\\"<>*:%", ""), QString("_____________"));
        QCOMPARE(sanitizeTitle("", "20200131"), QString("20200131"));
        // Cutting at 80 must not keep half of a character.
        QCOMPARE(sanitizeTitle(QString(71, 'a') + QString::fromUtf8("😀😀"), "20200131"),
            "20200131" + QString(71, 'a'));

        const char *const names[][2] = {{"../../x", ".._.._x"}, {"a/b", "a_b"}, {"C:\\x", "C__x"},
            {"%(id)s", "_(id)s"}, {".", "_"}, {"..", "__"}, {"...", "___"}, {"a..b", "a..b"}};
        for (const auto &n : names)
            QCOMPARE(sanitizeFolderName(n[0]), QString(n[1]));
        // Neither the uploader nor the title (a folder too) can leave the chosen folder.
        const QString chosen = QDir::cleanPath(m_tmp.filePath("chosen"));
        ItemInfo task;
        task.path = chosen;
        task.uploader = task.title = "..";
        composeDownloadCommand(&task, 1);
        QCOMPARE(QDir::cleanPath(task.targetPath), chosen + "/__/__/...mp4");

        ItemInfo audio;
        audio.quality_num = 11;
        audio.zhuanhuan = "mp3";
        audio.path = m_tmp.filePath("50% $HOME");
        audio.title = "t";
        composeDownloadCommand(&audio, 0);
        // No uploader: straight into the chosen folder. Stored paths are plain.
        QCOMPARE(audio.targetPath, m_tmp.filePath("50% $HOME") + "////t.m4a");
        QCOMPARE(audio.renametargetPath, m_tmp.filePath("50% $HOME") + "////t.mp3");
        QVERIFY(audio.cmd.endsWith("\"" + m_tmp.filePath("50%% %(quillon_dollar|$)sHOME")
            + "////t.m4a\" -x --audio-format mp3 "));
    }

    void linksNeverBecomeOptions()
    {
        // clang-format off
        const struct { const char *link, *safe; } links[] = {
            {"https://v.example/watch?v=1&list=2", "https://v.example/watch?v=1&list=2"},
            {"  http://v.example/a\n", "http://v.example/a"}, {"https://v.example/東京", "https://v.example/東京"},
            {"http://x --exec \"touch /tmp/pwned\"", "http://x%20--exec%20%22touch%20/tmp/pwned%22"},
            {"https://x/\"a b\" -o \"/tmp/evil", "https://x/%22a%20b%22%20-o%20%22/tmp/evil"},
            {"http://x\t-a\nb\u3000c", "http://x%09-a%0Ab%E3%80%80c"}, {"-abc", ""}, {"--config-location=x", ""},
            {"file:///etc/passwd", ""}, {" --exec x", ""}, {"v.example/a", ""}, {"ftp://v.example/a", ""}};
        // clang-format on
        setProxy("10.0.0.1", 8080, false);
        for (const auto &l : links) {
            const QString link = QString::fromUtf8(l.link);
            const QString safe = QString::fromUtf8(l.safe);
            QCOMPARE(safeLink(link), safe);

            ItemInfo task;
            task.path = m_tmp.filePath("links");
            task.url = link;
            composeDownloadCommand(&task, 0);
            for (const QString &command : {singleVideoCommand(link), flatListCommand(link),
                     titleCommand(link), task.cmd + downloadRunSuffix()}) {
                const ToolProcess::CommandLine split = ToolProcess::splitCommandLine(command);
                QCOMPARE(split.program, QString("tool.exe"));
                // The only argument that comes from the link is the whole safe link.
                const QStringList ours {"-j", "--flat-playlist", "--get-title", "--socket-timeout",
                    "10", "60", "-R", "5", "--proxy", "http://10.0.0.1:8080",
                    "http://127.0.0.1:8080", "--no-cache-dir", "-i", "--newline", "-f", "mp4", "-o",
                    task.targetPath, "--convert-subs", "srt"};
                for (const QString &a : split.arguments)
                    QVERIFY2(ours.contains(a) || a == safe, qPrintable(command));
                if (!safe.isEmpty())
                    QCOMPARE(split.arguments.count(safe), 1);
            }
        }
    }

    void metadataCommandsAndProxies()
    {
        const QString link = "https://v.example/watch?v=1";
        // clang-format off
        const struct { const char *host; int port; bool socks5; const char *options, *proxy, *download; } modes[] = {
            {"127.0.0.1", 0, false, " --socket-timeout 60 ", "", " --convert-subs srt -R 5  "},
            {"192.168.1.5", 7890, false, " -R 5  --proxy http://192.168.1.5:7890 --socket-timeout 60 ",
                " --proxy http://192.168.1.5:7890", " --convert-subs srt -R 5  --proxy http://127.0.0.1:7890"},
            {"192.168.1.5", 1080, true, " -R 5  --proxy socks5://192.168.1.5:1080 --socket-timeout 60 ",
                " --proxy socks5://192.168.1.5:1080", " --convert-subs srt -R 5   --proxy socks5://127.0.0.1:1080"},
        };
        // clang-format on
        for (const auto &m : modes) {
            setProxy(m.host, m.port, m.socks5);
            QCOMPARE(singleVideoCommand(link), "tool.exe -j " + link + m.options);
            QCOMPARE(
                flatListCommand(link), "tool.exe -j --flat-playlist \"" + link + "\"" + m.options);
            QCOMPARE(titleCommand(link),
                "tool.exe  --get-title " + link + m.proxy + " --socket-timeout 10 ");
            QCOMPARE(analysisRunSuffix(), " -R 5 " + QString(m.proxy) + " --socket-timeout 60 ");
            // Downloads reach the proxy at 127.0.0.1 whatever host was found.
            QCOMPARE(downloadRunSuffix(), QString(m.download));
        }
    }
};

QUILLON_TEST_MAIN(TestDownloadCommand)
#include "tst_downloadcommand.moc"
