#pragma once

#include <QList>

class ItemInfo;

// Which tasks the four views of the download list show. Only listed tasks
// (biaoji) are ever shown or counted; a paused finished or failed task is in
// both the paused view and its status view.
namespace ListRules {

enum View
{
    Paused = 0,
    InProgress = 1,
    Finished = 2,
    Failed = 3,
};

bool inView(const ItemInfo &task, int view);
int count(const QList<ItemInfo *> &tasks, int view);

// Scroll range maximum for a view of count tasks shown five at a time.
int scrollMaximum(int count);

// The members of view to show, newest first: skip members, then at most five.
QList<ItemInfo *> page(const QList<ItemInfo *> &tasks, int view, int skip);

// Tasks the bulk delete of view hides.
bool deletedByBulk(const ItemInfo &task, int view);

} // namespace ListRules
