#include "support/testmain.h"

#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <atomic>
#include <memory>
#include <thread>

namespace {

ItemInfo *makeTask(const QString &title, int status, bool listed = true)
{
    auto *t = new ItemInfo;
    t->uniqueID = newUniqueId();
    t->title = title;
    t->url = QStringLiteral("https://video.example/watch?v=") + t->uniqueID.left(8);
    t->cmd = QStringLiteral("tool.exe -j ") + t->url;
    t->process_status = status;
    t->biaoji = listed;
    t->status = TaskStatus::queuing();
    return t;
}

} // namespace

class TestTaskDatabase : public QObject
{
    Q_OBJECT

    std::unique_ptr<SqliteDBAOperator> m_db;
    QList<ItemInfo *> m_loaded;

    void reload()
    {
        qDeleteAll(m_loaded);
        m_loaded.clear();
        m_db->loadTasks(m_loaded);
    }

    int rowCount()
    {
        QSqlQuery q(QSqlDatabase::database());
        q.exec(QStringLiteral("select count(*) from student1"));
        q.next();
        return q.value(0).toInt();
    }

private slots:
    void firstStartCreatesFileAndTable()
    {
        const QString path = SqliteDBAOperator::defaultDatabasePath();
        QVERIFY(path.endsWith(QStringLiteral("/MACAddrs.db")));
        QVERIFY(!QFile::exists(path));
        QDir().mkpath(QFileInfo(path).path());

        m_db = std::make_unique<SqliteDBAOperator>();
        QVERIFY(m_db->prepare());
        QVERIFY(QFile::exists(path));
        QVERIFY(m_db->hasTaskTable());
        reload();
        QVERIFY(m_loaded.isEmpty());

        // A second operator takes the same default connection; the table is kept.
        SqliteDBAOperator again;
        QVERIFY(again.prepare());
        QVERIFY(again.hasTaskTable());
    }

    void init()
    {
        QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("delete from student1"));
    }

    void cleanup()
    {
        qDeleteAll(m_loaded);
        m_loaded.clear();
    }

    void everyFieldRoundTripsExactly()
    {
        // Every text column gets a value of its own (quotes, SQL, non-Latin
        // letters, emoji), so a column bound to the wrong place shows.
        const QList<QString ItemInfo::*> texts {&ItemInfo::agentCmd, &ItemInfo::bestaudio_id,
            &ItemInfo::cmd, &ItemInfo::eta, &ItemInfo::ext, &ItemInfo::limitRate, &ItemInfo::path,
            &ItemInfo::process_string, &ItemInfo::qfilesize, &ItemInfo::qianruzimu,
            &ItemInfo::quality, &ItemInfo::rate, &ItemInfo::renametargetPath,
            &ItemInfo::renametitle, &ItemInfo::targetPath, &ItemInfo::thumbnailUrl,
            &ItemInfo::title, &ItemInfo::url, &ItemInfo::zhuanhuan, &ItemInfo::zimu};
        std::unique_ptr<ItemInfo> t(makeTask(QString(), 6));
        int n = 0;
        for (QString ItemInfo::*field : texts)
            (*t).*field
                = QStringLiteral("%1: It's \"q\"; DROP TABLE student1; -- 標題 Видео 🎬").arg(n++);
        t->id = 41;
        t->duration = 212.7;
        t->filesize = 10485760.9;
        t->process = 100;
        t->quality_num = 5;
        QVERIFY(m_db->insertTask(t.get()));

        reload();
        QCOMPARE(m_loaded.size(), 1);
        const ItemInfo *b = m_loaded.first();
        QCOMPARE(b->uniqueID, t->uniqueID);
        for (QString ItemInfo::*field : texts)
            QCOMPARE((*b).*field, (*t).*field);
        QCOMPARE(b->duration, 212.0); // the fraction is dropped, not rounded
        QCOMPARE(b->filesize, 10485760.0);
        QCOMPARE(b->process, 100);
        QCOMPARE(b->process_status, 6);
        QCOMPARE(b->quality_num, 5);
        QCOMPARE(b->status, TaskStatus::finished());
        QCOMPARE(b->id, 0); // numbered in load order, the stored id is ignored
        QCOMPARE(rowCount(), 1);
    }

    void loadNormalisesState_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("status");

        const QString pause = TaskStatus::pause();
        QTest::newRow("waiting for analysis") << 0 << 0 << false << pause;
        QTest::newRow("analysing") << 1 << 0 << false << pause;
        QTest::newRow("waiting for download") << 2 << 2 << false << pause;
        QTest::newRow("downloading 3") << 3 << 2 << false << pause;
        QTest::newRow("downloading 4") << 4 << 2 << false << pause;
        QTest::newRow("post-processing") << 5 << 2 << false << pause;
        QTest::newRow("finished") << 6 << 6 << true << TaskStatus::finished();
        QTest::newRow("download failed") << 7 << 7 << true << TaskStatus::downloadFailed();
        QTest::newRow("analysis failed") << 8 << 8 << true << TaskStatus::downloadFailed();
        QTest::newRow("unknown code kept") << 9 << 9 << true << TaskStatus::queuing();
    }

    void loadNormalisesState()
    {
        QFETCH(int, stored);
        QFETCH(int, loaded);
        QFETCH(bool, active);
        QFETCH(QString, status);

        std::unique_ptr<ItemInfo> t(makeTask(QStringLiteral("t"), stored));
        t->cmd = QStringLiteral(
            "tool.exe --no-cache-dir  -i --newline  -f mp4  https://v.example/a -o \"/x//a.mp4\"");
        QVERIFY(m_db->insertTask(t.get()));
        reload();
        QCOMPARE(m_loaded.size(), 1);
        QCOMPARE(m_loaded[0]->process_status, loaded);
        QCOMPARE(m_loaded[0]->active, active);
        QCOMPARE(m_loaded[0]->status, status);
        QCOMPARE(m_loaded[0]->cmd, t->cmd); // a cut-off download keeps its command
    }

    void deletedRowsAreSkippedWithoutUsingAnId()
    {
        QList<ItemInfo *> made {makeTask("a", 6), makeTask("b", 6, false), makeTask("c", 7),
            makeTask("d", 6, false), makeTask("e", 2)};
        for (ItemInfo *t : made)
            QVERIFY(m_db->insertTask(t));

        reload();
        QCOMPARE(m_loaded.size(), 3);
        QCOMPARE(m_loaded[0]->title, QStringLiteral("a"));
        QCOMPARE(m_loaded[1]->title, QStringLiteral("c"));
        QCOMPARE(m_loaded[2]->title, QStringLiteral("e"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m_loaded[i]->id, i);
        qDeleteAll(made);
    }

    void updateIsKeyedByUniqueId()
    {
        std::unique_ptr<ItemInfo> a(makeTask("a", 4));
        std::unique_ptr<ItemInfo> b(makeTask("b", 4));
        QVERIFY(m_db->insertTask(a.get()));
        QVERIFY(m_db->insertTask(b.get()));

        b->process_status = 6;
        b->process = 100;
        b->title = QStringLiteral("b renamed");
        QVERIFY(m_db->updateTask(b.get()));
        a->biaoji = false; // the user deleted it
        QVERIFY(m_db->updateTask(a.get()));

        reload();
        QCOMPARE(m_loaded.size(), 1);
        QCOMPARE(m_loaded[0]->title, QStringLiteral("b renamed"));
        QCOMPARE(m_loaded[0]->process_status, 6);
        QCOMPARE(rowCount(), 2); // deleted tasks stay as rows

        // Updating a task that was never inserted changes nothing.
        std::unique_ptr<ItemInfo> ghost(makeTask("ghost", 6));
        QVERIFY(m_db->updateTask(ghost.get()));
        QCOMPARE(rowCount(), 2);

        // The primary key refuses a second insert of the same task.
        QVERIFY(!m_db->insertTask(b.get()));
    }

    void writeWaitsForAnotherCopyHoldingTheLock()
    {
        // A second copy of the program holds a write transaction for a while.
        const QString path = SqliteDBAOperator::defaultDatabasePath();
        std::atomic<bool> locked {false};
        std::atomic<bool> otherOk {false};
        std::thread other([&] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(
                    QStringLiteral("QSQLITE"), QStringLiteral("other-copy"));
                db.setDatabaseName(path);
                if (db.open()) {
                    QSqlQuery q(db);
                    otherOk = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
                    std::unique_ptr<ItemInfo> t(makeTask(QStringLiteral("from the other copy"), 2));
                    q.prepare(
                        QStringLiteral("insert into student1(uniqueID,title,biaoji,process_status) "
                                       "values(?,?,1,6)"));
                    q.addBindValue(t->uniqueID);
                    q.addBindValue(t->title);
                    otherOk = otherOk && q.exec();
                    locked = true;
                    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                    otherOk = otherOk && q.exec(QStringLiteral("COMMIT"));
                    db.close();
                }
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other-copy"));
        });
        while (!locked)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

        std::unique_ptr<ItemInfo> mine(makeTask(QStringLiteral("from this copy"), 2));
        const bool inserted = m_db->insertTask(mine.get());
        mine->process_status = 6;
        const bool updated = m_db->updateTask(mine.get());
        other.join();

        QVERIFY(otherOk);
        QVERIFY(inserted);
        QVERIFY(updated);
        reload();
        QStringList titles;
        for (ItemInfo *t : m_loaded)
            titles << t->title;
        QVERIFY(titles.contains(QStringLiteral("from the other copy")));
        QVERIFY(titles.contains(QStringLiteral("from this copy")));
    }

    void uniqueIdsAre32LowerHexAndDistinct()
    {
        const QRegularExpression shape(QStringLiteral("^[0-9a-f]{32}$"));
        QSet<QString> seen;
        for (int i = 0; i < 1000; ++i) {
            const QString id = newUniqueId();
            QVERIFY2(shape.match(id).hasMatch(), qPrintable(id));
            seen.insert(id);
        }
        QCOMPARE(seen.size(), 1000);
    }
};

QUILLON_TEST_MAIN(TestTaskDatabase)
#include "tst_taskdatabase.moc"
