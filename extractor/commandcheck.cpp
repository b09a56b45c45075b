#include "extractor/commandcheck.h"

#include "extractor/downloadcommand.h"
#include "extractor/toolprocess.h"

#include <QRegularExpression>
#include <QSet>

namespace {

bool validValue(const QString &option, const QString &value)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression rate(QStringLiteral("^[0-9]+[KM]?$"));
    static const QRegularExpression languages(QStringLiteral("^[A-Za-z,-]+$"));
    static const QRegularExpression extension(QStringLiteral("^[a-z0-9]+$"));
    static const QRegularExpression proxy(QStringLiteral("^(http|socks5)://[^\\s\"]+$"));
    // Absolute, so no leading "~"; "$" and "%" would be expanded by the extractor.
    static const QRegularExpression infoFile(QStringLiteral(
        "^([A-Za-z]:)?/([^\"$%]*/)?quillon-info-[A-Za-z0-9]+/[0-9]+\\.info\\.json$"));
    if (option == QLatin1String("-f")) {
        // Format ids joined by "+"; an empty part fails the run, no harm.
        for (const QString &id : value.split(QLatin1Char('+'))) {
            if (!id.isEmpty() && !isSafeFormatId(id))
                return false;
        }
        return true;
    }
    if (option == QLatin1String("-o"))
        return true; // always a single argument: the output path
    if (option == QLatin1String("-R") || option == QLatin1String("--socket-timeout"))
        return number.match(value).hasMatch();
    if (option == QLatin1String("-r"))
        return rate.match(value).hasMatch();
    if (option == QLatin1String("--sub-lang"))
        return languages.match(value).hasMatch();
    if (option == QLatin1String("--convert-thumbnails"))
        return value == QLatin1String("png");
    if (option == QLatin1String("--convert-subs"))
        return value == QLatin1String("srt");
    if (option == QLatin1String("--audio-format"))
        return value == QLatin1String("mp3");
    if (option == QLatin1String("--recode-video"))
        return extension.match(value).hasMatch();
    if (option == QLatin1String("--proxy"))
        return proxy.match(value).hasMatch();
    if (option == QLatin1String("--load-info-json"))
        return infoFile.match(value).hasMatch();
    return false;
}

// "--print-to-file after_move:filepath FILE", where FILE is a run's own file
// beside the analysis documents: the only use, at start time, that makes the
// extractor tell which file it wrote.
bool validFinalPathRequest(const QStringList &args, int at)
{
    static const QRegularExpression pathFile(
        QStringLiteral("^([A-Za-z]:)?/([^\"$%]*/)?quillon-info-[A-Za-z0-9]+/[0-9]+\\.path$"));
    return at + 2 < args.size() && args.at(at + 1) == QLatin1String("after_move:filepath")
        && pathFile.match(args.at(at + 2)).hasMatch();
}

} // namespace

bool isOwnCommand(const QString &command, QString *why, CommandUse use)
{
    static const QSet<QString> flags
        = {QStringLiteral("--no-cache-dir"), QStringLiteral("-i"), QStringLiteral("--newline"),
            QStringLiteral("--write-sub"), QStringLiteral("--write-auto-sub"),
            QStringLiteral("--embed-subs"), QStringLiteral("--write-thumbnail"),
            QStringLiteral("--skip-download"), QStringLiteral("-x"), QStringLiteral("-j"),
            QStringLiteral("--flat-playlist"), QStringLiteral("--get-title")};
    static const QSet<QString> withValue
        = {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("-R"),
            QStringLiteral("--socket-timeout"), QStringLiteral("-r"), QStringLiteral("--sub-lang"),
            QStringLiteral("--convert-thumbnails"), QStringLiteral("--convert-subs"),
            QStringLiteral("--audio-format"), QStringLiteral("--recode-video"),
            QStringLiteral("--proxy"), QStringLiteral("--load-info-json")};
    auto refuse = [why](const QString &what) {
        if (why)
            *why = what;
        return false;
    };

    const ToolProcess::CommandLine line = ToolProcess::splitCommandLine(command);
    if (line.program != ToolProcess::toolName())
        return refuse(QStringLiteral("program ") + line.program);
    const QStringList &args = line.arguments;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (flags.contains(arg))
            continue;
        if ((arg == QLatin1String("--load-info-json") || arg == QLatin1String("--print-to-file"))
            && use != CommandUse::Start)
            return refuse(QStringLiteral("option ") + arg + QStringLiteral(" in a stored text"));
        if (arg == QLatin1String("--print-to-file")) {
            if (!validFinalPathRequest(args, i))
                return refuse(QStringLiteral("option ") + arg);
            i += 2;
            continue;
        }
        if (withValue.contains(arg)) {
            if (i + 1 >= args.size() || !validValue(arg, args.at(i + 1)))
                return refuse(QStringLiteral("option ") + arg);
            ++i;
            continue;
        }
        // Anything else is a link, and a link is never an option.
        if (arg.isEmpty() || arg.startsWith(QLatin1Char('-')))
            return refuse(QStringLiteral("argument ") + arg);
    }
    return true;
}
