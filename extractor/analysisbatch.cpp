#include "extractor/analysisbatch.h"

AnalysisBatch::AnalysisBatch(const QStringList &links)
{
    for (const QString &url : links) {
        Link link;
        link.url = url;
        m_links.append(link);
    }
}

QList<AnalysisOutcome> AnalysisBatch::feed(const QByteArray &chunk)
{
    QList<AnalysisOutcome> out;
    if (m_links.size() == 1)
        m_whole += chunk;
    m_pending += chunk;
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        readLine(line, &out);
    }
    return out;
}

QList<AnalysisOutcome> AnalysisBatch::finish(bool crashed)
{
    QList<AnalysisOutcome> out;
    readLine(m_pending, &out);
    m_pending.clear();
    if (m_links.size() == 1 && !m_links[0].settled && m_links[0].documents == 0) {
        Link &only = m_links[0];
        only.first.parse = parseVideoOutput(m_whole, &only.first.meta);
        only.documents = only.first.parse == ParseResult::Invalid ? 0 : 1;
    }
    bool atCrash = false;
    for (int i = 0; i < m_links.size(); ++i) {
        if (m_links[i].settled)
            continue;
        if (m_links[i].documents > 0) {
            close(i, &out);
        } else if (atCrash) {
            settle(i, AnalysisOutcome::Requeued, &out);
        } else {
            settle(i, AnalysisOutcome::Failed, &out);
            atCrash = crashed;
        }
    }
    return out;
}

void AnalysisBatch::readLine(const QByteArray &line, QList<AnalysisOutcome> *out)
{
    const QByteArray text = line.trimmed();
    if (!text.startsWith('{'))
        return; // progress, warnings and the errors of failing links
    AnalysisOutcome found;
    found.parse = parseVideoOutput(text, &found.meta);
    if (found.parse != ParseResult::Object)
        return;
    int index = m_links.size() == 1 ? 0 : -1;
    for (int i = 0; index < 0 && i < m_links.size(); ++i) {
        if (m_links[i].url == found.meta.originalUrl)
            index = i;
    }
    if (index < 0 || m_links[index].settled)
        return;
    // The run has passed every earlier link.
    for (int i = 0; i < index; ++i)
        close(i, out);
    Link &link = m_links[index];
    if (++link.documents > 1)
        return;
    found.index = index;
    found.kind = AnalysisOutcome::Analysed;
    found.document = text;
    link.first = found;
    // A single video is complete; an entry of a list waits for the rest.
    if (!found.meta.listEntry)
        settle(index, AnalysisOutcome::Analysed, out);
}

void AnalysisBatch::settle(int index, AnalysisOutcome::Kind kind, QList<AnalysisOutcome> *out)
{
    Link &link = m_links[index];
    link.settled = true;
    AnalysisOutcome outcome;
    if (kind == AnalysisOutcome::Analysed)
        outcome = link.first;
    outcome.index = index;
    outcome.kind = kind;
    link.first = AnalysisOutcome();
    out->append(outcome);
}

void AnalysisBatch::close(int index, QList<AnalysisOutcome> *out)
{
    const Link &link = m_links[index];
    if (link.settled)
        return;
    settle(index, link.documents == 1 ? AnalysisOutcome::Analysed : AnalysisOutcome::Failed, out);
}
