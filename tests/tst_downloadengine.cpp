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

    static QList<int> statuses(const QList<ItemInfo *> &tasks)
    {
        QList<int> found;
        for (const ItemInfo *t : tasks)
            found << t->process_status;
        return found;
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

    void useSlots(int processnum, int anaprocessnum)
    {
        SettingsStore::GeneralSettings g;
        g.processnum = processnum;
        g.anaprocessnum = anaprocessnum;
        m_list->applySettings(g);
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
        QFile writer(program);
        QVERIFY(writer.open(QIODevice::WriteOnly));
        writer.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        writer.close();
        QVERIFY(writer.setPermissions(writer.permissions() | QFileDevice::ExeOwner));
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

    // One run analyses the waiting links; a link that fails there fails its
    // own task only, and the others download from the run's documents.
    void batchWithOneBadLinkFailsOnlyThatTask()
    {
        useSlots(3, 1);
        const QList<ItemInfo *> tasks
            = {queue("ok-first"), queue("badjson-middle"), queue("ok-last")};
        m_list->runScheduler();
        QCOMPARE(statuses(tasks), QList<int>({1, 1, 1}));
        QVERIFY(settle());
        QCOMPARE(runs(true), QStringList({"ok-first badjson-middle ok-last"}));
        QCOMPARE(statuses(tasks), QList<int>({6, 8, 6}));
        QCOMPARE(tasks[0]->title + '|' + tasks[2]->title, QString("Title ok-first|Title ok-last"));
        QVERIFY(QFile::exists(tasks[0]->targetPath));
        QCOMPARE(runs(false).filter("--load-info-json").size(), 2);
        // The stored command is the one composed, without the run's options.
        QVERIFY(tasks[0]->cmd.startsWith("tool.exe --no-cache-dir")
            && !tasks[0]->cmd.contains("load-info-json"));
    }

    // A run killed midway keeps what it printed; the link it was at fails,
    // the links it never reached wait for the next run.
    void batchCutShortByAKill()
    {
        useSlots(3, 1);
        const QList<ItemInfo *> tasks = {queue("ok-before"), queue("killana-here"),
            queue("ok-after-one"), queue("ok-after-two")};
        m_list->runScheduler();
        QVERIFY(settle());
        QCOMPARE(runs(true),
            QStringList(
                {"ok-before killana-here ok-after-one ok-after-two", "ok-after-one ok-after-two"}));
        QCOMPARE(statuses(tasks), QList<int>({6, 8, 6, 6}));
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
        useSlots(processnum, anaprocessnum);
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
        useSlots(1, 1);
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
        useSlots(3, 1);
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

    // A queued task that was never analysed goes to analysis, and the slot
    // it would have taken runs the next download in the same pass.
    void unanalysedTaskLeavesNoSlotIdle()
    {
        useSlots(1, 1);
        ItemInfo *unanalysed = queue("ok-unanalysed");
        unanalysed->process_status = TaskStatus::WaitingForDownload; // still its "-j" command
        ItemInfo *ready = queue("ok-ready", TaskStatus::WaitingForDownload);
        m_list->runScheduler();
        QCOMPARE(statuses({unanalysed, ready}), QList<int>({1, 4}));
        QVERIFY(settle());
    }

    // With no extractor to be found, the tasks fail and no slot stays taken.
    void startWithoutExtractorFailsTheTask()
    {
        ScopedCurrentDir elsewhere(m_downloads.path());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_downloads.path().toUtf8());
        const QList<ItemInfo *> tasks = {queue("ok-no-tool"), queue("ok-no-tool-dl", 2)};
        m_list->runScheduler();
        const bool settled = settle();
        qputenv("PATH", path);
        QVERIFY(settled);
        QCOMPARE(statuses(tasks), QList<int>({8, 7}));
        QVERIFY(!m_list->engine()->isBusy(0) && m_list->engine()->busyDownloads() == 0);
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
        useSlots(9, 1);
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
