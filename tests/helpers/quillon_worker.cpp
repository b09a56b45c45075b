// A copy of the program for tests that must kill it: it opens the main window
// on the data folder of its environment, queues one link exactly as link
// intake does for background analysis, and runs until it is killed.
// Usage: quillon_worker LINK QUALITY_INDEX RATE_LIMIT SAVE_FOLDER [APP_NAME]
// APP_NAME names the data folder (by default the program's own name), so the
// worker can share the data folder of the test that started it.

#include "app/closesignals.h"
#include "downloads/downloadlistcontroller.h"
#include "tasks/iteminfo.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: quillon_worker LINK QUALITY RATE FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 5)
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[5]));
    MainWindow window;
    // As the program does: a termination request closes it like its button.
    closeOnTerminationRequests([&window] {
        window.close();
        QCoreApplication::quit();
    });

    auto *task = new ItemInfo;
    task->uniqueID = newUniqueId();
    task->url = QString::fromLocal8Bit(argv[1]);
    task->cmd = QStringLiteral("tool.exe -j ") + task->url;
    task->process_status = 0;
    task->status = QStringLiteral("Queuing");
    task->quality_num = QByteArray(argv[2]).toInt();
    task->limitRate = QString::fromLocal8Bit(argv[3]);
    task->path = QString::fromLocal8Bit(argv[4]);
    window.downloadList()->addTask(task);
    window.downloadList()->runScheduler();
    std::printf("queued %s\n", qPrintable(task->uniqueID));
    std::fflush(stdout);
    return app.exec();
}
