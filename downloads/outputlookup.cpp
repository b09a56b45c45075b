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

// The uploader's folder is named after the sanitised uploader; a folder named
// after the raw name is looked at too.
QStringList folders(const ItemInfo &t)
{
    QStringList out;
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
    const QString folder = findFolder(task);
    return folder.isEmpty() ? QString() : firstExisting(folder, task.renametitle);
}

} // namespace OutputLookup
