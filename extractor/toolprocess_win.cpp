#include "extractor/toolprocess.h"

QStringList ToolProcess::platformFallbackTools()
{
    return {};
}
