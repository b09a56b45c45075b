#include "ui/helplauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace HelpLauncher {

QString chmPath()
{
    const QString name = QStringLiteral("help.chm");
    if (QFileInfo::exists(name))
        return name;
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    return QFileInfo::exists(beside) ? beside : name;
}

QString writeHtmlHelp(const QString &dataDir, bool chinese)
{
    const QString name = chinese ? QStringLiteral("help_zh.html") : QStringLiteral("help_en.html");
    QFile source(QStringLiteral(":/help/") + name);
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray page = source.readAll();

    QDir().mkpath(dataDir);
    const QString target = QDir(dataDir).filePath(name);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    if (out.write(page) != page.size())
        return QString();
    return target;
}

} // namespace HelpLauncher
