#include "extractor/runreport.h"

#include "extractor/downloadcommand.h"
#include "tasks/taskstatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

struct Marker
{
    FailReason reason;
    const char *text;
};

// System errors as the extractor quotes them (Python's texts, on Linux and
// on Windows); any line may carry them, ffmpeg's included.
const Marker kSystemMarkers[] = {
    {FailReason::DiskFull, "[Errno 28]"},
    {FailReason::DiskFull, "No space left on device"},
    {FailReason::DiskFull, "[WinError 112]"},
    {FailReason::DiskFull, "not enough space on the disk"},
    {FailReason::NameTooLong, "[Errno 36]"},
    {FailReason::NameTooLong, "File name too long"},
    {FailReason::NameTooLong, "[WinError 206]"},
    {FailReason::FolderUnusable, "[Errno 13]"},
    {FailReason::FolderUnusable, "[Errno 17]"},
    {FailReason::FolderUnusable, "[Errno 20]"},
    {FailReason::FolderUnusable, "[Errno 21]"},
    {FailReason::FolderUnusable, "[Errno 30]"},
    {FailReason::FolderUnusable, "[WinError 5]"},
    {FailReason::FolderUnusable, "[WinError 267]"},
    {FailReason::FolderUnusable, "unable to create directory"},
};

// Network failures; only read from error lines, as retries print the same
// words in warnings of runs that then succeed.
const char *const kNoAnswer[] = {"HTTP Error", "timed out", "Connection refused",
    "Connection reset", "Connection aborted", "Network is unreachable", "No route to host",
    "Name or service not known", "Temporary failure in name resolution", "getaddrinfo failed",
    "Failed to resolve", "Remote end closed", "Unable to download", "unable to connect",
    "Giving up after", "Did not get any data blocks", "[Errno 101]", "[Errno 104]", "[Errno 110]",
    "[Errno 111]", "[Errno 113]", "[WinError 10060]", "[WinError 10061]"};

// A line longer than this without a line end is read as it stands.
const int kMaxPendingLine = 64 * 1024;

} // namespace

QString failReasonText(int reason)
{
    switch (FailReason(reason)) {
    case FailReason::DiskFull:
        return QCoreApplication::translate("FailReason", "disk full");
    case FailReason::NameTooLong:
        return QCoreApplication::translate("FailReason", "name too long");
    case FailReason::FolderUnusable:
        return QCoreApplication::translate("FailReason", "folder not usable");
    case FailReason::NoAnswer:
        return QCoreApplication::translate("FailReason", "no answer");
    case FailReason::ExtractorError:
        return QCoreApplication::translate("FailReason", "extractor error");
    case FailReason::Incomplete:
        return QCoreApplication::translate("FailReason", "file incomplete");
    case FailReason::CookiesUnreadable:
        return QCoreApplication::translate("FailReason", "cookies unreadable");
    case FailReason::Silent:
        return QCoreApplication::translate("FailReason", "no answer from the extractor");
    case FailReason::None:
        break;
    }
    return QString();
}

QString failedStatusText(int reason)
{
    const QString why = failReasonText(reason);
    if (why.isEmpty())
        return TaskStatus::downloadFailed();
    return QCoreApplication::translate("FailReason", "Failed: %1").arg(why);
}

void RunReport::reset()
{
    m_pending.clear();
    m_errors = false;
    m_found = FailReason::None;
}

void RunReport::feed(const QByteArray &chunk)
{
    m_pending.append(chunk);
    int start = 0;
    for (int i = 0; i < m_pending.size(); ++i) {
        if (m_pending.at(i) != '\n' && m_pending.at(i) != '\r')
            continue;
        if (i > start)
            readLine(QString::fromUtf8(m_pending.constData() + start, i - start));
        start = i + 1;
    }
    m_pending.remove(0, start);
    if (m_pending.size() > kMaxPendingLine)
        finish();
}

void RunReport::finish()
{
    if (!m_pending.isEmpty())
        readLine(QString::fromUtf8(m_pending));
    m_pending.clear();
}

void RunReport::readLine(const QString &line)
{
    const bool error = line.startsWith(QLatin1String("ERROR:"));
    m_errors = m_errors || error;
    // The first precise reason wins: what broke first is what the user can fix.
    if (m_found != FailReason::None)
        return;
    for (const Marker &m : kSystemMarkers) {
        if (line.contains(QLatin1String(m.text), Qt::CaseInsensitive)) {
            m_found = m.reason;
            return;
        }
    }
    if (!error)
        return;
    for (const char *text : kNoAnswer) {
        if (line.contains(QLatin1String(text), Qt::CaseInsensitive)) {
            m_found = FailReason::NoAnswer;
            return;
        }
    }
}

FailReason RunReport::reason() const
{
    return m_found == FailReason::None ? FailReason::ExtractorError : m_found;
}

QString finalPathOption(const QString &pathFile)
{
    return QStringLiteral(" --print-to-file after_move:filepath \"")
        + outputTemplateArgument(pathFile) + QLatin1Char('"');
}

QString readFinalPath(const QString &pathFile)
{
    QFile file(pathFile);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        QString path = *it;
        if (path.endsWith(QLatin1Char('\r')))
            path.chop(1);
        if (!path.isEmpty())
            return QDir::cleanPath(QDir::fromNativeSeparators(path));
    }
    return QString();
}
