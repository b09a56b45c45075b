#include "downloads/listrules.h"

#include "tasks/iteminfo.h"

namespace ListRules {

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

int viewsOf(const ItemInfo &t)
{
    int views = 0;
    for (int view = 0; view < ViewCount; ++view)
        views |= inView(t, view) ? 1 << view : 0;
    return views;
}

int scrollMaximum(int count)
{
    return count > RowsPerPage ? count - RowsPerPage : 0;
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
