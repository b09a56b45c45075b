#include "support/fakeextractor.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"

#include <memory>

// The engine, driven through the list, against a scripted extractor: the
// cases the real extractor cannot be made to produce on demand. The real one,
// with the task database, is driven end to end in tst_downloadflow.
class TestDownloadEngine : public QObject
{
    Q_OBJECT

    FakeExtractor m_fake;
    ScopedCurrentDir m_cwd {m_fake.folder()}; // where command texts find it
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;

    // Queued for analysis, or for download with a download command.
    ItemInfo *queue(const QString &word, int status = TaskStatus::WaitingForAnalysis)
    {
        ItemInfo *t = makeTask(word, status, m_downloads.path());
        if (status == TaskStatus::WaitingForDownload)
            t->cmd = "tool.exe --no-cache-dir  -i --newline  -f 18 " + t->url + " -o \""
                + m_downloads.path() + "/" + word + ".mp4\"";
        m_list->addTask(t);
        return t;
    }

    // Waits until every task has reached one of the final states.
    bool settle()
    {
        return QTest::qWaitFor(
            [&] {
                for (ItemInfo *t : m_list->tasks())
                    if (t->running || t->process_status < TaskStatus::Finished)
                        return false;
                return true;
            },
            20000);
    }

private slots:
    void init() { m_list = std::make_unique<DownloadListController>(); }

    void cleanup() { m_list.reset(); }

    void everyRunEndsInItsFinalState()
    {
        ItemInfo *ok = queue("ok-one");
        ItemInfo *bad = queue("badjson");
        ItemInfo *broken = queue("break");
        ItemInfo *noFile = queue("nofile");
        SettingsStore::GeneralSettings g;
        g.anaprocessnum = 2;
        m_list->applySettings(g);
        // The counters follow every move between views, not only the end of
        // a download (a failed analysis ends no download).
        QSignalSpy recount(m_list.get(), &DownloadListController::countsChanged);
        m_list->runScheduler();
        QCOMPARE(ok->process_status, 1);
        QVERIFY(settle());
        QVERIFY(recount.count() >= 8);
        QCOMPARE(ok->process_status, 6);
        QCOMPARE(ok->title, QString("Title ok-one"));
        QVERIFY(QFile::exists(ok->targetPath));
        QCOMPARE(bad->process_status, 8);
        QCOMPARE(QList<int>({broken->process_status, broken->process}), QList<int>({7, 30}));
        // 100 % was printed but the merge failed and no file exists: not finished.
        QCOMPARE(QList<int>({noFile->process_status, noFile->process}), QList<int>({7, 100}));
    }

    // Stored rows are data, not commands: a command naming another program
    // or an extra option fails its task; option fields carrying options are
    // dropped. Nothing runs either way.
    void hostileStoredFieldsRunNothing()
    {
        const QString marker = m_downloads.filePath("marker");
        ItemInfo *shell = queue("ok-shell", 2);
        shell->cmd = "/bin/sh -c \"touch " + marker + "\"";
        ItemInfo *option = queue("ok-option", 2);
        option->cmd += " --exec \"touch " + marker + "\"";
        ItemInfo *rate = queue("ok-rate");
        rate->limitRate = "100K --exec \"touch " + marker + "\"";
        ItemInfo *subtitles = queue("ok-subs");
        subtitles->zimu = " --config-location " + marker + " ";
        m_list->runScheduler();
        QVERIFY(settle());
        for (ItemInfo *t : {shell, option})
            QCOMPARE(t->process_status, int(TaskStatus::DownloadFailed));
        for (ItemInfo *t : {rate, subtitles}) {
            QCOMPARE(t->process_status, int(TaskStatus::Finished));
            QVERIFY(!t->cmd.contains("marker"));
        }
        QVERIFY(!QFile::exists(marker));
    }

    void startWithoutExtractorFailsTheTask()
    {
        ScopedCurrentDir elsewhere(m_downloads.path());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_downloads.path().toUtf8());
        ItemInfo *analysis = queue("ok-no-tool");
        ItemInfo *download = queue("ok-no-tool-dl", 2);
        m_list->runScheduler();
        const bool settled = settle();
        qputenv("PATH", path);
        QVERIFY(settled);
        QCOMPARE(analysis->process_status, 8);
        QCOMPARE(download->process_status, 7);
        QVERIFY(!m_list->engine()->isBusy(0) && m_list->engine()->busyDownloads() == 0);
    }

    void redownloadNeverRunsATaskTwiceAtOnce()
    {
        ItemInfo *t = queue("ok-sleep2-twice");
        m_list->runScheduler();
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 4, 10000);
        m_list->redownloadTask(t); // while it runs: applied once the run is over
        m_list->runScheduler();
        QCOMPARE(m_list->engine()->busyDownloads(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_fake.downloadRuns("ok-sleep2-twice"), 2, 20000);
        QVERIFY(settle());
        QCOMPARE(t->process_status, 6);
        QCOMPARE(m_fake.downloadRuns("ok-sleep2-twice"), 2);

        m_list->redownloadTask(t); // after the end: the new run starts from nothing
        QCOMPARE(t->process_status, 4);
        QCOMPARE(t->process, 0);
        QVERIFY(settle());
    }

    void shutdownEndsEveryRunAtOnce()
    {
        QFile::remove(m_fake.pidsFile());
        SettingsStore::GeneralSettings g;
        g.processnum = 9;
        m_list->applySettings(g);
        for (int i = 0; i < 9; ++i)
            queue(QString("stubborn-%1").arg(i), 2); // ignores SIGTERM, its helper too
        m_list->runScheduler();
        QList<QByteArray> pids;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QFile f(m_fake.pidsFile());
                f.open(QIODevice::ReadOnly);
                pids = f.readAll().simplified().split(' ');
                return pids.size() == 18;
            }(),
            10000);

        QElapsedTimer clock;
        clock.start();
        m_list->shutdown();
        QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
        // Every process of the runs is gone, or at most a zombie on its way out.
        const auto gone = [](const QByteArray &pid) {
            QFile stat("/proc/" + QString::fromLatin1(pid) + "/stat");
            return !stat.open(QIODevice::ReadOnly)
                || stat.readAll().split(')').last().startsWith(" Z");
        };
        for (const QByteArray &pid : qAsConst(pids))
            QTRY_VERIFY_WITH_TIMEOUT(gone(pid), 5000);
    }
};

QUILLON_TEST_MAIN(TestDownloadEngine)
#include "tst_downloadengine.moc"
