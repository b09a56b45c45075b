#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadlistcontroller.h"
#include "tasks/sqlitedbaoperator.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>
#include <tuple>
#include <utility>

class TestTaskDatabase : public QObject
{
    Q_OBJECT

    std::unique_ptr<SqliteDBAOperator> m_db;
    QList<ItemInfo *> m_loaded;

    QStringList reloadTitles()
    {
        cleanup();
        m_db->loadTasks(m_loaded);
        QStringList titles;
        for (const ItemInfo *t : qAsConst(m_loaded))
            titles << t->title;
        return titles;
    }

private slots:
    void initTestCase()
    {
        // First start: no file yet; the operator creates file and table.
        const QString path = SqliteDBAOperator::defaultDatabasePath();
        QVERIFY(!QFile::exists(path));
        QDir().mkpath(QFileInfo(path).path());
        m_db = std::make_unique<SqliteDBAOperator>();
        QVERIFY(m_db->prepare() && QFile::exists(path) && m_db->hasTaskTable());
    }

    void init() { QSqlQuery(QStringLiteral("delete from student1")); }
    void cleanup() { qDeleteAll(std::exchange(m_loaded, {})); }

    // Every field comes back as stored, whatever characters it holds.
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
        std::unique_ptr<ItemInfo> t(makeTask(QString(), TaskStatus::Finished));
        for (QString ItemInfo::*field : texts)
            (*t).*field = QStringLiteral("%1: It's \"q\"; DROP TABLE student1; -- 標題 Видео 🎬")
                              .arg(texts.indexOf(field));
        std::tie(t->duration, t->filesize, t->process) = std::make_tuple(212.7, 10485760.9, 100);
        QVERIFY(m_db->insertTask(t.get()));

        QCOMPARE(reloadTitles().size(), 1);
        const ItemInfo *b = m_loaded.first();
        QCOMPARE(b->uniqueID, t->uniqueID);
        for (QString ItemInfo::*field : texts)
            QCOMPARE((*b).*field, (*t).*field);
        // Numbers are stored as integers: the fraction is dropped, not rounded.
        QCOMPARE(QVector<double>({b->duration, b->filesize}), QVector<double>({212, 10485760}));
        QCOMPARE(QVector<int>({b->process, b->quality_num}), QVector<int>({100, t->quality_num}));

        // Loaded for the list, a record holds what the list shows and reads
        // the rest on demand; storing it meanwhile keeps what it does not hold.
        QList<ItemInfo *> listed;
        m_db->loadListedTasks(listed);
        std::unique_ptr<ItemInfo> l(listed.value(0));
        QVERIFY(l && !l->detailsLoaded && (l->cmd + l->uniqueID).isEmpty());
        QCOMPARE(
            l->title + m_db->storedLink(l.get()) + l->qfilesize, t->title + t->url + t->qfilesize);
        l->title = t->title = QStringLiteral("renamed");
        QVERIFY(m_db->updateTask(l.get()) && m_db->readDetails(l.get()) && l->detailsLoaded);
        for (QString ItemInfo::*field : texts)
            QCOMPARE((*l).*field, (*t).*field);
        QCOMPARE(l->uniqueID + l->quality_num, t->uniqueID + t->quality_num);
    }

    // After a restart nothing runs by itself: interrupted work comes back
    // paused at the step it can start again from, with its command intact.
    void loadNormalisesState()
    {
        const QString pause = TaskStatus::pause(), failed = TaskStatus::downloadFailed();
        // clang-format off
        const struct { int stored, loaded; bool active; QString status; } cases[] = {
            {0, 0, false, pause}, {1, 0, false, pause}, {2, 2, false, pause}, {3, 2, false, pause},
            {4, 2, false, pause}, {5, 2, false, pause}, {6, 6, true, TaskStatus::finished()},
            {7, 7, true, failed}, {8, 8, true, failed}, {9, 9, true, "as stored"},
        };
        // clang-format on
        for (const auto &c : cases) {
            init();
            std::unique_ptr<ItemInfo> t(makeTask(QStringLiteral("t"), c.stored));
            t->status = QStringLiteral("as stored");
            QVERIFY(m_db->insertTask(t.get()));
            QCOMPARE(reloadTitles().size(), 1);
            const ItemInfo *b = m_loaded[0];
            QCOMPARE(
                QString("%1 %2 %3 %4").arg(b->process_status).arg(b->active).arg(b->status, b->cmd),
                QString("%1 %2 %3 %4").arg(c.loaded).arg(c.active).arg(c.status, t->cmd));
        }
    }

    // Deleting hides a row but keeps it; updates never touch another row.
    void deletedRowsStayButAreNotLoaded()
    {
        QList<ItemInfo *> made; // "-": a deleted row
        for (const char *word : {"a", "-b", "c", "-d", "e"}) {
            made << makeTask(QString(word).remove('-'), TaskStatus::Finished);
            made.last()->biaoji = word[0] != '-';
            QVERIFY(m_db->insertTask(made.last()));
        }
        QCOMPARE(reloadTitles(), QStringList({"a", "c", "e"}));
        QCOMPARE(m_loaded[2]->id, 2); // numbered in load order; deleted rows use no number

        // An update is keyed by the unique id: a rename, a deletion.
        made[0]->title = QStringLiteral("a renamed");
        made[2]->biaoji = false;
        QVERIFY(m_db->updateTask(made[0]) && m_db->updateTask(made[2]));
        QCOMPARE(reloadTitles(), QStringList({"a renamed", "e"}));

        // A task never inserted changes nothing; a second insert is refused;
        // a second operator shares the file and keeps every row.
        QVERIFY(m_db->updateTask(std::unique_ptr<ItemInfo>(makeTask("ghost")).get()));
        QVERIFY(!m_db->insertTask(made[4]));
        QVERIFY(SqliteDBAOperator().prepare());
        QSqlQuery rows(QStringLiteral("select count(*) from student1"));
        QVERIFY(rows.next() && rows.value(0).toInt() == 5);
        qDeleteAll(made);
    }

    // Another copy writing at the same moment does not lose this copy's write.
    void writeWaitsForAnotherCopyHoldingTheLock()
    {
        // A second copy of the program holds a write transaction for a while.
        std::atomic<bool> locked {false}, otherOk {false};
        std::thread other([&] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other-copy");
                db.setDatabaseName(SqliteDBAOperator::defaultDatabasePath());
                const bool opened = db.open();
                QSqlQuery q(db);
                otherOk = opened && q.exec("BEGIN IMMEDIATE")
                    && q.exec("insert into student1(uniqueID,biaoji) values('other',1)");
                locked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                otherOk = otherOk && q.exec("COMMIT");
            }
            QSqlDatabase::removeDatabase("other-copy");
        });
        while (!locked)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

        std::unique_ptr<ItemInfo> mine(makeTask(QStringLiteral("this copy")));
        const bool inserted = m_db->insertTask(mine.get());
        mine->process_status = TaskStatus::Finished;
        const bool updated = m_db->updateTask(mine.get());
        other.join();
        QVERIFY(otherOk && inserted && updated);
        QCOMPARE(reloadTitles().size(), 2);
    }

    // A file that is no task database is kept aside, never deleted, and a
    // fresh one takes new tasks; a database that cannot be written is
    // reported once, however many writes fail.
    void damagedOrUnwritableDatabaseIsNeverSilent()
    {
        const QString path = m_db->databasePath();
        for (const QByteArray &damage : {QByteArray("garbage, not a database"), QByteArray()}) {
            m_db->closeDatabase();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray written
                = damage.isEmpty() ? file.readAll().left(file.size() / 3) : damage;
            QVERIFY(file.resize(0) && file.seek(0) && file.write(written) == written.size());
            file.close();
            const SqliteDBAOperator::Opened opened = m_db->prepareOrRecover();
            QFile kept(opened.keptAside);
            QVERIFY(opened.ok && kept.open(QIODevice::ReadOnly) && kept.readAll() == written);
            std::unique_ptr<ItemInfo> t(makeTask(QStringLiteral("after")));
            QVERIFY(m_db->insertTask(t.get()) && QFile::remove(opened.keptAside));
            QThread::sleep(1); // a new name for the next damaged file
        }

        DownloadListController list;
        list.setDatabase(m_db.get());
        m_db->closeDatabase();
        QSignalSpy failed(&list, &DownloadListController::storeFailed);
        for (const char *word : {"one", "two"})
            list.addTask(makeTask(QString::fromLatin1(word)));
        list.deleteTask(list.tasks().first());
        QCOMPARE(failed.count(), 1);
    }
};

QUILLON_TEST_MAIN(TestTaskDatabase)
#include "tst_taskdatabase.moc"
