#include "support/loopbackhttpserver.h"
#include "support/mediafixture.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/itemwidget.h"
#include "downloads/myqprocess.h"
#include "downloads/outputlookup.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QProgressBar>
#include <csignal>
#include <memory>

// The whole download path with the real extractor and ffmpeg on media served
// on 127.0.0.1: tasks created exactly as link intake creates them, run by the
// window's scheduler.
class TestDownloadFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_downloads;

    ItemInfo *queue(const QString &link, int quality, const QString &rate = QString())
    {
        auto *t = new ItemInfo;
        t->uniqueID = newUniqueId();
        t->url = link;
        t->cmd = "tool.exe -j " + link;
        t->process_status = 0;
        t->quality_num = quality;
        t->limitRate = rate;
        t->path = m_downloads.path();
        m_window->addTask(t);
        m_window->rowFor(t);
        return t;
    }

    static QString rowText(ItemInfo *t, const char *label)
    {
        return t->row->findChild<QLabel *>(label)->text();
    }

    QByteArray fixtureFile(const QString &name)
    {
        QFile f(m_media->folder() + "/" + name);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QString workerPath() const
    {
        return QCoreApplication::applicationDirPath() + "/quillon_worker";
    }

    // Processes whose command line mentions marker.
    static QList<int> processesMentioning(const QByteArray &marker)
    {
        QList<int> pids;
        const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &e : entries) {
            bool number = false;
            const int pid = e.toInt(&number);
            if (!number || pid == QCoreApplication::applicationPid())
                continue;
            QFile cmdline("/proc/" + e + "/cmdline");
            if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(marker))
                pids << pid;
        }
        return pids;
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        m_window = std::make_unique<MainWindow>();
        QTest::qWait(300);
    }

    void dashManifestIsAnalysedDownloadedAndMerged()
    {
        ItemInfo *t = queue(m_media->dashUrl(), 8); // " SD 360P"
        m_window->runScheduler();
        QCOMPARE(t->process_status, 1);
        QCOMPARE(m_window->downloadEngine->processList[0]->task, t);
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 6, 90000);

        QCOMPARE(t->title, QString("manifest"));
        QCOMPARE(t->quality, QString(" -f 1+2 "));
        const QString file = OutputLookup::findFile(*t);
        QVERIFY2(!file.isEmpty(), qPrintable(t->targetPath));
        QVERIFY(QFileInfo(file).size() > 1000);
        QVERIFY(file.startsWith(m_downloads.path()));
        QCOMPARE(rowText(t, "label_status"), QString("Finished"));
        QCOMPARE(rowText(t, "label_percent"), QString("100%"));
        QCOMPARE(t->row->findChild<QProgressBar *>("progressBar")->value(), 100);

        QList<ItemInfo *> stored;
        m_window->sqliteOperator->loadTasks(stored);
        bool found = false;
        for (ItemInfo *s : stored)
            found = found
                || (s->uniqueID == t->uniqueID && s->process_status == 6 && s->cmd == t->cmd);
        qDeleteAll(stored);
        QVERIFY(found);
    }

    void missingLinkFailsItsAnalysis()
    {
        ItemInfo *t = queue(m_media->missingUrl(), 8);
        m_window->runScheduler();
        QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 8, 60000);
        QCOMPARE(rowText(t, "label_status"), QString("Download Failed"));
        QTRY_VERIFY(!t->running);
    }

    void downloadThatBreaksOffFails()
    {
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        const QByteArray clip = fixtureFile("plain.mp4");
        QVERIFY(clip.size() > 4000);
        server.routeTruncated("/broken.mp4", clip.left(clip.size() / 3), clip.size(), "video/mp4");

        ItemInfo *t = queue(server.url("/broken.mp4").toString(), 0);
        m_window->runScheduler();
        QTRY_VERIFY_WITH_TIMEOUT(t->process_status == 7 || t->process_status == 8, 90000);
        QCOMPARE(t->process_status, 7);
        QVERIFY(t->process < 100);
        QTRY_VERIFY(!t->running);
    }

    void downloadLimitHoldsWithRealDownloads_data()
    {
        QTest::addColumn<int>("processnum");
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }

    void downloadLimitHoldsWithRealDownloads()
    {
        QFETCH(int, processnum);
        m_window->processnum = processnum;
        m_window->availabe_anakey = processnum;
        m_window->anaprocessnum = 2;
        QList<ItemInfo *> tasks;
        for (int i = 0; i < 3; ++i) {
            const QString link
                = m_media->plainMp4Url() + QString("?limit%1-%2").arg(processnum).arg(i);
            tasks << queue(link, 0, "20K");
        }
        int peak = 0;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout,
            [&] { peak = qMax(peak, m_window->downloadEngine->busyDownloads()); });
        sampler.start(20);
        m_window->runScheduler();
        for (ItemInfo *t : tasks)
            QTRY_COMPARE_WITH_TIMEOUT(t->process_status, 6, 120000);
        sampler.stop();
        QCOMPARE(peak, processnum);
        m_window->processnum = 3;
    }

    void killedProgramLosesNoTask()
    {
        // Another copy of the program downloads slowly; it is killed midway.
        const QByteArray marker = "crash-" + newUniqueId().toLatin1();
        const QString link = m_media->plainMp4Url() + "?" + QString::fromLatin1(marker);
        QProcess worker;
        worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker.start(workerPath(),
            {link, "0", "2K", m_downloads.path(), QCoreApplication::applicationName()});
        QVERIFY(worker.waitForStarted());
        QVERIFY(worker.waitForReadyRead(30000));
        const QString uniqueID = QString::fromLatin1(worker.readAll()).section(' ', 1).trimmed();
        QCOMPARE(uniqueID.size(), 32);

        // Wait until its extractor is downloading.
        QTRY_VERIFY_WITH_TIMEOUT(!processesMentioning("--no-cache-dir").isEmpty()
                && !processesMentioning(marker).isEmpty(),
            60000);
        QTest::qWait(1500);
        ::kill(static_cast<pid_t>(worker.processId()), SIGKILL);
        QVERIFY(worker.waitForFinished(10000));
        // Its extractor dies with it: nothing keeps writing.
        QTRY_VERIFY_WITH_TIMEOUT(processesMentioning(marker).isEmpty(), 10000);

        // A restart finds the task paused, with its download command.
        m_window.reset();
        m_window = std::make_unique<MainWindow>();
        ItemInfo *restored = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (ItemInfo *t : qAsConst(m_window->taskList))
                    if (t->uniqueID == uniqueID)
                        restored = t;
                return restored != nullptr;
            }(),
            5000);
        QCOMPARE(restored->process_status, 2);
        QVERIFY(!restored->active);
        QVERIFY(restored->cmd.contains("--no-cache-dir"));
        QVERIFY(restored->cmd.contains(link));
        QCOMPARE(restored->row->statusText(), QString("Pause"));

        // Started again, it finishes (without the slow limit this time).
        restored->cmd.replace(" -r 2K ", " ");
        m_window->rowFor(restored)->startImages();
        QTRY_COMPARE_WITH_TIMEOUT(restored->process_status, 6, 90000);
        QVERIFY(!OutputLookup::findFile(*restored).isEmpty());
    }
};

QUILLON_TEST_MAIN(TestDownloadFlow)
#include "tst_downloadflow.moc"
