#include "downloads/outputlookup.h"

#include "extractor/downloadcommand.h"
#include "tasks/iteminfo.h"

#include <QFileInfo>

namespace OutputLookup {

namespace {

const char *const kExtensions[] = {"avi", "mkv", "ogg", "webm", "flv", "mp3", "mp4", "m4a"};

QString firstExisting(const QString &folder, const QString &renametitle)
{
    const QStringList files = candidates(folder, renametitle);
    for (const QString &file : files) {
        if (QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

// The folder of the stored target comes first: it is right whatever layout
// was in force, and the uploader is not stored, so after a restart it is the
// only way to the file. Then the uploader's folder, named after the sanitised
// uploader, and a folder named after the raw name.
QStringList folders(const ItemInfo &t)
{
    QStringList out;
    for (const QString &stored : {t.renametargetPath, t.targetPath}) {
        const int slash = stored.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0)
            out << stored.left(slash + 1);
    }
    QStringList names {sanitizeFolderName(t.uploader)};
    if (names.first() != t.uploader)
        names << t.uploader;
    for (const QString &name : names) {
        const QString uploaderFolder = t.path + QStringLiteral("//") + name + QStringLiteral("//");
        out << uploaderFolder + sanitizeFolderName(t.renametitle) + QStringLiteral("//")
            << uploaderFolder;
    }
    return out;
}

// The file a download reported is kept as the extractor wrote it, with
// single separators; the names this program composes join folders with "//"
// (a network path's leading "//" aside). A composed name is only a guess at
// what the extractor would write, so it goes through the search.
bool isReportedFile(const QString &path)
{
    return !path.isEmpty() && path.indexOf(QStringLiteral("//"), 1) < 0 && QFileInfo(path).isFile();
}

} // namespace

QStringList candidates(const QString &folder, const QString &renametitle)
{
    QStringList out;
    for (const char *e : kExtensions)
        out << folder + renametitle + QLatin1Char('.') + QLatin1String(e);
    for (const char *e : kExtensions)
        out << folder + renametitle + QStringLiteral(".mp4.") + QLatin1String(e);
    return out;
}

QString findFolder(const ItemInfo &task)
{
    if (isReportedFile(task.renametargetPath))
        return task.renametargetPath.left(task.renametargetPath.lastIndexOf(QLatin1Char('/')) + 1);
    if (task.renametitle.isEmpty())
        return QString();
    for (const QString &folder : folders(task)) {
        if (!firstExisting(folder, task.renametitle).isEmpty())
            return folder;
    }
    return QString();
}

QString findFile(const ItemInfo &task)
{
    if (isReportedFile(task.renametargetPath))
        return task.renametargetPath;
    const QString folder = findFolder(task);
    return folder.isEmpty() ? QString() : firstExisting(folder, task.renametitle);
}

} // namespace OutputLookup
