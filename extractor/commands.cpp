#include "extractor/commands.h"

#include "app/global.h"
#include "network/proxyrule.h"

QString analysisRunSuffix()
{
    return QStringLiteral(" -R 5 ") + currentProxyOption() + QStringLiteral(" --socket-timeout 60 ");
}

QString downloadRunSuffix()
{
    return QStringLiteral(" --convert-subs srt -R 5  ")
        + proxyOption(QStringLiteral("127.0.0.1"), Global::PROXY_PORT, Global::PROXY_IS_SOCKS5);
}
