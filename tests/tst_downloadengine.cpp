#include "support/fakeextractor.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/myqprocess.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"

#include <QSignalSpy>
#include <csignal>
#include <memory>

// The engine against a scripted extractor: the cases the real extractor
// cannot be made to produce on demand. The real one is driven end to end in
// tst_downloadflow.
class TestDownloadEngine : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeExtractor> m_fake;
    std::unique_ptr<ScopedCurrentDir> m_cwd;
    std::unique_ptr<SqliteDBAOperator> m_db;
    QTemporaryDir m_downloads;

    QList<ItemInfo *> m_tasks;
    std::unique_ptr<DownloadEngine> m_engine;
    int m_processnum = 3;
    int m_anaprocessnum = 1;
    int m_budget = 3;
    int m_folderoption = 0;

    // A task exactly as link intake queues one for background analysis.
    ItemInfo *queue(const QString &word, int status = 0)
    {
        auto *t = new ItemInfo;
        t->uniqueID = newUniqueId();
        t->url = QStringLiteral("https://video.example/watch/") + word;
        t->cmd = QStringLiteral("tool.exe -j ") + t->url;
        t->process_status = status;
        t->quality_num = 8;
        t->path = m_downloads.path();
        t->id = m_tasks.size();
        m_tasks << t;
        m_db->insertTask(t);
        return t;
    }

    // Waits until every listed task has reached one of the final states.
    bool settle(int ms = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            bool done = true;
            for (ItemInfo *t : qAsConst(m_tasks))
                done = done && !t->running && t->process_status >= 6;
            if (done)
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    int storedStatus(ItemInfo *t)
    {
        QList<ItemInfo *> loaded;
        m_db->loadTasks(loaded);
        int status = -1;
        for (ItemInfo *l : loaded)
            if (l->uniqueID == t->uniqueID)
                status = l->process_status;
        qDeleteAll(loaded);
        return status;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QProcess::ExitStatus>();
        m_fake = std::make_unique<FakeExtractor>();
        m_cwd = std::make_unique<ScopedCurrentDir>(m_fake->folder());
        QDir().mkpath(QFileInfo(SqliteDBAOperator::defaultDatabasePath()).path());
        m_db = std::make_unique<SqliteDBAOperator>();
        QVERIFY(m_db->prepare());
    }

    void init()
    {
        m_processnum = 3;
        m_anaprocessnum = 1;
        m_budget = 3;
        m_engine = std::make_unique<DownloadEngine>();
        m_engine->bindTasks(&m_tasks);
        m_engine->bindDatabase(m_db.get());
        m_engine->bindSettings(&m_processnum, &m_anaprocessnum, &m_budget, &m_folderoption);
        m_engine->setFinishWait(100);
    }

    void cleanup()
    {
        m_engine.reset();
        qDeleteAll(m_tasks);
        m_tasks.clear();
    }

    void analysedThenDownloadedThenFinished()
    {
        ItemInfo *t = queue("ok-one");
        QSignalSpy changed(m_engine.get(), &DownloadEngine::taskChanged);
        m_engine->runScheduler();
        QCOMPARE(t->process_status, 1);
        QVERIFY(m_engine->isBusy(0));
        QVERIFY(settle());

        QCOMPARE(t->process_status, 6);
        QCOMPARE(t->title, QString("Title ok-one"));
        QCOMPARE(t->uploader, QString("Up Loader"));
        QCOMPARE(t->duration, 12.5);
        QCOMPARE(t->bestaudio_id, QString("140"));
        QCOMPARE(t->process, 100);
        QVERIFY(QFile::exists(t->targetPath));
        QVERIFY(!t->cmd.contains(" -j "));
        QCOMPARE(storedStatus(t), 6);
        QVERIFY(changed.count() >= 4);
        for (int s = 0; s < DownloadEngine::SlotCount; ++s)
            QVERIFY(!m_engine->isBusy(s));
        QCOMPARE(m_budget, 3); // one analysis taken, one download given back
    }

    void failuresEndAsFailed()
    {
        ItemInfo *bad = queue("badjson");
        ItemInfo *broken = queue("break");
        ItemInfo *noFile = queue("nofile");
        m_anaprocessnum = 2;
        m_engine->runScheduler();
        QVERIFY(settle());

        QCOMPARE(bad->process_status, 8);
        QCOMPARE(broken->process_status, 7);
        QCOMPARE(broken->process, 30);
        // 100 % was printed but the merge failed and no file exists: not finished.
        QCOMPARE(noFile->process, 100);
        QCOMPARE(noFile->process_status, 7);
        QCOMPARE(storedStatus(noFile), 7);
    }

    void analysisBudget()
    {
        // No analysis slots wanted: nothing is analysed.
        m_anaprocessnum = 0;
        ItemInfo *a = queue("slowana-ok-a");
        ItemInfo *b = queue("slowana-ok-b");
        m_engine->runScheduler();
        QCOMPARE(a->process_status, 0);

        // A budget of 0 is tested once per pass: two free slots start two
        // analyses and the budget goes below zero.
        m_anaprocessnum = 5; // clamped to 2
        m_budget = 0;
        m_engine->runScheduler();
        QCOMPARE(m_anaprocessnum, 2);
        QCOMPARE(a->process_status, 1);
        QCOMPARE(b->process_status, 1);
        QCOMPARE(m_budget, -2);
        QVERIFY(settle());
    }

    void queuedMetadataCommandGoesBackToAnalysis()
    {
        ItemInfo *t = queue("ok-requeued", 2); // status 2 but still a "-j" command
        m_engine->runScheduler();
        QVERIFY(t->process_status == 0 || t->process_status == 1);
        QVERIFY(settle());
        QCOMPARE(t->process_status, 6);
    }

    void aRunningTaskIsNeverStartedTwice()
    {
        ItemInfo *t = queue("ok-sleep2-twice");
        m_engine->runScheduler();
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 4, 10000);

        // What the row's "Redownload" does on a running task.
        t->requeueAfterRun = true;
        m_engine->runScheduler();
        QCOMPARE(m_engine->busyDownloads(), 1);

        // After the run it is queued again and downloaded a second time.
        QTRY_COMPARE_WITH_TIMEOUT(m_fake->downloadRuns("ok-sleep2-twice"), 2, 20000);
        QVERIFY(settle());
        QCOMPARE(t->process_status, 6);
        QCOMPARE(m_fake->downloadRuns("ok-sleep2-twice"), 2);
    }

    void retryAndPauseAll()
    {
        ItemInfo *failed = queue("badjson-retry");
        m_engine->runScheduler();
        QVERIFY(settle());
        QCOMPARE(failed->process_status, 8);

        QSignalSpy texts(m_engine.get(), &DownloadEngine::taskStatusText);
        ItemInfo *waiting = queue("ok-waiting");
        m_anaprocessnum = 0; // keep it waiting
        QVERIFY(m_engine->toggleAll());
        QVERIFY(m_engine->allPaused());
        QVERIFY(!waiting->active);
        QVERIFY(failed->active); // finished and failed tasks are not touched
        m_anaprocessnum = 1;
        m_engine->runScheduler();
        QCOMPARE(waiting->process_status, 0); // paused tasks are not picked
        QVERIFY(!m_engine->toggleAll());
        QVERIFY(!m_engine->allPaused());
        QVERIFY(waiting->active);
        QVERIFY(texts.count() >= 2);

        m_engine->openredownload();
        QVERIFY(failed->process_status <= 1); // back to analysis
        QVERIFY(settle());
        QCOMPARE(waiting->process_status, 6);
    }

    void startWithoutExtractorFailsTheTask()
    {
        ScopedCurrentDir elsewhere(m_downloads.path());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_downloads.path().toUtf8());
        ItemInfo *analysis = queue("ok-no-tool");
        ItemInfo *download = queue("ok-no-tool-dl", 2);
        download->cmd
            = "tool.exe --no-cache-dir  -i --newline  -f 18 " + download->url + " -o \"/x//y.mp4\"";
        m_engine->runScheduler();
        const bool settled = settle();
        qputenv("PATH", path);
        QVERIFY(settled);
        QCOMPARE(analysis->process_status, 8);
        QCOMPARE(download->process_status, 7);
        for (int s = 0; s < DownloadEngine::SlotCount; ++s)
            QVERIFY(!m_engine->isBusy(s));
    }

    void shutdownEndsTheRunAndItsHelpers()
    {
        QFile::remove(m_fake->pidsFile());
        ItemInfo *t = queue("hang", 2);
        t->cmd = "tool.exe --no-cache-dir  -i --newline  -f 18 " + t->url + " -o \""
            + m_downloads.path() + "/h.mp4\"";
        m_engine->runScheduler();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_fake->pidsFile()), 10000);
        QTest::qWait(200);
        QFile f(m_fake->pidsFile());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> pids = f.readAll().trimmed().split(' ');
        QCOMPARE(pids.size(), 2);
        for (const QByteArray &pid : pids)
            QCOMPARE(::kill(pid.toInt(), 0), 0);

        m_engine->shutdown();
        for (const QByteArray &pid : pids) {
            // Gone (reaped) or at most a zombie on its way out.
            QTRY_VERIFY_WITH_TIMEOUT(::kill(pid.toInt(), 0) != 0 || isZombie(pid), 5000);
        }
        t->running = false;
        t->process_status = 7;
    }

private:
    static bool isZombie(const QByteArray &pid)
    {
        QFile stat("/proc/" + QString::fromLatin1(pid) + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray s = stat.readAll();
        const int close = s.lastIndexOf(')');
        return close > 0 && s.mid(close + 2, 1) == "Z";
    }
};

QUILLON_TEST_MAIN(TestDownloadEngine)
#include "tst_downloadengine.moc"
