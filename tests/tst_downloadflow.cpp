#include "support/fakeextractor.h"
#include "support/loopbackhttpserver.h"
#include "support/mediafixture.h"
#include "support/scripteddialogs.h"
#include "support/taskruns.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/listwidget.h"
#include "downloads/outputlookup.h"
#include "extractor/extractornotices.h"
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
    QString m_page; // a video page with an uploader
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_downloads;
    // A message box the program opens is answered at once and recorded: a
    // fault that asks the user something fails the test instead of leaving
    // it waiting for a click.
    ScriptedDialogs m_dialogs;

    DownloadListController *list() const { return m_window->downloadList(); }

    ItemInfo *add(const QString &link, int quality, const QString &folder)
    {
        return addLinkTask(list(), link, quality, folder);
    }

    // Each task's status and whether it runs, for a failure message.
    static QString states(const QList<ItemInfo *> &tasks)
    {
        QStringList states;
        for (const ItemInfo *t : tasks)
            states << QString("%1: status %2%3")
                          .arg(t->url)
                          .arg(t->process_status)
                          .arg(t->running ? ", running" : "");
        return states.join("; ");
    }

    // What the task's row shows: status word, percent text and progress bar.
    // What the task's row shows once the list is paged to it (only the page
    // shown has rows); the list goes back to the in-progress view after.
    QString rowShows(ItemInfo *t) const
    {
        MainWindow &w = *m_window;
        if (!t->active)
            w.on_pushButton_downloadfinished_clicked();
        else if (t->process_status == TaskStatus::Finished)
            w.on_pushButton_downloadfinished_3_clicked();
        else if (t->process_status > TaskStatus::Finished)
            w.on_pushButton_downloadfinished_failure_clicked();
        QString shown;
        const int members = list()->count(list()->view());
        for (int offset = 0; offset < members && shown.isEmpty(); offset += 5) {
            w.on_verticalScrollBar_valueChanged(offset);
            if (itemWidget *row = w.findChild<ListWidget *>()->rowFor(t))
                shown = row->statusText() + ' ' + row->findChild<QLabel *>("label_percent")->text()
                    + ' ' + QString::number(row->findChild<QProgressBar *>()->value());
        }
        w.on_pushButton_downloadfinished_2_clicked();
        return shown;
    }

    // A process (not this one) whose command line starts with program and
    // holds marker and also (other tests may run extractors at the same time).
    static bool running(const QByteArray &marker, const QByteArray &also = QByteArray(),
        const QByteArray &program = QByteArray())
    {
        for (const QString &e : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile cmdline("/proc/" + e + "/cmdline");
            if (e.toLongLong() == QCoreApplication::applicationPid()
                || !cmdline.open(QIODevice::ReadOnly))
                continue;
            const QByteArray line = cmdline.readAll();
            if (line.startsWith(program) && line.contains(marker) && line.contains(also))
                return true;
        }
        return false;
    }

    // Another copy of the program, downloading one link (see quillon_worker).
    static void startWorker(QProcess &worker, const QStringList &args)
    {
        worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker.start(QCoreApplication::applicationDirPath() + "/quillon_worker", args);
    }

    static bool killed(QProcess &worker, int signal = SIGKILL)
    {
        ::kill(static_cast<pid_t>(worker.processId()), signal);
        return worker.waitForFinished(15000);
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
        m_page = m_media->uploaderPageUrl();
        QVERIFY2(!m_page.isEmpty(), qPrintable(m_media->errorString()));
        m_window = std::make_unique<MainWindow>();
        QTest::qWait(300);
        m_window->on_pushButton_downloadfinished_2_clicked();
    }

    void cleanup()
    {
        const QString asked = m_dialogs.calls.isEmpty()
            ? QString()
            : m_dialogs.calls[0].kind + ": " + m_dialogs.calls[0].text;
        m_dialogs.calls.clear();
        QVERIFY2(asked.isEmpty(), qPrintable("the program asked the user: " + asked));
    }

    // Links queued together are analysed by one run of the real extractor:
    // the DASH manifest is downloaded at " SD 360P" and merged, the plain clip
    // downloaded, both stored as single analyses would store them; the
    // missing link fails its analysis alone, the cut transfer its download.
    void batchOfRealLinksWithFailingOnes()
    {
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        const QByteArray clip = readFile(m_media->folder() + "/plain.mp4");
        server.routeTruncated("/broken.mp4", clip.left(clip.size() / 3), clip.size(), "video/mp4");
        QTemporaryDir folder; // the clip's file name is taken elsewhere
        QList<ItemInfo *> tasks;
        const QStringList links {m_media->dashUrl(), m_media->missingUrl(),
            m_media->plainMp4Url() + "?batch-two", server.url("/broken.mp4").toString()};
        for (const QString &link : links)
            tasks << add(
                link, link == links[0] ? 8 : 0, folder.filePath(QString::number(tasks.size())));
        list()->runScheduler();
        QCOMPARE(tasks[0]->process_status, 1);
        // One run, both links.
        QTRY_VERIFY_WITH_TIMEOUT(running(links[0].toUtf8(), "batch-two"), 60000);
        QVERIFY2(waitSettled(tasks, 120000), qPrintable(states(tasks)));
        QCOMPARE(statuses(tasks), QList<int>({6, 8, 6, 7}));
        // Both extractors say to update them when a link fails (an old
        // release at every run, an older one at an unexpected error): the row
        // and one message pass that on.
        QVERIFY2(rowShows(tasks[1]).startsWith("Failed: Update extractor"),
            qPrintable(rowShows(tasks[1])));
        QVERIFY(tasks[3]->process < 100);
        QTRY_COMPARE(m_dialogs.calls.size(), 1);
        QCOMPARE(m_dialogs.calls[0].text, ExtractorNotices::outdatedText());
        m_dialogs.calls.clear();
        QCOMPARE(tasks[0]->title + tasks[0]->quality + tasks[2]->title,
            QString("manifest -f 1+2 plain"));
        for (ItemInfo *t : {tasks[0], tasks[2]}) {
            const QString file = OutputLookup::findFile(*t);
            QVERIFY2(file.startsWith(t->path) && QFileInfo(file).size() > 1000,
                qPrintable(t->targetPath));
            QCOMPARE(rowShows(t), QString("Finished 100% 100"));
            QVERIFY(t->cmd.startsWith("tool.exe --no-cache-dir ") && t->cmd.contains(t->url));
            const std::unique_ptr<ItemInfo> stored = storedTask(list()->database(), t->uniqueID);
            QVERIFY(stored);
            QCOMPARE(stored->cmd + stored->title + QString::number(stored->process_status),
                t->cmd + t->title + "6");
        }
    }

    // SIGTERM (say, at logout) closes the program as its close button does:
    // it exits normally and ends its runs.
    void terminationRequestClosesTheProgram()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        const QByteArray marker = "term-" + newUniqueId().toLatin1();
        QProcess worker;
        startWorker(worker,
            {m_media->plainMp4Url() + "?" + QString::fromLatin1(marker), "0", "2K",
                m_downloads.path(), QCoreApplication::applicationName() + "-term"});
        // Its extractor is downloading (the worker's own command line names
        // the marker too).
        QTRY_VERIFY_WITH_TIMEOUT(running(marker, "--no-cache-dir"), 60000);
        QVERIFY(killed(worker, SIGTERM));
        QCOMPARE(worker.exitStatus(), QProcess::NormalExit);
        QTRY_VERIFY_WITH_TIMEOUT(!running(marker), 5000);
    }

    // A video with an uploader is saved in a folder of that name; after a
    // kill and a restart the resumed download is found there.
    void killedProgramLosesNoTask()
    {
        // Another copy of the program downloads slowly; it is killed midway.
        const QByteArray marker = "crash-" + newUniqueId().toLatin1();
        const QString link = m_page + "?" + QString::fromLatin1(marker);
        QProcess worker;
        startWorker(
            worker, {link, "0", "2K", m_downloads.path(), QCoreApplication::applicationName()});
        QVERIFY(worker.waitForReadyRead(30000));
        const QString uniqueID = QString::fromLatin1(worker.readAll()).section(' ', 1).trimmed();
        // Wait until its extractor is downloading.
        QTRY_VERIFY_WITH_TIMEOUT(running(marker, "--no-cache-dir"), 60000);
        QTest::qWait(1500);
        QVERIFY(killed(worker));
        // Its extractor dies with it: nothing keeps writing.
        QTRY_VERIFY_WITH_TIMEOUT(!running(marker), 30000);

        // A restart finds the task paused, with its download command.
        restartWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!list()->tasks().isEmpty(), 5000);
        ItemInfo *restored = list()->tasks().last();
        QVERIFY(list()->database()->readDetails(restored));
        QCOMPARE(restored->uniqueID, uniqueID);
        QCOMPARE(restored->process_status, 2);
        QVERIFY(restored->cmd.contains("--no-cache-dir") && restored->cmd.contains(link));
        QVERIFY2(rowShows(restored).startsWith("Pause "), qPrintable(rowShows(restored)));

        // Started again, it finishes (without the slow limit this time).
        restored->cmd.replace(" -r 2K ", " ");
        list()->startTask(restored);
        QVERIFY2(waitSettled({restored}, 90000), qPrintable(states({restored})));
        QCOMPARE(restored->process_status, 6);
        const QString file = OutputLookup::findFile(*restored);
        // Blanks in folder names become "_".
        QVERIFY2(file.contains("/Some_Uploader/"), qPrintable(file));
        QVERIFY(rowShows(restored).startsWith("Finished "));
    }

    // Helpers the extractor started (ffmpeg recoding, say) do not die with a
    // killed program; the next start ends them before anything resumes. The
    // helper prints nothing, so only the start can be what ends it.
    void killedProgramLeavesNoHelperRunning()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        FakeExtractor fake;
        QProcess worker;
        worker.setWorkingDirectory(fake.folder());
        startWorker(worker,
            {"http://127.0.0.1:9/hang", "0", "", m_downloads.path() + "/helper",
                QCoreApplication::applicationName()});
        QTRY_VERIFY_WITH_TIMEOUT(pidsIn(fake.pidsFile()).size() == 2, 60000);
        QVERIFY(killed(worker));
        const qint64 helper = pidsIn(fake.pidsFile()).value(1);
        QTest::qWait(300);
        QVERIFY(processAlive(helper));
        restartWindow();
        QVERIFY(!processAlive(helper));
    }
};

QUILLON_TEST_MAIN(TestDownloadFlow)
#include "tst_downloadflow.moc"
