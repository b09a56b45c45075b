#pragma once

#include <QString>
#include <QStringList>

class ItemInfo;

// Finds a task's downloaded file: the file its download reported as its own
// (kept in renametargetPath), whatever its extension. Tasks stored before
// downloads reported their file are found by asking the file system under
// the names they were given, whichever folder layout was in force when they
// were downloaded: first the per-video folder path//uploader//renametitle//,
// then the uploader folder path//uploader// (the uploader as its folder is
// named).
namespace OutputLookup {

// The sixteen candidate files of folder, in the order they are tried.
QStringList candidates(const QString &folder, const QString &renametitle);

// The folder that holds one of the candidates, or empty.
QString findFolder(const ItemInfo &task);

// The first existing candidate, or empty.
QString findFile(const ItemInfo &task);

} // namespace OutputLookup
