#pragma once

class ItemInfo;

class QString;
QString sanitizeFolderName(const QString &name);
void composeDownloadCommand(ItemInfo *task, int folderoption);
