#pragma once

#include <QString>

// Whether a command text is one this program composes: the extractor with
// only the options the program itself writes, each with a value of the kind
// it writes, and links that are not options. Command texts are stored with
// the tasks, so a damaged or hostile row must not be able to make the
// extractor run a command, read a configuration or write elsewhere.
// why: set to what was refused.
bool isOwnCommand(const QString &command, QString *why = nullptr);
