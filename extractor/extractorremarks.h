#pragma once

#include <QByteArray>
#include <QString>

// The extractor's own diagnostics start with "WARNING:" or "ERROR:". Some run
// over several lines (an old release's reminder to update takes four); the
// lines after the first are indented and are part of it, not output of
// their own.
namespace ExtractorDiagnostics {

bool starts(const QString &line);
// Whether line continues a diagnostic, given that the line before it was
// one (or continued one).
bool continues(const QString &line);

} // namespace ExtractorDiagnostics

// What the extractor says about itself in a run's diagnostics: that it is
// too old or should be updated, or that it found no JavaScript runtime (some
// sites then give fewer formats or fail). Fed the run's output in the chunks
// it arrives in.
class ExtractorRemarks
{
public:
    enum Remark
    {
        None = 0,
        Outdated = 1,
        NoJavaScriptRuntime = 2,
    };

    void feed(const QByteArray &chunk);
    // End of the run: reads a last line without a line end.
    void finish();
    void reset();
    // The Remark flags seen so far.
    int remarks() const { return m_remarks; }

    // The remarks in one diagnostic line (its first line or a continuation).
    static int remarksIn(const QString &diagnosticLine);

private:
    void readLine(const QString &line);

    QByteArray m_pending;
    bool m_inDiagnostic = false;
    int m_remarks = None;
};
