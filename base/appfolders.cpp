#include "base/appfolders.h"

#include <QDir>
#include <QStandardPaths>

AppFolders AppFolders::locate()
{
    AppFolders f;
    f.appDataDir
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/');
    f.cookiesDir = f.appDataDir + QStringLiteral("cookies/");
    f.settingsPath = f.appDataDir + QStringLiteral("setting.ini");
    f.desktopDir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    f.documentsDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return f;
}

void AppFolders::prepare(const QString &downloadDir) const
{
    QDir().mkpath(appDataDir);
    QDir().mkpath(downloadDir);
    recreateEmptyFolder(cookiesDir);
}

bool recreateEmptyFolder(const QString &folder)
{
    QDir dir(folder);
    if (dir.exists())
        dir.removeRecursively();
    if (!QDir().mkpath(folder))
        return false;
    return QDir(folder).isEmpty(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}
