#include "support/testmain.h"

#include "extractor/extractorremarks.h"
#include "extractor/metadata.h"
#include "extractor/progressparser.h"
#include "tasks/iteminfo.h"

#include <tuple>

namespace {

// What a release older than 90 days prints first on every run.
const QByteArray kOldReleaseWarning
    = "WARNING: Your yt-dlp version (2026.08.19) is older than 90 days!\n"
      "         It is strongly recommended to always use the latest version.\n"
      "         Run \"yt-dlp --update\" or \"yt-dlp -U\" to update.\n"
      "         To suppress this warning, add --no-update to your command/config.\n";

} // namespace

// What the program reads from extractor output: metadata, lists, titles and
// the download progress.
class TestExtractorParsing : public QObject
{
    Q_OBJECT

private slots:
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

QUILLON_TEST_MAIN(TestExtractorParsing)
#include "tst_extractorparsing.moc"
