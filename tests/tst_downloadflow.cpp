#include "support/fakeextractor.h"
#include "support/loopbackhttpserver.h"
#include "support/mediafixture.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/outputlookup.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QProgressBar>
#include <csignal>
#include <memory>

// The whole download path with the real extractor and ffmpeg on media served
// on 127.0.0.1: tasks queued as link intake queues them, run by the window's
// list and shown in its in-progress view (so each gets its row when queued).
class TestDownloadFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_downloads;

    DownloadListController *list() const { return m_window->downloadList(); }

    // Queued as link intake queues it (into folder, by default the shared
    // downloads folder); queue() also runs the scheduler, as intake does.
    ItemInfo *add(const QString &link, int quality, const QString &rate = QString(),
        const QString &folder = QString())
    {
        ItemInfo *t = makeTask(QString(), TaskStatus::WaitingForAnalysis,
            folder.isEmpty() ? m_downloads.path() : folder);
        t->url = link;
        t->cmd = "tool.exe -j " + link;
        t->quality_num = quality;
        t->limitRate = rate;
        list()->addTask(t);
        return t;
    }

    ItemInfo *queue(const QString &link, int quality, const QString &rate = QString())
    {
        ItemInfo *t = add(link, quality, rate);
        list()->runScheduler();
        return t;
    }

    // What the task's row shows: status word, percent text and progress bar.
    QString rowShows(ItemInfo *t) const
    {
        for (itemWidget *row : m_window->findChildren<itemWidget *>())
            if (row->task() == t)
                return row->statusText() + ' ' + row->findChild<QLabel *>("label_percent")->text()
                    + ' ' + QString::number(row->findChild<QProgressBar *>()->value());
        return QString();
    }

    // Whether a process other than this one has marker on its command line.
    // A process (not this one) whose command line holds marker, and also
    // when given (other tests may run extractors at the same time).
    static bool running(const QByteArray &marker, const QByteArray &also = QByteArray())
    {
        for (const QString &e : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile cmdline("/proc/" + e + "/cmdline");
            if (e.toLongLong() == QCoreApplication::applicationPid()
                || !cmdline.open(QIODevice::ReadOnly))
                continue;
            const QByteArray line = cmdline.readAll();
            if (line.contains(marker) && line.contains(also))
                return true;
        }
        return false;
    }

    // Whether a process exists and has not died (a zombie has).
    static bool alive(int pid)
    {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    }

    // The program starts again on the same data folder.
    void restartWindow()
    {
        m_window.reset(); // the old window closes the database it shares
        m_window = std::make_unique<MainWindow>();
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        m_window = std::make_unique<MainWindow>();
        QTest::qWait(300);
        m_window->on_pushButton_downloadfinished_2_clicked();
    }

    void dashManifestIsAnalysedDownloadedAndMerged()
    {
        ItemInfo *t = queue(m_media->dashUrl(), 8); // " SD 360P"
        QCOMPARE(t->process_status, 1);
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 6, 90000);
        QCOMPARE(t->title, QString("manifest"));
        QCOMPARE(t->quality, QString(" -f 1+2 "));
        const QString file = OutputLookup::findFile(*t);
        QVERIFY2(file.startsWith(m_downloads.path()) && QFileInfo(file).size() > 1000,
            qPrintable(t->targetPath));
        QCOMPARE(rowShows(t), QString("Finished 100% 100"));

        QList<ItemInfo *> stored;
        list()->database()->loadTasks(stored);
        QCOMPARE(stored.last()->uniqueID + stored.last()->cmd, t->uniqueID + t->cmd);
        QCOMPARE(stored.last()->process_status, 6);
        qDeleteAll(stored);
    }

    void failuresEndAsFailed()
    {
        ItemInfo *missing = queue(m_media->missingUrl(), 8);
        QTRY_COMPARE_WITH_TIMEOUT(missing->process_status, 8, 60000);
        QVERIFY(rowShows(missing).startsWith("Download Failed"));

        LoopbackHttpServer server;
        QVERIFY(server.listen());
        QFile clipFile(m_media->folder() + "/plain.mp4");
        const QByteArray clip = clipFile.open(QIODevice::ReadOnly) ? clipFile.readAll() : "";
        server.routeTruncated("/broken.mp4", clip.left(clip.size() / 3), clip.size(), "video/mp4");
        ItemInfo *broken = queue(server.url("/broken.mp4").toString(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(broken->process_status >= 7, 90000);
        QCOMPARE(broken->process_status, 7); // the analysis worked, the transfer did not
        QVERIFY(broken->process < 100);
        QTRY_VERIFY(!broken->running && !missing->running);
    }

    // Links queued together are analysed by one run of the real extractor;
    // the missing one fails alone, the others download from the documents
    // the run printed and are stored as single analyses would store them.
    void batchOfRealLinksWithAMissingOne()
    {
        QTemporaryDir folder; // the clip's file name is taken elsewhere
        QList<ItemInfo *> tasks;
        for (const QString &link : {m_media->plainMp4Url() + "?batch-one", m_media->missingUrl(),
                 m_media->plainMp4Url() + "?batch-two"})
            tasks << add(link, 0, QString(), folder.filePath(link.section('-', -1)));
        list()->runScheduler();
        QTRY_VERIFY_WITH_TIMEOUT(running("batch-one", "batch-two"), 10000); // one run, both links
        for (ItemInfo *t : tasks)
            QTRY_VERIFY_WITH_TIMEOUT(t->process_status >= 6 && !t->running, 90000);
        QCOMPARE(QList<int>({tasks[0]->process_status, tasks[1]->process_status,
                     tasks[2]->process_status}),
            QList<int>({6, 8, 6}));
        QList<ItemInfo *> stored;
        list()->database()->loadTasks(stored);
        for (ItemInfo *t : {tasks[0], tasks[2]}) {
            QCOMPARE(t->title, QString("plain"));
            QVERIFY(QFileInfo(OutputLookup::findFile(*t)).size() > 1000);
            QCOMPARE(rowShows(t), QString("Finished 100% 100"));
            QVERIFY(t->cmd.startsWith("tool.exe --no-cache-dir ") && t->cmd.contains(t->url));
            const auto same = std::find_if(stored.cbegin(), stored.cend(),
                [t](const ItemInfo *s) { return s->uniqueID == t->uniqueID; });
            QVERIFY(same != stored.cend());
            QCOMPARE((*same)->cmd + (*same)->title, t->cmd + t->title);
        }
        qDeleteAll(stored);
    }

    void downloadLimitHoldsWithRealDownloads_data()
    {
        QTest::addColumn<int>("processnum");
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }

    void downloadLimitHoldsWithRealDownloads()
    {
        QFETCH(int, processnum);
        SettingsStore::GeneralSettings g;
        g.processnum = processnum;
        g.anaprocessnum = 2;
        list()->applySettings(g);
        int peak = 0;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout,
            [&] { peak = qMax(peak, list()->engine()->busyDownloads()); });
        sampler.start(20);
        // Three real transfers into folders of their own, queued together.
        QTemporaryDir folder;
        QList<ItemInfo *> tasks;
        for (int i = 0; i < 3; ++i) {
            const QString tag = QString("limit%1-%2").arg(processnum).arg(i);
            tasks << add(m_media->plainMp4Url() + "?" + tag, 0, "20K", folder.filePath(tag));
        }
        list()->runScheduler();
        for (ItemInfo *t : tasks)
            QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 6, 120000);
        QCOMPARE(peak, processnum);
        list()->applySettings({});
    }

    // SIGTERM (say, at logout) closes the program as its close button does:
    // it exits normally and ends its runs.
    void terminationRequestClosesTheProgram()
    {
        const QByteArray marker = "term-" + newUniqueId().toLatin1();
        QProcess worker;
        worker.setProcessChannelMode(QProcess::ForwardedChannels);
        worker.start(QCoreApplication::applicationDirPath() + "/quillon_worker",
            {m_media->plainMp4Url() + "?" + QString::fromLatin1(marker), "0", "2K",
                m_downloads.path(), QCoreApplication::applicationName() + "-term"});
        // Its extractor is downloading (the worker's own command line names
        // the marker too).
        QTRY_VERIFY_WITH_TIMEOUT(running(marker, "--no-cache-dir"), 60000);
        ::kill(static_cast<pid_t>(worker.processId()), SIGTERM);
        QVERIFY(worker.waitForFinished(15000));
        QCOMPARE(worker.exitStatus(), QProcess::NormalExit);
        QTRY_VERIFY_WITH_TIMEOUT(!running(marker), 5000);
    }

    // A video with an uploader is saved in a folder of that name; after a
    // kill and a restart the resumed download is found there.
    void killedProgramLosesNoTask()
    {
        // Another copy of the program downloads slowly; it is killed midway.
        const QByteArray marker = "crash-" + newUniqueId().toLatin1();
        const QString page = m_media->uploaderPageUrl();
        QVERIFY2(!page.isEmpty(), qPrintable(m_media->errorString()));
        const QString link = page + "?" + QString::fromLatin1(marker);
        QProcess worker;
        worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker.start(QCoreApplication::applicationDirPath() + "/quillon_worker",
            {link, "0", "2K", m_downloads.path(), QCoreApplication::applicationName()});
        QVERIFY(worker.waitForReadyRead(30000));
        const QString uniqueID = QString::fromLatin1(worker.readAll()).section(' ', 1).trimmed();
        // Wait until its extractor is downloading.
        QTRY_VERIFY_WITH_TIMEOUT(running(marker, "--no-cache-dir"), 60000);
        QTest::qWait(1500);
        ::kill(static_cast<pid_t>(worker.processId()), SIGKILL);
        QVERIFY(worker.waitForFinished(10000));
        // Its extractor dies with it: nothing keeps writing.
        QTRY_VERIFY_WITH_TIMEOUT(!running(marker), 10000);

        // A restart finds the task paused, with its download command.
        restartWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!list()->tasks().isEmpty(), 5000);
        ItemInfo *restored = list()->tasks().last();
        QCOMPARE(restored->uniqueID, uniqueID);
        QCOMPARE(restored->process_status, 2);
        QVERIFY(restored->cmd.contains("--no-cache-dir") && restored->cmd.contains(link));
        QVERIFY2(rowShows(restored).startsWith("Pause "), qPrintable(rowShows(restored)));

        // Started again, it finishes (without the slow limit this time).
        restored->cmd.replace(" -r 2K ", " ");
        list()->startTask(restored);
        QTRY_COMPARE_WITH_TIMEOUT(restored->process_status, 6, 90000);
        const QString file = OutputLookup::findFile(*restored);
        // Blanks in folder names become "_".
        QVERIFY2(file.contains("/Some_Uploader/"), qPrintable(file));
        QVERIFY(rowShows(restored).startsWith("Finished "));
    }

    // Helpers the extractor started (ffmpeg recoding) do not die with a
    // killed program; the next start ends them before anything resumes.
    void killedProgramLeavesNoHelperRunning()
    {
        const QString page = m_media->uploaderPageUrl();
        QVERIFY2(!page.isEmpty(), qPrintable(m_media->errorString()));
        const QString folder = m_downloads.path() + "/recode-" + newUniqueId();
        const auto recoding = [inFolder = folder.toUtf8()] {
            for (const QString &e : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                QFile cmdline("/proc/" + e + "/cmdline");
                if (!cmdline.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray line = cmdline.readAll();
                if (line.startsWith("ffmpeg") && line.contains(inFolder) && line.contains(".webm"))
                    return true;
            }
            return false;
        };
        QProcess worker;
        worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker.start(QCoreApplication::applicationDirPath() + "/quillon_worker",
            {page, "0", "", folder, QCoreApplication::applicationName(), "webm"});
        QTRY_VERIFY_WITH_TIMEOUT(recoding(), 90000);
        ::kill(static_cast<pid_t>(worker.processId()), SIGKILL);
        QVERIFY(worker.waitForFinished(10000));
        restartWindow();
        QVERIFY(!recoding());

        // ffmpeg may also die of its broken output pipe; a helper that
        // prints nothing shows that the start is what ends it.
        FakeExtractor fake;
        QProcess silent;
        silent.setWorkingDirectory(fake.folder());
        silent.start(QCoreApplication::applicationDirPath() + "/quillon_worker",
            {"http://127.0.0.1:9/hang", "0", "", folder, QCoreApplication::applicationName()});
        QFile pids(fake.pidsFile());
        QTRY_VERIFY_WITH_TIMEOUT(pids.size() > 0, 60000);
        ::kill(static_cast<pid_t>(silent.processId()), SIGKILL);
        QVERIFY(silent.waitForFinished(10000));
        QVERIFY(pids.open(QIODevice::ReadOnly));
        const int helper = pids.readAll().trimmed().split(' ').value(1).toInt();
        QTest::qWait(300);
        QVERIFY(helper > 0 && alive(helper));
        restartWindow();
        QVERIFY(!alive(helper));
    }
};

QUILLON_TEST_MAIN(TestDownloadFlow)
#include "tst_downloadflow.moc"
