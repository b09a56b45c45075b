#include "app/commandline.h"

#include "base/global.h"

namespace CommandLine {

namespace {

// The options the GUI framework takes out of the arguments when the program
// starts, and whether each one is followed by a value. They may be given with
// one dash or two.
struct FrameworkOption
{
    const char *name;
    bool takesValue;
};

const FrameworkOption FrameworkOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"display", true},
    {"geometry", true},
    {"name", true},
    {"title", true},
    {"visual", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

// The option's name without dashes and without "=value"; whether its value
// was written into the same argument.
QString optionName(const QString &argument, bool *inlineValue)
{
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const int equals = name.indexOf(QLatin1Char('='));
    *inlineValue = equals >= 0;
    return equals >= 0 ? name.left(equals) : name;
}

const FrameworkOption *frameworkOption(const QString &name)
{
    for (const FrameworkOption &option : FrameworkOptions) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    // The debugger hook is spelt "-qmljsdebugger=port:1234".
    static const FrameworkOption debugger = {"qmljsdebugger", false};
    return name == QLatin1String(debugger.name) ? &debugger : nullptr;
}

} // namespace

Parsed parse(const QStringList &arguments)
{
    Parsed parsed;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            parsed.links << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            parsed.action = Action::Help;
            return parsed;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            parsed.action = Action::Version;
            return parsed;
        }
        bool inlineValue = false;
        const FrameworkOption *option = frameworkOption(optionName(argument, &inlineValue));
        if (!option) {
            parsed.action = Action::Error;
            // Printed as it came: a control character in it must not reach
            // the terminal.
            QString shown = argument.left(80);
            for (QChar &c : shown) {
                if (c.category() == QChar::Other_Control)
                    c = QLatin1Char('?');
            }
            parsed.error
                = QStringLiteral("quillon: unknown option '%1' (try 'quillon --help')").arg(shown);
            return parsed;
        }
        if (option->takesValue && !inlineValue)
            ++i;
    }
    return parsed;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: quillon [OPTION]... [LINK]...\n"
        "Download videos, playlists and channels.\n"
        "\n"
        "Each LINK is taken as if it were pasted. When Quillon already runs, the\n"
        "links are handed to the running copy, which comes to the front.\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "  --             take every following argument as a link\n"
        "\n"
        "The options of the Qt toolkit (-platform, -style, -reverse, ...) are\n"
        "accepted as well.\n");
}

QString versionText()
{
    return QStringLiteral("quillon %1\n").arg(Global::APP_VER);
}

} // namespace CommandLine
