#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for. The arguments are read twice: once
// before anything starts, to answer --help and --version (no window, no data
// folder, no display needed) or to refuse an unknown option, and again once
// the GUI framework took its own options, for the links.
namespace CommandLine {

enum class Action
{
    Run, // start (or hand the links to the running copy)
    Help,
    Version,
    Error, // an unknown option: print error, exit with code 2
};

struct Parsed
{
    Action action = Action::Run;
    QStringList links; // in the order given
    QString error; // one line, for Action::Error
};

// arguments: without the program name. Everything after "--" is a link.
// Options the GUI framework reads for itself (-platform NAME, -style NAME,
// -reverse ...) are passed over with their values.
Parsed parse(const QStringList &arguments);

// The texts to print, each ending in a newline.
QString helpText();
QString versionText();

} // namespace CommandLine
