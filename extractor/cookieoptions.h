#pragma once

#include "base/settingsstore.h"
#include "extractor/cookiefailure.h"

#include <QList>
#include <QString>
#include <QStringList>

class QProcess;

// The cookies extractor runs sign in with. The user's choice is added to each
// run as it starts, as arguments of their own; it is never part of a command
// text, so no path, profile or cookie reaches a stored task or a logged
// command.
namespace CookieOptions {

struct Browser
{
    QString name; // as the extractor names it
    QString label; // as the user knows it
};

// The browsers whose cookies the extractor reads on this system, in the order
// the settings page offers them.
QList<Browser> browsers();
bool isKnownBrowser(const QString &name);
// The browser's label; an unknown name stays as it is.
QString browserLabel(const QString &name);

// Whether path can be read and starts as a cookies file in Netscape format
// does (the extractor refuses any other file).
bool looksLikeCookiesFile(const QString &path);

// The choice every run started from now on signs in with (none at first).
void setChoice(const SettingsStore::CookieSettings &choice);
SettingsStore::CookieSettings choice();

// Adds the current choice to the arguments of a run about to start on
// process. A cookies file is never given to the extractor, which rewrites its
// cookies file when a run ends: the run gets a private copy in the cookies
// folder, removed once the run has ended. False when the run must not start
// (an unknown browser, a file that cannot be read or copied); refusal() then
// says why until the next start on process.
bool addToRun(QProcess *process, QStringList *arguments);
CookieFailure::Kind refusal(const QProcess *process);

// What a debug print may show of a piece of run output: its size and its
// error and warning lines. The extractor repeats the cookies it sends in its
// video documents and quotes a cookies file's bad lines; neither is shown.
QByteArray forDebugPrint(const QByteArray &output);

} // namespace CookieOptions
