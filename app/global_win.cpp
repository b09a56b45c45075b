#include "app/global.h"

QString Global::defaultDownloadDir()
{
    return QStringLiteral("C:/Quillonload/");
}
