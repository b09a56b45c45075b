#include "extractor/commands.h"

#include "base/global.h"
#include "extractor/proxyrule.h"

#include <QRegularExpression>

namespace {

// The options a metadata run carries after its link.
QString metadataOptions()
{
    if (Global::PROXY_PORT > 0)
        return QStringLiteral(" -R 5 ") + currentProxyOption()
            + QStringLiteral(" --socket-timeout 60 ");
    return QStringLiteral(" --socket-timeout 60 ");
}

bool needsEncoding(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('"');
}

} // namespace

QString safeLink(const QString &link)
{
    const QString trimmed = link.trimmed();
    if (!trimmed.startsWith(QLatin1String("http://"))
        && !trimmed.startsWith(QLatin1String("https://")))
        return QString();
    QString safe;
    safe.reserve(trimmed.size());
    for (const QChar c : trimmed) {
        if (!needsEncoding(c)) {
            safe.append(c);
            continue;
        }
        const QByteArray utf8 = QString(c).toUtf8();
        for (const char byte : utf8)
            safe += QLatin1Char('%')
                + QString::number(uchar(byte), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return safe;
}

QString singleVideoCommand(const QString &link)
{
    return QStringLiteral("tool.exe -j ") + safeLink(link) + metadataOptions();
}

QString flatListCommand(const QString &link)
{
    return QStringLiteral("tool.exe -j --flat-playlist \"") + safeLink(link) + QLatin1Char('"')
        + metadataOptions();
}

QString titleCommand(const QString &link)
{
    return QStringLiteral("tool.exe  --get-title ") + safeLink(link) + currentProxyOption()
        + QStringLiteral(" --socket-timeout 10 ");
}

QString analysisRunSuffix()
{
    return QStringLiteral(" -R 5 ") + currentProxyOption()
        + QStringLiteral(" --socket-timeout 60 ");
}

QString downloadRunSuffix()
{
    const int port = Global::PROXY_PORT;
    if (port < 1)
        return QStringLiteral(" --convert-subs srt -R 5  ");
    if (Global::PROXY_IS_SOCKS5)
        return QStringLiteral(" --convert-subs srt -R 5  ")
            + proxyOption(QStringLiteral("127.0.0.1"), port, true);
    return QStringLiteral(" --convert-subs srt -R 5 ")
        + proxyOption(QStringLiteral("127.0.0.1"), port, false);
}

bool splitSingleVideoCommand(const QString &cmd, QString *link, QString *options)
{
    static const QString prefix = QStringLiteral("tool.exe -j ");
    // Pairs of an option and its value, each pair after one or more blanks.
    static const QRegularExpression shared(QStringLiteral(
        "^(( +(-R|--socket-timeout) +[0-9]+)|( +--proxy +(http|socks5)://[^\\s\"]+))* *$"));
    if (!cmd.startsWith(prefix))
        return false;
    const int end = cmd.indexOf(QLatin1Char(' '), prefix.size());
    const QString found = cmd.mid(prefix.size(), end < 0 ? -1 : end - prefix.size());
    const QString rest = end < 0 ? QString() : cmd.mid(end);
    if (found.isEmpty() || safeLink(found) != found || !shared.match(rest).hasMatch())
        return false;
    *link = found;
    *options = rest;
    return true;
}

QString batchAnalysisCommand(const QStringList &links, const QString &options)
{
    return QStringLiteral("tool.exe -j -i ") + links.join(QLatin1Char(' ')) + options
        + analysisRunSuffix();
}

QString loadInfoOption(const QString &infoFile)
{
    return QStringLiteral(" --load-info-json \"") + infoFile + QLatin1Char('"');
}

QString queuedAnalysisCommand(const QString &link)
{
    return QStringLiteral("tool.exe -j ") + safeLink(link);
}
