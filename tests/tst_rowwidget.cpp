#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <memory>

namespace {

QString text(itemWidget &row, const char *name)
{
    return row.findChild<QLabel *>(name)->text();
}

} // namespace

class TestRowWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<SqliteDBAOperator> m_db;
    QTemporaryDir m_dir;

    std::unique_ptr<ItemInfo> makeTask(int status)
    {
        auto t = std::make_unique<ItemInfo>();
        t->uniqueID = newUniqueId();
        t->url = "https://video.example/watch?v=abc";
        t->title = "A   title\twith  blanks";
        t->process_status = status;
        t->duration = 3725;
        t->rate = "1.00MiB/s";
        t->eta = "00:05";
        t->process = 45;
        t->process_string = "45.3%";
        t->qfilesize = "10.00MiB";
        t->path = m_dir.path();
        t->uploader = "Up";
        t->renametitle = "name";
        return t;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(QFileInfo(SqliteDBAOperator::defaultDatabasePath()).path());
        m_db = std::make_unique<SqliteDBAOperator>();
        QVERIFY(m_db->prepare());
    }

    void rowFollowsTheStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("statusText");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("progress");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("play");

        const QString url = "https://video.example/watch?v=abc";
        const QString title = "A title with blanks";
        QTest::newRow("waiting for analysis") << 0 << true << url << "Queuing"
                                              << "" << 0 << false << false;
        QTest::newRow("analysing") << 1 << true << url << "Analysing"
                                   << "" << 0 << true << false;
        QTest::newRow("queued") << 2 << true << title << "Queuing"
                                << "0%" << 0 << false << false;
        QTest::newRow("downloading") << 4 << true << title << "Downloading"
                                     << "45.3%" << 45 << true << false;
        QTest::newRow("finished") << 6 << true << title << "Finished"
                                  << "100%" << 100 << false << true;
        QTest::newRow("failed") << 7 << true << title << "Download Failed"
                                << "0%" << 0 << false << false;
        QTest::newRow("analysis failed") << 8 << true << url << "Download Failed"
                                         << "" << 0 << false << false;
        QTest::newRow("paused download") << 4 << false << title << "Pause"
                                         << "45.3%" << 45 << true << false;
    }

    void rowFollowsTheStatus()
    {
        QFETCH(int, status);
        QFETCH(bool, active);
        QFETCH(QString, title);
        QFETCH(QString, statusText);
        QFETCH(QString, percent);
        QFETCH(int, progress);
        QFETCH(bool, busy);
        QFETCH(bool, play);

        auto t = makeTask(status);
        t->active = active;
        itemWidget row;
        row.setTaskInfo(t.get());
        applyTaskToRow(*t, &row);

        QCOMPARE(text(row, "label_name"), title);
        QCOMPARE(text(row, "label_status"), statusText);
        QCOMPARE(text(row, "label_percent"), percent);
        QCOMPARE(row.findChild<QProgressBar *>("progressBar")->value(), progress);
        QCOMPARE(row.findChild<QLabel *>("label_xunhuan")->isVisibleTo(&row), busy);
        QCOMPARE(row.findChild<QPushButton *>("pushButton")->isVisibleTo(&row), play);
        QCOMPARE(text(row, "label_time"), QString("01:02:05"));
    }

    void progressFiguresAppearWhileDownloading()
    {
        auto t = makeTask(4);
        t->duration = -1;
        itemWidget row;
        applyTaskToRow(*t, &row);
        QCOMPARE(text(row, "label_sudu"), QString("1.00MiB/s"));
        QCOMPARE(text(row, "label_time_2"), QString("00:05"));
        QCOMPARE(text(row, "label_size"), QString("10.00MiB"));
        QVERIFY(text(row, "label_time").startsWith("00:00"));
    }

    void menuOffersStartOnlyWhenPaused()
    {
        auto t = makeTask(2);
        itemWidget row;
        row.setTaskInfo(t.get());
        QStringList names;
        for (QAction *a : row.menuActions())
            names << a->text();
        QCOMPARE(
            names, (QStringList {"Copy download link", "Open folder", "Delete", "Redownload"}));

        t->active = false;
        QCOMPARE(row.menuActions().first()->text(), QString("Start"));
        QSignalSpy work(&row, &itemWidget::senddoWork);
        row.startImages();
        QVERIFY(t->active);
        QCOMPARE(t->process_status, 2); // the code is not changed
        QCOMPARE(row.statusText(), QString("Queuing"));
        QCOMPARE(work.count(), 1);

        row.copyURl();
        QCOMPARE(QApplication::clipboard()->text(), t->url);
    }

    void redownloadRequeues_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("requeued");
        QTest::newRow("finished") << 6 << 2;
        QTest::newRow("download failed") << 7 << 2;
        QTest::newRow("analysis failed") << 8 << 0;
    }

    void redownloadRequeues()
    {
        QFETCH(int, status);
        QFETCH(int, requeued);
        ScriptedDialogs dialogs;
        auto t = makeTask(status);
        t->active = false;
        itemWidget row;
        row.setTaskInfo(t.get());
        QSignalSpy work(&row, &itemWidget::senddoWork);

        dialogs.answers << QMessageBox::No;
        row.on_pushButton_2_clicked();
        QCOMPARE(t->process_status, status);
        QCOMPARE(work.count(), 0);

        row.reloadImages(); // the menu entry does the same, answered Yes by default
        QCOMPARE(dialogs.calls.size(), 2);
        QCOMPARE(dialogs.calls.last().title, QString("Warnning"));
        QCOMPARE(t->process_status, requeued);
        QVERIFY(t->active);
        QCOMPARE(work.count(), 1);
    }

    void redownloadOfARunningTaskWaitsForItsSlot()
    {
        ScriptedDialogs dialogs;
        auto t = makeTask(4);
        t->running = true;
        itemWidget row;
        row.setTaskInfo(t.get());
        QSignalSpy work(&row, &itemWidget::senddoWork);
        row.on_pushButton_2_clicked();
        QVERIFY(t->requeueAfterRun);
        QCOMPARE(t->process_status, 4);
        QCOMPARE(work.count(), 0);
    }

    void deleteHidesAndStores()
    {
        ScriptedDialogs dialogs;
        auto t = makeTask(4);
        QVERIFY(m_db->insertTask(t.get()));
        itemWidget row;
        row.setTaskInfo(t.get());
        row.setDatabase(m_db.get());
        QSignalSpy deleted(&row, &itemWidget::senddelsig);

        dialogs.answers << QMessageBox::No;
        row.removeSelectedImages();
        QVERIFY(t->biaoji);
        row.removeSelectedImages();
        QVERIFY(!t->biaoji);
        QCOMPARE(deleted.count(), 1);
        QList<ItemInfo *> loaded;
        m_db->loadTasks(loaded);
        for (ItemInfo *l : loaded)
            QVERIFY(l->uniqueID != t->uniqueID);
        qDeleteAll(loaded);
    }

    void playAndOpenFolderUseTheFileOnDisk()
    {
        ScriptedDialogs dialogs;
        auto t = makeTask(6);
        itemWidget row;
        row.setTaskInfo(t.get());

        row.on_pushButton_clicked();
        row.selectFolder();
        QVERIFY(dialogs.openedUrls.isEmpty()); // nothing downloaded yet: nothing opens

        const QString folder = m_dir.path() + "//Up//";
        QDir().mkpath(folder);
        for (const char *name : {"name.mp4", "name.mkv"}) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        row.on_pushButton_clicked();
        row.on_pushButton_3_clicked();
        QCOMPARE(dialogs.openedUrls.size(), 2);
        QCOMPARE(dialogs.openedUrls[0], QUrl::fromLocalFile(folder + "name.mkv"));
        QCOMPARE(dialogs.openedUrls[1], QUrl::fromLocalFile(folder));
    }
};

QUILLON_TEST_MAIN(TestRowWidget)
#include "tst_rowwidget.moc"
