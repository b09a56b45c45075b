#pragma once

#include <QString>

// Command texts of the metadata runs and the run-time suffixes the scheduler
// appends. Every text begins with "tool.exe" and is started through
// ToolProcess::startExtractor, which splits it at blanks outside quotes.

// A link as it may appear in a command: "" unless it starts with "http://" or
// "https://" (after surrounding white space is dropped), with white space,
// control characters and '"' percent-encoded. So a link is always exactly one
// argument, and never an option, whatever the clipboard, a list file or a
// playlist held.
QString safeLink(const QString &link);

// "tool.exe -j " + link, then " -R 5 " + proxy option when a proxy is known,
// then " --socket-timeout 60 ".
QString singleVideoCommand(const QString &link);
// The same with "tool.exe -j --flat-playlist " and the link in double quotes.
QString flatListCommand(const QString &link);
// "tool.exe  --get-title " + link, the proxy option, " --socket-timeout 10 ".
QString titleCommand(const QString &link);

// Appended to a queued task's "-j" command when the scheduler starts its
// analysis: " -R 5 " + proxy option (Global::PROXY_HOST) + " --socket-timeout 60 ".
QString analysisRunSuffix();
// Appended to a download command when the scheduler starts it; the proxy, if
// any, is always reached at 127.0.0.1 with the detected port.
QString downloadRunSuffix();

// A stored "-j" command of one video that may share an analysis run with
// others: "tool.exe -j " + link + options, where link is written as
// safeLink writes it and options hold only retries, timeouts and a proxy.
// Anything else (a list command, quotes, other options) is analysed alone,
// as it stands, and gives false.
bool splitSingleVideoCommand(const QString &cmd, QString *link, QString *options);
// One run analysing several links that share options: "tool.exe -j -i "
// + the links + options + analysisRunSuffix(). With "-i" a failing link
// prints its error and the run goes on with the next.
QString batchAnalysisCommand(const QStringList &links, const QString &options);
// Appended to a download that starts from the document its analysis
// printed, so the extractor need not extract the video again.
QString loadInfoOption(const QString &infoFile);
// The command a link waiting for its analysis is stored with:
// "tool.exe -j " + the link as safeLink writes it ("" for no web link, so
// the run fails instead of starting with something else).
QString queuedAnalysisCommand(const QString &link);
