#include "support/testmain.h"

#include "base/global.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
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
class TestRealExtractor : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    QTemporaryDir m_downloads;
    QStringList m_seen; // "percent|size|rate|eta" after each chunk

    // The download as the scheduler starts it, read chunk by chunk by one parser.
    ExtractorRun download(ItemInfo *task, int folderoption = 0)
    {
        composeDownloadCommand(task, folderoption);
        ProgressParser parser;
        m_seen.clear();
        const ExtractorRun run = runExtractor(
            task->cmd + downloadRunSuffix(), 90000, [&](const QByteArray &chunk) {
                parser.feed(task, chunk);
                m_seen << QStringList {task->process_string, task->qfilesize, task->rate, task->eta}
                              .join('|');
            });
        parser.flush(task);
        return run;
    }

private slots:
    void initTestCase()
    {
        m_media.reset(new MediaFixture);
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        Global::PROXY_PORT = 0; // direct connection
    }

    // A feed's entries and an entry's title, as the real extractor prints them
    // (a missing link fails in tst_downloadflow).
    void feedEntriesAndTitles()
    {
        QStringList entries;
        for (const ListVideoInfo &e :
            parseFlatList(runExtractor(flatListCommand(m_media->rssUrl())).output))
            entries << e.link << e.title;
        const QStringList urls = m_media->rssEntryUrls(), titles = m_media->rssEntryTitles();
        QCOMPARE(entries, QStringList({urls[0], titles[0], urls[1], titles[1]}));
        // The title run of an entry prints the title of the entry's own page;
        // a failing one no title at all, whatever else the extractor says.
        QCOMPARE(titleFromOutput(runExtractor(titleCommand(urls[1])).output), QString("clip-two"));
        QCOMPARE(
            titleFromOutput(runExtractor(titleCommand(m_media->missingUrl())).output), QString());
    }

    // The DASH manifest analysed, then downloaded at " SD 360P" and merged
    // into a playable file (its format table is checked in tst_intakeflow).
    void dashManifestAnalysedAndDownloadedAtSD360()
    {
        ItemInfo t;
        std::tie(t.url, t.path, t.quality_num)
            = std::make_tuple(m_media->dashUrl(), m_downloads.filePath("dash"), 8);
        t.limitRate = rateLimitForIndex(4); // slow enough to watch it progress
        QVERIFY(analyseTask(&t));
        QCOMPARE(
            t.title + t.namePrefix + t.uploader, QString("manifest") + MediaFixture::kUploadDate);

        QVERIFY(download(&t, 1).finished);
        QCOMPARE(t.quality, QString(" -f 1+2 "));
        QCOMPARE(MediaFixture::streams(t.targetPath), QString("audio video,360"));
        QVERIFY(t.process == 100 && t.process_status >= 3 && t.process_status <= 5); // no failure
        // The figures a user saw while it ran: whole words, never glued.
        const QRegularExpression figures("^\\d+(\\.\\d+)?%\\|~?\\d+(\\.\\d+)?(B|KiB|MiB)\\|"
                                         "(\\d+(\\.\\d+)?(B|KiB|MiB)/s|Unknown B/s)\\|"
                                         "((\\d\\d:)?\\d\\d:\\d\\d|Unknown)$");
        bool between = false;
        for (const QString &s : qAsConst(m_seen)) {
            const double percent = s.section('%', 0, 0).toDouble();
            between = between || (percent > 0 && percent < 100);
            QVERIFY2(s == "|||" || figures.match(s).hasMatch(), qPrintable(s));
        }
        QVERIFY(between);

        // Asked again, the file is there already: complete, not "Download Failed".
        t.process = 0;
        QVERIFY(download(&t, 1).output.contains("has already been downloaded"));
        QCOMPARE(t.process, 100);
    }

    // Links that hold options, or name a config or a local file, run nothing.
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
            std::tie(t.url, t.path, t.title)
                = std::make_tuple(link, m_downloads.filePath("injection"), "injected");
            const ExtractorRun run = download(&t);
            QVERIFY2(run.finished && !QFile::exists(marker), run.output.constData());
            QVERIFY(t.process < 100 && !QFile::exists(t.targetPath));
        }
    }

    // Hostile uploader and title names write exactly one file, in the folder.
    void namesStayInTheChosenFolder()
    {
        ItemInfo analysed;
        analysed.url = m_media->plainMp4Url();
        QVERIFY(analyseTask(&analysed));
        for (const QString uploader : {"../../x", "a/b", "C:\\x", "%(id)s", ".."}) {
            // The user's folder holds "%" and "$", the title expandable names.
            QTemporaryDir area(m_downloads.filePath("area-XXXXXX"));
            ItemInfo t;
            std::tie(t.url, t.path, t.formats, t.bestaudio_id) = std::make_tuple(analysed.url,
                area.filePath("50% of $HOME"), analysed.formats, analysed.bestaudio_id);
            t.namePrefix = analysed.namePrefix;
            std::tie(t.uploader, t.title) = std::make_tuple(uploader, "Price ${HOME} $PATH 100%");
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
