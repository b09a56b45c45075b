#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/outputlookup.h"
#include "downloads/schedulerrules.h"

#include <QTemporaryDir>

using namespace SchedulerRules;

// The scheduling rules and the output lookup, without processes.
class TestSchedulerRules : public QObject
{
    Q_OBJECT

private slots:
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

    void verdictNeedsCompletionAndTheFile()
    {
        ItemInfo t;
        t.process = 100;
        QCOMPARE(downloadVerdict(t, true), 6);
        QCOMPARE(downloadVerdict(t, false), 7); // the merge failed: no file
        t.process = 99;
        QCOMPARE(downloadVerdict(t, true), 7); // an old file does not finish a broken run
    }

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
