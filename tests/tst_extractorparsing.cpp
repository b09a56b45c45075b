#include "support/testmain.h"

#include "extractor/formattable.h"
#include "extractor/metadata.h"
#include "extractor/progressparser.h"
#include "tasks/iteminfo.h"

#include <tuple>

// What the program reads from extractor output: metadata, the format table
// and the download progress.
namespace {

FormatInfo format(QString id, QString ext, int width, int height, QString vcodec, QString acodec)
{
    FormatInfo f;
    std::tie(f.format_id, f.ext, f.width, f.height, f.vcodec, f.acodec)
        = std::tie(id, ext, width, height, vcodec, acodec);
    return f;
}

} // namespace

class TestExtractorParsing : public QObject
{
    Q_OBJECT

private slots:
    void videoOutput()
    {
        // clang-format off
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
            R"({"_filename": "x.mp4", "fulltitle": "Réunion 東京", "duration": 3725.9, "thumbnail": "https://i.example/t.jpg",)"
            R"( "uploader": "ChannelA", "upload_date": "20200131", "formats": [)"
            R"({"ext": "m4a", "format_id": "140", "filesize": null, "abr": 129.5, "tbr": "129", "vcodec": "none"},)"
            R"( 17, "text", null, {"ext": "mp4", "format_id": "137", "filesize": 1048576, "height": 1080, "width": 1920,)"
            R"( "fps": 29.97, "vcodec": "avc1.640028", "acodec": "none"}]})" "\n";
        // clang-format on
        VideoMetadata meta;
        QCOMPARE(parseVideoOutput(output, &meta), ParseResult::Object);
        QCOMPARE(meta.title + meta.uploader + meta.uploadDate + meta.filename,
            QString("Réunion 東京ChannelA20200131x.mp4"));
        QCOMPARE(meta.duration, 3725.9);
        QVERIFY(meta.formatsOk);
        QCOMPARE(meta.formats.size(), 2); // elements that are not objects are skipped
        const FormatInfo &a = meta.formats.at(0), &v = meta.formats.at(1);
        // abr truncated, tbr a text, height missing, fps truncated; size null.
        QCOMPARE(QVector<int>({a.abr, a.tbr, a.height, v.fps}), QVector<int>({129, -1, -1, 29}));
        QCOMPARE(a.filesize, -1.0);
        QVERIFY(a.acodec.isEmpty());
        QCOMPARE(v.filesize, 1048576.0);

        // clang-format off
        const struct { QByteArray output; ParseResult result; } failures[] = {
            {"", ParseResult::Invalid},
            {R"({"fulltitle": "a", "formats": [)", ParseResult::Invalid},
            {"[1, 2]", ParseResult::NotObject},
            {R"({"fulltitle": "t", "formats": {"a": 1}})", ParseResult::Object},
        };
        // clang-format on
        for (const auto &f : failures) {
            meta.formats.append(FormatInfo());
            QCOMPARE(parseVideoOutput(f.output, &meta), f.result);
            QVERIFY(meta.formats.isEmpty() && !meta.formatsOk); // nothing stale survives
            QCOMPARE(meta.duration, -1.0);
        }
    }

    void smallRules()
    {
        const QList<FormatInfo> formats {format("139", "m4a", -1, -1, "none", "mp4a"),
            format("251", "webm", -1, -1, "none", "opus"),
            format("140", "m4a", -1, -1, "none", "mp4a")};
        QCOMPARE(bestAudioId(formats, "old"), QString("140"));
        QCOMPARE(bestAudioId(formats.mid(1, 1), "old"), QString("old"));

        // clang-format off
        const struct { double seconds; const char *text; } durations[] = {{0, "00:00:00"},
            {59.99, "00:00:59"}, {3725, "01:02:05"}, {360000, "100:00:00"}, {-1, "00:00:00"},
            {qQNaN(), "00:00:00"}};
        // clang-format on
        for (const auto &d : durations)
            QCOMPARE(durationText(d.seconds), QString(d.text));

        // clang-format off
        const struct { int height; const char *icon; } icons[] = {{2161, "8k"}, {2160, "4k"},
            {1441, "4k"}, {1440, "2k"}, {1081, "2k"}, {1080, "FD2"}, {721, "FD2"}, {720, "FD3"},
            {481, "FD3"}, {480, "FD4"}, {361, "FD4"}, {360, "FD5"}, {241, "FD5"}, {240, "FD6"},
            {1, "FD6"}, {0, nullptr}, {-1, nullptr}};
        // clang-format on
        for (const auto &i : icons)
            QCOMPARE(
                resolutionIcon(i.height), i.icon ? ":/img/" + QString(i.icon) + ".png" : QString());
    }

    void listAndTitleRuns()
    {
        // clang-format off
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
            R"({"_type": "url", "url": "https://v.example/1", "id": "1", "title": "One", "ie_key": "Site"})" "\n"
            R"({"_type": "url", "url": "https://v.example/2", "title": null})" "\r\n"
            R"({"url": "https://v.example/3", "title": "Thr)" "\n[1, 2]\n"
            R"({"url": "https://v.example/4", "id": 4})";
        // clang-format on
        const QList<ListVideoInfo> entries = parseFlatList(output);
        QCOMPARE(entries.size(), 3);
        const ListVideoInfo &e = entries.at(0);
        QCOMPARE(e._type + e.url + e.link + e.id + e.title + e.ie_key,
            QString("urlhttps://v.example/1https://v.example/11OneSite"));
        QVERIFY(!e.checked && e.titleRetries == 0 && !e.row);
        QCOMPARE(entries.at(1).title, QString());
        QCOMPARE(entries.at(2).url + entries.at(2).id, QString("https://v.example/4"));

        // clang-format off
        const struct { QByteArray output; const char *title; } runs[] = {
            {"first\nsecond\n\n  \n", "second"}, {"A title\r\n", "A title"}, {"\n", ""},
            {"WARNING: [generic] Falling back\nReal title\nERROR: unable to write\n", "Real title"},
            {"ERROR: [generic] HTTP Error 404: Not Found\n", ""},
        };
        // clang-format on
        for (const auto &r : runs)
            QCOMPARE(titleFromOutput(r.output), QString(r.title));
    }

    void formatTable()
    {
        FormatInfo audio = format("140", "m4a", -1, -1, "none", "mp4a.40.2");
        audio.tbr = 129;
        FormatInfo muxed = format("18", "mp4", 640, 360, "avc1.42001E", "mp4a.40.2");
        muxed.filesize = 1.5 * 1024 * 1024;
        muxed.fps = 30;
        const QList<FormatRow> rows
            = buildFormatRows({audio, muxed, format("248", "webm", 1920, 1080, "vp9", "none"),
                format("sb0", "mhtml", 0, 0, "none", "none"),
                format("137", "mp4", 1920, 1080, "avc1.640028", "none")});
        QStringList order;
        for (const FormatRow &r : rows)
            order << r.formatId;
        // Highest first, equal heights in extractor order, audio last.
        QCOMPARE(order, (QStringList {"248", "137", "18", "sb0", "140"}));
        QCOMPARE(preselectedRow(rows), 1);
        QCOMPARE(preselectedRow(buildFormatRows({audio})), -1);

        const FormatRow &m = rows.at(2);
        QCOMPARE(m.bestIcon + m.bestText + m.bestToolTip + m.typeText + m.resolutionIcon
                + m.resolutionText + m.sizeText + m.fpsText + m.codecText,
            QString(
                ":/img/best.png Best VideoVideoMP4:/img/FD5.png640x3601.50 MBFPS 30AVC1.42001E"));
        QCOMPARE(rows.at(0).bestIcon + rows.at(0).sizeText + rows.at(0).fpsText,
            QString("UnKnown")); // no sound, size or fps
        QVERIFY(rows.at(3).resolutionIcon.isEmpty() && rows.at(3).resolutionText.isEmpty());
        const FormatRow &a = rows.at(4);
        QCOMPARE(a.typeText + a.resolutionText + a.resolutionIcon + a.bestIcon,
            QString("AudeoM4A129kbps"));
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
            {"[download]   1.5% of 1.20GiB at 512.00KiB/s ETA 40:54:10", 4, 1, "1.5%|1.20GiB|512.00KiB/s|40:54:10"},
            {"[download] 104.2% of ~ 3.00KiB at 1.00MiB/s ETA 00:00 (frag 4/4)", 4, 100, "104.2%|~3.00KiB|1.00MiB/s|00:00"},
            // The line that closes a file moves only the percent.
            {"[download] 100% of   10.00MiB in 00:00:05 at 2.00MiB/s", 4, 100, kept},
            // A file that is already there is complete; a "%" in its path is no figure.
            {"[download] /home/u/50%/a.mp4 has already been downloaded", 4, 100, kept},
            {"[download] Destination: /v/a.f1.mp4", 4, 37, kept}, {"[download]", 4, 37, kept},
            {"[hlsnative] Downloading m3u8 manifest", 4, 37, kept}, {"ERROR: [generic] HTTP Error 404", 7, 37, kept},
            {"[ffmpeg] Converting video from mp4 to mkv", 5, 37, kept}, {"Deleting original file /v/a.f1.mp4", 4, 37, kept},
            {"[Merger] Merging formats into \"/v/a.mp4\"", 3, 37, kept}, {"WARNING: [generic] Falling back", 3, 37, kept},
            {"error: lower case", 3, 37, kept}, {"[download] Got error: timed out. Aborting.", 7, 37, kept},
            {"[download] Aborting. soon", 4, 37, kept}, {"   ", 2, 37, kept},
        };
        // clang-format on
        for (const auto &l : lines) {
            ItemInfo t;
            t.process_status = 2;
            t.process = 37;
            std::tie(t.process_string, t.qfilesize, t.rate, t.eta)
                = std::make_tuple("37.0%", "1.00MiB", "1.00MiB/s", "00:09");
            parseProgressLine(&t, l.line);
            QVERIFY2(t.process_status == l.status && t.process == l.process, l.line);
            QCOMPARE(QStringList({t.process_string, t.qfilesize, t.rate, t.eta}).join('|'),
                QString(l.figures));
        }
    }

    void chunksAreReadLineByLine()
    {
        ItemInfo t;
        ProgressParser parser;
        parser.feed(&t,
            "[download]  10.0% of 1.00MiB at 1.00MiB/s ETA 00:05\n"
            "[download]  20.0% of 1.00MiB at 2.00MiB/s ETA 00:04\n"
            "[download]  30.0% of 1.00M");
        QCOMPARE(t.process, 20);
        QCOMPARE(t.eta, QString("00:04")); // not glued to the next line
        parser.feed(&t, "iB at 3.00MiB/s ETA 00:03\n[Merger] Merging formats\n");
        QCOMPARE(t.qfilesize + t.eta, QString("1.00MiB00:03"));
        QCOMPARE(t.process_status, 3);

        // A character split between two reads is decoded whole.
        const QByteArray line = QString::fromUtf8("ERROR: /v/東京.mp4\n").toUtf8();
        parser.feed(&t, line.left(line.indexOf("東") + 1));
        QCOMPARE(t.process_status, 3);
        parser.feed(&t, line.mid(line.indexOf("東") + 1));
        QCOMPARE(t.process_status, 7);

        // A partial last line waits for the end of the run; reset forgets it.
        parser.feed(&t, "[ffmpeg] Merging");
        QCOMPARE(t.process_status, 7);
        parser.flush(&t);
        QCOMPARE(t.process_status, 5);
        parser.feed(&t, "ERROR: half");
        parser.reset();
        parser.feed(&t, "\n");
        QCOMPARE(t.process_status, 5);

        // A line that never ends is not kept growing.
        parser.feed(&t, "ERROR: " + QByteArray(70 * 1024, 'x'));
        QCOMPARE(t.process_status, 7);
    }
};

QUILLON_TEST_MAIN(TestExtractorParsing)
#include "tst_extractorparsing.moc"
