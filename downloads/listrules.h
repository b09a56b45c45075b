#pragma once

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

constexpr int ViewCount = 4;
constexpr int RowsPerPage = 5;

bool inView(const ItemInfo &task, int view);
// The views task is in, one bit (1 << view) each.
int viewsOf(const ItemInfo &task);

// Scroll range maximum for a view of count tasks shown five at a time.
int scrollMaximum(int count);

// Tasks the bulk delete of view hides.
bool deletedByBulk(const ItemInfo &task, int view);

} // namespace ListRules
