#include "support/fakeextractor.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/partialpieces.h"
#include "downloads/retryrules.h"
#include "extractor/runreport.h"
#include "tasks/sqlitedbaoperator.h"

#include <memory>

// What the user controls beyond starting a download, against a scripted
// extractor (hangs and flaky links on demand): stuck runs, automatic retry,
// hiding finished tasks whose file is gone, the pieces a delete removes.
// Pausing and deleting real transfers are in tst_transfercontrol.
class TestDownloadControl : public QObject
{
    Q_OBJECT

    FakeExtractor m_fake;
    ScopedCurrentDir m_cwd {m_fake.folder()};
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;
    QTemporaryDir m_data;
    SqliteDBAOperator m_db {m_data.filePath("tasks.db")};

    ItemInfo *queue(const QString &word, int status = TaskStatus::WaitingForAnalysis)
    {
        ItemInfo *t = makeTask(word, status, m_downloads.path());
        t->renametitle = word;
        if (status != TaskStatus::WaitingForAnalysis) {
            t->targetPath = m_downloads.path() + "/" + word + ".mp4";
            t->cmd = "tool.exe --no-cache-dir  -i --newline  -f 18 " + t->url + " -o \""
                + t->targetPath + "\"";
        }
        m_list->addTask(t);
        return t;
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

    static bool alive(const QString &pid)
    {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    }

private slots:
    void initTestCase() { QVERIFY(m_db.prepare()); }

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
        QFile pids(m_fake.pidsFile());
        if (pids.open(QIODevice::ReadOnly)) { // the download's helper went with it
            for (const QString &pid :
                QString(pids.readAll()).split(QRegExp("\\s+"), Qt::SkipEmptyParts))
                QTRY_VERIFY2(!alive(pid), qPrintable(pid));
        }
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
        QList<ItemInfo *> stored;
        m_db.loadTasks(stored);
        const auto same = std::find_if(stored.cbegin(), stored.cend(),
            [t](const ItemInfo *s) { return s->uniqueID == t->uniqueID; });
        QVERIFY(same != stored.cend());
        QCOMPARE(RetryRules::tries(**same), triesKept);
        qDeleteAll(stored);
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
        QFile present(folder.filePath("present.mp4"));
        QVERIFY(present.open(QIODevice::WriteOnly) && present.write("data") == 4);
        present.close();
        m_list->setView(m_list->view());
        QList<bool> listed;
        for (const ItemInfo *t : tasks)
            listed << t->biaoji;
        QCOMPARE(listed, QList<bool>({true, !switchOn, true, true}));
        QVERIFY(present.exists());
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
};

QUILLON_TEST_MAIN(TestDownloadControl)
#include "tst_downloadcontrol.moc"
