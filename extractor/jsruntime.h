#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// The JavaScript runtime newer extractors need for full support of some
// sites. The extractor looks only for some runtimes by itself; the program
// finds one and names it at every start (see ToolProcess::startOptions).
struct JsRuntime
{
    QString name; // as the extractor names it: "deno", "node" or "quickjs"; empty: none
    QString version; // as the runtime printed it, e.g. "2.1.4"
    QString path;

    bool isEmpty() const { return name.isEmpty(); }
    // "node:/usr/bin/node": the value of the extractor's runtime option.
    QString optionValue() const { return name + QLatin1Char(':') + path; }
};

namespace JsRuntimes {

// The version a runtime's answer names when it is one the extractor can use
// (Deno 2 or later, Node 20 or later, QuickJS 2023-12-09 or later); empty
// otherwise. answer is what "--version" (QuickJS: "--help") printed.
QString supportedVersion(const QString &name, const QString &answer);

// The usable runtimes in dirs, one of each kind, in the extractor's order of
// preference (Deno, Node, QuickJS), each asked for its version with a time
// limit. Blocks: call it off the GUI thread; stop ends it early.
QList<JsRuntime> findAll(const QStringList &dirs, const std::atomic_bool *stop = nullptr);
// The first of them, or none.
JsRuntime find(const QStringList &dirs);

// What an extractor run with "-v" and the runtime's option said about it:
// "takes", "refused" (a version it does not support, or not listed at all),
// or "" when its output has no runtime line to go by.
QString verdictOf(const QByteArray &verboseOutput, const JsRuntime &runtime);

} // namespace JsRuntimes
