#pragma once

#include <QByteArray>
#include <QString>

class ItemInfo;

// Reads a download's output into the task's progress fields (process,
// process_string, qfilesize, rate, eta) and its status code. Output arrives
// in chunks that may hold several lines or end in the middle of one, so the
// parser works line by line and keeps an unfinished last line for the next
// chunk. One parser per download slot; the caller refreshes the row after
// each feed. The verdict (finished or failed) is taken when the run ends,
// from process and process_status.
class ProgressParser
{
public:
    // Parses every complete line of chunk (after what was kept before).
    void feed(ItemInfo *task, const QByteArray &chunk);
    // End of the run: parses the kept partial line, if any.
    void flush(ItemInfo *task);
    // Forgets the kept partial line (a new run starts in the slot).
    void reset();

private:
    void readLine(ItemInfo *task, const QString &line);

    QByteArray m_pending;
    bool m_inDiagnostic = false; // the last line read was (part of) one
};

// One output line (without its line end). A "[download]" line sets status 4
// and, when it is a progress line, the figures; a line that reports the file
// "has already been downloaded" counts as 100 %; "Aborting." at its end and a
// line starting with "ERROR:" set 7, "[ffmpeg]" 5, "[hlsnative]" and
// "Deleting" 4, any other text 3. Blank lines change nothing.
void parseProgressLine(ItemInfo *task, const QString &line);
