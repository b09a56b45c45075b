#pragma once

#include <QString>

// Whether a command text is one this program composes: the extractor with
// only the options the program itself writes, each with a value of the kind
// it writes, and links that are not options. Command texts are stored with
// the tasks, so a damaged or hostile row must not be able to make the
// extractor run a command, read a configuration or write elsewhere.
// A stored text never carries "--load-info-json" or "--print-to-file": only
// the scheduler adds them to a run, naming a document file it wrote itself
// (an absolute path to "<number>.info.json" in a folder "quillon-info-*",
// with nothing the extractor would expand) and a file beside it
// ("<number>.path") for the final path. Start checks a run; Stored a command text before that.
// why: set to what was refused.
enum class CommandUse
{
    Stored,
    Start,
};
bool isOwnCommand(
    const QString &command, QString *why = nullptr, CommandUse use = CommandUse::Stored);
