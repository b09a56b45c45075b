// Measures the download list with a long history: the history load until the
// first page is shown, one redisplay, paging through the whole view, one
// scheduler pass, and the memory used on the way.
// Usage: quillon_bench_history N [PAGES [PICTURE]]   (prints one line of figures)
// PAGES limits how many pages are turned (-1, the default: all of them);
// PICTURE names a PNG file that gets a picture of the first page.

#include "base/fonts.h"
#include "base/resources.h"
#include "base/settingsstore.h"
#include "bench/benchhome.h"
#include "downloads/downloadlistcontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void fillDatabase(int n)
{
    SqliteDBAOperator db;
    db.prepare();
    QSqlDatabase::database().transaction();
    for (int i = 0; i < n; ++i) {
        ItemInfo t;
        t.uniqueID = newUniqueId();
        t.title = QStringLiteral("Stored video number %1 with a title of usual length").arg(i);
        t.url = QStringLiteral("https://video.example/watch?v=%1").arg(i);
        t.process_status = i % 9;
        t.biaoji = i % 17 != 0;
        t.cmd = QStringLiteral("tool.exe --no-cache-dir  -i --newline  -f 18 ") + t.url
            + QStringLiteral(" -o \"/home/u/Quillonload//Up//name.mp4\"");
        t.path = QStringLiteral("/home/u/Quillonload");
        t.duration = 212;
        db.insertTask(&t);
    }
    QSqlDatabase::database().commit();
}

double ms(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// Resident memory now, in MiB.
double rssMib()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

// Resident memory now split into private data and mapped files (libraries,
// fonts, caches), as a line for stderr.
QByteArray residentKinds()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return QByteArray();
    double anon = 0, file = 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() >= 2 && f[0] == "Pss_Anon:")
            anon = f[1].toDouble() / 1024.0;
        else if (f.size() >= 2 && f[0] == "Pss_File:")
            file = f[1].toDouble() / 1024.0;
    }
    return QByteArray("private ") + QByteArray::number(anon, 'f', 1) + " MiB, files "
        + QByteArray::number(file, 'f', 1) + " MiB";
}

double peakMib()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char *argv[])
{
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const int pageLimit = argc > 2 ? QByteArray(argv[2]).toInt() : -1;
    const QString picture = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir home;
    useBenchHome(home.path());
    QtMessageHandler quiet = [](QtMsgType, const QMessageLogContext &, const QString &) {};
    // The stored history is written by a child process: what the bench
    // measures is a program that finds it, not the writer's memory.
    const pid_t writer = fork();
    if (writer == 0) {
        QCoreApplication core(argc, argv);
        qInstallMessageHandler(quiet);
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        fillDatabase(n);
        std::fflush(nullptr);
        _exit(0);
    }
    int written = -1;
    if (writer < 0 || waitpid(writer, &written, 0) != writer || !WIFEXITED(written)
        || WEXITSTATUS(written) != 0) {
        std::fprintf(stderr, "the stored history could not be written\n");
        return 1;
    }
    QApplication app(argc, argv);
    const double appMib = rssMib();
    if (!picture.isEmpty()) {
        // The look of the program itself.
        initQuillonResources();
        installFontSubstitutes();
        app.setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));
    }
    qInstallMessageHandler(quiet);

    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // The window must not load the history by itself: we time that load.
    SettingsStore::GeneralSettings g;
    g.loadhistoryswitch = 0;
    SettingsStore::saveGeneral(data + "/setting.ini", g);

    MainWindow window;
    // Start-up work the window leaves to the event loop (the pause before
    // proxy detection) is not part of the load.
    QCoreApplication::processEvents();
    const double startMib = rssMib();
    std::fprintf(stderr, "before the load: %s\n", residentKinds().constData());
    QElapsedTimer clock;
    clock.start();
    window.on_pushButton_clicked(); // history load until the first page is placed
    QCoreApplication::processEvents();
    const double loadMs = ms(clock);
    const double loadedMib = rssMib();
    std::fprintf(stderr, "after the load: %s\n", residentKinds().constData());
    const struct mallinfo2 heap = mallinfo2();
    std::fprintf(stderr, "heap in use %.1f MiB, free in heap %.1f MiB, mmapped %.1f MiB\n",
        heap.uordblks / 1048576.0, heap.fordblks / 1048576.0, heap.hblkhd / 1048576.0);

    if (!picture.isEmpty()) {
        window.show();
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        window.grab().save(picture);
    }

    clock.restart();
    window.on_verticalScrollBar_valueChanged(0);
    const double redisplayMs = ms(clock);
    DownloadListController *list = window.downloadList();
    const int rowsShown = list->page(list->view()).size();

    // Every page of the shown view, top to bottom, as the scroll bar turns them.
    const int members = list->count(list->view());
    int pages = 0;
    double pagingMidMib = 0;
    clock.restart();
    for (int offset = 0; offset < members && (pageLimit < 0 || pages < pageLimit); offset += 5) {
        window.on_verticalScrollBar_valueChanged(offset);
        if (++pages % 100 == 0)
            QCoreApplication::processEvents();
        if (pages == (pageLimit < 0 ? members / 10 : pageLimit / 2))
            pagingMidMib = rssMib();
    }
    QCoreApplication::processEvents();
    const double pagingMs = ms(clock);
    const double pagedMib = rssMib();

    // Nothing is pickable, so every slot's search walks the whole list: the
    // worst case of a pass.
    g.processnum = 9;
    g.anaprocessnum = 2;
    list->applySettings(g);
    clock.restart();
    list->runScheduler();
    const double passMs = ms(clock);

    std::printf("tasks=%d loaded=%d history_load_ms=%.1f redisplay_ms=%.2f pages=%d "
                "paging_ms=%.0f scheduler_pass_ms=%.2f rss_mib start=%.1f loaded=%.1f "
                "paging_half=%.1f paged=%.1f peak_rss_mib=%.1f rows_shown=%d app_only_mib=%.1f\n",
        n, int(list->tasks().size()), loadMs, redisplayMs, pages, pagingMs, passMs, startMib,
        loadedMib, pagingMidMib, pagedMib, peakMib(), rowsShown, appMib);
    return 0;
}
