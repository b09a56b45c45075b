#pragma once

#include <QIODevice>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Every extractor run goes through startExtractor(). Command texts keep the
// stored form "tool.exe <options> <link>"; they are split here into a program
// and its arguments (never handed to a shell) and "tool.exe" is resolved to a
// real executable.
namespace ToolProcess {

// The name command texts use for the extractor.
inline QString toolName()
{
    return QStringLiteral("tool.exe");
}

struct CommandLine
{
    QString program;
    QStringList arguments;
};

// Splits at blanks outside double quotes. Quotes group and are dropped; runs
// of blanks do not make empty arguments, but "" does. Inside quotes, \" is a
// quote that belongs to the argument.
CommandLine splitCommandLine(const QString &command);

// Where "tool.exe" is looked for, in this order: currentDir, appDir, the
// updated copy, each of pathDirs, then each fallback name in pathDirs.
struct ToolSearch
{
    QString currentDir;
    QString appDir;
    QString updatedCopy; // a file path; see updatedCopyPath()
    QStringList pathDirs;
    QStringList fallbacks;
};

// The search of this process: working directory, the program's folder, the
// updated copy, PATH and the platform's fallbacks.
ToolSearch defaultToolSearch();

// Names tried when no "tool.exe" exists anywhere (on Linux, "yt-dlp").
QStringList platformFallbackTools();

// The name of the extractor's release file for this platform ("yt-dlp";
// "yt-dlp.exe" on Windows).
QString releaseProgramName();
// Where "Update extractor" keeps the copy it installed: the folder
// "extractor" in the per-user data folder, under releaseProgramName().
QString updatedCopyPath();

// The executable to start for program. Anything but "tool.exe" is returned
// unchanged; an unresolvable "tool.exe" too, so that the start fails.
QString resolveProgram(const QString &program, const ToolSearch &where);

// Every run started from now on carries marker in its environment, and so do
// the helpers it starts (ffmpeg): after a crash of the program they can be
// found and ended (see LeftoverRuns). An empty marker adds nothing.
void setRunMarker(const QString &marker);
// The environment variable that holds the marker.
inline QString runMarkerVariable()
{
    return QStringLiteral("QUILLON_RUN");
}

// The environment every run is started with: the program's own, with the
// run marker.
QProcessEnvironment runEnvironment();

// Options every extractor start adds to the stored command, each one whole
// argument placed before the command's own: run-time facts (a JavaScript
// runtime the extractor can take, ...) that must never be written into a
// stored command. program is the resolved extractor.
QStringList startOptions(const QString &program);
// "--js-runtimes" with the runtime found for program, when the probe found
// one and program is new enough to take the option; nothing otherwise.
QStringList jsRuntimeOptions(const QString &program);

// Starts command on process with merged output channels. A start that fails
// (no extractor, not executable) still ends in finished(-1, CrashExit),
// delivered from the event loop, exactly like a run that printed nothing;
// completion must be taken from finished(int, QProcess::ExitStatus).
// Returns false when the command text is refused, or the run cannot sign in
// with the chosen cookies (CookieOptions), which also ends in finished.
// channels: merged by default; the proxy test page reads standard output alone.
bool startExtractor(QProcess *process, const QString &command,
    QIODevice::OpenMode mode = QIODevice::ReadWrite,
    QProcess::ProcessChannelMode channels = QProcess::MergedChannels);

} // namespace ToolProcess
