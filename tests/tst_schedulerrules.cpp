#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/outputlookup.h"
#include "downloads/schedulerrules.h"

#include <QTemporaryDir>
#include <tuple>

using namespace SchedulerRules;

// The scheduling rules and the output lookup, without processes.
class TestSchedulerRules : public QObject
{
    Q_OBJECT

private slots:
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

    // A finished file is found after the folder layout setting changed.
    void outputIsFoundInEitherFolderLayout()
    {
        QTemporaryDir dir;
        ItemInfo t;
        t.path = dir.path();
        t.uploader = "Uploader";
        t.renametitle = "20200131A__B_";
        // Downloaded with the flat layout, looked up after the setting changed.
        const QString flat = t.path + "//Uploader//";
        QDir().mkpath(flat);
        QFile(flat + "20200131A__B_.mp4").open(QIODevice::WriteOnly);
        QCOMPARE(OutputLookup::findFile(t), flat + "20200131A__B_.mp4");
        // The per-video folder wins.
        const QString perVideo = flat + "20200131A__B_//";
        QDir().mkpath(perVideo);
        QFile(perVideo + "20200131A__B_.mp4.webm").open(QIODevice::WriteOnly);
        QCOMPARE(OutputLookup::findFolder(t), perVideo);
        // A folder of that name is not a file.
        QDir().mkpath(flat + "x.avi");
        t.renametitle = "x";
        QVERIFY(OutputLookup::findFile(t).isEmpty());
    }
};

QUILLON_TEST_MAIN(TestSchedulerRules)
#include "tst_schedulerrules.moc"
