#pragma once

class ItemInfo;
class itemWidget;

// Refreshes row from task: title, status text, progress figures, busy
// animation, play button and duration, by status code; a paused task always
// shows "Pause". The thumbnail comes from the window's thumbnail cache.
void applyTaskToRow(const ItemInfo &task, itemWidget *row);
