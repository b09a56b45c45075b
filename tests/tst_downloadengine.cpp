#include "support/fakeextractor.h"
#include "support/scopedenv.h"
#include "support/taskruns.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/schedulerrules.h"

#include <tuple>

using namespace SchedulerRules;

// The engine, driven through the list, against a scripted extractor: the
// cases the real extractor cannot be made to produce on demand; and its
// rules on their own, without processes. The real extractor, with the task
// database, is driven end to end in tst_downloadflow.
class TestDownloadEngine : public QObject
{
    Q_OBJECT

    FakeExtractor m_fake;
    ScopedCurrentDir m_cwd {m_fake.folder()}; // where command texts find it
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;

    ItemInfo *queue(const QString &word, int status = TaskStatus::WaitingForAnalysis)
    {
        return queueTask(m_list.get(), word, m_downloads.path(), status);
    }

    // Waits until every task has reached one of the final states.
    bool settle() { return waitSettled(m_list->tasks(), 20000); }

private slots:
    void init()
    {
        m_list = std::make_unique<DownloadListController>();
        QFile::remove(m_fake.runsLog());
    }

    // The runs the fake extractor saw: analysis runs (their links) or
    // download runs (whole argument lines).
    QStringList runs(bool analysis) const
    {
        QFile f(m_fake.runsLog());
        f.open(QIODevice::ReadOnly);
        QStringList found;
        for (const QString &line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
            QStringList words; // an analysis run: the last parts of its links
            for (const QString &arg : line.split(' ', Qt::SkipEmptyParts))
                if (arg.startsWith("https://"))
                    words << arg.section('/', -1);
            if (line.startsWith("-j ") == analysis)
                found << (analysis ? words.join(' ') : line);
        }
        return found;
    }

    void cleanup() { m_list.reset(); }

    // Stored rows are data, not commands: a command naming another program
    // (even with no option at all) or an extra option fails its task; option
    // fields carrying options are dropped. Nothing runs either way.
    void hostileStoredFieldsRunNothing()
    {
        const QString marker = m_downloads.filePath("marker");
        // A program that ignores the options a run appends, so that only the
        // check of the program name stands between it and the marker.
        const QString program = m_downloads.filePath("writer");
        QVERIFY(writeFile(program, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n", true));
        ItemInfo *downloaded = queue("ok-program", 2);
        downloaded->cmd = program;
        ItemInfo *analysed = queue("ok-analysed");
        analysed->cmd = program;
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
        for (ItemInfo *t : {downloaded, shell, option})
            QCOMPARE(t->process_status, int(TaskStatus::DownloadFailed));
        QCOMPARE(analysed->process_status, int(TaskStatus::AnalysisFailed));
        for (ItemInfo *t : {rate, subtitles}) {
            QCOMPARE(t->process_status, int(TaskStatus::Finished));
            QVERIFY(!t->cmd.contains("marker"));
        }
        QVERIFY2(!QFile::exists(marker), "a stored row started another program or option");
    }

    // One run analyses the waiting links. A run killed midway keeps what it
    // printed, the link it was at fails, the links it never reached wait for
    // the next run; a link that fails in a run fails its own task only. The
    // others download from the runs' documents, and every task gives its
    // analysis budget back.
    void batchFailuresStayWithTheirLinks()
    {
        useSlots(m_list.get(), 3, 1);
        const QList<ItemInfo *> tasks
            = {queue("ok-first"), queue("killana-here"), queue("badjson-later"), queue("ok-after")};
        m_list->runScheduler();
        QCOMPARE(statuses(tasks), QList<int>({1, 1, 1, 1}));
        QVERIFY(settle());
        QCOMPARE(runs(true),
            QStringList(
                {"ok-first killana-here badjson-later ok-after", "badjson-later ok-after"}));
        QCOMPARE(statuses(tasks), QList<int>({6, 8, 8, 6}));
        QCOMPARE(tasks[0]->title + '|' + tasks[3]->title, QString("Title ok-first|Title ok-after"));
        QVERIFY(QFile::exists(tasks[0]->targetPath));
        QCOMPARE(runs(false).filter("--load-info-json").size(), 2);
        // The stored command is the one composed, without the run's options.
        QVERIFY(tasks[0]->cmd.startsWith("tool.exe --no-cache-dir")
            && !tasks[0]->cmd.contains("load-info-json"));
        QCOMPARE(m_list->engine()->analysisBudget(), 3);
    }

    // However the runs end and however the tasks arrive, no more download
    // runs and analysis runs than allowed are ever busy at once, each run
    // ends in its final state (100 % without a file is no finish) and the
    // counters follow every move between views.
    void limitsAreNeverExceeded_data()
    {
        QTest::addColumn<int>("processnum");
        QTest::addColumn<int>("anaprocessnum");
        QTest::newRow("1 and 1") << 1 << 1;
        QTest::newRow("4 and 5 (2)") << 4 << 5;
    }

    void limitsAreNeverExceeded()
    {
        QFETCH(int, processnum);
        QFETCH(int, anaprocessnum);
        useSlots(m_list.get(), processnum, anaprocessnum);
        DownloadEngine *engine = m_list->engine();
        int downloads = 0;
        int analyses = 0;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            downloads = qMax(downloads, engine->busyDownloads());
            analyses = qMax(analyses, int(engine->isBusy(0)) + int(engine->isBusy(1)));
        });
        sampler.start(2);
        QSignalSpy recount(m_list.get(), &DownloadListController::countsChanged);
        QList<ItemInfo *> tasks;
        const char *words[] = {"ok-slowana", "badjson", "ok-sleep1", "break", "nofile", "killana"};
        for (int i = 0; i < 18; ++i) {
            tasks << queue(QString("%1-%2").arg(words[i % 6]).arg(i));
            if (i % 5 == 0)
                m_list->runScheduler(); // tasks arrive while runs are busy
        }
        m_list->runScheduler();
        QVERIFY(settle());
        QVERIFY(downloads >= 1 && downloads <= processnum);
        QVERIFY(analyses >= 1 && analyses <= qMin(anaprocessnum, 2));
        for (ItemInfo *t : tasks) {
            const int expected = t->title.contains("badjson") || t->title.contains("killana") ? 8
                : t->title.contains("break") || t->title.contains("nofile")                   ? 7
                                                                                              : 6;
            QCOMPARE(t->process_status, expected);
        }
        QVERIFY(runs(true).size() < tasks.size() && recount.count() >= 2 * tasks.size());
    }

    // A download starts from its analysis document only while that is fresh,
    // and a run from a document that failed gets the plain run after it.
    void downloadFromAnAnalysisDocument()
    {
        ItemInfo *stale = queue("ok-staleinfo");
        m_list->runScheduler();
        QVERIFY(settle());
        QCOMPARE(stale->process_status, 6);
        QStringList downloads = runs(false);
        QCOMPARE(downloads.size(), 2); // the plain run after the failed one
        QCOMPARE(downloads.filter("--load-info-json"), downloads.mid(0, 1));
        // A document is removed once used.
        const QString document = downloads[0].section("--load-info-json ", 1).section(' ', 0, 0);
        QVERIFY(document.endsWith(".info.json") && !QFile::exists(document));

        QFile::remove(m_fake.runsLog());
        m_list->engine()->setInfoLifetime(-1); // every document is too old
        useSlots(m_list.get(), 1, 1);
        const QList<ItemInfo *> tasks = {queue("ok-old"), queue("ok-sleep1-busy")};
        m_list->runScheduler();
        QVERIFY(settle());
        QCOMPARE(statuses(tasks), QList<int>({6, 6}));
        QCOMPARE(runs(false).size(), 2);
        QVERIFY(runs(false).filter("--load-info-json").isEmpty());
    }

    // Two tasks of one video in one folder share its file: the second waits
    // for the first run instead of writing beside it. Another video of that
    // title gets a file of its own and is not held back.
    void oneFileIsNeverWrittenByTwoRuns()
    {
        useSlots(m_list.get(), 3, 1);
        QList<ItemInfo *> twins;
        for (const char *site :
            {"https://one.example/", "https://one.example/", "https://two.example/"}) {
            twins << queue("ok-sleep1-twin");
            twins.last()->url = site + QString("ok-sleep1-twin");
            twins.last()->cmd = "tool.exe -j " + twins.last()->url;
        }
        const auto downloading = [](const ItemInfo *t) {
            return t->running && t->process_status >= TaskStatus::Downloading;
        };
        bool twinsTogether = false;
        bool othersTogether = false;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            twinsTogether = twinsTogether || (downloading(twins[0]) && downloading(twins[1]));
            othersTogether = othersTogether || (downloading(twins[0]) && downloading(twins[2]));
        });
        sampler.start(5);
        m_list->runScheduler();
        QVERIFY(settle());
        QCOMPARE(twins[0]->targetPath, twins[1]->targetPath);
        QVERIFY(twins[2]->targetPath != twins[0]->targetPath);
        QCOMPARE(statuses(twins), QList<int>({6, 6, 6}));
        QVERIFY(!twinsTogether && othersTogether);
    }

    // One pass fills every free download slot and no more; a queued task
    // that was never analysed goes to analysis, and the slot it would have
    // taken runs the next download.
    void aPassFillsEveryFreeSlot()
    {
        useSlots(m_list.get(), 3, 1);
        ItemInfo *unanalysed = queue("ok-unanalysed");
        unanalysed->process_status = TaskStatus::WaitingForDownload; // still its "-j" command
        QList<ItemInfo *> ready;
        for (int i = 0; i < 4; ++i)
            ready << queue(QString("ok-ready%1").arg(i), TaskStatus::WaitingForDownload);
        m_list->runScheduler();
        QCOMPARE(statuses(QList<ItemInfo *> {unanalysed} + ready), QList<int>({1, 4, 4, 4, 2}));
        QCOMPARE(m_list->engine()->busyDownloads(), 3);
        QVERIFY(settle());
    }

    // A download asked again while it runs is not started beside itself.
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
        QCOMPARE(t->process_status + m_fake.downloadRuns("ok-sleep2-twice"), 8);

        m_list->redownloadTask(t); // after the end: the new run starts from nothing
        QCOMPARE(t->process_status + t->process, 4);
        QVERIFY(settle());
    }

    // Closing ends every run, even one ignoring SIGTERM, and its helpers.
    void shutdownEndsEveryRunAtOnce()
    {
        QFile::remove(m_fake.pidsFile());
        useSlots(m_list.get(), 9, 1);
        for (int i = 0; i < 9; ++i)
            queue(QString("stubborn-%1").arg(i), 2); // ignores SIGTERM, its helper too
        m_list->runScheduler();
        QList<qint64> pids;
        QTRY_VERIFY_WITH_TIMEOUT((pids = pidsIn(m_fake.pidsFile())).size() == 18, 10000);

        QElapsedTimer clock;
        clock.start();
        m_list->shutdown();
        QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
        // Every process of the runs is gone, or at most a zombie on its way out.
        for (const qint64 pid : qAsConst(pids))
            QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid), 5000);
    }

    // --- the rules, without processes ------------------------------------------

    // Paused, deleted and running tasks are never picked to run.
    void pickingSkipsPausedDeletedAndRunningTasks()
    {
        QList<ItemInfo *> l;
        for (const char *word : {"paused", "deleted", "running", "first", "second"})
            l << makeTask(word, TaskStatus::WaitingForDownload);
        l[0]->active = false;
        l[1]->biaoji = false;
        l[2]->running = true;
        QCOMPARE(firstPickable(l, TaskStatus::WaitingForDownload), l[3]);
        QCOMPARE(firstPickable(l, TaskStatus::WaitingForAnalysis), nullptr);
        qDeleteAll(l);
    }

    // What the free analysis slots may take in a pass: never more tasks than
    // the budget allows (but one per free slot, as before batches), nothing
    // on a negative budget, and no partial run beside a busy one.
    void analysisAllowanceFollowsTheBudget()
    {
        // clang-format off
        const struct { int waiting, freeSlots, busyRuns, budget, allowance; } cases[] = {
            {20, 2, 0, 9, 10}, {20, 1, 1, 9, 10}, {3, 2, 0, 9, 3}, {20, 2, 0, 0, 2}, {20, 2, 0, -1, 0},
            {0, 2, 0, 9, 0}, {20, 0, 2, 9, 0}, {100, 2, 0, 30, 31}, {20, 1, 1, 8, 0}, {3, 1, 1, 2, 3},
            {3, 1, 1, 1, 0}};
        // clang-format on
        for (const auto &c : cases)
            QCOMPARE(analysisAllowance(c.waiting, c.freeSlots, c.busyRuns, c.budget), c.allowance);
    }

    // A run takes tasks that wait, in list order, with the options of the
    // first and each link once; a command that cannot share runs alone.
    void analysisBatchTakesCompatibleTasks()
    {
        const QString proxy = " -R 5  --proxy http://127.0.0.1:8080 --socket-timeout 60 ";
        // clang-format off
        const struct { const char *word; const char *options; bool paused; int limit; const char *taken; } cases[] = {
            {"a b c d", "", false, 3, "a b c"},
            {"a a b", "", false, 10, "a b"},                       // the second "a" waits
            {"a b", " --socket-timeout 60 ", false, 10, "a b"},
            {"a b", "", true, 10, ""},                             // paused tasks wait
        };
        // clang-format on
        for (const auto &c : cases) {
            QList<ItemInfo *> l;
            for (const QString &w : QString(c.word).split(' ')) {
                l << makeTask(w);
                l.last()->cmd += c.options;
                l.last()->active = !c.paused;
            }
            QStringList taken;
            for (ItemInfo *t : pickAnalysisBatch(l, c.limit))
                taken << t->title;
            QCOMPARE(taken.join(' '), QString(c.taken));
            qDeleteAll(l);
        }
        QList<ItemInfo *> l;
        for (const char *w : {"a", "b", "c", "d", "e", "f"})
            l << makeTask(w);
        l[1]->cmd += proxy; // other options
        l[2]->cmd = "tool.exe -j --flat-playlist \"" + l[2]->url + "\""; // a list
        l[3]->process_status = TaskStatus::WaitingForDownload;
        l[4]->running = true;
        QCOMPARE(pickAnalysisBatch(l, 10), QList<ItemInfo *>({l[0], l[5]}));
        l[0]->running = l[5]->running = true;
        QCOMPARE(pickAnalysisBatch(l, 10), QList<ItemInfo *>({l[1]}));
        l[1]->running = true;
        QCOMPARE(pickAnalysisBatch(l, 10), QList<ItemInfo *>({l[2]})); // alone
        qDeleteAll(l);
    }

    // A run finishes only when it ended cleanly and its own file is there:
    // not at 100 % with an error or a non-zero exit (a full disk), not when
    // the file it reported is gone; a run that could not be asked for its
    // file also needs 100 % and a file found by name.
    void verdictNeedsACleanEndAndTheFile()
    {
        // clang-format off
        const struct { bool clean, errors, asked, reported, found; int process, expected; } cases[] = {
            {true, false, true, true, false, 0, 6},    // the percent is not what counts
            {false, false, true, true, true, 100, 7},  // exit 1 after 100 %
            {true, true, true, true, true, 100, 7},    // an error line
            {true, false, true, false, true, 100, 7},  // an older file of that name
            {true, false, false, false, true, 100, 6},
            {true, false, false, false, true, 99, 7},
            {true, false, false, false, false, 100, 7},
        };
        // clang-format on
        for (const auto &c : cases) {
            ItemInfo t;
            t.process = c.process;
            RunEnd run;
            std::tie(run.exitedCleanly, run.reportedErrors, run.pathRequested,
                run.reportedFileThere, run.lookupFound)
                = std::make_tuple(c.clean, c.errors, c.asked, c.reported, c.found);
            QCOMPARE(downloadVerdict(t, run), c.expected);
        }
    }
};

QUILLON_TEST_MAIN(TestDownloadEngine)
#include "tst_downloadengine.moc"
