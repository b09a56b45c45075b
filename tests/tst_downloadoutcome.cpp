#include "support/fakeextractor.h"
#include "support/mediafixture.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"
#include "extractor/runreport.h"
#include "intake/intakechoices.h"
#include "intake/singletask.h"
#include "tasks/sqlitedbaoperator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <memory>

// How downloads end, with the real extractor (the packaged one and the
// current release) on media served on 127.0.0.1: finished only with the
// task's own file, whatever its container, under names every file system
// takes; failed with the reason the user can act on, and stored as shown.
class TestDownloadOutcome : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    std::unique_ptr<DownloadListController> m_list;
    std::unique_ptr<SqliteDBAOperator> m_db;
    QTemporaryDir m_work;
    QString m_mounted; // a small file system mounted by a test

    // The extractor of the current data row: the packaged one from PATH, or
    // the current release as "tool.exe" in the working directory.
    std::unique_ptr<ScopedCurrentDir> useExtractor(const QString &which)
    {
        const QString dir = m_work.filePath("tool-" + which);
        QDir().mkpath(dir);
        if (which == "current") {
            const QString release = qEnvironmentVariable("QUILLON_SOURCE_DIR")
                + "/../shared/extractor/yt-dlp-2026.08.19";
            if (!QFileInfo(release).isExecutable())
                return nullptr;
            QFile::link(QFileInfo(release).canonicalFilePath(), dir + "/tool.exe");
        }
        return std::make_unique<ScopedCurrentDir>(dir);
    }

    // A web page whose metadata names one clip, a title and an uploader.
    QString page(const QString &name, const QString &clip, const QString &title,
        const QString &uploader = QString())
    {
        QJsonObject video {{"@context", "https://schema.org"}, {"@type", "VideoObject"},
            {"name", title}, {"contentUrl", m_media->url(clip)}};
        if (!uploader.isEmpty())
            video.insert("author", QJsonObject {{"name", uploader}});
        const QByteArray html
            = "<html><head><title>Page</title><script type=\"application/ld+json\">"
            + QJsonDocument(video).toJson(QJsonDocument::Compact) + "</script></head></html>";
        QFile file(QDir(m_media->folder()).filePath(name + ".html"));
        file.open(QIODevice::WriteOnly);
        file.write(html);
        return m_media->url(name + ".html");
    }

    bool makeClip(const QStringList &arguments)
    {
        QProcess ffmpeg;
        ffmpeg.setWorkingDirectory(m_media->folder());
        ffmpeg.start(
            "ffmpeg", QStringList {"-hide_banner", "-loglevel", "error", "-y"} + arguments);
        return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
    }

    // Queued for analysis as link intake queues it.
    ItemInfo *add(const QString &link, int quality, const QString &folder)
    {
        ItemInfo *t = makeTask(QString(), TaskStatus::WaitingForAnalysis, folder);
        t->url = link;
        t->cmd = "tool.exe -j " + link;
        t->quality_num = quality;
        m_list->addTask(t);
        return t;
    }

    bool settled(const QList<ItemInfo *> &tasks)
    {
        m_list->runScheduler();
        return QTest::qWaitFor(
            [&] {
                return std::all_of(tasks.cbegin(), tasks.cend(), [](const ItemInfo *t) {
                    return !t->running && t->process_status >= TaskStatus::Finished;
                });
            },
            120000);
    }

    // What the row shows for the task, and what the database holds for it.
    static QString rowShows(const ItemInfo &t)
    {
        itemWidget row;
        applyTaskToRow(t, &row);
        return row.statusText();
    }
    QString stored(const ItemInfo &t) const
    {
        QList<ItemInfo *> rows;
        m_db->loadTasks(rows);
        QString found;
        for (const ItemInfo *r : rows)
            if (r->uniqueID == t.uniqueID)
                found = QString("%1 %2 %3")
                            .arg(r->process_status)
                            .arg(r->process)
                            .arg(r->process_string);
        qDeleteAll(rows);
        return found;
    }

    static void addExtractorRows()
    {
        QTest::addColumn<QString>("extractor");
        QTest::newRow("packaged") << "packaged";
        QTest::newRow("current") << "current";
    }

#define USE_EXTRACTOR()                                                                            \
    QFETCH(QString, extractor);                                                                    \
    const auto cwd = useExtractor(extractor);                                                      \
    if (!cwd)                                                                                      \
        QSKIP("the current extractor release is not beside the repository");

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        QVERIFY(makeClip({"-f", "lavfi", "-i", "sine=frequency=500:duration=2", "-c:a", "libopus",
            "voice.opus"}));
        QVERIFY(makeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1", "-c:v",
            "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "other.mp4"}));
        m_db = std::make_unique<SqliteDBAOperator>(m_work.filePath("tasks.db"));
        QVERIFY(m_db->prepare());
    }

    void init()
    {
        m_list = std::make_unique<DownloadListController>();
        m_list->setDatabase(m_db.get());
    }

    void cleanup()
    {
        m_list.reset();
        if (!m_mounted.isEmpty())
            QProcess::execute("umount", {"-l", std::exchange(m_mounted, QString())});
    }

    // The DASH clip does not fit: the extractor stops with "No space left"
    // while fetching, or (with room for the parts but not for their merge)
    // reports success with a file that lacks its index. Either way the task
    // fails saying why, stored at 0 % as its row shows it.
    void fullDiskFailsWithItsReason_data()
    {
        QTest::addColumn<QString>("extractor");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("shown");
        for (const char *which : {"packaged", "current"}) {
            QTest::addRow("%s-fetch", which) << which << "48k"
                                             << "Failed: disk full";
            QTest::addRow("%s-merge", which) << which << "160k"
                                             << "Failed: file incomplete";
        }
    }
    void fullDiskFailsWithItsReason()
    {
        USE_EXTRACTOR();
        QFETCH(QString, size);
        QFETCH(QString, shown);
        const QString small = m_work.filePath(QString("small-%1").arg(QTest::currentDataTag()));
        QDir().mkpath(small);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", small}) != 0)
            QSKIP("mounting a small file system is not allowed here");
        m_mounted = small;
        ItemInfo *t = add(m_media->dashUrl(), 8, small);
        QVERIFY(settled({t}));
        QCOMPARE(rowShows(*t), shown);
        QCOMPARE(stored(*t), QString("7 0 0%"));
    }

    // Two pages of one title, picked together into one folder: two files,
    // each with its own video; the first page again finds its file.
    void onePageOneFile_data()
    {
        addExtractorRows();
    }
    void onePageOneFile()
    {
        USE_EXTRACTOR();
        const QString folder = m_work.filePath("same-" + extractor);
        const QString first = page("first-" + extractor, "plain.mp4", "Same title");
        const QString second = page("second-" + extractor, "other.mp4", "Same title");
        const QList<ItemInfo *> tasks {add(first, 0, folder), add(second, 0, folder)};
        QVERIFY(settled(tasks));
        ItemInfo *again = add(first, 0, folder);
        QVERIFY(settled({again}));
        QStringList files;
        for (ItemInfo *t : tasks + QList<ItemInfo *> {again}) {
            QCOMPARE(t->process_status, int(TaskStatus::Finished));
            files << m_list->fileToPlay(t);
        }
        QVERIFY2(files[0] != files[1] && files[0] == files[2], qPrintable(files.join(' ')));
        QCOMPARE(QFileInfo(files[0]).size(), QFileInfo(m_media->folder() + "/plain.mp4").size());
        QCOMPARE(QFileInfo(files[1]).size(), QFileInfo(m_media->folder() + "/other.mp4").size());
    }

    // A container outside any fixed list finishes, and play finds it.
    void opusDownloadFinishes_data()
    {
        addExtractorRows();
    }
    void opusDownloadFinishes()
    {
        USE_EXTRACTOR();
        SingleChoice c;
        c.link = m_media->url("voice.opus");
        c.title = "Voice";
        c.format.format_id = "fogg";
        c.format.ext = "opus";
        c.saveLocation = m_work.filePath("opus-" + extractor);
        ItemInfo *t = taskFromSingleChoice(c, 0);
        m_list->addTask(t);
        QVERIFY(settled({t}));
        QCOMPARE(rowShows(*t), QString("Finished"));
        QVERIFY2(m_list->fileToPlay(t).endsWith("/Voice.opus"), qPrintable(m_list->fileToPlay(t)));
        QCOMPARE(stored(*t), QString("6 100 100%"));
    }

    // Titles and uploaders as pages give them: very long in a script of
    // three bytes a character, with line ends and leading dots. The
    // download finishes under names the file system takes, none hidden.
    void pageNamesWork_data()
    {
        QTest::addColumn<QString>("extractor");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("uploader");
        for (const char *which : {"packaged", "current"}) {
            QTest::addRow("%s-long", which)
                << which << QString(300, QChar(0x6F22)) << QString(120, QChar(0x540D));
            QTest::addRow("%s-lines", which) << which << "..Two\nlines\r\tend"
                                             << "..Up\nloader";
        }
    }
    void pageNamesWork()
    {
        USE_EXTRACTOR();
        QFETCH(QString, title);
        QFETCH(QString, uploader);
        const QString folder = m_work.filePath(QString("names-%1").arg(QTest::currentDataTag()));
        ItemInfo *t = add(page(QTest::currentDataTag(), "plain.mp4", title, uploader), 0, folder);
        QVERIFY(settled({t}));
        QCOMPARE(t->process_status, int(TaskStatus::Finished));
        const QString file = m_list->fileToPlay(t);
        QVERIFY2(file.startsWith(folder + "/"), qPrintable(file));
        for (const QString &part : file.mid(folder.size() + 1).split('/')) {
            QVERIFY2(part.toUtf8().size() <= 255 && !part.startsWith('.'), qPrintable(part));
            for (const QChar c : part)
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(part));
        }
        QVERIFY2(file.contains(uploader.left(10).replace('.', '_').replace('\n', '_')),
            qPrintable(file));
    }

    // A save folder that is a file, or lies under one, fails at once with
    // that reason; nothing runs.
    void saveFolderThatIsAFile()
    {
        FakeExtractor fake;
        ScopedCurrentDir cwd(fake.folder());
        const QString file = m_work.filePath("a-file");
        QFile(file).open(QIODevice::WriteOnly);
        QList<ItemInfo *> tasks;
        for (const QString &folder : {file, file + "/under"}) {
            ItemInfo *t = makeTask("ok", TaskStatus::WaitingForAnalysis, folder);
            m_list->addTask(t);
            tasks << t;
        }
        QVERIFY(settled(tasks));
        for (ItemInfo *t : tasks) {
            QCOMPARE(rowShows(*t), QString("Failed: folder not usable"));
            QCOMPARE(stored(*t), QString("7 0 0%"));
        }
        QCOMPARE(fake.downloadRuns("ok"), 0);
    }

    // Why a run failed, from what the extractor and ffmpeg print: the first
    // precise reason counts; network words count only in error lines.
    void reasonsFromRunOutput()
    {
        // clang-format off
        const struct { const char *output; FailReason reason; } cases[] = {
            {"[download]  37.8% of 82.05KiB\r\nERROR: unable to write data: [Errno 28] No space left on device\n", FailReason::DiskFull},
            {"ERROR: unable to open for writing: [Errno 36] File name too long: 'x.part'", FailReason::NameTooLong},
            {"ERROR: unable to create directory [Errno 20] Not a directory: '/f/x'\n", FailReason::FolderUnusable},
            {"WARNING: [download] Got error: Read timed out. Retrying (1/5)...\nERROR: fragment 1 not found, unable to continue\n", FailReason::ExtractorError},
            {"ERROR: unable to download video data: HTTP Error 403: Forbidden\n", FailReason::NoAnswer},
            {"ERROR: [generic] Unable to download webpage: <urlopen error [Errno 111] Connection refused>\n", FailReason::NoAnswer},
            {"ERROR: Postprocessing: Conversion failed!\n", FailReason::ExtractorError},
            {"", FailReason::ExtractorError},
        };
        // clang-format on
        for (const auto &c : cases) {
            RunReport report;
            const QByteArray output(c.output);
            for (int i = 0; i < output.size(); i += 7)
                report.feed(output.mid(i, 7)); // lines arrive cut anywhere
            report.finish();
            QCOMPARE(int(report.reason()), int(c.reason));
            QCOMPARE(report.reportedErrors(), output.contains("ERROR:"));
        }
    }
};

QUILLON_TEST_MAIN(TestDownloadOutcome)
#include "tst_downloadoutcome.moc"
