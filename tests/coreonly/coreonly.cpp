// A program linked with quillon_core alone (no Qt GUI or widget library):
// the task list, its database and the service parsers work without a
// display. Exits 0 when they do.
#include "downloads/downloadlistcontroller.h"
#include "downloads/listrules.h"
#include "service/noticefile.h"
#include "service/vendorservicecontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/sqlitedbaoperator.h"
#include "tasks/taskstatus.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    SqliteDBAOperator db(folder.filePath(QStringLiteral("tasks.db")));
    if (!db.prepare()) {
        std::fprintf(stderr, "no task database\n");
        return 1;
    }
    DownloadListController list;
    list.setDatabase(&db);
    SettingsStore::GeneralSettings held;
    held.processnum = held.anaprocessnum = 0;
    list.applySettings(held);
    auto *task = new ItemInfo;
    task->uniqueID = newUniqueId();
    task->url = QStringLiteral("https://video.example/watch?v=1");
    task->process_status = TaskStatus::Finished;
    list.addTask(task);
    VendorServiceController vendor;
    const NoticeSet notices = NoticeFile::parse(
        "<configinfo><notice noticeA=\"n1\"><title><title>T</title></title></notice></configinfo>");
    if (list.count(ListRules::Finished) != 1 || notices.id != QLatin1String("n1")) {
        std::fprintf(stderr, "unexpected state\n");
        return 1;
    }
    return 0;
}
