#include "extractor/toolprocess.h"

QStringList ToolProcess::platformFallbackTools()
{
    return {};
}

QString ToolProcess::releaseProgramName()
{
    return QStringLiteral("yt-dlp.exe");
}
