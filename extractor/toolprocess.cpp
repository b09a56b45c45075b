#include "extractor/toolprocess.h"

#include "extractor/commandcheck.h"
#include "extractor/cookieoptions.h"
#include "extractor/extractorprobe.h"
#include "extractor/extractorworkers.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

namespace ToolProcess {

namespace {

QString g_runMarker;

bool isRunnable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

void deliverFailedStart(QProcess *process)
{
    QPointer<QProcess> guarded(process);
    QMetaObject::invokeMethod(
        process,
        [guarded] {
            if (guarded)
                emit guarded->finished(-1, QProcess::CrashExit);
        },
        Qt::QueuedConnection);
}

// Turns a failed start into the ordinary completion signal, so whoever waits
// for the run (a slot handler, a dialog) always hears that it ended.
class StartFailureRelay : public QObject
{
public:
    explicit StartFailureRelay(QProcess *process)
        : QObject(process)
    {
        connect(process, &QProcess::errorOccurred, this, [process](QProcess::ProcessError e) {
            if (e != QProcess::FailedToStart)
                return;
            qDebug() << "extractor failed to start:" << process->program()
                     << process->errorString();
            deliverFailedStart(process);
        });
    }
};

void ensureRelay(QProcess *process)
{
    const auto relays = process->findChildren<QObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (QObject *child : relays) {
        if (dynamic_cast<StartFailureRelay *>(child))
            return;
    }
    new StartFailureRelay(process);
}

} // namespace

CommandLine splitCommandLine(const QString &command)
{
    QStringList parts;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (int i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (inQuotes && c == QLatin1Char('\\') && i + 1 < command.size()
            && command.at(i + 1) == QLatin1Char('"')) {
            // A quote inside a quoted argument (a folder may hold one).
            current.append(QLatin1Char('"'));
            ++i;
        } else if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            started = true;
        } else if (!inQuotes && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (started)
                parts.append(current);
            current.clear();
            started = false;
        } else {
            current.append(c);
            started = true;
        }
    }
    if (started)
        parts.append(current);

    CommandLine result;
    if (!parts.isEmpty())
        result.program = parts.takeFirst();
    result.arguments = parts;
    return result;
}

ToolSearch defaultToolSearch()
{
    ToolSearch where;
    where.currentDir = QDir::currentPath();
    where.appDir = QCoreApplication::applicationDirPath();
    where.updatedCopy = updatedCopyPath();
    const QString path = qEnvironmentVariable("PATH");
    where.pathDirs = path.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    where.fallbacks = platformFallbackTools();
    return where;
}

QString resolveProgram(const QString &program, const ToolSearch &where)
{
    if (program != toolName())
        return program;

    QStringList candidates;
    if (!where.currentDir.isEmpty())
        candidates << QDir(where.currentDir).filePath(program);
    if (!where.appDir.isEmpty())
        candidates << QDir(where.appDir).filePath(program);
    if (!where.updatedCopy.isEmpty())
        candidates << where.updatedCopy;
    for (const QString &dir : where.pathDirs)
        candidates << QDir(dir).filePath(program);
    for (const QString &fallback : where.fallbacks) {
        for (const QString &dir : where.pathDirs)
            candidates << QDir(dir).filePath(fallback);
    }
    for (const QString &candidate : candidates) {
        if (isRunnable(candidate))
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    }
    return program;
}

QString updatedCopyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/extractor/") + releaseProgramName();
}

QStringList startOptions(const QString &program)
{
    return jsRuntimeOptions(program);
}

QStringList jsRuntimeOptions(const QString &program)
{
    const JsRuntime runtime = ExtractorProbe::remembered(program).usedRuntime();
    if (runtime.isEmpty())
        return {};
    return {QStringLiteral("--js-runtimes"), runtime.optionValue()};
}

void setRunMarker(const QString &marker)
{
    g_runMarker = marker;
}

bool startExtractor(QProcess *process, const QString &command, QIODevice::OpenMode mode,
    QProcess::ProcessChannelMode channels)
{
    const CommandLine line = splitCommandLine(command);
    // Command texts are stored with the tasks; whatever a stored text says,
    // the only program this starts is the extractor, with options of our own.
    QString refused;
    if (!isOwnCommand(command, &refused, CommandUse::Start)) {
        qDebug() << "not a command of ours, not started:" << refused;
        deliverFailedStart(process);
        return false;
    }
    ensureRelay(process);
    // The user's sign-in cookies join here, after the check: never part of
    // a command text, and each value one argument whatever it holds.
    QStringList arguments = line.arguments;
    if (!CookieOptions::addToRun(process, &arguments)) {
        // Ends as a run whose program cannot start: busy until
        // finished(-1, CrashExit) arrives, like every other run.
        process->start(QStringLiteral("/nonexistent/cookies-refused"), QStringList(), mode);
        return false;
    }
    const QProcessEnvironment environment = runEnvironment();
    if (!g_runMarker.isEmpty())
        process->setProcessEnvironment(environment);
    process->setProcessChannelMode(channels);
    const QString program = resolveProgram(line.program, defaultToolSearch());
    if (line.program == toolName()) {
        arguments = startOptions(program) + arguments;
        // The resident worker serves the run when it can; the started
        // program then is its client, with the same arguments after two of
        // its own.
        QString client;
        QStringList clientArguments;
        ExtractorWorkers *workers = ExtractorWorkers::instance();
        if (workers && workers->route(program, arguments, environment, &client, &clientArguments)) {
            process->start(client, clientArguments, mode);
            return true;
        }
    }
    process->start(program, arguments, mode);
    return true;
}

QProcessEnvironment runEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!g_runMarker.isEmpty())
        environment.insert(runMarkerVariable(), g_runMarker);
    return environment;
}

} // namespace ToolProcess
