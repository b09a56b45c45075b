#pragma once

#include "extractor/jsruntime.h"
#include "extractor/toolprocess.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <QThread>

#include <atomic>
#include <memory>

// What the program knows about the extractor "tool.exe" resolves to: where it
// is, the version it prints and the JavaScript runtime it is handed.
struct ExtractorInfo
{
    QString path; // empty: no extractor found
    QString version; // first line of its "--version"; empty: it did not answer
    JsRuntime runtime; // found beside it or on PATH and not refused by it; empty: none
    JsRuntime refused; // the first it said it cannot use (a version too old for it)
    // The file as it was when it was asked, so a replaced file is asked again.
    qint64 size = -1;
    QDateTime modified;

    // Whether its version is 2025.11.12 or later, the first that takes
    // "--js-runtimes". Unknown versions are not: the option would end their runs.
    bool takesJsRuntimes() const;
    // The runtime it will use: the one found, when it can be handed over.
    JsRuntime usedRuntime() const { return takesJsRuntimes() ? runtime : JsRuntime(); }
};

namespace ExtractorVersion {
// Whether version (like "2025.11.12" or "2025.11.12.232700") is at least
// minimum; false for anything that is not dotted numbers.
bool atLeast(const QString &version, const QString &minimum);
// The version line in what "--version" printed (warnings may come first):
// dotted numbers beginning with a year; empty when there is none.
QString fromOutput(const QByteArray &output);
} // namespace ExtractorVersion

namespace ExtractorProbe {

// Resolves "tool.exe" in where, asks it for its version and looks for a
// runtime beside it and in where.pathDirs. An extractor that takes runtimes
// is asked which it can use (its own minimum versions rise over time). Blocks (each child has a
// time limit): call it off the GUI thread. stop ends it early; nothing is remembered then.
ExtractorInfo probe(const ToolProcess::ToolSearch &where, const std::atomic_bool *stop = nullptr);

// The probe results every start consults, by extractor path.
void remember(const ExtractorInfo &info);
// The result for path while the file is unchanged since; an empty one otherwise.
ExtractorInfo remembered(const QString &path);

} // namespace ExtractorProbe

// Probes the extractor in a worker thread, so the window never waits for the
// extractor's start (about a second for the current release); remembers the
// result for the starts and announces it.
class ExtractorProbeRunner : public QObject
{
    Q_OBJECT

public:
    explicit ExtractorProbeRunner(QObject *parent = nullptr);
    ~ExtractorProbeRunner() override;

    // Starts a probe of the extractor as the starts find it now; a request
    // while one runs is served by one more probe after it.
    void refresh();
    bool isProbing() const { return m_thread != nullptr; }
    // The last result; no path and no version before the first one.
    const ExtractorInfo &info() const { return m_info; }
    bool hasResult() const { return m_hasResult; }

signals:
    void probed();

private:
    void startProbe();

    ExtractorInfo m_info;
    bool m_hasResult = false;
    bool m_again = false;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_stop = std::make_shared<std::atomic_bool>(false);
};
