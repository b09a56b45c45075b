#include "extractor/toolprocess.h"

QStringList ToolProcess::platformFallbackTools()
{
    // Debian and most distributions ship a yt-dlp-compatible extractor.
    return {QStringLiteral("yt-dlp")};
}

QString ToolProcess::releaseProgramName()
{
    return QStringLiteral("yt-dlp");
}
