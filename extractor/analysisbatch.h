#pragma once

#include "extractor/metadata.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVector>

// What an analysis run said about one of its links.
struct AnalysisOutcome
{
    enum Kind
    {
        Analysed, // parse is Object (meta filled) or NotObject
        Failed,
        Requeued, // the run ended before it reached the link
    };
    int index = -1; // the link's position in the run
    Kind kind = Failed;
    ParseResult parse = ParseResult::Invalid;
    VideoMetadata meta;
    QByteArray document; // the link's JSON line, empty when there is none
};

// Reads the output of one analysis run of one or more links as it arrives.
// The extractor works through its links in order and prints one JSON line
// per video, naming the link it was given ("original_url"); a failing link
// prints an error and the run goes on. So a link is settled as soon as its
// own single-video line arrives or a line of a later link shows that the run
// has passed it. A link that brought several lines (a list behind a single
// link) fails, as one whole output with several documents always did.
//
// A run of one link keeps the single-run reading: every JSON line is that
// link's, and when no line was one, its whole output is read as one document.
class AnalysisBatch
{
public:
    explicit AnalysisBatch(const QStringList &links = QStringList());

    // Links settled by the complete lines of chunk, in link order.
    QList<AnalysisOutcome> feed(const QByteArray &chunk);
    // The run ended: every link still open. A run that crashed fails only
    // the link it was at; the ones it never reached are requeued.
    QList<AnalysisOutcome> finish(bool crashed);

private:
    struct Link
    {
        QString url;
        int documents = 0;
        bool settled = false;
        AnalysisOutcome first;
    };

    void readLine(const QByteArray &line, QList<AnalysisOutcome> *out);
    void settle(int index, AnalysisOutcome::Kind kind, QList<AnalysisOutcome> *out);
    void close(int index, QList<AnalysisOutcome> *out);

    QVector<Link> m_links;
    QByteArray m_pending; // an unfinished last line
    QByteArray m_whole; // all output, for a run of one link
};
