// Measures the user's path for a big job: one-key mode, a batch file of N
// links to small clips served on 127.0.0.1 at a capped rate per connection,
// 9 download slots and 2 analysis slots, from the import to the last
// finished task; and, in the same run, the extractor alone on the same links
// as one batch ("yt-dlp -a"). Prints both, their ratio and the peak memory
// of the program with every process it started while it ran.
// Usage: quillon_bench_batch [N [EXTRACTOR]]   (default 20; scripts/bench.sh
// runs 1, 20, 100 with each extractor). EXTRACTOR (or the environment
// variable QUILLON_BENCH_EXTRACTOR) is "system", the one the program finds by
// itself ("yt-dlp" on PATH, the default), "current", the current release file
// the build knows (CMake variable QUILLON_CURRENT_EXTRACTOR), or the path of
// a release file.

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/resources.h"
#include "base/settingsstore.h"
#include "bench/benchhome.h"
#include "downloads/downloadlistcontroller.h"
#include "intake/linkintake.h"
#include "network/proxycontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// Answers the import's file dialog with the batch file.
struct BatchFile : DialogProvider
{
    QString path;
    QMessageBox::StandardButton question(QWidget *, const QString &, const QString &,
        QMessageBox::StandardButtons, QMessageBox::StandardButton b) override
    {
        return b;
    }
    void information(QWidget *, const QString &, const QString &) override { }
    void warning(QWidget *, const QString &, const QString &) override { }
    QString existingDirectory(QWidget *, const QString &, const QString &) override
    {
        return QString();
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return path;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
};

double seconds(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e9;
}

// Resident memory of this process and all its descendants, except the
// subtree of one process (the media server, which is not the program's).
class MemorySampler
{
public:
    explicit MemorySampler(qint64 excluded)
        : m_excluded(excluded)
        , m_thread([this] {
            while (!m_stop) {
                m_peakKb = std::max(m_peakKb.load(), sampleKb());
                usleep(100000);
            }
        })
    { }
    ~MemorySampler() { stop(); }
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    double peakMiB() const { return m_peakKb / 1024.0; }

private:
    // Walks the process tree through the kernel's children lists: cheap
    // enough not to slow the program it measures.
    qint64 sampleKb() const
    {
        const long pageKb = sysconf(_SC_PAGESIZE) / 1024;
        qint64 total = 0;
        QList<qint64> pending = {QCoreApplication::applicationPid()};
        while (!pending.isEmpty()) {
            const QString pid = QString::number(pending.takeLast());
            QFile statm("/proc/" + pid + "/statm");
            if (statm.open(QIODevice::ReadOnly))
                total += statm.readAll().split(' ').value(1).toLongLong() * pageKb;
            for (const QString &task :
                QDir("/proc/" + pid + "/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                QFile children("/proc/" + pid + "/task/" + task + "/children");
                if (!children.open(QIODevice::ReadOnly))
                    continue;
                for (const QByteArray &child : children.readAll().simplified().split(' ')) {
                    if (!child.isEmpty() && child.toLongLong() != m_excluded)
                        pending << child.toLongLong();
                }
            }
        }
        return total;
    }

    qint64 m_excluded;
    std::atomic<bool> m_stop {false};
    std::atomic<qint64> m_peakKb {0};
    std::thread m_thread;
};

double cpuSeconds(int who)
{
    rusage use {};
    getrusage(who, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec
        + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

bool run(const QString &program, const QStringList &arguments, int timeoutMs = 600000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    return p.waitForFinished(timeoutMs) && p.exitCode() == 0;
}

// The extractor file the runs use, or "" for the one the program finds by
// itself. A file is made the "tool.exe" every run finds: a link to it first
// on PATH.
QString chooseExtractor(const QString &choice, const QString &folder)
{
    if (choice.isEmpty() || choice == QLatin1String("system"))
        return QString();
    const QString file
        = choice == QLatin1String("current") ? QStringLiteral(QUILLON_CURRENT_EXTRACTOR) : choice;
    const QFileInfo info(file);
    if (!info.isFile() || !info.isExecutable())
        return QStringLiteral("-");
    QDir().mkpath(folder);
    if (!QFile::link(info.absoluteFilePath(), folder + "/tool.exe"))
        return QStringLiteral("-");
    qputenv("PATH", QFile::encodeName(folder) + ':' + qgetenv("PATH"));
    return info.absoluteFilePath();
}

} // namespace

int main(int argc, char *argv[])
{
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 20;
    QTemporaryDir home;
    const QString extractor
        = chooseExtractor(argc > 2 ? QString::fromLocal8Bit(argv[2])
                                   : qEnvironmentVariable("QUILLON_BENCH_EXTRACTOR"),
            home.path() + "/extractor");
    if (extractor == QLatin1String("-")) {
        std::printf("no runnable extractor release: %s\n",
            argc > 2 ? argv[2] : qPrintable(qEnvironmentVariable("QUILLON_BENCH_EXTRACTOR")));
        return 1;
    }
    useBenchHome(home.path());
    for (const char *name :
        {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    QApplication app(argc, argv);
    initQuillonResources();

    // Clips of about 600 KB, served at 400 KB/s per connection.
    const QString served = home.path() + "/served";
    QDir().mkpath(served);
    if (!run("ffmpeg",
            {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                "testsrc=size=640x360:rate=25", "-f", "lavfi", "-i", "sine", "-t", "6", "-vf",
                "noise=alls=30:allf=t", "-c:v", "libx264", "-b:v", "700k", "-maxrate", "700k",
                "-bufsize", "700k", "-c:a", "aac", "-shortest", served + "/clip.mp4"})) {
        std::printf("ffmpeg could not make the clip\n");
        return 1;
    }
    for (int i = 0; i < n; ++i)
        QFile::copy(served + "/clip.mp4", served + QString("/clip%1.mp4").arg(i));
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    QProcess server;
    server.start("python3",
        {QString(QUILLON_SOURCE_DIR) + "/tests/support/throttled_range_server.py", served, "400000",
            QString::number(port)});
    server.waitForStarted();
    QThread::msleep(500);
    const QString root = QString("http://127.0.0.1:%1/").arg(port);
    const QString list = home.path() + "/links.txt";
    {
        QFile f(list);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < n; ++i)
            f.write((root + QString("clip%1.mp4\n").arg(i)).toUtf8());
    }

    // The program: one-key mode, 9 download and 2 analysis slots.
    const QString settings
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/setting.ini";
    QDir().mkpath(QFileInfo(settings).path());
    SettingsStore::GeneralSettings general;
    general.processnum = 9;
    general.anaprocessnum = 2;
    general.loadhistoryswitch = 0;
    SettingsStore::saveGeneral(settings, general);
    SettingsStore::OneKeySettings onekey;
    onekey.onekey = true;
    onekey.videolocation = home.path() + "/quillon";
    SettingsStore::saveOneKey(settings, onekey);
    qputenv("QUILLON_PROBE_URL", (root + "clip.mp4").toUtf8());
    qputenv("QUILLON_KEEPALIVE_URL", (root + "clip.mp4").toUtf8());

    BatchFile answers;
    answers.path = list;
    DialogSeam::setProvider(&answers);
    MainWindow window;
    QElapsedTimer wait;
    wait.start();
    while ((window.proxy()->port() != 0 || !window.intake()->oneKeyOn()) && wait.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    QElapsedTimer timer;
    MemorySampler memory(server.processId());
    const double selfBefore = cpuSeconds(RUSAGE_SELF);
    const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
    timer.start();
    window.findChild<QPushButton *>("pushButton_3")->click();
    const QList<ItemInfo *> &tasks = window.downloadList()->tasks();
    auto done = [&] {
        for (const ItemInfo *t : tasks) {
            if (t->process_status < TaskStatus::Finished)
                return false;
        }
        return !tasks.isEmpty();
    };
    {
        // Waits in the event loop: polling processEvents() would keep a
        // processor busy that the program's runs need.
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (done() || timer.elapsed() > 600000)
                loop.quit();
        });
        check.start(20);
        loop.exec();
    }
    const double programS = seconds(timer);
    memory.stop();
    // Processor time of the program itself and of the runs it started (the
    // server is not waited for, so it is not counted).
    const double programCpu = cpuSeconds(RUSAGE_SELF) - selfBefore;
    const double runsCpu = cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
    int finished = 0;
    for (const ItemInfo *t : tasks)
        finished += t->process_status == TaskStatus::Finished ? 1 : 0;
    DialogSeam::setProvider(nullptr);

    // The extractor alone, the same links one after another in one run.
    timer.restart();
    const bool batchOk = run(extractor.isEmpty() ? QStringLiteral("yt-dlp") : extractor,
        {"--no-cache-dir", "-a", list, "-P", home.path() + "/batch", "-o", "%(id)s.%(ext)s", "-f",
            "mp4"});
    const double batchS = seconds(timer);
    server.kill();
    server.waitForFinished();

    std::printf("extractor %s, links %d: program %.1f s (%d finished), extractor batch %.1f s%s, "
                "ratio %.2f, "
                "peak memory of the program and its children %.0f MiB, processor time of "
                "the program %.1f s and of its runs %.1f s\n",
        extractor.isEmpty() ? "system" : qPrintable(extractor), n, programS, finished, batchS,
        batchOk ? "" : " (failed)", programS / batchS, memory.peakMiB(), programCpu, runsCpu);
    return 0;
}
