#include "support/mediafixture.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/partialpieces.h"
#include "extractor/myqprocess.h"

#include <QDirIterator>
#include <QProcess>
#include <memory>

// Pausing and deleting real transfers: the real extractor fetching a clip
// from a loopback server that sends it slowly and answers range requests.
class TestTransferControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    QProcess m_server;
    QString m_base; // the slow server's address
    QByteArray m_requests; // every request it saw: "GET <path> range=<...>"
    std::unique_ptr<DownloadListController> m_list;

    ItemInfo *add(const QString &path, const QString &folder)
    {
        ItemInfo *t = makeTask(QString(), TaskStatus::WaitingForAnalysis, folder);
        t->url = m_base + path;
        t->cmd = "tool.exe -j " + t->url;
        t->quality_num = 0;
        m_list->addTask(t);
        m_list->runScheduler();
        return t;
    }

    // Waits until the task's download has written part of its file.
    static bool midTransfer(ItemInfo *t)
    {
        return QTest::qWaitFor(
            [t] {
                for (const QString &piece : PartialPieces::find(*t))
                    if (piece.endsWith(".part") && QFileInfo(piece).size() > 0)
                        return t->running;
                return false;
            },
            60000);
    }

    int runPid(ItemInfo *t) const
    {
        for (int s = DownloadEngine::FirstDownloadSlot; s < DownloadEngine::SlotCount; ++s)
            if (m_list->engine()->processList[s]->task == t && m_list->engine()->isBusy(s))
                return int(m_list->engine()->processList[s]->processId());
        return 0;
    }

    static bool alive(int pid)
    {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        const QString script = qEnvironmentVariable("QUILLON_SOURCE_DIR")
            + "/tests/support/throttled_range_server.py";
        // About ten seconds for the clip: time to act in the middle.
        const qint64 rate
            = qMax<qint64>(4000, QFileInfo(m_media->folder() + "/plain.mp4").size() / 10);
        connect(&m_server, &QProcess::readyReadStandardOutput, this,
            [this] { m_requests += m_server.readAllStandardOutput(); });
        m_server.start("python3", {script, m_media->folder(), QString::number(rate)});
        QVERIFY(QTest::qWaitFor([this] { return m_requests.contains('\n'); }, 10000));
        m_base = "http://127.0.0.1:" + m_requests.left(m_requests.indexOf('\n')) + "/";
        m_requests.clear();
    }

    void cleanupTestCase()
    {
        m_server.kill();
        m_server.waitForFinished();
    }

    void init() { m_list = std::make_unique<DownloadListController>(); }
    void cleanup() { m_list.reset(); }

    // Paused in the middle, the run ends and the partial file stays; started
    // again, the transfer continues where it stopped (a range request) and
    // the file comes out whole.
    void pausedDownloadResumesFromItsPartialFile()
    {
        QTemporaryDir folder;
        ItemInfo *t = add("plain.mp4?pause", folder.path());
        QVERIFY(midTransfer(t));
        const int pid = runPid(t);
        m_list->pauseTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running, 5000);
        QVERIFY(!alive(pid));
        QCOMPARE(t->process_status, int(TaskStatus::WaitingForDownload));
        QVERIFY(!t->active);
        QVERIFY(!PartialPieces::find(*t).isEmpty());
        m_requests.clear();
        m_list->startTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running && t->process_status >= 6, 60000);
        QCOMPARE(t->process_status, int(TaskStatus::Finished));
        QVERIFY2(m_requests.contains("range=bytes=") && !m_requests.contains("range=bytes=0-"),
            m_requests.constData());
        QCOMPARE(MediaFixture::streams(t->renametargetPath), QString("audio video,240"));
        QVERIFY(PartialPieces::find(*t).isEmpty());
    }

    // A deleted running download ends its run at once, frees its slot and
    // leaves nothing in its folder.
    void deletedDownloadEndsAndLeavesNothing()
    {
        QTemporaryDir folder;
        ItemInfo *t = add("plain.mp4?delete", folder.path());
        QVERIFY(midTransfer(t));
        const int pid = runPid(t);
        QVERIFY(pid > 0);
        m_list->deleteTask(t);
        QTRY_VERIFY_WITH_TIMEOUT(!alive(pid), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!t->running, 5000);
        QCOMPARE(m_list->engine()->busyDownloads(), 0);
        QStringList left;
        for (QDirIterator it(
                 folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();)
            left << it.next();
        QCOMPARE(left, QStringList());
    }
};

QUILLON_TEST_MAIN(TestTransferControl)
#include "tst_transfercontrol.moc"
