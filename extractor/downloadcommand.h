#pragma once

class ItemInfo;

void composeDownloadCommand(ItemInfo *task, int folderoption);
