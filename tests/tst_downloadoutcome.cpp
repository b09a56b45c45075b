#include "support/extractorrun.h"
#include "support/fakeextractor.h"
#include "support/mediafixture.h"
#include "support/taskruns.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/downloadengine.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/outputnames.h"
#include "extractor/progressparser.h"
#include "extractor/runreport.h"
#include "intake/intakechoices.h"
#include "intake/singletask.h"

#include <QDirIterator>
#include <QRegularExpression>

// How downloads run and end, with the real extractor on media served on
// 127.0.0.1: the figures shown while a run goes on; finished only with the
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
    QStringList m_seen;

    // The download as the scheduler starts it, read chunk by chunk by one
    // parser; m_seen has "percent|size|rate|eta" after each chunk.
    ExtractorRun download(ItemInfo *task, int folderoption)
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

    ItemInfo *add(const QString &link, int quality, const QString &folder)
    {
        return addLinkTask(m_list.get(), link, quality, folder);
    }

    bool settled(const QList<ItemInfo *> &tasks)
    {
        m_list->runScheduler();
        return waitSettled(tasks, 120000);
    }

    // What the database holds for the task: status, percent, percent text.
    QString stored(const ItemInfo &t) const
    {
        const std::unique_ptr<ItemInfo> r = storedTask(m_db.get(), t.uniqueID);
        return r ? QString("%1 %2 %3").arg(r->process_status).arg(r->process).arg(r->process_string)
                 : QString();
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        Global::PROXY_PORT = 0; // direct connection
        QVERIFY(m_media->runFfmpeg({"-f", "lavfi", "-i", "sine=frequency=500:duration=2", "-c:a",
            "libopus", "voice.opus"}));
        QVERIFY(m_media->runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1",
            "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "other.mp4"}));
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

    // The DASH manifest analysed, then downloaded at " SD 360P" and merged
    // into a playable file, as the scheduler runs it, its output read chunk
    // by chunk by one parser (its format table is checked in tst_intakeflow).
    void dashManifestAnalysedAndDownloadedAtSD360()
    {
        ItemInfo t;
        std::tie(t.url, t.path, t.quality_num)
            = std::make_tuple(m_media->dashUrl(), m_work.filePath("dash"), 8);
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

    // The DASH clip does not fit: the extractor stops with "No space left"
    // while fetching, or (with room for the parts but not for their merge)
    // reports success with a file that lacks its index. Either way the task
    // fails saying why, stored at 0 % as its row shows it.
    void fullDiskFailsWithItsReason_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fetch") << "48k"
                               << "Failed: disk full";
        QTest::newRow("merge") << "160k"
                               << "Failed: file incomplete";
    }
    void fullDiskFailsWithItsReason()
    {
        QFETCH(QString, size);
        QFETCH(QString, shown);
        const QString small = m_work.filePath(QString("small-%1").arg(QTest::currentDataTag()));
        QDir().mkpath(small);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", small}) != 0)
            QSKIP("mounting a small file system is not allowed here");
        m_mounted = small;
        ItemInfo *t = add(m_media->dashUrl(), 8, small);
        QVERIFY(settled({t}));
        QCOMPARE(rowStatusText(*t), shown);
        QCOMPARE(stored(*t), QString("7 0 0%"));
    }

    // Two pages of one title, picked together into one folder: two files,
    // each with its own video; the first page again finds its file.
    void onePageOneFile()
    {
        const QString folder = m_work.filePath("same");
        const QString first = m_media->page("first", "plain.mp4", "Same title");
        const QString second = m_media->page("second", "other.mp4", "Same title");
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
    void opusDownloadFinishes()
    {
        SingleChoice c;
        c.link = m_media->url("voice.opus");
        c.title = "Voice";
        c.format.format_id = "fogg";
        c.format.ext = "opus";
        c.saveLocation = m_work.filePath("opus");
        ItemInfo *t = taskFromSingleChoice(c, 0);
        m_list->addTask(t);
        QVERIFY(settled({t}));
        QCOMPARE(rowStatusText(*t), QString("Finished"));
        QVERIFY2(m_list->fileToPlay(t).endsWith("/Voice.opus"), qPrintable(m_list->fileToPlay(t)));
        QCOMPARE(stored(*t), QString("6 100 100%"));
    }

    // Titles and uploaders as pages give them: very long in a script of
    // three bytes a character, with line ends and leading dots, or names
    // that would climb out of the folder or that the extractor would expand,
    // in a folder whose name looks like a template field and a variable. The
    // download writes exactly one file, in the uploader's folder, under names
    // the file system takes, none hidden.
    void pageNamesWork_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("uploader");
        QTest::newRow("long") << QString(300, QChar(0x6F22)) << QString(120, QChar(0x540D));
        QTest::newRow("lines") << "..Two\nlines\r\tend"
                               << "..Up\nloader";
        QTest::newRow("hostile") << "Price ${HOME} $PATH 100%"
                                 << "../../%(id)s a/b C:\\x";
    }
    void pageNamesWork()
    {
        QFETCH(QString, title);
        QFETCH(QString, uploader);
        const QString folder
            = m_work.filePath(QString("names-%1/%(id)s 50% of $HOME").arg(QTest::currentDataTag()));
        ItemInfo *t
            = add(m_media->page(QTest::currentDataTag(), "plain.mp4", title, uploader), 0, folder);
        QVERIFY(settled({t}));
        QCOMPARE(t->process_status, int(TaskStatus::Finished));
        const QString file = QDir::cleanPath(m_list->fileToPlay(t));
        QVERIFY2(
            file.startsWith(folder + "/" + sanitizeFolderName(uploader) + "/"), qPrintable(file));
        for (const QString &part : file.mid(folder.size() + 1).split('/')) {
            QVERIFY2(part.toUtf8().size() <= 255 && !part.startsWith('.'), qPrintable(part));
            for (const QChar c : part)
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(part));
        }
        QStringList written;
        for (QDirIterator it(m_work.filePath(QString("names-%1").arg(QTest::currentDataTag())),
                 QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();)
            written << QDir::cleanPath(it.next());
        QCOMPARE(written, QStringList {file});
    }

    // A save folder that is a file, or lies under one, fails at once with
    // that reason; nothing runs.
    void saveFolderThatIsAFile()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
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
            QCOMPARE(rowStatusText(*t), QString("Failed: folder not usable"));
            QCOMPARE(stored(*t), QString("7 0 0%"));
        }
        QCOMPARE(fake.downloadRuns("ok"), 0);
    }

    // Why a run failed, from what the extractor and ffmpeg print: the first
    // precise reason counts; network words count only in error lines.
    void reasonsFromRunOutput()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
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
