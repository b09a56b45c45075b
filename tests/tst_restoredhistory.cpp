#include "support/scripteddialogs.h"
#include "support/taskruns.h"
#include "support/testmain.h"

#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/listwidget.h"
#include "extractor/downloadcommand.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <memory>

// A history restored after a restart holds only what its rows show; what the
// user does with a restored task must still find everything that was stored.
class TestRestoredHistory : public QObject
{
    Q_OBJECT

    SqliteDBAOperator m_db; // the default connection, shared with the window
    QTemporaryDir m_downloads;

    // A finished download of link, stored as the program stores one.
    void storeFinished(const QString &word)
    {
        std::unique_ptr<ItemInfo> t(makeTask(word, TaskStatus::Finished, m_downloads.path()));
        t->title = "Title of " + word;
        t->renametitle = "name";
        t->targetPath = m_downloads.path() + "//name.mp4";
        QVERIFY(m_db.insertTask(t.get()));
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(QFileInfo(SqliteDBAOperator::defaultDatabasePath()).path());
    }

    // A window closes the shared connection when it goes.
    void init()
    {
        QVERIFY(m_db.prepare());
        QSqlQuery().exec("delete from student1");
    }

    // Copy link and the export of a list give the stored links of restored
    // tasks.
    void restoredRowsGiveTheirStoredLinks()
    {
        storeFinished("older");
        storeFinished("newer");
        ScriptedDialogs dialogs;
        MainWindow window;
        window.on_pushButton_clicked(); // load the history
        window.on_pushButton_downloadfinished_3_clicked();
        const QList<itemWidget *> rows = window.findChild<ListWidget *>()->shownRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0]->findChild<QLabel *>("label_name")->text(), QString("Title of newer"));

        rows[0]->menuActions().first()->trigger(); // copy link
        QCOMPARE(QApplication::clipboard()->text(), QString("https://video.example/watch/newer"));

        const QString file = m_downloads.path() + "/links.txt";
        dialogs.paths << file;
        window.findChild<QComboBox *>("comboBox_7")->setCurrentIndex(3); // the finished list
        window.findChild<QPushButton *>("pushButton_4")->click();
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()).split('\n', Qt::SkipEmptyParts),
            QStringList(
                {"https://video.example/watch/newer", "https://video.example/watch/older"}));
    }

    // A new download named like a restored one keeps its name when it is the
    // same video again (it finds its file), and gets a name of its own when
    // it is another video.
    void newDownloadsAreNamedAgainstRestoredOnes()
    {
        storeFinished("same");
        DownloadListController list;
        list.setDatabase(&m_db);
        holdSlots(&list);
        QCOMPARE(list.loadHistory(), 1);

        for (const QString word : {"other", "same"}) {
            ItemInfo *t = makeTask(word, TaskStatus::WaitingForDownload, m_downloads.path());
            t->renametitle = "name";
            t->targetPath = m_downloads.path() + "//name.mp4";
            t->cmd = "tool.exe -f 18 " + t->url + " -o \"" + outputTemplateArgument(t->targetPath)
                + "\"";
            list.addTask(t);
            QCOMPARE(t->renametitle == "name", word == "same");
            QVERIFY2(t->cmd.contains(t->renametitle), qPrintable(t->cmd));
        }
    }

    // Pictures of pages are loaded when the page is shown.
    void pagesShowTheirPictures()
    {
        ScriptedDialogs dialogs;
        MainWindow window;
        window.findChild<QPushButton *>("pushButton_onekey")->click();
        QVERIFY(!window.findChild<QLabel *>("label_oenkey2")->pixmap(Qt::ReturnByValue).isNull());
        window.findChild<QPushButton *>("pushButton_service")->click();
        window.findChild<QPushButton *>("pushButton_tab_step")->click();
        QVERIFY(!window.findChild<QLabel *>("label_4")->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(!window.findChild<QPushButton *>("pushButton_tab_step")->styleSheet().isEmpty());
    }
};

QUILLON_TEST_MAIN(TestRestoredHistory)
#include "tst_restoredhistory.moc"
