#include "extractor/extractorworkers.h"

#include "extractor/envfingerprint.h"
#include "extractor/workerplatform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <string>
#include <vector>

// The worker script is a resource of this static library.
static void initWorkerScript()
{
    Q_INIT_RESOURCE(extractorworker);
}

namespace {

// A worker with no run for this long ends by itself.
constexpr int kIdleSeconds = 60;
// A worker whose socket is not there yet is taken for one still starting for
// this long (the interpreter loads before it listens).
constexpr int kStartingMs = 5000;

QPointer<ExtractorWorkers> g_instance;

QString identityOf(const QFileInfo &file)
{
    return file.canonicalFilePath() + QLatin1Char('\n') + QString::number(file.size())
        + QLatin1Char('\n')
        + QString::number(file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch())
        + QLatin1Char('\n')
        + QString::number(file.fileTime(QFileDevice::FileMetadataChangeTime).toMSecsSinceEpoch());
}

QString fingerprintOf(const QProcessEnvironment &environment)
{
    std::vector<std::string> entries;
    const QStringList pairs = environment.toStringList();
    entries.reserve(static_cast<size_t>(pairs.size()));
    for (const QString &pair : pairs)
        entries.push_back(pair.toLocal8Bit().toStdString());
    return QString::fromStdString(EnvFingerprint::of(entries));
}

// The distribution's launcher: a few lines that import the package's main
// and call it, nothing else.
bool isPackageLauncher(const QByteArray &body)
{
    static const QRegularExpression allowed(QStringLiteral(
        R"(^(import (re|sys)|from yt_dlp import main|if __name__ == ["']__main__["']:|)"
        R"(sys\.argv\[0\] = re\.sub\(.*\)|sys\.exit\(main\(\)\))$)"));
    bool importsMain = false;
    for (const QByteArray &raw : body.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!allowed.match(line).hasMatch())
            return false;
        importsMain = importsMain || line == QLatin1String("from yt_dlp import main");
    }
    return importsMain;
}

} // namespace

ExtractorWorkers *ExtractorWorkers::instance()
{
    // Workers are started and ended on the application's thread only.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return nullptr;
    if (!g_instance)
        g_instance = new ExtractorWorkers(app);
    return g_instance;
}

ExtractorWorkers::ExtractorWorkers(QObject *parent)
    : QObject(parent)
{ }

ExtractorWorkers::~ExtractorWorkers()
{
    shutdown();
    delete m_folder;
}

QString ExtractorWorkers::clientProgram()
{
    static const QString found = [] {
        const QStringList candidates = {
            QCoreApplication::applicationDirPath() + QStringLiteral("/quillon-run"),
#ifdef QUILLON_RUN_CLIENT_BUILD_PATH
            QStringLiteral(QUILLON_RUN_CLIENT_BUILD_PATH),
#endif
        };
        for (const QString &candidate : candidates) {
            const QFileInfo info(candidate);
            if (info.isFile() && info.isExecutable())
                return info.absoluteFilePath();
        }
        return QString();
    }();
    return found;
}

ExtractorWorkers::Kind ExtractorWorkers::kindOf(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(4096);
    const int lineEnd = head.indexOf('\n');
    if (!head.startsWith("#!") || lineEnd < 0)
        return {};
    const QStringList interpreter
        = QString::fromLocal8Bit(head.mid(2, lineEnd - 2)).simplified().split(QLatin1Char(' '));
    const bool python = std::any_of(interpreter.begin(), interpreter.end(), [](const QString &w) {
        return QFileInfo(w).fileName().startsWith(QLatin1String("python"));
    });
    if (interpreter.first().isEmpty() || !python)
        return {};
    Kind kind;
    kind.interpreter = interpreter;
    if (head.mid(lineEnd + 1, 4) == QByteArray("PK\x03\x04", 4))
        kind.mode = QStringLiteral("zip");
    else if (f.size() == head.size() && isPackageLauncher(head.mid(lineEnd + 1)))
        kind.mode = QStringLiteral("package");
    else
        return {};
    return kind;
}

bool ExtractorWorkers::route(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment, QString *startProgram, QStringList *startArguments)
{
    if (!WorkerPlatform::supported() || qEnvironmentVariableIsSet("QUILLON_NO_EXTRACTOR_WORKERS"))
        return false;
    const QString client = clientProgram();
    if (client.isEmpty())
        return false;
    const QString socket = socketFor(program, environment);
    if (socket.isEmpty())
        return false;
    *startProgram = client;
    *startArguments = QStringList {socket, program} + arguments;
    return true;
}

void ExtractorWorkers::prepare(const QString &program, const QProcessEnvironment &environment)
{
    if (WorkerPlatform::supported() && !clientProgram().isEmpty()
        && !qEnvironmentVariableIsSet("QUILLON_NO_EXTRACTOR_WORKERS"))
        socketFor(program, environment);
}

bool ExtractorWorkers::ensureFolder()
{
    if (m_folder)
        return m_folder->isValid();
    // Socket paths are short (about 100 bytes at most): a long temporary
    // folder is not used.
    QString base = QDir::tempPath();
    if (base.size() > 60)
        base = QStringLiteral("/tmp");
    // The folder is the owner's alone (QTemporaryDir makes it so): nobody
    // else may reach the workers or change their script.
    // A program that was killed leaves its folder behind (its workers died
    // with it); the folder names the program's process.
    const QString prefix = QStringLiteral("quillon-workers-");
    const QStringList earlier = QDir(base).entryList(
        {prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : earlier) {
        bool isPid = false;
        const qint64 pid
            = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&isPid);
        const QString path = base + QLatin1Char('/') + name;
        if (isPid && pid != QCoreApplication::applicationPid() && WorkerPlatform::isGone(pid)
            && WorkerPlatform::isOwnFolder(path))
            QDir(path).removeRecursively();
    }
    m_folder = new QTemporaryDir(base + QLatin1Char('/') + prefix
        + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
    if (!m_folder->isValid())
        return false;
    initWorkerScript();
    m_script = m_folder->filePath(QStringLiteral("extractorworker.py"));
    QFile source(QStringLiteral(":/extractorworker/extractorworker.py"));
    QFile target(m_script);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)
        || target.write(source.readAll()) < 0) {
        qDebug() << "the extractor worker cannot be written:" << m_script;
        target.remove();
        m_script.clear();
    }
    return !m_script.isEmpty();
}

QString ExtractorWorkers::socketFor(const QString &program, const QProcessEnvironment &environment)
{
    const QFileInfo file(program);
    if (!file.isFile() || !file.isExecutable())
        return QString();
    const QString identity = identityOf(file);
    auto knownKind = m_kinds.constFind(identity);
    const Kind kind = knownKind != m_kinds.constEnd()
        ? *knownKind
        : m_kinds.insert(identity, kindOf(program)).value();
    if (kind.mode.isEmpty() || !ensureFolder())
        return QString();

    const QString fingerprint = fingerprintOf(environment);
    const QString key
        = identity + QLatin1Char('\n') + fingerprint + QLatin1Char('\n') + QDir::currentPath();
    auto found = m_workers.find(key);
    if (found != m_workers.end()) {
        QProcess *process = found->process;
        const bool starting = process->property("quillonStarted")
                                  .toDateTime()
                                  .msecsTo(QDateTime::currentDateTimeUtc())
            < kStartingMs;
        if (process->state() != QProcess::NotRunning && (QFile::exists(found->socket) || starting))
            return found->socket;
        // Ended, or about to end after its idle time: runs go to a new one;
        // the old one leaves the list when it has ended.
        m_workers.erase(found);
    }

    Worker worker;
    worker.socket = m_folder->filePath(QStringLiteral("w%1.sock").arg(++m_started));
    worker.process = WorkerPlatform::newProcess(this);
    QProcess *process = worker.process;
    process->setProperty("quillonStarted", QDateTime::currentDateTimeUtc());
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this, process] {
            for (auto it = m_workers.begin(); it != m_workers.end(); ++it) {
                if (it->process == process) {
                    m_workers.erase(it);
                    break;
                }
            }
            process->deleteLater();
        });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        qDebug() << "the extractor worker cannot start:" << process->program();
        for (auto it = m_workers.begin(); it != m_workers.end(); ++it) {
            if (it->process == process) {
                m_workers.erase(it);
                break;
            }
        }
        process->deleteLater();
    });
    const QStringList arguments = kind.interpreter.mid(1)
        + QStringList {m_script, kind.mode, file.canonicalFilePath(), worker.socket, fingerprint,
            QString::number(kIdleSeconds)};
    m_workers.insert(key, worker);
    process->start(kind.interpreter.first(), arguments, QIODevice::ReadOnly);
    return worker.socket;
}

void ExtractorWorkers::shutdown()
{
    const QList<QProcess *> processes = findChildren<QProcess *>();
    m_workers.clear();
    // SIGTERM: a worker cancels its runs, ends their helpers and leaves.
    for (QProcess *process : processes) {
        if (process->state() != QProcess::NotRunning)
            process->terminate();
    }
    QElapsedTimer clock;
    clock.start();
    for (QProcess *process : processes) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning
            && !process->waitForFinished(static_cast<int>(qMax<qint64>(0, 2000 - clock.elapsed()))))
            process->kill();
        process->waitForFinished(1000);
        delete process;
    }
}

int ExtractorWorkers::count() const
{
    int running = 0;
    for (const Worker &worker : m_workers)
        running += worker.process->state() != QProcess::NotRunning ? 1 : 0;
    return running;
}

bool ExtractorWorkers::servesRun(const QProcess *process)
{
    const QString client = clientProgram();
    return !client.isEmpty() && process->program() == client;
}

bool ExtractorWorkers::cancelRun(const QProcess *process, int waitMs)
{
    if (!servesRun(process) || process->state() == QProcess::NotRunning)
        return true;
    return WorkerPlatform::cancel(process->arguments().value(0), process->processId(), waitMs);
}
