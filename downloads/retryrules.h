#pragma once

#include <QString>

class ItemInfo;

// When a failed download is queued again by itself (the automatic-retry
// switch): at most MaxTries times per task, each after a longer wait. The
// count is kept in the task's stored "agentCmd" field, otherwise unused, as
// "retries=<n>", so a restart does not hand out fresh tries.
namespace RetryRules {

constexpr int MaxTries = 3;

// Tries already used.
int tries(const ItemInfo &task);
// Stores the count; 0 clears it. Leaves a field that holds anything else
// alone (and then the task is never retried, see nextWaitMs).
void setTries(ItemInfo *task, int count);
// The wait before try number tries + 1, from the given waits in order; -1
// when no try is left or the field holds something that is not a count.
int nextWaitMs(const ItemInfo &task, const int (&waitsMs)[MaxTries]);
// What the row of a task waiting for its retry says: which try, and when
// (in the current language, so it follows a language change).
QString retryText(const ItemInfo &task);

} // namespace RetryRules
