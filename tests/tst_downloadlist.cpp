#include "support/fakeextractor.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/listwidget.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <memory>

class TestDownloadList : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeExtractor> m_fake;
    std::unique_ptr<ScopedCurrentDir> m_cwd;
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_downloads;

    ItemInfo *add(const QString &title, int status, bool active = true)
    {
        auto *t = new ItemInfo;
        t->uniqueID = newUniqueId();
        t->title = title;
        t->url = "https://video.example/watch/ok-" + title;
        t->cmd = "tool.exe -j " + t->url;
        t->process_status = status;
        t->active = active;
        t->quality_num = 8;
        t->path = m_downloads.path();
        m_window->addTask(t);
        return t;
    }

    QStringList shownTitles() const
    {
        QStringList out;
        for (itemWidget *row : m_window->listWidget->shownRows())
            out << row->task()->title;
        return out;
    }

    QString label(const char *name) const { return m_window->findChild<QLabel *>(name)->text(); }
    QScrollBar *scrollBar() const { return m_window->findChild<QScrollBar *>("verticalScrollBar"); }

private slots:
    void initTestCase()
    {
        m_fake = std::make_unique<FakeExtractor>();
        m_cwd = std::make_unique<ScopedCurrentDir>(m_fake->folder());
        m_window = std::make_unique<MainWindow>();
        m_window->downloadEngine->setFinishWait(100);
        QTest::qWait(300); // the history load (empty) has run
    }

    void viewsCountersAndPaging()
    {
        for (int i = 1; i <= 7; ++i)
            add(QString("f%1").arg(i), 6);
        add("paused", 2, false);
        add("failed download", 7);
        add("failed analysis", 8);

        m_window->on_pushButton_downloadfinished_3_clicked();
        QCOMPARE(label("label_downloaded"), QString("7"));
        QCOMPARE(label("label_all"), QString("1"));
        QCOMPARE(label("label_downloaded_failure"), QString("2"));
        QCOMPARE(label("label_downloading"), QString("0"));
        QCOMPARE(shownTitles(), (QStringList {"f7", "f6", "f5", "f4", "f3"}));
        QCOMPARE(scrollBar()->maximum(), 2);

        scrollBar()->setValue(2); // paging reaches the oldest
        QCOMPARE(shownTitles(), (QStringList {"f5", "f4", "f3", "f2", "f1"}));
        QCOMPARE(m_window->listWidget->height(), (5 * 88 + 1));

        // A tab click returns to the newest of its view and sets the buttons.
        m_window->on_pushButton_downloadfinished_failure_clicked();
        QCOMPARE(scrollBar()->value(), 0);
        QCOMPARE(shownTitles(), (QStringList {"failed analysis", "failed download"}));
        auto *del = m_window->findChild<QPushButton *>("pushButton_downloadfinished_5");
        auto *retry = m_window->findChild<QPushButton *>("pushButton_downloadfinished_retry");
        QVERIFY(!del->isHidden());
        QVERIFY(!retry->isHidden());
        m_window->on_pushButton_downloadfinished_2_clicked();
        QVERIFY(del->isHidden());
        QVERIFY(retry->isHidden());
        QVERIFY(shownTitles().isEmpty());
        QCOMPARE(m_window->listWidget->height(), 1);
    }

    void bulkDeleteHidesTheViewAndStoresIt()
    {
        ScriptedDialogs dialogs;
        m_window->on_pushButton_downloadfinished_failure_clicked();
        dialogs.answers << QMessageBox::No;
        m_window->on_pushButton_downloadfinished_5_clicked();
        QCOMPARE(label("label_downloaded_failure"), QString("2"));

        m_window->on_pushButton_downloadfinished_5_clicked();
        QCOMPARE(dialogs.calls.last().text, QString("Are you sure to delete this items?"));
        QCOMPARE(label("label_downloaded_failure"), QString("0"));
        QVERIFY(shownTitles().isEmpty());
        QCOMPARE(m_window->taskList.size(), 10); // hidden, not removed

        QList<ItemInfo *> stored;
        m_window->sqliteOperator->loadTasks(stored);
        QCOMPARE(stored.size(), 8);
        qDeleteAll(stored);
    }

    void retryButtonActsOnlyOnTheFailedView()
    {
        ScriptedDialogs dialogs;
        ItemInfo *failed = add("to retry", 8);
        m_window->on_pushButton_downloadfinished_3_clicked();
        m_window->on_pushButton_downloadfinished_retry_clicked();
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(failed->process_status, 8);

        m_window->on_pushButton_downloadfinished_failure_clicked();
        m_window->on_pushButton_downloadfinished_retry_clicked();
        QVERIFY(failed->process_status <= 1);
        QTRY_COMPARE_WITH_TIMEOUT(failed->process_status, 6, 20000);
    }

    void pausedTaskMovesBetweenCounts()
    {
        m_window->on_pushButton_downloadfinished_2_clicked();
        m_window->anaprocessnum = 0; // keep it waiting
        ItemInfo *t = add("waiting", 0);
        m_window->opendisplayall();
        const int inProgress = label("label_downloading").toInt();
        const int paused = label("label_all").toInt();
        t->active = false;
        m_window->opendisplayall();
        QCOMPARE(label("label_downloading").toInt(), inProgress - 1);
        QCOMPARE(label("label_all").toInt(), paused + 1);
        t->active = true;
        m_window->opendisplayall();
        QCOMPARE(label("label_downloading").toInt(), inProgress);
        m_window->anaprocessnum = 1;
        m_window->runScheduler();
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 6, 20000);
    }

    void wheelPagesOnlyOverTheList()
    {
        for (int i = 0; i < 12; ++i)
            add(QString("more%1").arg(i), 6);
        m_window->on_pushButton_downloadfinished_3_clicked();
        auto *main = m_window->findChild<QStackedWidget *>("stackedWidget");
        auto *inner = m_window->findChild<QStackedWidget *>("stackedWidget_2");
        main->setCurrentIndex(0);
        inner->setCurrentIndex(1);
        QWidget *frame = m_window->findChild<QWidget *>("frame_main");
        const QPoint inside = frame->mapToGlobal(frame->rect().center());
        const QPoint local = m_window->mapFromGlobal(inside);

        auto wheel = [&](int delta, const QPoint &at) {
            QWheelEvent e(m_window->mapFromGlobal(at), at, QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_window.get(), &e);
        };
        QCOMPARE(scrollBar()->value(), 0);
        wheel(-120, inside); // towards the user: five rows further
        QCOMPARE(scrollBar()->value(), 5);
        wheel(120, inside);
        QCOMPARE(scrollBar()->value(), 0);

        main->setCurrentIndex(1); // popular lists shown: nothing happens
        wheel(-120, inside);
        QCOMPARE(scrollBar()->value(), 0);
        main->setCurrentIndex(0);
        wheel(-120, m_window->mapToGlobal(QPoint(2, 2))); // outside the list frame
        QCOMPARE(scrollBar()->value(), 0);
        Q_UNUSED(local);
    }

    void restartRestoresPausedAndStartAllFinishes()
    {
        // Tasks as a previous run left them: analysing, downloading (cut
        // off), finished.
        const QList<int> states {1, 4, 6};
        for (int status : states) {
            ItemInfo t;
            t.uniqueID = newUniqueId();
            t.title = QString("stored %1").arg(status);
            t.url = "https://video.example/watch/ok-stored" + QString::number(status);
            t.cmd = "tool.exe -j " + t.url;
            t.process_status = status;
            t.path = m_downloads.path();
            t.quality_num = 8;
            QVERIFY(m_window->sqliteOperator->insertTask(&t));
        }
        QList<ItemInfo *> stored;
        const int before = m_window->sqliteOperator->loadTasks(stored);
        qDeleteAll(stored);

        m_window.reset();
        m_window = std::make_unique<MainWindow>();
        m_window->downloadEngine->setFinishWait(100);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->taskList.size(), before, 5000);

        QHash<QString, ItemInfo *> byTitle;
        for (ItemInfo *t : qAsConst(m_window->taskList))
            byTitle.insert(t->title, t);
        QCOMPARE(byTitle["stored 1"]->process_status, 0);
        QCOMPARE(byTitle["stored 4"]->process_status, 2);
        QCOMPARE(byTitle["stored 6"]->process_status, 6);
        for (const char *title : {"stored 1", "stored 4"}) {
            QVERIFY(!byTitle[title]->active);
            QVERIFY(byTitle[title]->row);
            QCOMPARE(byTitle[title]->row->statusText(), QString("Pause"));
        }
        auto *inner = m_window->findChild<QStackedWidget *>("stackedWidget_2");
        QCOMPARE(inner->currentIndex(), 1);
        QTest::qWait(300);
        for (const char *title : {"stored 1", "stored 4"})
            QVERIFY(!byTitle[title]->running); // nothing starts by itself

        m_window->on_pushButton_downloadfinished_4_clicked(); // pause all
        m_window->on_pushButton_downloadfinished_4_clicked(); // start all
        QTRY_COMPARE_WITH_TIMEOUT(byTitle["stored 1"]->process_status, 6, 30000);
        // The cut-off one still has its analysis command: analysed, then done.
        QTRY_COMPARE_WITH_TIMEOUT(byTitle["stored 4"]->process_status, 6, 30000);
    }
};

QUILLON_TEST_MAIN(TestDownloadList)
#include "tst_downloadlist.moc"
