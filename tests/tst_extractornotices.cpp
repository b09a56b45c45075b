#include "support/fakeextractor.h"
#include "support/loopbackhttpserver.h"
#include "support/scripteddialogs.h"
#include "support/taskruns.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "extractor/extractornotices.h"
#include "intake/linkintake.h"
#include "intake/singledialog.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/mainwindow.h"

#include <QPushButton>
#include <QStandardPaths>
#include <memory>

namespace {

// An extractor that reminds of its age on every run and finds no JavaScript
// runtime, as an old release on a video site does; links with "fail" fail.
const char *const kOldExtractor = R"SH(#!/bin/sh
cat <<'END'
WARNING: Your yt-dlp version (2026.08.19) is older than 90 days!
         It is strongly recommended to always use the latest version.
         Run "yt-dlp --update" or "yt-dlp -U" to update.
         To suppress this warning, add --no-update to your command/config.
WARNING: [youtube] No supported JavaScript runtime could be found. Only deno is enabled by default
END
for a in "$@"; do case "$a" in *fail*) echo "ERROR: [youtube] x: Sign in to confirm"; exit 1 ;; esac; done
exit 1
)SH";

} // namespace

// What the user is told about the extractor itself, through the window: no
// extractor at all, one that says it is out of date, one without a
// JavaScript runtime.
class TestExtractorNotices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_empty; // no extractor on PATH nor in the working directory
    LoopbackHttpServer m_probe;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<MainWindow> m_window;

    DownloadListController *list() const { return m_window->downloadList(); }

    QStringList warnings() const
    {
        QStringList texts;
        for (const ScriptedDialogs::Call &c : qAsConst(m_dialogs->calls))
            texts << c.text;
        return texts;
    }

    QString rowStatus(ItemInfo *t) const
    {
        for (itemWidget *row : m_window->findChildren<itemWidget *>())
            if (row->task() == t)
                return row->statusText();
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_probe.listen());
        m_probe.route("/probe", "ok");
        qputenv("QUILLON_PROBE_URL", m_probe.url("/probe").toEncoded());
        // PATH keeps only the tools the scripted extractors use.
        for (const char *tool : {"sh", "cat", "dirname", "mkdir", "sed", "grep", "sleep"}) {
            const QString found = QStandardPaths::findExecutable(tool);
            QVERIFY2(QFile::link(found, m_empty.filePath(tool)), tool);
        }
        qputenv("PATH", QFile::encodeName(m_empty.path()));
        QDir::setCurrent(m_empty.path());
        QVERIFY(!ExtractorNotices::extractorFound());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<MainWindow>();
        QTRY_COMPARE_WITH_TIMEOUT(Global::PROXY_PORT, 0, 30000);
        m_window->on_pushButton_downloadfinished_2_clicked();
        list()->engine()->setExtractorRecheckInterval(50);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_dialogs.reset();
    }

    // No extractor: each paste says so instead of opening a dialog; queued
    // links wait (said once) and run as soon as an extractor is there.
    void missingExtractor()
    {
        for (int paste = 0; paste < 2; ++paste)
            m_window->intake()->addLink("https://video.example/watch/one");
        QTRY_COMPARE(warnings(),
            QStringList({ExtractorNotices::missingText(), ExtractorNotices::missingText()}));
        QVERIFY(!m_window->findChild<SingleDialog *>()->isVisible());
        QVERIFY(list()->tasks().isEmpty());

        m_window->intake()->setOneKeyOn(true);
        QTemporaryDir folder;
        m_window->intake()->setOneKey({});
        QCOMPARE(m_window->intake()->addLinks(
                     {"http://127.0.0.1:9/ok-one", "http://127.0.0.1:9/ok-two"}),
            2);
        QTRY_COMPARE(m_dialogs->calls.size(), 3);
        // A task queued for download waits as well, and no slot is taken.
        ItemInfo *queued
            = queueTask(list(), "ok-queued", folder.path(), TaskStatus::WaitingForDownload);
        list()->runScheduler();
        QTest::qWait(200); // rechecks come and go: still one message
        QCOMPARE(m_dialogs->calls.size(), 3);
        QCOMPARE(m_dialogs->calls.last().text, ExtractorNotices::missingText());
        QVERIFY(!list()->engine()->isBusy(0) && list()->engine()->busyDownloads() == 0);
        for (ItemInfo *t : list()->tasks()) {
            QCOMPARE(t->process_status,
                int(t == queued ? TaskStatus::WaitingForDownload : TaskStatus::WaitingForAnalysis));
            t->path = folder.path();
        }

        FakeExtractor fake;
        ScopedCurrentDir there(fake.folder());
        for (ItemInfo *t : list()->tasks())
            QTRY_COMPARE_WITH_TIMEOUT(t->process_status, int(TaskStatus::Finished), 30000);
        QCOMPARE(m_dialogs->calls.size(), 3);
        QCOMPARE(fake.downloadRuns("ok-queued"), 1);
        m_window->intake()->setOneKeyOn(false);
    }

    // A failed run whose extractor says it is out of date: the row and one
    // message suggest updating it; no runtime is said once, failed or not.
    void outdatedExtractorAndNoRuntime()
    {
        QTemporaryDir old;
        QVERIFY(writeFile(old.filePath("tool.exe"), kOldExtractor, true));
        ScopedCurrentDir there(old.path());
        m_dialogs->calls.clear();
        m_window->intake()->setOneKeyOn(true);
        const int before = list()->tasks().size();
        m_window->intake()->addLinks({"http://127.0.0.1:9/fail-1", "http://127.0.0.1:9/fail-2"});
        const QList<ItemInfo *> failed = list()->tasks().mid(before);
        for (ItemInfo *t : failed)
            QTRY_COMPARE_WITH_TIMEOUT(t->process_status, int(TaskStatus::AnalysisFailed), 30000);
        QTRY_COMPARE(m_dialogs->calls.size(), 2);
        QCOMPARE(warnings(),
            QStringList(
                {ExtractorNotices::outdatedText(), ExtractorNotices::noJavaScriptRuntimeText()}));
        for (ItemInfo *t : failed)
            QCOMPARE(rowStatus(t), TaskStatus::failedUpdateExtractor());

        // Asked again with a working extractor, the hint goes.
        FakeExtractor fake;
        ScopedCurrentDir working(fake.folder());
        list()->redownloadTask(failed[0]);
        QTRY_COMPARE_WITH_TIMEOUT(failed[0]->process_status, int(TaskStatus::Finished), 30000);
        QVERIFY(!failed[0]->extractorOutdated);
        QCOMPARE(m_dialogs->calls.size(), 2);
        m_window->intake()->setOneKeyOn(false);
    }
};

QUILLON_TEST_MAIN(TestExtractorNotices)
#include "tst_extractornotices.moc"
