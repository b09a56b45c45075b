// Measures the download list with a long history: the history load until the
// first page is shown, one redisplay, one scheduler pass and the peak memory.
// Usage: quillon_bench_history N   (prints one line of figures)

#include "base/settingsstore.h"
#include "bench/benchhome.h"
#include "downloads/downloadlistcontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

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

} // namespace

int main(int argc, char *argv[])
{
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    QTemporaryDir home;
    useBenchHome(home.path());
    QApplication app(argc, argv);
    QtMessageHandler quiet = [](QtMsgType, const QMessageLogContext &, const QString &) {};
    qInstallMessageHandler(quiet);

    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    fillDatabase(n);
    // The window must not load the history by itself: we time that load.
    SettingsStore::GeneralSettings g;
    g.loadhistoryswitch = 0;
    SettingsStore::saveGeneral(data + "/setting.ini", g);

    MainWindow window;
    // Start-up work the window leaves to the event loop (the pause before
    // proxy detection) is not part of the load.
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    window.on_pushButton_clicked(); // history load until the first page is placed
    QCoreApplication::processEvents();
    const double loadMs = ms(clock);

    clock.restart();
    window.opendisplayall();
    const double redisplayMs = ms(clock);
    DownloadListController *list = window.downloadList();
    const int rowsShown = list->page(list->view()).size();

    // Nothing is pickable, so every slot's search walks the whole list: the
    // worst case of a pass.
    for (ItemInfo *t : list->tasks()) {
        t->active = true;
        t->process_status = 6;
    }
    g.processnum = 9;
    g.anaprocessnum = 2;
    list->applySettings(g);
    clock.restart();
    list->runScheduler();
    const double passMs = ms(clock);

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("tasks=%d loaded=%d history_load_ms=%.1f redisplay_ms=%.2f scheduler_pass_ms=%.2f "
                "peak_rss_mib=%.1f rows_made=%d\n",
        n, int(list->tasks().size()), loadMs, redisplayMs, passMs, usage.ru_maxrss / 1024.0,
        rowsShown);
    return 0;
}
