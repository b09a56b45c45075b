#include "support/testmain.h"

#include "downloads/listrules.h"
#include "downloads/outputlookup.h"
#include "downloads/schedulerrules.h"
#include "tasks/iteminfo.h"

#include <QTemporaryDir>
#include <memory>

using namespace SchedulerRules;

namespace {

struct TaskList
{
    QList<ItemInfo *> tasks;
    ~TaskList() { qDeleteAll(tasks); }
    ItemInfo *add(int status, bool active = true, bool listed = true, const QString &title = {})
    {
        auto *t = new ItemInfo;
        t->process_status = status;
        t->active = active;
        t->biaoji = listed;
        t->title = title;
        tasks << t;
        return t;
    }
};

void touch(const QString &file)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write("x");
}

QStringList titles(const QList<ItemInfo *> &tasks)
{
    QStringList out;
    for (ItemInfo *t : tasks)
        out << t->title;
    return out;
}

} // namespace

class TestSchedulerRules : public QObject
{
    Q_OBJECT

private slots:
    void slotLimits()
    {
        // processnum 1 uses only P2, 9 or more all nine, 0 none.
        QCOMPARE(downloadSlotEnd(1), 3);
        QCOMPARE(downloadSlotEnd(3), 5);
        QCOMPARE(downloadSlotEnd(9), 11);
        QCOMPARE(downloadSlotEnd(12), 11);
        QCOMPARE(downloadSlotEnd(0), 2);
        QCOMPARE(downloadSlotEnd(-1), 3);
        QCOMPARE(clampAnalysisSlots(5), 2);
        QCOMPARE(clampAnalysisSlots(-3), 1);
        QCOMPARE(clampAnalysisSlots(0), 0);
        QCOMPARE(clampAnalysisSlots(1), 1);
    }

    void pickingTakesTheFirstFreeTaskInListOrder()
    {
        TaskList l;
        l.add(2, false, true, "paused");
        l.add(2, true, false, "deleted");
        ItemInfo *running = l.add(2, true, true, "running");
        running->running = true;
        l.add(0, true, true, "other status");
        ItemInfo *first = l.add(2, true, true, "first");
        l.add(2, true, true, "second");
        QCOMPARE(firstPickable(l.tasks, 2), first);
        QCOMPARE(firstPickable(l.tasks, 0)->title, QString("other status"));
        QCOMPARE(firstPickable(l.tasks, 6), nullptr);

        QVERIFY(isMetadataCommand("tool.exe -j https://v.example/a -R 5 "));
        QVERIFY(
            !isMetadataCommand("tool.exe --no-cache-dir  -i --newline  -f 18 https://v.example/a"));
    }

    void verdictNeedsCompletionAndTheFile_data()
    {
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<int>("verdict");
        QTest::newRow("complete with file") << 100 << 4 << true << 6;
        QTest::newRow("complete, merge failed, no file") << 100 << 7 << false << 7;
        QTest::newRow("already finished") << 0 << 6 << true << 6;
        QTest::newRow("stopped at 99") << 99 << 4 << true << 7;
        QTest::newRow("nothing at all") << 0 << 3 << false << 7;
    }

    void verdictNeedsCompletionAndTheFile()
    {
        QFETCH(int, process);
        QFETCH(int, status);
        QFETCH(bool, fileThere);
        QFETCH(int, verdict);
        ItemInfo t;
        t.process = process;
        t.process_status = status;
        QCOMPARE(downloadVerdict(t, fileThere), verdict);
    }

    void requeueRules()
    {
        QCOMPARE(redownloadStatus(1), 0);
        QCOMPARE(redownloadStatus(8), 0);
        for (int s : {0, 2, 4, 6, 7})
            QCOMPARE(redownloadStatus(s), 2);

        TaskList l;
        l.add(7, true, true, "a");
        l.add(6, true, true, "b");
        l.add(8, false, false, "c"); // requeued whatever biaoji and active say
        l.add(7, true, true, "d");
        const QList<ItemInfo *> changed = requeueFailed(l.tasks);
        QCOMPARE(titles(changed), (QStringList {"d", "c", "a"})); // newest first
        QCOMPARE(l.tasks[0]->process_status, 2);
        QCOMPARE(l.tasks[1]->process_status, 6);
        QCOMPARE(l.tasks[2]->process_status, 0);
    }

    void viewMembership()
    {
        TaskList l;
        l.add(6, true, true, "finished");
        l.add(2, false, true, "paused waiting");
        l.add(6, false, true, "paused finished"); // counts in both views
        l.add(8, true, true, "analysis failed");
        l.add(7, true, false, "deleted failure"); // never counted
        l.add(4, true, true, "downloading");
        QCOMPARE(ListRules::count(l.tasks, ListRules::Paused), 2);
        QCOMPARE(ListRules::count(l.tasks, ListRules::InProgress), 1);
        QCOMPARE(ListRules::count(l.tasks, ListRules::Finished), 2);
        QCOMPARE(ListRules::count(l.tasks, ListRules::Failed), 1);
        QVERIFY(ListRules::page(l.tasks, 7, 0).isEmpty()); // unknown view shows nothing
    }

    void outputLookupFindsEitherLayout()
    {
        QTemporaryDir dir;
        ItemInfo t;
        t.path = dir.path();
        t.uploader = "Uploader";
        t.renametitle = "20200131A__B_";
        const QString perVideo = t.path + "//Uploader//20200131A__B_//";
        const QString uploaderFolder = t.path + "//Uploader//";

        QVERIFY(OutputLookup::findFolder(t).isEmpty());
        QVERIFY(OutputLookup::findFile(t).isEmpty());

        // Downloaded with the flat layout, looked up after the setting changed.
        touch(uploaderFolder + "20200131A__B_.mp4");
        QCOMPARE(OutputLookup::findFolder(t), uploaderFolder);
        QCOMPARE(OutputLookup::findFile(t), uploaderFolder + "20200131A__B_.mp4");

        // The per-video folder wins, and within a folder mkv comes before mp4.
        touch(perVideo + "20200131A__B_.mp4.webm");
        QCOMPARE(OutputLookup::findFile(t), perVideo + "20200131A__B_.mp4.webm");
        touch(perVideo + "20200131A__B_.mp4");
        touch(perVideo + "20200131A__B_.mkv");
        QCOMPARE(OutputLookup::findFile(t), perVideo + "20200131A__B_.mkv");

        // A folder of that name is not a file.
        QDir().mkpath(uploaderFolder + "x.avi");
        t.renametitle = "x";
        QVERIFY(OutputLookup::findFile(t).isEmpty());

        QCOMPARE(OutputLookup::candidates("/d/", "n").size(), 16);
        QCOMPARE(OutputLookup::candidates("/d/", "n").first(), QString("/d/n.avi"));
        QCOMPARE(OutputLookup::candidates("/d/", "n").last(), QString("/d/n.mp4.m4a"));
    }
};

QUILLON_TEST_MAIN(TestSchedulerRules)
#include "tst_schedulerrules.moc"
