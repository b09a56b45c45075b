#include "base/global.h"

QString Global::defaultDownloadDir()
{
    return QStringLiteral("C:/Quillonload/");
}
