#include "extractor/progressparser.h"

#include "extractor/extractorremarks.h"
#include "tasks/iteminfo.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// A line longer than this without a line end is not progress output; it is
// parsed as it stands rather than kept growing.
const int kMaxPendingLine = 64 * 1024;

bool isPercentToken(const QString &token)
{
    static const QRegularExpression percent(QStringLiteral("^\\d+(\\.\\d+)?%$"));
    return percent.match(token).hasMatch();
}

// The words after the keyword at tokens[from..], up to (not including) the
// first stop word or a "(" group such as "(frag 1/4)"; -1 when the keyword is
// not there.
QStringList wordsAfter(
    const QStringList &tokens, int from, const QString &keyword, const QStringList &stops)
{
    const int at = tokens.indexOf(keyword, from);
    QStringList words;
    if (at < 0)
        return words;
    for (int i = at + 1; i < tokens.size(); ++i) {
        const QString &t = tokens.at(i);
        if (stops.contains(t) || t.startsWith(QLatin1Char('(')))
            break;
        words.append(t);
    }
    return words;
}

// "[download]  45.3% of   10.00MiB at    1.00MiB/s ETA 00:05", also with an
// estimated size ("of ~   3.26KiB"), unknown figures ("at  Unknown B/s ETA
// Unknown") and a fragment counter at the end. The words are read by their
// keywords, never by position.
void readProgressFigures(ItemInfo *task, const QStringList &tokens)
{
    const QString &percentText = tokens.at(1);
    const double percent = percentText.chopped(1).toDouble();
    task->process = int(std::trunc(qBound(0.0, percent, 100.0)));
    task->process_string = percentText;

    const QStringList size = wordsAfter(tokens, 2, QStringLiteral("of"), {QStringLiteral("at")});
    if (!size.isEmpty())
        task->qfilesize = size.join(QString());
    const QStringList speed = wordsAfter(tokens, 2, QStringLiteral("at"), {QStringLiteral("ETA")});
    if (!speed.isEmpty())
        task->rate = speed.join(QLatin1Char(' '));
    const QStringList eta = wordsAfter(tokens, 2, QStringLiteral("ETA"), {});
    if (!eta.isEmpty())
        task->eta = eta.join(QLatin1Char(' '));
}

void parseDownloadLine(ItemInfo *task, const QString &line, const QStringList &tokens)
{
    task->process_status = 4;
    if (tokens.size() > 1 && isPercentToken(tokens.at(1))) {
        // "100% of 10.00MiB in 00:05 at ..." closes a file: only the percent
        // moves, the row keeps the figures of the last progress line.
        if (tokens.at(1) == QLatin1String("100%"))
            task->process = 100;
        else
            readProgressFigures(task, tokens);
    }
    // "<file> has already been downloaded" (optionally "and merged"): the
    // file is complete.
    if (line.contains(QLatin1String(" has already been downloaded")))
        task->process = 100;
    if (tokens.last() == QLatin1String("Aborting."))
        task->process_status = 7;
}

} // namespace

void parseProgressLine(ItemInfo *task, const QString &line)
{
    const QStringList tokens = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return;
    const QString &first = tokens.first();
    if (first == QLatin1String("[download]"))
        parseDownloadLine(task, line, tokens);
    else if (first == QLatin1String("[hlsnative]") || first == QLatin1String("Deleting"))
        task->process_status = 4;
    else if (first == QLatin1String("ERROR:"))
        task->process_status = 7;
    else if (first == QLatin1String("[ffmpeg]"))
        task->process_status = 5;
    else
        task->process_status = 3;
}

void ProgressParser::feed(ItemInfo *task, const QByteArray &chunk)
{
    m_pending.append(chunk);
    int start = 0;
    for (;;) {
        int end = start;
        while (end < m_pending.size() && m_pending.at(end) != '\n' && m_pending.at(end) != '\r')
            ++end;
        if (end >= m_pending.size())
            break;
        if (end > start)
            readLine(task, QString::fromUtf8(m_pending.constData() + start, end - start));
        start = end + 1;
    }
    m_pending.remove(0, start);
    if (m_pending.size() > kMaxPendingLine)
        flush(task);
}

void ProgressParser::flush(ItemInfo *task)
{
    if (!m_pending.isEmpty())
        readLine(task, QString::fromUtf8(m_pending));
    m_pending.clear();
}

void ProgressParser::reset()
{
    m_pending.clear();
    m_inDiagnostic = false;
}

void ProgressParser::readLine(ItemInfo *task, const QString &line)
{
    // The indented lines of a diagnostic that runs over several lines belong
    // to it: they neither change the status nor count as download output.
    if (m_inDiagnostic && ExtractorDiagnostics::continues(line))
        return;
    m_inDiagnostic = ExtractorDiagnostics::starts(line);
    parseProgressLine(task, line);
}
