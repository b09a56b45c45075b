#include "extractor/proxyrule.h"

#include "base/global.h"

QString proxyOption(const QString &host, int port, bool socks5)
{
    if (port < 1)
        return QString();
    return (socks5 ? QStringLiteral(" --proxy socks5://") : QStringLiteral(" --proxy http://"))
        + host + QLatin1Char(':') + QString::number(port);
}

QString currentProxyOption()
{
    return proxyOption(Global::PROXY_HOST, Global::PROXY_PORT, Global::PROXY_IS_SOCKS5);
}
