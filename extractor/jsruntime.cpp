#include "extractor/jsruntime.h"

#include <QDate>
#include <QProcess>
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

QString ask(const QString &program, const QString &question)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {question}, QIODevice::ReadOnly);
    if (!process.waitForFinished(AnswerTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromUtf8(process.readAll());
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

JsRuntime find(const QStringList &dirs)
{
    for (const Candidate &c : Candidates) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(c.program), dirs);
        if (path.isEmpty())
            continue;
        const QString name = QLatin1String(c.name);
        const QString version = supportedVersion(name, ask(path, QLatin1String(c.question)));
        if (!version.isEmpty())
            return {name, version, path};
    }
    return {};
}

} // namespace JsRuntimes
