#include "extractor/choiceoptions.h"

#include "extractor/downloadcommand.h"

QString thumbnailOption(bool wanted)
{
    return wanted ? QStringLiteral(" --write-thumbnail --convert-thumbnails png ")
                  : QStringLiteral(" ");
}

QString listSubtitleOption(int languageIndex)
{
    return QStringLiteral(" --write-sub  --write-auto-sub ")
        + subtitleLanguageOption(languageIndex);
}

QString singleDownloadCommand(const SingleDownloadChoice &c)
{
    QString subtitles;
    if (c.subtitles) {
        const QString embed = c.subtitleMode == 1 ? QStringLiteral(" --embed-subs ") : QString();
        subtitles = QStringLiteral(" --write-sub  --write-auto-sub ") + embed
            + subtitleLanguageOption(c.subtitleLanguage);
    }
    const QString thumbnail
        = c.thumbnail ? QStringLiteral("  --write-thumbnail --convert-thumbnails png ") : QString();
    return QStringLiteral("tool.exe  --no-cache-dir ") + QStringLiteral(" -i --newline -f ")
        + c.selector + QLatin1Char(' ') + c.link + QStringLiteral(" -o ") + QLatin1Char('"')
        + c.outputArgument + QLatin1Char('"') + subtitles + thumbnail;
}
