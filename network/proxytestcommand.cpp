#include "network/proxytestcommand.h"

#include "extractor/proxyrule.h"

QString proxyTestCommand(const QString &clipboardText, const QString &host, int port, bool socks5)
{
    QString link = clipboardText.trimmed();
    link.remove(QLatin1Char('"'));
    if (link.startsWith(QLatin1Char('-')))
        link.clear();
    const QString quoted = link.isEmpty() ? QString() : QLatin1Char('"') + link + QLatin1Char('"');
    return QStringLiteral("tool.exe -j ") + quoted + QStringLiteral(" -R 5 ")
        + proxyOption(host, port, socks5) + QStringLiteral(" --socket-timeout 60 ");
}
