#include "extractor/extractorremarks.h"

#include <QRegularExpression>

namespace ExtractorDiagnostics {

bool starts(const QString &line)
{
    return line.startsWith(QLatin1String("WARNING:")) || line.startsWith(QLatin1String("ERROR:"));
}

bool continues(const QString &line)
{
    return line.size() > 1 && line.at(0).isSpace() && !line.trimmed().isEmpty();
}

} // namespace ExtractorDiagnostics

int ExtractorRemarks::remarksIn(const QString &line)
{
    // An old release says it is "older than 90 days" and how to update ("-U",
    // "--update"); an unexpected failure asks to "Confirm you are on the
    // latest version". Sites change often, so each of these means that a
    // newer extractor may well succeed.
    static const QRegularExpression outdated(
        QStringLiteral("older than \\d+ days|latest version|\\s-U\\b|--update\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression noRuntime(QStringLiteral("no supported javascript runtime"),
        QRegularExpression::CaseInsensitiveOption);
    int found = None;
    if (outdated.match(line).hasMatch())
        found |= Outdated;
    if (noRuntime.match(line).hasMatch())
        found |= NoJavaScriptRuntime;
    return found;
}

void ExtractorRemarks::feed(const QByteArray &chunk)
{
    m_pending.append(chunk);
    int start = 0;
    for (int end; (end = m_pending.indexOf('\n', start)) >= 0; start = end + 1)
        readLine(QString::fromUtf8(m_pending.constData() + start, end - start));
    m_pending.remove(0, start);
    // Progress lines end in "\r" alone on some systems: nothing of interest
    // is kept growing.
    if (m_pending.size() > 64 * 1024)
        m_pending.clear();
}

void ExtractorRemarks::finish()
{
    if (!m_pending.isEmpty())
        readLine(QString::fromUtf8(m_pending));
    m_pending.clear();
}

void ExtractorRemarks::reset()
{
    *this = ExtractorRemarks();
}

void ExtractorRemarks::readLine(const QString &raw)
{
    QString line = raw;
    while (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    if (m_inDiagnostic && ExtractorDiagnostics::continues(line)) {
        m_remarks |= remarksIn(line);
        return;
    }
    m_inDiagnostic = ExtractorDiagnostics::starts(line);
    if (m_inDiagnostic)
        m_remarks |= remarksIn(line);
}
