#include "ui/helplauncher.h"

#include <QProcess>

bool HelpLauncher::open(QProcess *helpProcess, const QString &, bool)
{
    helpProcess->start(QStringLiteral("hh.exe"), {chmPath()}, QIODevice::ReadWrite);
    return true;
}
