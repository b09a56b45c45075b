#include "support/fakeextractor.h"
#include "support/mediafixture.h"
#include "support/taskruns.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/partialpieces.h"
#include "downloads/retryrules.h"
#include "extractor/myqprocess.h"
#include "extractor/runreport.h"

#include <QDirIterator>

// What the user controls beyond starting a download: against a scripted
// extractor (hangs and flaky links on demand) stuck runs, automatic retry,
// hiding finished tasks whose file is gone, the pieces a delete removes; and
// pausing and deleting real transfers, the real extractor fetching a clip
// from a loopback server that sends it slowly and answers range requests.
class TestDownloadControl : public QObject
{
    Q_OBJECT

    FakeExtractor m_fake;
    ScopedCurrentDir m_cwd {m_fake.folder()};
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;
    QTemporaryDir m_data;
    SqliteDBAOperator m_db {m_data.filePath("tasks.db")};
    std::unique_ptr<MediaFixture> m_media;
    QString m_slow; // the media, served slowly

    ItemInfo *queue(const QString &word, int status = TaskStatus::WaitingForAnalysis)
    {
        return queueTask(m_list.get(), word, m_downloads.path(), status);
    }

    // A clip of the slow server, queued for the real extractor.
    ItemInfo *addRealTransfer(const QString &path, const QString &folder)
    {
        ItemInfo *t = addLinkTask(m_list.get(), m_slow + path, 0, folder);
        m_list->runScheduler();
        return t;
    }

    // Waits until the task's download has written part of its file.
    static bool midTransfer(ItemInfo *t)
    {
        return QTest::qWaitFor(
            [t] {
                for (const QString &piece : PartialPieces::find(*t))
                    if (piece.endsWith(".part") && QFileInfo(piece).size() > 0)
                        return t->running;
                return false;
            },
            60000);
    }

    int runPid(ItemInfo *t) const
    {
        const MyQProcess *run = downloadProcess(m_list->engine(), t);
        return run ? int(run->processId()) : 0;
    }

    void useSettings(int retry, int hideMissing)
    {
        SettingsStore::GeneralSettings g;
        g.processnum = 1;
        g.anaprocessnum = 1;
        g.redownloadswitch = retry;
        g.autodeletefileswitch = hideMissing;
        m_list->applySettings(g);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_db.prepare());
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        // About ten seconds for the clip: time to act in the middle.
        m_slow = m_media->startThrottled(10);
        QVERIFY(!m_slow.isEmpty());
    }

    void init()
    {
        m_list = std::make_unique<DownloadListController>();
        useSettings(0, 0);
        QFile::remove(m_fake.runsLog());
        QFile::remove(m_fake.pidsFile());
    }
    void cleanup() { m_list.reset(); }

    // A run that goes silent is ended with everything it started after the
    // bound; its task fails with the reason, and the one slot serves the
    // next task.
    void silentRunsEndAndFreeTheirSlot_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("failure");
        QTest::newRow("download") << "hang" << int(TaskStatus::WaitingForDownload)
                                  << int(TaskStatus::DownloadFailed);
        QTest::newRow("analysis") << "hangana" << int(TaskStatus::WaitingForAnalysis)
                                  << int(TaskStatus::AnalysisFailed);
    }

    void silentRunsEndAndFreeTheirSlot()
    {
        QFETCH(QString, word);
        QFETCH(int, status);
        QFETCH(int, failure);
        m_list->engine()->setStallBound(1500);
        ItemInfo *stuck = queue(word, status);
        ItemInfo *next = queue("ok-next", status);
        m_list->runScheduler();
        QTRY_VERIFY_WITH_TIMEOUT(!stuck->running && stuck->process_status >= 6, 20000);
        QCOMPARE(stuck->process_status, failure);
        QCOMPARE(
            failedStatusText(stuck->failReason), QString("Failed: no answer from the extractor"));
        QTRY_COMPARE_WITH_TIMEOUT(next->process_status, int(TaskStatus::Finished), 20000);
        for (const qint64 pid : pidsIn(m_fake.pidsFile())) // the download's helper went with it
            QTRY_VERIFY2(!processAlive(pid), qPrintable(QString::number(pid)));
    }

    // A link that fails twice and then works: finished with the switch on
    // (the row told when it would try again), failed after one run with it
    // off. One that always fails stops after three tries, and the used tries
    // stay used after a restart.
    void failedDownloadsRetryWhenSwitchedOn_data()
    {
        QTest::addColumn<int>("switchOn");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("triesKept");
        QTest::newRow("on, flaky") << 1 << "flaky" << int(TaskStatus::Finished) << 3 << 0;
        QTest::newRow("off, flaky") << 0 << "flaky" << int(TaskStatus::DownloadFailed) << 1 << 0;
        QTest::newRow("on, broken") << 1 << "break" << int(TaskStatus::DownloadFailed) << 4 << 3;
    }

    void failedDownloadsRetryWhenSwitchedOn()
    {
        QFETCH(int, switchOn);
        QFETCH(QString, word);
        QFETCH(int, outcome);
        QFETCH(int, runs);
        QFETCH(int, triesKept);
        m_list->setDatabase(&m_db);
        useSettings(switchOn, 0);
        m_list->engine()->setRetryWaits(50, 100, 150);
        QStringList notes;
        connect(m_list.get(), &DownloadListController::taskChanged, this, [&](ItemInfo *t) {
            if (t->retryAt > 0 && !notes.contains(RetryRules::retryText(*t)))
                notes << RetryRules::retryText(*t);
        });
        ItemInfo *t = queue(word, TaskStatus::WaitingForDownload);
        m_list->runScheduler();
        QTRY_VERIFY_WITH_TIMEOUT(m_fake.downloadRuns(word) == runs && !t->running, 20000);
        QTest::qWait(400); // every wait has passed: no further run may come
        QCOMPARE(m_fake.downloadRuns(word), runs);
        QCOMPARE(t->process_status, outcome);
        QCOMPARE(notes.size(), runs - 1);
        if (runs > 1)
            QVERIFY2(notes.first().startsWith("Retry 1 of 3 at "), qPrintable(notes.first()));
        const std::unique_ptr<ItemInfo> stored = storedTask(&m_db, t->uniqueID);
        QVERIFY(stored);
        QCOMPARE(RetryRules::tries(*stored), triesKept);
    }

    // Only finished tasks whose file is gone leave the list, and only with the
    // switch on; no file is touched.
    void hideMissingFilesTakesOffOnlyGoneFiles_data()
    {
        QTest::addColumn<int>("switchOn");
        QTest::newRow("on") << 1;
        QTest::newRow("off") << 0;
    }

    void hideMissingFilesTakesOffOnlyGoneFiles()
    {
        QFETCH(int, switchOn);
        useSettings(0, switchOn);
        QTemporaryDir folder;
        QList<ItemInfo *> tasks;
        for (const QString &word : {"present", "gone", "failed", "waiting"}) {
            ItemInfo *t = makeTask(word,
                word == QLatin1String("failed")        ? TaskStatus::DownloadFailed
                    : word == QLatin1String("waiting") ? TaskStatus::WaitingForDownload
                                                       : TaskStatus::Finished,
                folder.path());
            t->renametitle = word;
            t->active = false;
            m_list->addTask(t);
            tasks << t;
        }
        QVERIFY(writeFile(folder.filePath("present.mp4"), "data"));
        m_list->setView(m_list->view());
        QList<bool> listed;
        for (const ItemInfo *t : tasks)
            listed << t->biaoji;
        QCOMPARE(listed, QList<bool>({true, !switchOn, true, true}));
        QVERIFY(QFile::exists(folder.filePath("present.mp4")));
    }

    // Deleting an unfinished task removes what its download left; the
    // finished file of the same name stays, and so does a task whose name
    // only starts the same.
    void deleteRemovesOnlyPartialPieces()
    {
        ItemInfo *t = queue("clip", TaskStatus::WaitingForDownload);
        t->active = false;
        const QStringList pieces {"clip.mp4.part", "clip.mp4.ytdl", "clip.f1.mp4.part-Frag3",
            "clip.f1.mp4", "clip.temp.mp4"};
        const QStringList kept {"clip.mp4", "clip.b.mp4.part", "clip.jpg", "other.mp4.part"};
        for (const QString &name : pieces + kept) {
            QFile f(m_downloads.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        m_list->deleteTask(t);
        QStringList left = QDir(m_downloads.path()).entryList({"clip*", "other*"}, QDir::Files);
        left.sort();
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(left.join(" "), expected.join(" "));
        for (const QString &name : kept)
            QFile::remove(m_downloads.filePath(name));
    }

    // --- real transfers ------------------------------------------------------

    // Paused in the middle, the run ends and the partial file stays; started
    // again, the transfer continues where it stopped (a range request) and
    // the file comes out whole.
    void pausedDownloadResumesFromItsPartialFile()
    {
        QTemporaryDir folder;
        ScopedCurrentDir real(folder.path()); // no scripted extractor here
        ItemInfo *t = addRealTransfer("plain.mp4?pause", folder.path());
        QVERIFY(midTransfer(t));
        const int pid = runPid(t);
        m_list->pauseTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running, 5000);
        QVERIFY(!processAlive(pid));
        QCOMPARE(t->process_status, int(TaskStatus::WaitingForDownload));
        QVERIFY(!t->active);
        QVERIFY(!PartialPieces::find(*t).isEmpty());
        m_media->throttledRequests.clear();
        m_list->startTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running && t->process_status >= 6, 60000);
        QCOMPARE(t->process_status, int(TaskStatus::Finished));
        const QByteArray &asked = m_media->throttledRequests;
        QVERIFY2(asked.contains("range=bytes=") && !asked.contains("range=bytes=0-"), asked.data());
        QCOMPARE(MediaFixture::streams(t->renametargetPath), QString("audio video,240"));
        QVERIFY(PartialPieces::find(*t).isEmpty());
    }

    // A deleted running download ends its run at once, frees its slot and
    // leaves nothing in its folder.
    void deletedDownloadEndsAndLeavesNothing()
    {
        QTemporaryDir folder;
        ScopedCurrentDir real(folder.path()); // no scripted extractor here
        ItemInfo *t = addRealTransfer("plain.mp4?delete", folder.path());
        QVERIFY(midTransfer(t));
        const int pid = runPid(t);
        QVERIFY(pid > 0);
        m_list->deleteTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running, 5000);
        QCOMPARE(m_list->engine()->busyDownloads(), 0);
        QStringList left;
        for (QDirIterator it(
                 folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();)
            left << it.next();
        QCOMPARE(left, QStringList());
    }
};

QUILLON_TEST_MAIN(TestDownloadControl)
#include "tst_downloadcontrol.moc"
