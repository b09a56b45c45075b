#include "base/global.h"

#include <QDir>

QString Global::defaultDownloadDir()
{
    return QDir::homePath() + QStringLiteral("/Quillonload/");
}
