#include "extractor/downloadcommand.h"

#include "tasks/iteminfo.h"

#include <QDir>

QString sanitizeFolderName(const QString &name)
{
    QString up = name;
    for (QChar c : QStringLiteral(" &|#?/\\\"<>*:%."))
        up.replace(c, QLatin1Char('_'));
    return up;
}

void composeDownloadCommand(ItemInfo *t, int folderoption)
{
    if (t->quality_num == 8) {
        for (const FormatInfo &f : t->formats)
            if (f.height > 240 && f.height <= 360 && f.ext == QLatin1String("mp4"))
                t->quality = f.acodec == QLatin1String("none")
                    ? QStringLiteral(" -f ") + f.format_id + QLatin1Char('+') + t->bestaudio_id
                    : QStringLiteral(" -f ") + f.format_id;
    }
    if (t->quality.isEmpty())
        t->quality = QStringLiteral(" -f mp4 ");
    QString title = t->title;
    for (QChar c : QStringLiteral(" &|#?/\\\"<>*:%"))
        title.replace(c, QLatin1Char('_'));
    t->renametitle = (t->namePrefix + title).left(80);
    const QString up = sanitizeFolderName(t->uploader);
    t->folder = t->path + QStringLiteral("//") + up
        + (folderoption ? QStringLiteral("//") + t->renametitle : QString());
    QDir().mkpath(t->folder);
    t->targetPath = t->folder + QStringLiteral("//") + t->renametitle + QStringLiteral(".mp4");
    t->renametargetPath = t->targetPath;
    t->cmd = QStringLiteral("tool.exe --no-cache-dir ") + t->zimu + t->qianruzimu
        + QStringLiteral(" -i --newline ") + t->quality + QStringLiteral(" ") + t->url
        + QStringLiteral(" -o \"") + t->targetPath + QStringLiteral("\"");
}
