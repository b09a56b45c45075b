#include "support/fakeextractor.h"
#include "support/mediafixture.h"
#include "support/taskruns.h"
#include "support/testmain.h"

#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/partialpieces.h"
#include "extractor/extractorworkers.h"
#include "extractor/myqprocess.h"
#include "extractor/toolprocess.h"

#include <QProcess>
#include <memory>

// Runs served by the resident extractor worker: what the end-to-end tests,
// which now go through it as well, cannot see.
class TestExtractorWorker : public QObject
{
    Q_OBJECT

    struct Outcome
    {
        bool finished = false;
        QProcess::ExitStatus status = QProcess::NormalExit;
        int code = -1;
        QByteArray out, err;
        bool served = false;
    };

    // One run of command through the start function, channels apart.
    static Outcome run(const QString &command)
    {
        Outcome o;
        QProcess p;
        ToolProcess::startExtractor(&p, command, QIODevice::ReadWrite, QProcess::SeparateChannels);
        o.served = ExtractorWorkers::servesRun(&p);
        o.finished = p.waitForFinished(60000);
        o.status = p.exitStatus();
        o.code = p.exitCode();
        o.out = p.readAllStandardOutput().trimmed();
        o.err = p.readAllStandardError().trimmed();
        return o;
    }

    // A Python zip application in the extractor's form whose package
    // reports version and the process it runs in; "fail N" exits with N,
    // "die" kills the process it runs in.
    static bool makeRelease(const QString &file, const QString &version)
    {
        const QString script = QStringLiteral(R"(
import os, sys, tempfile, zipapp
target, version = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as d:
    os.mkdir(os.path.join(d, 'yt_dlp'))
    with open(os.path.join(d, 'yt_dlp', '__init__.py'), 'w') as f:
        f.write('''import os, subprocess, sys
class YoutubeDL:
    pass
def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    if 'die' in argv:
        os.kill(os.getpid(), 9)
    sys.stderr.write('note on stderr\\n')
    subprocess.call(['sh', '-c', 'echo helper on stdout'])
    print(%r, os.getpid())
    if 'fail' in argv:
        sys.exit(int(argv[argv.index('fail') + 1]))
''' % version)
    with open(os.path.join(d, '__main__.py'), 'w') as f:
        f.write('import yt_dlp\nyt_dlp.main()\n')
    zipapp.create_archive(d, target + '.new', interpreter='/usr/bin/env python3')
os.chmod(target + '.new', 0o755)
os.replace(target + '.new', target)
)");
        return QProcess::execute("python3", {"-c", script, file, version}) == 0;
    }

private slots:
    // The worker serves every run of one file; output keeps its channels,
    // exit codes arrive; a replaced file gets a new worker, so the next run
    // reports the new version; a run whose worker dies is a crashed run.
    void workerFollowsTheExtractorFile()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        QTemporaryDir folder;
        const QString tool = folder.filePath("tool.exe");
        QVERIFY(makeRelease(tool, "1.0"));
        ScopedCurrentDir here(folder.path());
        // Leftovers of a killed program are cleared at the first start, but
        // never through a link someone else planted under that name.
        QProcess gone;
        gone.start("sh", {"-c", "echo $$"});
        QVERIFY(gone.waitForFinished());
        const QString base = QDir::tempPath().size() > 60 ? "/tmp" : QDir::tempPath();
        const QString leftover
            = QString("%1/quillon-workers-%2-").arg(base, gone.readAllStandardOutput().trimmed());
        QVERIFY(QDir().mkpath(leftover + "own"));
        QVERIFY(QDir().mkpath(folder.filePath("victim")));
        QVERIFY(QFile(folder.filePath("victim/keep")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(folder.filePath("victim"), leftover + "link"));

        Outcome first = run("tool.exe");
        QVERIFY(!QFileInfo::exists(leftover + "own"));
        QVERIFY(QFileInfo::exists(folder.filePath("victim/keep")));
        QFile::remove(leftover + "link");
        QVERIFY2(first.served, "no worker serves the run: is quillon-run built?");
        QVERIFY(first.finished);
        QCOMPARE(first.code, 0);
        // A helper's output is the run's too.
        QCOMPARE(first.out.left(first.out.indexOf('\n')), QByteArray("helper on stdout"));
        QCOMPARE(first.err, QByteArray("note on stderr"));
        first.out = first.out.mid(first.out.indexOf('\n') + 1);
        QVERIFY2(first.out.startsWith("1.0 "), first.out.constData());
        const QByteArray worker = first.out.mid(4);

        const Outcome failing = run("tool.exe fail 3");
        QCOMPARE(failing.status, QProcess::NormalExit);
        QCOMPARE(failing.code, 3);
        QVERIFY(failing.out.endsWith("1.0 " + worker));

        QVERIFY(makeRelease(tool, "2.0.1"));
        const Outcome updated = run("tool.exe");
        QVERIFY2(updated.out.contains("\n2.0.1 "), updated.out.constData());
        QVERIFY(!updated.out.endsWith(" " + worker));

        const Outcome died = run("tool.exe die");
        QVERIFY(died.served && died.finished);
        QCOMPARE(died.status, QProcess::CrashExit);
    }

    // Two downloads served by one worker at once: pausing one stops its
    // transfer there and then (its partial file grows no more), the other
    // finishes whole with progress of its own.
    void pausingOneOfTwoSharedRunsLeavesTheOther()
    {
        MediaFixture media;
        QVERIFY2(media.isReady(), qPrintable(media.errorString()));
        const QString slow = media.startThrottled(8);
        QVERIFY(!slow.isEmpty());

        ExtractorWorkers::instance()->shutdown(); // none left by other cases
        DownloadListController list;
        QTemporaryDir folder;
        auto add = [&](const QString &word) {
            ItemInfo *t = addLinkTask(&list, slow + "plain.mp4?" + word, 0, folder.path());
            list.runScheduler();
            return t;
        };
        auto partSize = [](ItemInfo *t) {
            for (const QString &piece : PartialPieces::find(*t))
                if (piece.endsWith(".part"))
                    return QFileInfo(piece).size();
            return qint64(-1);
        };
        ItemInfo *paused = add("paused");
        ItemInfo *kept = add("kept");
        QVERIFY(QTest::qWaitFor(
            [&] {
                return paused->running && kept->running && partSize(paused) > 0
                    && partSize(kept) > 0;
            },
            60000));
        QVERIFY(ExtractorWorkers::servesRun(downloadProcess(list.engine(), paused)));
        QVERIFY(ExtractorWorkers::servesRun(downloadProcess(list.engine(), kept)));
        QCOMPARE(ExtractorWorkers::instance()->count(), 1);

        list.pauseTask(paused);
        const qint64 sizeAtPause = partSize(paused);
        const int progressAtPause = paused->process;
        QVERIFY(sizeAtPause > 0);
        QVERIFY(
            QTest::qWaitFor([&] { return kept->process_status >= TaskStatus::Finished; }, 60000));
        QCOMPARE(kept->process_status, int(TaskStatus::Finished));
        QCOMPARE(kept->process, 100);
        QCOMPARE(MediaFixture::streams(kept->renametargetPath), QString("audio video,240"));
        QCOMPARE(partSize(paused), sizeAtPause);
        QCOMPARE(paused->process, progressAtPause);
        QVERIFY(progressAtPause < 100);
        QCOMPARE(paused->process_status, int(TaskStatus::WaitingForDownload));
    }
};

QUILLON_TEST_MAIN(TestExtractorWorker)
#include "tst_extractorworker.moc"
