#pragma once

#include <QString>

class QProcess;

// Opens the user help. On Windows "hh.exe" shows "help.chm"; elsewhere the
// HTML help page shipped in the resources is written to dataDir and opened
// with the desktop's browser. Returns whether something was started.
namespace HelpLauncher {

// Windows: the help file by bare name in the working directory, else in the
// program's folder (a launcher may start the program elsewhere).
QString chmPath();

// Writes the help page of the language (and nothing else) to dataDir and
// returns its path; empty when it cannot be written.
QString writeHtmlHelp(const QString &dataDir, bool chinese);

bool open(QProcess *helpProcess, const QString &dataDir, bool chinese);

} // namespace HelpLauncher
