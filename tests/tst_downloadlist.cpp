#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/taskruns.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/listrules.h"
#include "downloads/listwidget.h"
#include "downloads/thumbnailcache.h"
#include "downloads/thumbnailfetch.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QBuffer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQuery>

using namespace ListRules;

namespace {

QByteArray png(int width, int height)
{
    QByteArray data;
    QBuffer buffer(&data);
    QImage(width, height, QImage::Format_RGB32).save(&buffer, "PNG");
    return data;
}

// Waits until the cache has no request left; false when that takes too long.
bool settled(ThumbnailCache &cache)
{
    QSignalSpy finished(&cache, &ThumbnailCache::finished);
    while (cache.pending() > 0) {
        if (!finished.wait(10000))
            return false;
    }
    return true;
}

QSize pictureSize(itemWidget *row)
{
    return row->findChild<QLabel *>("label")->pixmap(Qt::ReturnByValue).size();
}

} // namespace

// The download list's state and actions, through its controller, with every
// process slot held (the engine is tested on its own); what its rows show,
// their pictures included; that a row's buttons reach it through the window.
class TestDownloadList : public QObject
{
    Q_OBJECT

    SqliteDBAOperator m_db; // the default connection, shared with the window
    std::unique_ptr<DownloadListController> m_list;
    QTemporaryDir m_downloads;

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

    // Play and open folder find the file really written, in either folder
    // layout, before and after a restart.
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
        // Downloaded into a folder of its own, it is found there first; a
        // folder named like a file is no file.
        QDir().mkpath(folder + "name//name.avi");
        QFile(folder + "name//name.mp4.webm").open(QIODevice::WriteOnly);
        QCOMPARE(m_list->fileToPlay(t), folder + "name//name.mp4.webm");
        QCOMPARE(m_list->folderToOpen(t), folder + "name//");
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

    // A row shows its task by its status: status word, percent text,
    // progress bar, busy animation, play button.
    void rowFollowsTheStatus()
    {
        // clang-format off
        const struct { int status; bool active; const char *shown; } cases[] = {
            {0, true, "Queuing 0"},                      // waiting for analysis
            {1, true, "Analysing 0 busy"},
            {2, true, "Queuing 0% 0"},                   // queued for download
            {4, true, "Downloading 45.3% 45 busy"},
            {6, true, "Finished 100% 100 play"},
            {7, true, "Download Failed 0% 0"},
            {8, true, "Download Failed 0"},              // analysis failed
            {4, false, "Pause 45.3% 45 busy"}};
        // clang-format on
        for (const auto &c : cases) {
            std::unique_ptr<ItemInfo> t(makeTask("row", c.status));
            t->title = "A   title\twith  blanks";
            t->active = c.active;
            t->duration = 3725;
            t->process = 45;
            t->process_string = "45.3%";
            itemWidget row;
            applyTaskToRow(*t, &row);
            auto label = [&](const char *name) { return row.findChild<QLabel *>(name)->text(); };
            const QStringList actual {label("label_status"), label("label_percent"),
                QString::number(row.findChild<QProgressBar *>()->value()),
                row.findChild<QLabel *>("label_xunhuan")->isVisibleTo(&row) ? "busy" : "",
                row.findChild<QPushButton *>("pushButton")->isVisibleTo(&row) ? "play" : ""};
            QCOMPARE(actual.join(' ').simplified(), QString(c.shown));
            // Until the analysis gave a title the link is all there is to show.
            QCOMPARE(label("label_name"),
                c.status <= 1 || c.status == 8 ? t->url : "A title with blanks");
            QCOMPARE(label("label_time"), QString("01:02:05"));
        }
    }

    // Thumbnails come through whichever proxy is in use, scaled for the
    // screen; an error page is no picture; of two requests for one task the
    // later decides, whichever answers first.
    void cacheFetchesThroughTheProxyInUse()
    {
        ProxyServerProcess http {ProxyServerProcess::Http}, socks {ProxyServerProcess::Socks5};
        LoopbackHttpServer server;
        QVERIFY(http.start() && socks.start() && server.listen());
        server.route("/vi/abc123/1.jpg", png(480, 360), "image/png");
        ScopedEnv base("QUILLON_THUMBNAIL_BASE", server.url("/vi/").toString().toUtf8());
        Global::SCALE = 1.5;
        ThumbnailCache cache;
        const QString address = Thumbnail::address("https://v.example/watch?a=1&v=abc123");
        for (const int port : {0, int(http.port()), int(socks.port())}) {
            Global::PROXY_PORT = port;
            Global::PROXY_IS_SOCKS5 = port == socks.port();
            const QString key = QString("task%1").arg(port);
            cache.request(key, address);
            QVERIFY(settled(cache));
            QCOMPARE(cache.pixmap(key).size(), QSize(180, 102));
            QCOMPARE(server.requests().last().headers.contains("via"), port == http.port());
        }
        Global::PROXY_PORT = 0;

        cache.request(
            "missing", Thumbnail::address("x=abc123", server.url("/missing.png").toString()));
        QVERIFY(settled(cache));
        QCOMPARE(server.requests().last().path, QByteArray("/missing.png"));
        QVERIFY(cache.pixmap("missing").isNull());

        cache.request("twice", address);
        cache.request("twice", server.url("/missing.png").toString());
        QVERIFY(settled(cache));
        QVERIFY(cache.pixmap("twice").isNull());
    }

    // An analysed task's row shows its picture when it arrives; a row that
    // moves on to another task shows that task's picture, not the last one.
    void rowsShowTheirOwnTaskPicture()
    {
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        server.route("/vi/first/1.jpg", png(160, 90), "image/png");
        ScopedEnv base("QUILLON_THUMBNAIL_BASE", server.url("/vi/").toString().toUtf8());
        Global::PROXY_PORT = 0;
        Global::SCALE = 1.0;
        ScriptedDialogs dialogs;
        MainWindow window;
        DownloadListController *list = window.downloadList();
        holdSlots(list);
        for (int i = 6; i >= 1; --i)
            list->addTask(makeTask(i == 1 ? "watch?v=first" : QString("watch?v=%1").arg(i),
                TaskStatus::WaitingForDownload));
        window.on_pushButton_downloadfinished_2_clicked();
        ItemInfo *first = list->tasks().last();
        itemWidget *row = window.findChild<ListWidget *>()->rowFor(first);
        QVERIFY(row);
        const QSize plain = pictureSize(row);

        emit list->thumbnailFound(first); // as the engine does after the analysis
        QTRY_COMPARE_WITH_TIMEOUT(pictureSize(row), QSize(120, 68), 10000);
        window.on_verticalScrollBar_valueChanged(1);
        QCOMPARE(window.findChild<ListWidget *>()->rowFor(first), nullptr);
        QCOMPARE(row->task(), list->tasks().first());
        QCOMPARE(pictureSize(row), plain);
    }
};

QUILLON_TEST_MAIN(TestDownloadList)
#include "tst_downloadlist.moc"
