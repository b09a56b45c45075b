#pragma once

class ItemInfo;
class itemWidget;

// Refreshes row from task: title, status text, progress figures, busy
// animation, play button, duration and thumbnail, by status code; a paused
// task always shows "Pause".
void applyTaskToRow(const ItemInfo &task, itemWidget *row);
