#include "ui/helplauncher.h"

#include <QDesktopServices>
#include <QUrl>

bool HelpLauncher::open(QProcess *, const QString &dataDir, bool chinese)
{
    const QString page = writeHtmlHelp(dataDir, chinese);
    if (page.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}
