#include "support/testmain.h"

#include "base/global.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/formattable.h"
#include "extractor/metadata.h"
#include "extractor/progressparser.h"
#include "support/extractorrun.h"
#include "support/mediafixture.h"
#include "tasks/iteminfo.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

// The real extractor (yt-dlp) and ffmpeg on media served on 127.0.0.1: what
// the program makes of their actual output.
namespace {

struct Snapshot
{
    int process;
    QString figures; // "percent|size|rate|eta"
};

// A file's streams as ffprobe reads them, sorted: "audio video,<height>".
QString streams(const QString &file)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe",
        {"-v", "error", "-show_entries", "stream=codec_type,height", "-of", "csv=p=0", file});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return QStringLiteral("unreadable");
    QStringList found = QString(ffprobe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    found.sort();
    return found.join(' ');
}

} // namespace

class TestRealExtractor : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    QTemporaryDir m_downloads;
    QList<Snapshot> m_seen;

    // What the scheduler does with a queued task: the analysis run and the
    // task filled from its output.
    bool analyse(ItemInfo *task)
    {
        const ExtractorRun run
            = runExtractor("tool.exe -j " + safeLink(task->url) + analysisRunSuffix());
        VideoMetadata meta;
        if (!run.finished || parseVideoOutput(run.output, &meta) != ParseResult::Object)
            return false;
        task->title = meta.title;
        task->duration = meta.duration;
        task->uploader = meta.uploader;
        task->namePrefix = meta.uploadDate;
        task->formats = meta.formats;
        task->bestaudio_id = bestAudioId(task->formats, task->bestaudio_id);
        return true;
    }

    // The download command composed and run as the scheduler starts it, read
    // by one progress parser chunk by chunk; m_seen gets the figures after
    // every chunk.
    ExtractorRun download(ItemInfo *task, int folderoption = 0)
    {
        composeDownloadCommand(task, folderoption);
        ProgressParser parser;
        m_seen.clear();
        const ExtractorRun run = runExtractor(
            task->cmd + downloadRunSuffix(), 90000, [&](const QByteArray &chunk) {
                parser.feed(task, chunk);
                m_seen.append({task->process,
                    QStringList {task->process_string, task->qfilesize, task->rate, task->eta}.join(
                        '|')});
            });
        parser.flush(task);
        return run;
    }

private slots:
    void initTestCase()
    {
        m_media.reset(new MediaFixture);
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        QVERIFY(m_downloads.isValid());
        Global::PROXY_PORT = 0; // direct connection
    }

    void rssFeedIsAPlaylist()
    {
        const ExtractorRun run = runExtractor(flatListCommand(m_media->rssUrl()));
        const QList<ListVideoInfo> entries = parseFlatList(run.output);
        QStringList urls, titles;
        for (const ListVideoInfo &e : entries) {
            urls << e.link;
            titles << e.title;
        }
        QCOMPARE(urls, m_media->rssEntryUrls());
        QCOMPARE(titles, m_media->rssEntryTitles());

        // The title run of an entry prints the title of the entry's own page.
        const ExtractorRun title = runExtractor(titleCommand(entries.value(1).url));
        QCOMPARE(titleFromOutput(title.output), QString("clip-two"));
    }

    void missingLink()
    {
        const ExtractorRun analysis = runExtractor(singleVideoCommand(m_media->missingUrl()));
        QVERIFY(analysis.output.contains("404"));
        VideoMetadata meta;
        QCOMPARE(parseVideoOutput(analysis.output, &meta), ParseResult::Invalid);
        QCOMPARE(
            titleFromOutput(runExtractor(titleCommand(m_media->missingUrl())).output), QString());
    }

    // The DASH manifest analysed as the scheduler does, shown in the format
    // table, then downloaded at " SD 360P" and merged into a playable file.
    void dashManifestAnalysedAndDownloadedAtSD360()
    {
        ItemInfo t;
        t.url = m_media->dashUrl();
        t.path = m_downloads.filePath("dash");
        t.quality_num = 8;
        t.limitRate = rateLimitForIndex(4); // slow enough to watch it progress
        QVERIFY(analyse(&t));
        QCOMPARE(t.title, QString("manifest"));
        QCOMPARE(t.duration, -1.0); // a manifest's length is not reported
        QCOMPARE(t.namePrefix + t.uploader, QString(MediaFixture::kUploadDate));
        QStringList formats;
        for (const FormatInfo &f : t.formats)
            formats << QStringList {f.format_id, f.ext, QString::number(f.width),
                QString::number(f.height), f.vcodec.left(4), f.acodec.left(4)}
                           .join(' ');
        formats.sort();
        QCOMPARE(formats,
            (QStringList {
                "0 mp4 256 144 avc1 none", "1 mp4 640 360 avc1 none", "2 m4a -1 -1 none mp4a"}));
        QCOMPARE(t.bestaudio_id, QString("2"));
        // The dialog's table: highest first, audio last, the H.264 row chosen.
        const QList<FormatRow> rows = buildFormatRows(t.formats);
        QCOMPARE(rows.at(0).formatId + rows.at(1).formatId + rows.at(2).formatId, QString("102"));
        QVERIFY(rows.at(2).resolutionText.endsWith("kbps") && rows.at(2).format.tbr > 0);
        QCOMPARE(preselectedRow(rows), 0);

        QVERIFY(download(&t, 1).finished);
        QCOMPARE(t.quality, QString(" -f 1+2 "));
        QCOMPARE(t.targetPath, t.path + "////20200131manifest//20200131manifest.mp4");
        QCOMPARE(
            streams(t.targetPath), QString("audio video,%1").arg(MediaFixture::kDashHighHeight));
        // The figures a user saw while it ran: whole words, never glued.
        const QRegularExpression figures("^\\d+(\\.\\d+)?%\\|~?\\d+(\\.\\d+)?(B|KiB|MiB)\\|"
                                         "(\\d+(\\.\\d+)?(B|KiB|MiB)/s|Unknown B/s)\\|"
                                         "((\\d\\d:)?\\d\\d:\\d\\d|Unknown)$");
        bool between = false;
        for (const Snapshot &s : qAsConst(m_seen)) {
            between = between || (s.process > 0 && s.process < 100);
            QVERIFY2(
                s.figures == "|||" || figures.match(s.figures).hasMatch(), qPrintable(s.figures));
        }
        QVERIFY(between);
        QCOMPARE(t.process, 100);
        QVERIFY(t.process_status >= 3 && t.process_status <= 5);
        QVERIFY(!t.qfilesize.isEmpty() && !t.rate.isEmpty());
    }

    void secondDownloadOfAnExistingFile()
    {
        ItemInfo t;
        t.url = m_media->plainMp4Url();
        t.path = m_downloads.filePath("twice");
        QVERIFY(analyse(&t));
        download(&t);
        QCOMPARE(t.renametitle + t.quality, QString("20200131plain -f mp4 "));
        QCOMPARE(t.process, 100);
        QCOMPARE(streams(t.targetPath), QString("audio video,%1").arg(MediaFixture::kPlainHeight));

        t.process = 0;
        QVERIFY(download(&t).output.contains("has already been downloaded"));
        QCOMPARE(t.process, 100); // complete, not "Download Failed"
    }

    void linksCannotAddOptions()
    {
        const QString marker = m_downloads.filePath("pwned");
        QFile config(m_downloads.filePath("evil.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("--exec \"touch " + marker.toUtf8() + "\"\n");
        config.close();

        // Each would run "touch" if any part of it became an option.
        for (const QString &link : {m_media->plainMp4Url() + " --exec \"touch " + marker + "\"",
                 "--config-location=" + config.fileName(), QString("-abc"),
                 "file://" + config.fileName()}) {
            ItemInfo t;
            t.url = link;
            t.path = m_downloads.filePath("injection");
            t.title = "injected";
            const ExtractorRun run = download(&t);
            QVERIFY2(run.finished && !QFile::exists(marker), run.output.constData());
            QVERIFY(t.process < 100 && !QFile::exists(t.targetPath));
        }
    }

    void namesStayInTheChosenFolder()
    {
        for (const QString uploader : {"../../x", "a/b", "C:\\x", "%(id)s"}) {
            // The user's folder holds "%" and "$", the title expandable names.
            QTemporaryDir area(m_downloads.filePath("area-XXXXXX"));
            ItemInfo t;
            t.url = m_media->plainMp4Url();
            t.path = area.filePath("50% of $HOME");
            QVERIFY(analyse(&t));
            t.uploader = uploader;
            t.title = "Price ${HOME} $PATH 100%";
            const ExtractorRun run = download(&t, 1);
            QCOMPARE(t.process, 100);
            // Exactly one file was written, at the target path.
            QStringList files;
            QDirIterator it(area.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << QDir::cleanPath(it.next());
            QVERIFY2(files == QStringList {QDir::cleanPath(t.targetPath)}, run.output.constData());
        }
    }
};

QUILLON_TEST_MAIN(TestRealExtractor)
#include "tst_realextractor.moc"
