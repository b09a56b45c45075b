#include "downloads/partialpieces.h"

#include "tasks/iteminfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace PartialPieces {

namespace {

// What follows "<title>." in a piece: "mp4.part", "f18.mp4.ytdl",
// "f1.mp4.part-Frag3", "f1.mp4" (a half waiting for its merge), "temp.mp4".
// Another title that only starts with this one ("<title>.b.mp4.part") does
// not fit.
bool isPiece(const QString &rest)
{
    static const QRegularExpression piece(
        QStringLiteral(
            "^((%1\\.|temp\\.)?\\w+(\\.part(-Frag\\d+)?(\\.part)?|\\.ytdl)|%1\\.\\w+|temp\\.\\w+)$")
            .arg(QStringLiteral("f(\\d[\\w-]*|(hls|dash|http)-[\\w-]+)")));
    return piece.match(rest).hasMatch();
}

} // namespace

QStringList find(const ItemInfo &task)
{
    if (task.targetPath.isEmpty())
        return {};
    const QFileInfo target(task.targetPath);
    // "<title>." starts every piece: "<title>.mp4.part", "<title>.f18.mp4.ytdl".
    const QString stem = target.completeBaseName() + QLatin1Char('.');
    QStringList pieces;
    const QDir folder = target.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        const QString path = folder.filePath(name);
        if (name.startsWith(stem) && isPiece(name.mid(stem.size())) && QFileInfo(path) != target
            && QFileInfo(path) != QFileInfo(task.renametargetPath))
            pieces << path;
    }
    return pieces;
}

int remove(const ItemInfo &task)
{
    int left = 0;
    for (const QString &piece : find(task))
        left += QFile::remove(piece) ? 0 : 1;
    return left;
}

} // namespace PartialPieces
