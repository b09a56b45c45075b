#include "support/scripteddialogs.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <memory>

using namespace ListRules;

// The download list's state and actions, through its controller, with every
// process slot held (the engine is tested on its own); one check that a row's
// buttons reach it through the window.
class TestDownloadList : public QObject
{
    Q_OBJECT

    SqliteDBAOperator m_db; // the default connection, shared with the window
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;

    static void holdSlots(DownloadListController *list)
    {
        SettingsStore::GeneralSettings held;
        held.processnum = held.anaprocessnum = 0;
        list->applySettings(held);
    }

    ItemInfo *add(const QString &word, int status, bool active = true)
    {
        ItemInfo *t = makeTask(word, status, m_downloads.path());
        t->active = active;
        m_list->addTask(t);
        return t;
    }

    // Seven finished, one paused, two failed.
    void addMix()
    {
        for (int i = 1; i <= 7; ++i)
            add(QString("f%1").arg(i), 6);
        add("paused", 2, false);
        add("failed-download", 7);
        add("failed-analysis", 8);
    }

    // Paused, in progress, finished, failed.
    QList<int> counts() const
    {
        return {m_list->count(Paused), m_list->count(InProgress), m_list->count(Finished),
            m_list->count(Failed)};
    }

    QStringList shown(int view) const
    {
        QStringList out;
        for (const ItemInfo *t : m_list->page(view))
            out << t->title;
        return out;
    }

    static int listedInDatabase()
    {
        QSqlQuery q("select count(*) from student1 where biaoji = 1");
        return q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(QFileInfo(SqliteDBAOperator::defaultDatabasePath()).path());
        QVERIFY(m_db.prepare());
    }

    void init()
    {
        QSqlQuery().exec("delete from student1");
        m_list = std::make_unique<DownloadListController>();
        m_list->setDatabase(&m_db);
        holdSlots(m_list.get());
    }

    void cleanup() { m_list.reset(); }

    // Each view counts and pages its own tasks, newest first.
    void countsAndPaging()
    {
        addMix();
        add("paused finished", 6, false); // in both views
        QCOMPARE(counts(), (QList<int> {2, 0, 8, 2}));
        m_list->setView(Finished);
        QCOMPARE(shown(Finished), (QStringList {"paused finished", "f7", "f6", "f5", "f4"}));
        QCOMPARE(m_list->scrollMaximum(), 3);
        m_list->setOffset(3); // paging reaches the oldest, and back
        QCOMPARE(shown(Finished), (QStringList {"f5", "f4", "f3", "f2", "f1"}));
        m_list->setOffset(1);
        QCOMPARE(shown(Finished), (QStringList {"f7", "f6", "f5", "f4", "f3"}));
        add("f8", 6); // a new task is the newest member, wherever the page was
        QCOMPARE(shown(Finished), (QStringList {"paused finished", "f7", "f6", "f5", "f4"}));
        m_list->setView(Failed); // another view starts at its newest
        QCOMPARE(shown(Failed), (QStringList {"failed-analysis", "failed-download"}));
    }

    // Deleting a view hides its tasks (kept, stored as hidden), no others.
    void bulkDeleteHidesTheViewAndStoresIt_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QList<int>>("countsAfter");
        QTest::newRow("paused") << int(Paused) << QList<int> {0, 0, 7, 2};
        QTest::newRow("finished") << int(Finished) << QList<int> {1, 0, 0, 2};
        QTest::newRow("failed") << int(Failed) << QList<int> {1, 0, 7, 0};
    }

    void bulkDeleteHidesTheViewAndStoresIt()
    {
        QFETCH(int, view);
        QFETCH(QList<int>, countsAfter);
        addMix();
        m_list->deleteView(view);
        QCOMPARE(counts(), countsAfter);
        QCOMPARE(m_list->tasks().size(), 10); // hidden, not removed
        QCOMPARE(listedInDatabase(), countsAfter[0] + countsAfter[2] + countsAfter[3]);
    }

    // Retry acts only in the failed view, each failure from the step that failed.
    void retryRequeuesFailuresOnlyFromTheFailedView()
    {
        addMix();
        m_list->setView(Finished);
        QVERIFY(!m_list->retryFailed());
        QCOMPARE(counts(), (QList<int> {1, 0, 7, 2}));
        m_list->setView(Failed);
        QVERIFY(m_list->retryFailed());
        QCOMPARE(counts(), (QList<int> {1, 2, 7, 0}));
        // An analysis failure is analysed again, a download failure downloaded.
        QCOMPARE(m_list->tasks()[9]->process_status, 0);
        QCOMPARE(m_list->tasks()[8]->process_status, 2);
    }

    // Stored tasks come back paused and once only; start/pause all reach every one.
    void historyComesBackPausedUntilStartAll()
    {
        add("listed", 6);
        for (int status : {1, 4}) {
            std::unique_ptr<ItemInfo> t(makeTask(QString("stored%1").arg(status), status));
            QVERIFY(m_db.insertTask(t.get()));
        }
        QCOMPARE(m_list->loadHistory(), 2); // the listed one is not added twice
        QCOMPARE(m_list->loadHistory(), 0); // nor the restored ones
        QCOMPARE(counts(), (QList<int> {2, 0, 1, 0}));
        // Everything waiting is paused: the first press starts it.
        QVERIFY(m_list->allPaused());
        m_list->toggleAll();
        QCOMPARE(counts(), (QList<int> {0, 2, 1, 0}));
        QCOMPARE(add("new", 0)->id, 3); // numbered past the loaded ones

        m_list->toggleAll(); // pause all
        QCOMPARE(counts(), (QList<int> {3, 0, 1, 0}));
    }

    // Play and open folder find the file really written, before and after a restart.
    void playAndFolderUseTheFileOnDisk()
    {
        ItemInfo *t = add("row", 6);
        t->uploader = "Up";
        t->renametitle = "name";
        // Nothing downloaded: nothing opens.
        QCOMPARE(m_list->fileToPlay(t) + m_list->folderToOpen(t), QString());
        const QString folder = m_downloads.path() + "//Up//";
        QDir().mkpath(folder);
        for (const char *name : {"name.mp4", "name.mkv"})
            QFile(folder + name).open(QIODevice::WriteOnly);
        QCOMPARE(m_list->fileToPlay(t), folder + "name.mkv");
        QCOMPARE(m_list->folderToOpen(t), folder);
        // After a restart the uploader is not known; the stored target is.
        t->uploader.clear();
        t->targetPath = t->renametargetPath = folder + "name.mp4";
        QCOMPARE(m_list->fileToPlay(t), folder + "name.mkv");
    }

    // A row's retry asks first; its menu starts and deletes through the window.
    void rowButtonsAskThroughTheWindow()
    {
        ScriptedDialogs dialogs;
        MainWindow window;
        holdSlots(window.downloadList());
        ItemInfo *t = makeTask("window", 8);
        window.downloadList()->addTask(t);
        window.on_pushButton_downloadfinished_failure_clicked();
        itemWidget *row = window.findChild<itemWidget *>();
        QCOMPARE(row->task(), t);

        dialogs.answers << QMessageBox::No;
        row->findChild<QPushButton *>("pushButton_2")->click();
        QCOMPARE(t->process_status, 8);
        row->findChild<QPushButton *>("pushButton_2")->click();
        QCOMPARE(dialogs.calls.last().title + dialogs.calls.last().text,
            QString("WarnningAre you sure to redownload this item?"));
        QCOMPARE(t->process_status, 0); // back to analysis
        t->active = false; // paused: the menu offers "Start" first
        row->menuActions().first()->trigger();
        QVERIFY(t->active);
        row->menuActions()[2]->trigger();
        QCOMPARE(dialogs.calls.last().text, QString("Are you sure to delete this item?"));
        QCOMPARE(listedInDatabase(), 0); // stored hidden
    }

    // However far the user pages, the window keeps one page of rows, each
    // showing the task of its place; the counters follow a task that the
    // engine moves to another view.
    void pagingRebindsOnePageOfRows()
    {
        ScriptedDialogs dialogs;
        MainWindow window;
        DownloadListController *list = window.downloadList();
        holdSlots(list);
        for (int i = 0; i < 12; ++i)
            list->addTask(makeTask(QString("t%1").arg(i), TaskStatus::Finished));
        window.on_pushButton_downloadfinished_3_clicked();
        for (const int offset : {0, 7, 3}) {
            window.on_verticalScrollBar_valueChanged(offset);
            QStringList titles, expected;
            for (itemWidget *row : window.findChild<ListWidget *>()->shownRows())
                titles << row->task()->title + "=" + row->findChild<QLabel *>("label_name")->text();
            for (int i = 11 - offset; i > 6 - offset; --i)
                expected << QString("t%1=t%1").arg(i);
            QCOMPARE(titles, expected);
            QCOMPARE(window.findChildren<itemWidget *>().size(), 5);
        }

        ItemInfo *t = list->tasks().first();
        t->process_status = TaskStatus::DownloadFailed;
        emit list->engine()->taskChanged(t);
        QCOMPARE(window.findChild<QLabel *>("label_downloaded")->text(), QString("11"));
        QCOMPARE(window.findChild<QLabel *>("label_downloaded_failure")->text(), QString("1"));
    }
};

QUILLON_TEST_MAIN(TestDownloadList)
#include "tst_downloadlist.moc"
