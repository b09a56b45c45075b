#include "support/testmain.h"

#include "base/global.h"
#include "extractor/commandcheck.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/extractorremarks.h"
#include "extractor/metadata.h"
#include "extractor/progressparser.h"
#include "extractor/runreport.h"
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

// A command's arguments, leaving out empty ones and drop.
QStringList arguments(const QString &command, const QString &drop = QString())
{
    QStringList args = ToolProcess::splitCommandLine(command).arguments;
    args.removeAll(drop);
    args.removeAll(QString());
    return args;
}

// The argument the extractor reads after option, "-" when option is absent.
QString optionValue(const QString &command, const QString &option)
{
    const QStringList args = arguments(command);
    return args.contains(option) ? args.value(args.indexOf(option) + 1) : QString("-");
}

// What a release older than 90 days prints first on every run.
const QByteArray kOldReleaseWarning
    = "WARNING: Your yt-dlp version (2026.08.19) is older than 90 days!\n"
      "         It is strongly recommended to always use the latest version.\n"
      "         Run \"yt-dlp --update\" or \"yt-dlp -U\" to update.\n"
      "         To suppress this warning, add --no-update to your command/config.\n";

} // namespace

// What the program writes for the extractor (download commands, names,
// options) and what it reads from the extractor's output (metadata, lists,
// titles, the download progress).
class TestExtractorText : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void initTestCase() { QVERIFY(m_tmp.isValid()); }

    // The composed target: uploader folder, cleaned title, converted name;
    // long titles cut whole characters, dots never climb out.
    void composedDownload()
    {
        ItemInfo task;
        std::tie(task.zhuanhuan, task.path, task.uploader, task.title, task.namePrefix)
            = std::make_tuple("mkv", m_tmp.filePath("v"), "ChannelA", "A: B?", "20200131");
        composeDownloadCommand(&task, 0);
        const QString base = m_tmp.filePath("v") + "//ChannelA//20200131A__B_";
        QCOMPARE(task.targetPath + "|" + task.renametargetPath, base + ".mp4|" + base + ".mkv");

        // Cutting a long title at 80 must not keep half of a character; a
        // title of dots cannot climb out as a folder either.
        QCOMPARE(sanitizeTitle(QString(71, 'a') + QString::fromUtf8("😀😀"), "20200131"),
            "20200131" + QString(71, 'a'));
        std::tie(task.path, task.uploader, task.title, task.namePrefix)
            = std::make_tuple(m_tmp.filePath("chosen"), "..", "..", "");
        composeDownloadCommand(&task, 1);
        QCOMPARE(QDir::cleanPath(task.targetPath), m_tmp.filePath("chosen/__/__/__.mp4"));
    }

    // Names from web pages are names every file system takes: no control
    // characters, not hidden, within the byte limit with room for the
    // extractor's temporary suffixes, cut between characters; Windows'
    // reserved names and trailing dots only where Windows reads them.
    void namesWithinLimits()
    {
        const QString cjk300 = QString(300, QChar(0x4E2D));
        const QString thumbs = QString::fromUtf8("👍🏽").repeated(40); // 8 bytes each
        // clang-format off
        const struct { QString title, prefix; bool folder; NameRules rules; QString expected; } cases[] = {
            {"Line\nfeed\tand\rreturn\u2028", "", false, NameRules::Posix, "Line_feed_and_return_"},
            {"..hidden", "", false, NameRules::Posix, "__hidden"},
            {"..hidden", "20200131", false, NameRules::Posix, "20200131..hidden"},
            {QString(100, 'a'), "20200131", false, NameRules::Posix, "20200131" + QString(72, 'a')},
            {cjk300, "20200131", false, NameRules::Posix, "20200131" + QString(55, QChar(0x4E2D))},
            {thumbs, "", false, NameRules::Posix, QString::fromUtf8("👍🏽").repeated(20)},
            {thumbs, "", true, NameRules::Posix, QString::fromUtf8("👍🏽").repeated(21)},
            {"..", "", true, NameRules::Posix, "__"},
            {QString(120, QChar(0x4E2D)), "", true, NameRules::Posix, QString(58, QChar(0x4E2D))},
            {"CON", "", false, NameRules::Windows, "_CON"},
            {"lpt1.x", "", true, NameRules::Windows, "_lpt1.x"},
            {"Ends.", "", true, NameRules::Windows, "Ends_"},
            {"Ends.", "", true, NameRules::Posix, "Ends."},
            {"CON", "", true, NameRules::Posix, "CON"},
        };
        // clang-format on
        for (const auto &c : cases) {
            const QString name = c.folder ? sanitizeFolderName(c.title, c.rules)
                                          : sanitizeTitle(c.title, c.prefix, c.rules);
            QCOMPARE(name, c.expected);
            QVERIFY(name.toUtf8().size() <= kMaxNameBytes);
        }
    }

    // The format a quality picks, and never an id that is not a plain word.
    void qualitySelection()
    {
        const QList<FormatInfo> big {format("w4k", "mp4", 3840, 2160),
            format("w8k", "mp4", 7680, 4320), format("h1080", "mp4", 1920, 1080, "none"),
            format("h1081", "mp4", 1920, 1081, "none"), format("h720", "mp4", 1280, 720)};
        // Format ids come from the site: one that would split or become an
        // option is never chosen.
        const QList<FormatInfo> mixed {format("w", "webm", 640, 360), format("m", "mp4", 640, 360),
            format("m2", "mp4", 480, 300), format("v720", "webm", 1280, 720, "none"),
            format("z", "mp4", 0, 0), format("1\" --exec \"x", "mp4", 640, 360),
            format("--exec=x", "mp4", 640, 360), format("a b", "mp4", 640, 360)};
        // clang-format off
        const struct { int quality; QList<FormatInfo> formats; const char *audio, *before, *expected; } cases[] = {
            {3, big, "140", "", " -f w4k "},           // 7680 is not 4K
            {5, big, "140", "", " -f h1080+140 "},     // 1081 is not 1080P
            {6, big, "140", "", " -f h720 "},
            {8, mixed, "", "", " -f m2 "},             // mp4 first, the last safe match wins
            {6, mixed, "251", "", " -f v720+251 "},    // webm when no mp4 fits
            {10, mixed, "", "", " -f mp4 "},           // height 0 is no 144P
            {7, big, "140", " -f 135+140 ", " -f 135+140 "}, // a second analysis keeps it
            {13, big, "140", "kept", "kept"}, {11, big, "140 --exec x", "", " -f "},
        };
        // clang-format on
        for (const auto &c : cases)
            QCOMPARE(selectQuality(c.quality, c.formats, c.audio, c.before), QString(c.expected));
    }

    // Whatever the link holds, it adds at most one argument: itself, made safe.
    void linksNeverBecomeOptions()
    {
        // clang-format off
        const struct { const char *link, *safe; } links[] = {
            {"  http://v.example/a\n", "http://v.example/a"}, {"https://v.example/東京", "https://v.example/東京"},
            {"http://x --exec \"touch /tmp/pwned\"", "http://x%20--exec%20%22touch%20/tmp/pwned%22"},
            {"http://x\t-a\nb\u3000c", "http://x%09-a%0Ab%E3%80%80c"}, {"-abc", ""}, {"file:///etc/passwd", ""}};
        // clang-format on
        const QString ref = "https://ref.example/";
        const auto commands = [this](const QString &link) {
            ItemInfo task;
            std::tie(task.path, task.url) = std::make_tuple(m_tmp.filePath("links"), link);
            composeDownloadCommand(&task, 0);
            return QStringList {singleVideoCommand(link), flatListCommand(link), titleCommand(link),
                task.cmd + downloadRunSuffix()};
        };
        const QStringList reference = commands(ref);
        for (const auto &l : links) {
            const QString safe = QString::fromUtf8(l.safe);
            QCOMPARE(safeLink(QString::fromUtf8(l.link)), safe);
            const QStringList made = commands(QString::fromUtf8(l.link));
            for (int i = 0; i < made.size(); ++i) {
                QVERIFY(safe.isEmpty() || arguments(made[i]).count(safe) == 1);
                QCOMPARE(arguments(made[i], safe), arguments(reference[i], ref));
            }
        }
    }

    // Which stored analysis commands may share a run: only one safe link with
    // retries, timeouts and a proxy; the shared run keeps each link whole
    // and passes the guard.
    void analysisRunsShareOnlyPlainCommands()
    {
        // clang-format off
        const struct { const char *cmd; const char *link, *options; } cases[] = {
            {"tool.exe -j https://v.example/a", "https://v.example/a", ""},
            {"tool.exe -j https://v.example/a -R 5  --proxy socks5://h:1 --socket-timeout 60 ",
                "https://v.example/a", " -R 5  --proxy socks5://h:1 --socket-timeout 60 "},
            {"tool.exe -j --flat-playlist \"https://v.example/l\" --socket-timeout 60 ", nullptr, nullptr},
            {"tool.exe -j \"https://v.example/a b\"", nullptr, nullptr},
            {"tool.exe -j https://v.example/a --exec x", nullptr, nullptr},
            {"tool.exe -j https://v.example/a https://v.example/b", nullptr, nullptr},
            {"tool.exe -j https://v.example/a --proxy \"http://h:1 -o x\"", nullptr, nullptr},
            {"tool.exe -j -o /tmp/x https://v.example/a", nullptr, nullptr},
            {"/bin/sh -j https://v.example/a", nullptr, nullptr},
        };
        // clang-format on
        for (const auto &c : cases) {
            QString link;
            QString options;
            QCOMPARE(splitSingleVideoCommand(c.cmd, &link, &options), c.link != nullptr);
            if (!c.link)
                continue;
            QCOMPARE(link + '|' + options, QString(c.link) + '|' + c.options);
            const QStringList links = {link, safeLink("https://v.example/b c")};
            const QString together = batchAnalysisCommand(links, options);
            QVERIFY2(isOwnCommand(together), qPrintable(together));
            const QStringList args = arguments(together);
            QCOMPARE(args.mid(0, 4), QStringList({"-j", "-i"}) + links);
        }
    }

    // The document and final-path options only ever name a file of the
    // scheduler's own folder, with nothing the extractor expands, and only
    // in a run.
    void documentOptionIsTheSchedulersOnly()
    {
        const QString run = "tool.exe --no-cache-dir  -i --newline  -f 18 https://v.example/a -o "
                            "\"/tmp/x.mp4\" --convert-subs srt -R 5  ";
        // clang-format off
        const struct { const char *file; bool ok; } cases[] = {
            {"/tmp/quillon-info-Ab12cd/3.info.json", true},
            {"/tmp/my videos/quillon-info-Ab12cd/3.info.json", true},
            {"C:/Users/ME~1/AppData/Local/Temp/quillon-info-x1/12.info.json", true},
            {"/etc/passwd", false}, {"quillon-info-Ab12cd/3.info.json", false},
            {"~/quillon-info-Ab12cd/3.info.json", false},
            {"/tmp/$HOME/quillon-info-Ab12cd/3.info.json", false},
            {"/tmp/%TEMP%/quillon-info-Ab12cd/3.info.json", false},
            {"/tmp/quillon-info-Ab12cd/evil.json", false},
            {"/tmp/quillon-info-Ab/../../3.info.json", false},
            {"/tmp/quillon-info-Ab12cd/3.info.json\" --exec \"x", false},
        };
        // clang-format on
        for (const auto &c : cases) {
            QString pathFile = c.file;
            pathFile.replace(".info.json", ".path");
            for (const QString &command :
                {run + loadInfoOption(c.file), run + finalPathOption(pathFile)}) {
                QCOMPARE(isOwnCommand(command, nullptr, CommandUse::Start), c.ok);
                QVERIFY(!isOwnCommand(command)); // never in a stored text
            }
        }
        QVERIFY(!isOwnCommand(run + " --print-to-file after_move:title /tmp/quillon-info-A/1.path",
            nullptr, CommandUse::Start));
        QVERIFY(isOwnCommand(run));
    }

    // Metadata runs use the detected proxy as found; downloads reach it at
    // 127.0.0.1. An http proxy must never be passed as socks5 or back.
    void proxyOfEveryRun()
    {
        // clang-format off
        const struct { const char *host; int port; bool socks5; const char *metadata, *download; } modes[] = {
            {"127.0.0.1", -1, false, "-", "-"}, {"127.0.0.1", 0, true, "-", "-"},
            {"192.168.1.5", 7890, false, "http://192.168.1.5:7890", "http://127.0.0.1:7890"},
            {"192.168.1.5", 1080, true, "socks5://192.168.1.5:1080", "socks5://127.0.0.1:1080"},
        };
        // clang-format on
        const QString link = "https://v.example/watch?v=1";
        for (const auto &m : modes) {
            std::tie(Global::PROXY_HOST, Global::PROXY_PORT, Global::PROXY_IS_SOCKS5)
                = std::make_tuple(m.host, m.port, m.socks5);
            for (const QString &command : {singleVideoCommand(link), flatListCommand(link),
                     titleCommand(link), "tool.exe -j " + link + analysisRunSuffix()})
                QCOMPARE(optionValue(command, "--proxy"), QString(m.metadata));
            QCOMPARE(optionValue("tool.exe " + link + downloadRunSuffix(), "--proxy"),
                QString(m.download));
        }
    }

    // --- reading its output ----------------------------------------------------

    // An analysis document's figures, and nothing stale after a failed run.
    void videoOutput()
    {
        // clang-format off
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
            R"({"fulltitle": "Réunion 東京", "duration": 3725.9, "formats": [{"ext": "m4a", "format_id": "139"},)"
            R"( {"ext": "m4a", "format_id": "140", "filesize": null, "abr": 129.5, "tbr": "129"}, 17, "text",)"
            R"( null, {"format_id": "137", "filesize": 1048576, "height": 1080, "fps": 29.97}]})" "\n";
        // clang-format on
        VideoMetadata meta;
        QCOMPARE(parseVideoOutput(output, &meta), ParseResult::Object);
        QCOMPARE(meta.title + " " + durationText(meta.duration), QString("Réunion 東京 01:02:05"));
        QCOMPARE(meta.formats.size(), 3); // elements that are not objects are skipped
        QCOMPARE(bestAudioId(meta.formats, "old"), QString("140"));
        const FormatInfo &a = meta.formats.at(1), &v = meta.formats.at(2);
        // abr truncated, tbr a text, height missing, fps truncated; size null.
        QCOMPARE(QVector<int>({a.abr, a.tbr, a.height, v.fps}), QVector<int>({129, -1, -1, 29}));
        QCOMPARE(QVector<double>({a.filesize, v.filesize}), QVector<double>({-1, 1048576}));

        // Failed runs: nothing stale of an earlier analysis survives.
        // clang-format off
        const struct { const char *output; ParseResult result; } failures[] = {
            {"", ParseResult::Invalid}, {"ERROR: 404", ParseResult::Invalid}, {R"({"formats": [)", ParseResult::Invalid},
            {"[1, 2]", ParseResult::NotObject}, {R"({"fulltitle": "t", "formats": {"a": 1}})", ParseResult::Object}};
        // clang-format on
        for (const auto &f : failures) {
            meta.formats.append(FormatInfo());
            QCOMPARE(parseVideoOutput(f.output, &meta), f.result);
            QVERIFY(meta.formats.isEmpty() && !meta.formatsOk && meta.duration == -1.0);
        }
    }

    // Broken or odd list lines are skipped; diagnostics are never a title.
    void listAndTitleRuns()
    {
        // clang-format off
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
            R"({"url": "https://v.example/1", "title": "One"})" "\n" R"({"url": "https://v.example/2", "title": null})"
            "\r\n" R"({"url": "https://v.example/3", "title": "Thr)" "\n[1, 2]\n" R"({"url": "https://v.example/4"})";
        // clang-format on
        QStringList read;
        for (const ListVideoInfo &e : parseFlatList(output))
            read << e.url + "|" + e.title;
        QCOMPARE(read.join(' '),
            QString("https://v.example/1|One https://v.example/2| https://v.example/4|"));
        // The extractor's diagnostics are never taken for a title.
        QCOMPARE(titleFromOutput("WARNING: x\nA title\r\nERROR: no\n\n \n"), QString("A title"));
        QCOMPARE(titleFromOutput("ERROR: [generic] HTTP Error 404: Not Found\n"), QString());
        // Nor are the indented lines of a diagnostic that runs over several.
        QCOMPARE(titleFromOutput(kOldReleaseWarning + "ERROR: [generic] 404\n"), QString());
        QCOMPARE(titleFromOutput(kOldReleaseWarning + "clip-two\n"), QString("clip-two"));
    }

    // One line at a time on a task that already shows figures: progress lines
    // replace them, every other line sets only the status.
    void progressAndStatusLines()
    {
        const char *kept = "37.0%|1.00MiB|1.00MiB/s|00:09";
        // clang-format off
        const struct { const char *line; int status, process; const char *figures; } lines[] = {
            {"[download]  45.3% of   10.00MiB at    1.00MiB/s ETA 00:05", 4, 45, "45.3%|10.00MiB|1.00MiB/s|00:05"},
            {"[download]  99.9% of 10.00MiB at 2.00MiB/s ETA 00:00\r", 4, 99, "99.9%|10.00MiB|2.00MiB/s|00:00"},
            {"[download]  25.0% of ~   3.26KiB at  192.14KiB/s ETA 00:00 (frag 0/4)", 4, 25, "25.0%|~3.26KiB|192.14KiB/s|00:00"},
            {"[download]   0.0% of   36.91KiB at  Unknown B/s ETA Unknown", 4, 0, "0.0%|36.91KiB|Unknown B/s|Unknown"},
            {"[download] 104.2% of ~ 3.00KiB at 1.00MiB/s ETA 00:00 (frag 4/4)", 4, 100, "104.2%|~3.00KiB|1.00MiB/s|00:00"},
            {"[download]  14.3% of ~   5.71KiB at    0.00B/s ETA Unknown (frag 0/7)", 4, 14, "14.3%|~5.71KiB|0.00B/s|Unknown"},
            {"[download] 100% of   10.00MiB in 00:00:05 at 2.00MiB/s", 4, 100, kept}, // moves only the percent
            {"[download] /home/u/50%/a.mp4 has already been downloaded", 4, 100, kept}, // complete
            {"[download] Destination: /v/a.f1.mp4", 4, 37, kept}, {"[hlsnative] Downloading m3u8 manifest", 4, 37, kept},
            {"ERROR: [generic] HTTP Error 404", 7, 37, kept}, {"[ffmpeg] Converting video from mp4 to mkv", 5, 37, kept},
            {"Deleting original file /v/a.f1.mp4", 4, 37, kept}, {"[Merger] Merging formats into \"/v/a.mp4\"", 3, 37, kept},
            {"error: lower case", 3, 37, kept},
            {"[download] Got error: timed out. Aborting.", 7, 37, kept}, {"[download] Aborting. soon", 4, 37, kept}, {"   ", 2, 37, kept},
        };
        // clang-format on
        for (const auto &l : lines) {
            ItemInfo t;
            std::tie(t.process_status, t.process, t.process_string, t.qfilesize, t.rate, t.eta)
                = std::make_tuple(2, 37, "37.0%", "1.00MiB", "1.00MiB/s", "00:09");
            parseProgressLine(&t, l.line);
            QVERIFY2(t.process_status == l.status && t.process == l.process, l.line);
            QCOMPARE(QStringList({t.process_string, t.qfilesize, t.rate, t.eta}).join('|'),
                QString(l.figures));
        }
    }

    // Output arrives in chunks: lines are read whole, never glued or lost.
    void chunksAreReadLineByLine()
    {
        ItemInfo t;
        ProgressParser parser;
        parser.feed(&t,
            "[download]  10.0% of 1.00MiB at 1.00MiB/s ETA 00:05\n"
            "[download]  20.0% of 1.00MiB at 2.00MiB/s ETA 00:04\n"
            "[download]  30.0% of 1.00M");
        QCOMPARE(t.process_string + " " + t.eta, QString("20.0% 00:04")); // not glued to the next
        parser.feed(&t, "iB at 3.00MiB/s ETA 00:03\n[Merger] Merging formats\n");
        QCOMPARE(t.qfilesize + t.eta + QString::number(t.process_status), QString("1.00MiB00:033"));

        // A partial last line waits for the end of the run; reset forgets it.
        parser.feed(&t, "[ffmpeg] Merging");
        QCOMPARE(t.process_status, 3);
        parser.flush(&t);
        QCOMPARE(t.process_status, 5);
        parser.feed(&t, "ERROR: half");
        parser.reset();
        parser.feed(&t, "\n");
        QCOMPARE(t.process_status, 5);

        // A diagnostic's indented lines belong to it, other indented lines not.
        parser.feed(&t, kOldReleaseWarning + "ERROR: unable to download\n    Sign in to confirm\n");
        QCOMPARE(t.process_status, 7);
        parser.feed(&t, "[ffmpeg] Merging formats\n         indented output of its own\n");
        QCOMPARE(t.process_status, 3);

        // A line that never ends is not kept growing.
        parser.feed(&t, "ERROR: " + QByteArray(70 * 1024, 'x'));
        QCOMPARE(t.process_status, 7);
    }

    // What the extractor says about itself, however its output is cut:
    // only its diagnostics count, never a title or a file name.
    void remarksAboutTheExtractor_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("remarks");
        QTest::newRow("old release, failed")
            << kOldReleaseWarning + "ERROR: [generic] x: HTTP Error 404\n"
            << 1;
        QTest::newRow("unexpected failure")
            << QByteArray("ERROR: [generic] None: Unable to download webpage: HTTP Error 404; "
                          "please report this issue on  https://github.com/yt-dlp/yt-dlp/issues?q= "
                          ", filling out the appropriate issue template. Confirm you are on the "
                          "latest version using  yt-dlp -U")
            << 1;
        QTest::newRow("no runtime")
            << QByteArray("[youtube] x: Downloading webpage\nWARNING: [youtube] No supported "
                          "JavaScript runtime could be found. Only deno is enabled by default\n")
            << 2;
        QTest::newRow("only names")
            << QByteArray("[download] Destination: /v/older than 90 days -U latest version.mp4\n"
                          "         No supported JavaScript runtime --update\n")
            << 0;
    }

    void remarksAboutTheExtractor()
    {
        QFETCH(QByteArray, output);
        QFETCH(int, remarks);
        for (int cut : {1, 7, 64}) {
            ExtractorRemarks scan;
            for (int at = 0; at < output.size(); at += cut)
                scan.feed(output.mid(at, cut));
            scan.finish();
            QCOMPARE(scan.remarks(), remarks);
        }
    }
};

QUILLON_TEST_MAIN(TestExtractorText)
#include "tst_extractortext.moc"
