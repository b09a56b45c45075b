#pragma once

#include <QByteArray>
#include <QString>

// Why a download did not end with its file, as the row and the stored record
// say it. Kept as its number in ItemInfo::failReason.
enum class FailReason : int
{
    None = 0,
    DiskFull,
    NameTooLong,
    FolderUnusable, // the save folder is a file, under a file, read-only ...
    NoAnswer, // the site did not answer or refused the transfer
    ExtractorError, // anything else the extractor reported, or it crashed
    Incomplete, // the extractor reported success, but its file is not whole
    CookiesUnreadable, // the sign-in cookies could not be read (CookieFailure)
    Silent, // the extractor printed nothing for too long and was ended
};

// The translated reason, short enough for a row ("disk full").
QString failReasonText(int reason);
// The status text of a failed download: "Failed: <reason>", or the plain
// "Download Failed" without a reason.
QString failedStatusText(int reason);

// What a download run says about how it went, read from its output as it
// arrives (in chunks that may end inside a line): the extractor's own error
// lines and the system errors it quotes.
class RunReport
{
public:
    void reset();
    void feed(const QByteArray &chunk);
    // End of the run: reads a last line without its line end.
    void finish();

    // The extractor printed an "ERROR:" line.
    bool reportedErrors() const { return m_errors; }
    // Why the run failed; ExtractorError when nothing more precise was said.
    FailReason reason() const;

private:
    void readLine(const QString &line);

    QByteArray m_pending;
    bool m_errors = false;
    FailReason m_found = FailReason::None;
};

// The start-time options that make the extractor append the path of the
// file it finally wrote (after merging, conversion and moving; also when the
// file was already there) to pathFile, one line per video. The output
// itself stays as it is, so progress lines are read as before.
QString finalPathOption(const QString &pathFile);
// The last path written to pathFile, cleaned, with single '/' separators; ""
// when none.
QString readFinalPath(const QString &pathFile);
