#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ItemInfo;

// Links moved in bulk through plain text files, one link a line, always
// UTF-8 whatever the system's locale.
namespace BatchLinks {

// The lines of text: a final line end makes no extra empty line, and "\r\n"
// counts as one line end. Lines are left as they are; link intake trims them.
QStringList splitLines(const QString &text);

// The lines of a link file; nothing when it cannot be read.
std::optional<QStringList> readFile(const QString &path);

// The links of the tasks the export filter (0 all, 1 paused, 2 downloading,
// 3 downloaded, 4 failed) covers, newest first.
// linkOf gives a task's link where its record may not hold it (a restored
// history); by default the record's own.
QStringList exportLinks(const QList<ItemInfo *> &tasks, int filter,
    const std::function<QString(const ItemInfo *)> &linkOf = {});

// Writes links, each followed by a line end. The file is replaced only once
// the new one is complete; false (the old file untouched) when that fails.
bool writeFile(const QString &path, const QStringList &links);

} // namespace BatchLinks
