#include "extractor/jsruntime.h"

#include "extractor/boundedrun.h"

#include <QDate>
#include <QRegularExpression>
#include <QStandardPaths>

namespace JsRuntimes {

namespace {

constexpr int AnswerTimeoutMs = 10000;

struct Candidate
{
    const char *name;
    const char *program;
    const char *question;
};

// The extractor's own order of preference. Debian names its Node "nodejs" too.
const Candidate Candidates[] = {
    {"deno", "deno", "--version"},
    {"node", "node", "--version"},
    {"node", "nodejs", "--version"},
    // QuickJS has no version option; its help names the release date.
    {"quickjs", "qjs", "--help"},
};

QString ask(const QString &program, const QString &question, const std::atomic_bool *stop)
{
    // QuickJS ends its help with an error code.
    return QString::fromUtf8(runBounded(program, {question}, AnswerTimeoutMs, stop, true).output);
}

} // namespace

QString supportedVersion(const QString &name, const QString &answer)
{
    const auto match = [&answer](const char *pattern) {
        return QRegularExpression(QLatin1String(pattern), QRegularExpression::MultilineOption)
            .match(answer);
    };
    if (name == QLatin1String("deno")) {
        const auto m = match("^deno (\\d+)\\.(\\d+)\\.(\\d+)");
        if (m.hasMatch() && m.captured(1).toInt() >= 2)
            return m.captured(1) + QLatin1Char('.') + m.captured(2) + QLatin1Char('.')
                + m.captured(3);
    } else if (name == QLatin1String("node")) {
        const auto m = match("^v(\\d+)\\.(\\d+)\\.(\\d+)");
        if (m.hasMatch() && m.captured(1).toInt() >= 20)
            return m.captured(0).mid(1);
    } else if (name == QLatin1String("quickjs")) {
        const auto m = match("^QuickJS version (\\d{4}-\\d{2}-\\d{2})");
        const QDate released = QDate::fromString(m.captured(1), Qt::ISODate);
        if (released.isValid() && released >= QDate(2023, 12, 9))
            return m.captured(1);
    }
    return QString();
}

QList<JsRuntime> findAll(const QStringList &dirs, const std::atomic_bool *stop)
{
    QList<JsRuntime> found;
    for (const Candidate &c : Candidates) {
        const QString name = QLatin1String(c.name);
        const QString path = QStandardPaths::findExecutable(QLatin1String(c.program), dirs);
        const bool haveKind = !found.isEmpty() && found.last().name == name;
        if (path.isEmpty() || haveKind || (stop && stop->load()))
            continue;
        const QString version = supportedVersion(name, ask(path, QLatin1String(c.question), stop));
        if (!version.isEmpty())
            found.append({name, version, path});
    }
    return found;
}

JsRuntime find(const QStringList &dirs)
{
    return findAll(dirs).value(0);
}

QString verdictOf(const QByteArray &verboseOutput, const JsRuntime &runtime)
{
    for (const QByteArray &raw : verboseOutput.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        static const QString marker = QStringLiteral("[debug] JS runtimes:");
        if (!line.startsWith(marker))
            continue;
        for (QString entry : line.mid(marker.size()).split(QLatin1Char(','))) {
            entry = entry.trimmed();
            if (entry.startsWith(runtime.name + QLatin1Char('-')))
                return entry.endsWith(QLatin1String("(unsupported)")) ? QStringLiteral("refused")
                                                                      : QStringLiteral("takes");
        }
        return QStringLiteral("refused");
    }
    return QString();
}

} // namespace JsRuntimes
