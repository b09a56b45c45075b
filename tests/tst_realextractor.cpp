#include "support/testmain.h"

#include "app/global.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/formattable.h"
#include "extractor/metadata.h"
#include "extractor/progressparser.h"
#include "support/extractorrun.h"
#include "support/mediafixture.h"
#include "tasks/iteminfo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

// The real extractor (yt-dlp) and ffmpeg on media served on 127.0.0.1: what
// the program makes of their actual output.
namespace {

struct Snapshot
{
    int process;
    QString percent, size, rate, eta;
};

// "video:<height> audio" style summary of a file's streams, from ffprobe.
QString streams(const QString &file)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe",
        {"-v", "error", "-show_entries", "stream=codec_type,height", "-of", "json", file});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return QStringLiteral("unreadable");
    QStringList found;
    const QJsonArray list = QJsonDocument::fromJson(ffprobe.readAllStandardOutput())
                                .object()
                                .value("streams")
                                .toArray();
    for (const QJsonValue &s : list) {
        const QJsonObject o = s.toObject();
        found << o.value("codec_type").toString()
                + (o.contains("height") ? ":" + QString::number(o.value("height").toInt()) : "");
    }
    found.sort();
    return found.join(' ');
}

} // namespace

class TestRealExtractor : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    QTemporaryDir m_downloads;

    // What the scheduler does with a queued task: the analysis run, the task
    // filled from its output, the download command composed.
    bool analyse(ItemInfo *task, int folderoption = 0)
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
        composeDownloadCommand(task, folderoption);
        return true;
    }

    // A download run as the scheduler starts it, read by one progress parser
    // chunk by chunk as the output arrives; the figures after every chunk.
    QList<Snapshot> download(ItemInfo *task, ExtractorRun *run)
    {
        QList<Snapshot> seen;
        ProgressParser parser;
        *run = runExtractor(task->cmd + downloadRunSuffix(), 90000, [&](const QByteArray &chunk) {
            parser.feed(task, chunk);
            seen.append(
                {task->process, task->process_string, task->qfilesize, task->rate, task->eta});
        });
        parser.flush(task);
        return seen;
    }

private slots:
    void initTestCase()
    {
        m_media.reset(new MediaFixture);
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        QVERIFY(m_downloads.isValid());
        Global::PROXY_PORT = 0; // direct connection
    }

    void cleanupTestCase() { m_media.reset(); }

    void dashManifestAnalysis()
    {
        const ExtractorRun run = runExtractor(singleVideoCommand(m_media->dashUrl()));
        VideoMetadata meta;
        QCOMPARE(parseVideoOutput(run.output, &meta), ParseResult::Object);
        QCOMPARE(meta.title, QString("manifest"));
        QCOMPARE(meta.duration, -1.0); // a manifest's length is not reported
        QCOMPARE(meta.uploadDate, QString(MediaFixture::kUploadDate));
        QCOMPARE(meta.uploader, QString());
        QVERIFY(meta.formatsOk);

        QStringList formats;
        for (const FormatInfo &f : meta.formats)
            formats << QStringLiteral("%1 %2 %3x%4 %5 %6")
                           .arg(f.format_id, f.ext)
                           .arg(f.width)
                           .arg(f.height)
                           .arg(f.vcodec.left(4), f.acodec.left(4));
        formats.sort();
        QCOMPARE(formats,
            (QStringList {
                "0 mp4 256x144 avc1 none", "1 mp4 640x360 avc1 none", "2 m4a -1x-1 none mp4a"}));
        QCOMPARE(bestAudioId(meta.formats, QString()), QString("2"));

        // The dialog's table: highest first, audio last, the H.264 row chosen.
        const QList<FormatRow> rows = buildFormatRows(meta.formats);
        QCOMPARE(rows.at(0).formatId + rows.at(1).formatId + rows.at(2).formatId, QString("102"));
        QCOMPARE(
            rows.at(0).resolutionText + rows.at(0).resolutionIcon, QString("640x360:/img/FD5.png"));
        QCOMPARE(rows.at(2).typeText, QString("AudeoM4A"));
        QVERIFY(rows.at(2).resolutionText.endsWith("kbps") && rows.at(2).format.tbr > 0);
        QCOMPARE(preselectedRow(rows), 0);
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

        ItemInfo task;
        task.url = m_media->missingUrl();
        task.path = m_downloads.filePath("missing");
        task.title = "gone";
        composeDownloadCommand(&task, 0);
        ExtractorRun run;
        download(&task, &run);
        QCOMPARE(task.process_status, 7);
        QVERIFY(task.process < 100);
    }

    void dashDownloadAtSD360()
    {
        ItemInfo task;
        task.url = m_media->dashUrl();
        task.path = m_downloads.filePath("dash");
        task.quality_num = 8; // " SD 360P"
        task.limitRate = rateLimitForIndex(4); // slow enough to watch it progress
        QVERIFY(analyse(&task, 1));
        QCOMPARE(task.quality, QString(" -f 1+2 "));
        QCOMPARE(task.targetPath, task.path + "////20200131manifest//20200131manifest.mp4");

        ExtractorRun run;
        const QList<Snapshot> seen = download(&task, &run);
        QVERIFY(run.finished);
        QCOMPARE(
            streams(task.targetPath), QString("audio video:%1").arg(MediaFixture::kDashHighHeight));

        // The figures a user saw while it ran: whole words, never glued.
        const QRegularExpression percent("^\\d+(\\.\\d+)?%$");
        const QRegularExpression size("^~?\\d+(\\.\\d+)?(B|KiB|MiB)$");
        const QRegularExpression speed("^(\\d+(\\.\\d+)?(B|KiB|MiB)/s|Unknown B/s)$");
        const QRegularExpression eta("^((\\d\\d:)?\\d\\d:\\d\\d|Unknown)$");
        bool between = false;
        for (const Snapshot &s : seen) {
            between = between || (s.process > 0 && s.process < 100);
            if (s.percent.isEmpty())
                continue;
            const QString all = s.percent + "|" + s.size + "|" + s.rate + "|" + s.eta;
            QVERIFY2(percent.match(s.percent).hasMatch() && size.match(s.size).hasMatch()
                    && speed.match(s.rate).hasMatch() && eta.match(s.eta).hasMatch(),
                qPrintable(all));
        }
        QVERIFY(between);
        QCOMPARE(task.process, 100);
        QVERIFY(task.process_status >= 3 && task.process_status <= 5);
        QVERIFY(!task.qfilesize.isEmpty() && !task.rate.isEmpty());
    }

    void secondDownloadOfAnExistingFile()
    {
        ItemInfo task;
        task.url = m_media->plainMp4Url();
        task.path = m_downloads.filePath("twice");
        QVERIFY(analyse(&task));
        QCOMPARE(task.renametitle + task.quality, QString("20200131plain -f mp4 "));
        ExtractorRun run;
        download(&task, &run);
        QCOMPARE(task.process, 100);
        QCOMPARE(
            streams(task.targetPath), QString("audio video:%1").arg(MediaFixture::kPlainHeight));

        task.process = 0;
        download(&task, &run);
        QVERIFY(run.output.contains("has already been downloaded"));
        QCOMPARE(task.process, 100); // complete, not "Download Failed"
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
            ItemInfo task;
            task.url = link;
            task.path = m_downloads.filePath("injection");
            task.title = "injected";
            composeDownloadCommand(&task, 0);
            ExtractorRun run;
            download(&task, &run);
            QVERIFY2(run.finished && !QFile::exists(marker), run.output.constData());
            QVERIFY(task.process < 100 && !QFile::exists(task.targetPath));
        }
    }

    void namesStayInTheChosenFolder()
    {
        for (const QString uploader : {"../../x", "a/b", "C:\\x", "%(id)s"}) {
            // The user's folder holds "%" and "$", the title expandable names.
            QTemporaryDir area(m_downloads.filePath("area-XXXXXX"));
            ItemInfo task;
            task.url = m_media->plainMp4Url();
            task.path = area.filePath("50% of $HOME");
            QVERIFY(analyse(&task));
            task.uploader = uploader;
            task.title = "Price ${HOME} $PATH 100%";
            composeDownloadCommand(&task, 1);

            ExtractorRun run;
            download(&task, &run);
            QCOMPARE(task.process, 100);
            // Exactly one file was written, at the target path.
            QStringList files;
            QDirIterator it(area.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << QDir::cleanPath(it.next());
            QVERIFY2(
                files == QStringList {QDir::cleanPath(task.targetPath)}, run.output.constData());
        }
    }
};

QUILLON_TEST_MAIN(TestRealExtractor)
#include "tst_realextractor.moc"
