#include "downloads/listrules.h"

#include "tasks/iteminfo.h"

namespace ListRules {

constexpr int kRowsPerPage = 5;

bool inView(const ItemInfo &t, int view)
{
    if (!t.biaoji)
        return false;
    switch (view) {
    case Paused:
        return !t.active;
    case InProgress:
        return t.process_status <= 5 && t.active;
    case Finished:
        return t.process_status == 6;
    case Failed:
        return t.process_status == 7 || t.process_status == 8;
    default:
        return false;
    }
}

int count(const QList<ItemInfo *> &tasks, int view)
{
    int n = 0;
    for (const ItemInfo *t : tasks)
        n += inView(*t, view) ? 1 : 0;
    return n;
}

int scrollMaximum(int count)
{
    return count > kRowsPerPage ? count - kRowsPerPage : 0;
}

QList<ItemInfo *> page(const QList<ItemInfo *> &tasks, int view, int skip)
{
    QList<ItemInfo *> shown;
    int members = 0;
    for (auto it = tasks.crbegin(); it != tasks.crend() && shown.size() < kRowsPerPage; ++it) {
        if (!inView(**it, view))
            continue;
        if (members++ < skip)
            continue;
        shown << *it;
    }
    return shown;
}

bool deletedByBulk(const ItemInfo &t, int view)
{
    switch (view) {
    case Paused:
        return t.biaoji && !t.active;
    case InProgress:
        return t.process_status <= 5;
    case Finished:
        return t.process_status == 6;
    case Failed:
        return t.process_status > 6;
    default:
        return false;
    }
}

} // namespace ListRules
