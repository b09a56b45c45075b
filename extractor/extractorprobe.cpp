#include "extractor/extractorprobe.h"

#include "extractor/boundedrun.h"
#include "extractor/extractorworkers.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

// A first start of a large extractor on a busy machine can take seconds.
constexpr int VersionTimeoutMs = 60000;

QMutex g_mutex;
QHash<QString, ExtractorInfo> g_remembered;

QVector<int> numbers(const QString &version)
{
    QVector<int> result;
    for (const QString &part : version.split(QLatin1Char('.'))) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok)
            return {};
        result.append(n);
    }
    return result;
}

QString askVersion(const QString &path, const std::atomic_bool *stop)
{
    const BoundedRun run = runBounded(path, {QStringLiteral("--version")}, VersionTimeoutMs, stop);
    if (!run.ok)
        return QString();
    const QString version = ExtractorVersion::fromOutput(run.output);
    if (!version.isEmpty())
        return version;
    // Some other extractor: show what it says.
    return QString::fromUtf8(run.output).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// Whether the extractor at path says it can use runtime. Its verbose header
// lists the runtimes it would use; without a URL it stops right after it.
bool acceptedBy(const QString &path, const JsRuntime &runtime, const std::atomic_bool *stop)
{
    const BoundedRun run = runBounded(path,
        {QStringLiteral("-v"), QStringLiteral("--ignore-config"), QStringLiteral("--js-runtimes"),
            runtime.optionValue()},
        VersionTimeoutMs, stop, true);
    // No line to go by: the runtime's own version decides.
    return JsRuntimes::verdictOf(run.output, runtime) != QLatin1String("refused");
}

} // namespace

bool ExtractorInfo::takesJsRuntimes() const
{
    return ExtractorVersion::atLeast(version, QStringLiteral("2025.11.12"));
}

bool ExtractorVersion::atLeast(const QString &version, const QString &minimum)
{
    const QVector<int> have = numbers(version.trimmed());
    const QVector<int> need = numbers(minimum);
    if (have.size() < 3)
        return false;
    return !std::lexicographical_compare(have.begin(), have.end(), need.begin(), need.end());
}

QString ExtractorVersion::fromOutput(const QByteArray &output)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{4}\\.\\d+\\.\\d+(\\.\\d+)?$"));
    for (const QString &line : QString::fromUtf8(output).split(QLatin1Char('\n'))) {
        if (dotted.match(line.trimmed()).hasMatch())
            return line.trimmed();
    }
    return QString();
}

namespace ExtractorProbe {

ExtractorInfo probe(const ToolProcess::ToolSearch &where, const std::atomic_bool *stop)
{
    ExtractorInfo info;
    const QString resolved = ToolProcess::resolveProgram(ToolProcess::toolName(), where);
    if (resolved == ToolProcess::toolName())
        return info;
    info.path = resolved;
    const QFileInfo file(resolved);
    info.size = file.size();
    info.modified = file.lastModified();
    info.version = askVersion(resolved, stop);
    if (info.version.isEmpty() || (stop && stop->load()))
        return info;
    const QList<JsRuntime> found
        = JsRuntimes::findAll(QStringList(file.absolutePath()) + where.pathDirs, stop);
    if (!info.takesJsRuntimes()) {
        info.runtime = found.value(0);
    } else {
        for (const JsRuntime &runtime : found) {
            if (acceptedBy(resolved, runtime, stop)) {
                info.runtime = runtime;
                break;
            }
            if (info.refused.isEmpty())
                info.refused = runtime;
        }
    }
    if (!stop || !stop->load())
        remember(info);
    return info;
}

void remember(const ExtractorInfo &info)
{
    if (info.path.isEmpty())
        return;
    QMutexLocker lock(&g_mutex);
    g_remembered.insert(info.path, info);
}

ExtractorInfo remembered(const QString &path)
{
    ExtractorInfo info;
    {
        QMutexLocker lock(&g_mutex);
        info = g_remembered.value(path);
    }
    const QFileInfo file(path);
    if (info.path.isEmpty() || file.size() != info.size || file.lastModified() != info.modified)
        return ExtractorInfo();
    return info;
}

} // namespace ExtractorProbe

ExtractorProbeRunner::ExtractorProbeRunner(QObject *parent)
    : QObject(parent)
{ }

// A probe still running is stopped (its children are killed) and waited for:
// a worker must not outlive the program's objects.
ExtractorProbeRunner::~ExtractorProbeRunner()
{
    if (!m_thread)
        return;
    m_stop->store(true);
    m_thread->wait();
    delete m_thread;
}

void ExtractorProbeRunner::refresh()
{
    if (m_thread) {
        m_again = true;
        return;
    }
    startProbe();
}

void ExtractorProbeRunner::startProbe()
{
    // Where to look is read here: the worker must not touch the application object.
    const ToolProcess::ToolSearch where = ToolProcess::defaultToolSearch();
    auto result = std::make_shared<ExtractorInfo>();
    const std::shared_ptr<std::atomic_bool> stop = m_stop;
    QThread *thread = QThread::create(
        [where, result, stop] { *result = ExtractorProbe::probe(where, stop.get()); });
    m_thread = thread;
    connect(thread, &QThread::finished, this, [this, result] {
        m_thread->deleteLater();
        m_thread = nullptr;
        m_info = *result;
        m_hasResult = true;
        // The extractor in use is known: its worker loads it now, so the
        // first link pasted does not wait for that.
        if (!m_info.path.isEmpty() && !m_info.version.isEmpty())
            if (ExtractorWorkers *workers = ExtractorWorkers::instance())
                workers->prepare(m_info.path, ToolProcess::runEnvironment());
        emit probed();
        if (m_again) {
            m_again = false;
            startProbe();
        }
    });
    thread->start(QThread::LowPriority);
}
