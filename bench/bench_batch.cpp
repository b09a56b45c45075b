// Measures the user's path for a big job: one-key mode, a batch file of N
// links to small clips served on 127.0.0.1 at a capped rate per connection,
// 9 download slots and 2 analysis slots, from the import to the last
// finished task; and, in the same run, the extractor alone on the same links
// as one batch ("yt-dlp -a"). Prints both, their ratio and the peak memory
// of the program with every process it started while it ran.
// Usage: quillon_bench_batch [N]   (default 20; scripts/bench.sh runs 1, 20, 100)

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/resources.h"
#include "base/settingsstore.h"
#include "bench/benchhome.h"
#include "downloads/downloadlistcontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QPair>
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
                usleep(50000);
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
    qint64 sampleKb() const
    {
        // pid -> (parent, rss in kB) of every process there is.
        QHash<qint64, QPair<qint64, qint64>> procs;
        const long pageKb = sysconf(_SC_PAGESIZE) / 1024;
        for (const QString &e : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool isPid = false;
            const qint64 pid = e.toLongLong(&isPid);
            QFile stat("/proc/" + e + "/stat");
            if (!isPid || !stat.open(QIODevice::ReadOnly))
                continue;
            // Fields after the command's closing parenthesis: state ppid ...
            const QList<QByteArray> f = stat.readAll().split(')').last().simplified().split(' ');
            if (f.size() > 21)
                procs.insert(pid, {f.at(1).toLongLong(), f.at(21).toLongLong() * pageKb});
        }
        const qint64 self = QCoreApplication::applicationPid();
        qint64 total = 0;
        for (auto it = procs.cbegin(); it != procs.cend(); ++it) {
            qint64 p = it.key();
            while (p > 1 && p != self && p != m_excluded)
                p = procs.value(p).first;
            if (p == self)
                total += it.value().second;
        }
        return total;
    }

    qint64 m_excluded;
    std::atomic<bool> m_stop {false};
    std::atomic<qint64> m_peakKb {0};
    std::thread m_thread;
};

bool run(const QString &program, const QStringList &arguments, int timeoutMs = 600000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    return p.waitForFinished(timeoutMs) && p.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 20;
    QTemporaryDir home;
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
        {QString(QUILLON_SOURCE_DIR) + "/bench/throttled_server.py", served, QString::number(port),
            "400000"});
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
    while ((Global::PROXY_PORT != 0 || !Global::ONEKEY) && wait.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    QElapsedTimer timer;
    MemorySampler memory(server.processId());
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
    while (!done() && timer.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const double programS = seconds(timer);
    memory.stop();
    int finished = 0;
    for (const ItemInfo *t : tasks)
        finished += t->process_status == TaskStatus::Finished ? 1 : 0;
    DialogSeam::setProvider(nullptr);

    // The extractor alone, the same links one after another in one run.
    timer.restart();
    const bool batchOk = run("yt-dlp",
        {"--no-cache-dir", "-a", list, "-P", home.path() + "/batch", "-o", "%(id)s.%(ext)s", "-f",
            "mp4"});
    const double batchS = seconds(timer);
    server.kill();
    server.waitForFinished();

    std::printf("links %d: program %.1f s (%d finished), extractor batch %.1f s%s, ratio %.2f, "
                "peak memory of the program and its children %.0f MiB\n",
        n, programS, finished, batchS, batchOk ? "" : " (failed)", programS / batchS,
        memory.peakMiB());
    return 0;
}
