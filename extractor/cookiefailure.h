#pragma once

#include "base/settingsstore.h"

#include <QByteArray>
#include <QString>

// Runs that sign in with cookies fail in their own ways when the cookies
// cannot be read: the browser or its profile is not there, its database is
// locked while it runs, the system keyring that encrypts its cookies cannot
// be opened, or the file is not a cookies file. The extractor says so in its
// error lines; these tell the user what happened and what to choose instead.
namespace CookieFailure {

enum Kind : int
{
    None = 0,
    NotFound, // no such browser or profile on this computer
    Unsupported, // the extractor does not read this browser
    Locked, // the browser holds its cookie database
    Keyring, // the cookies could not be decrypted
    BadFile, // not a cookies file in Netscape format
    Unreadable, // the chosen file is gone or cannot be read or copied
    Other,
};

// What one line of a run's output says about its cookies. Only error and
// warning lines count, never progress lines or video documents.
Kind inLine(const QByteArray &line);

// The short text a failed task's row shows, and the title of the message.
QString rowText();
QString title();
// The message: what went wrong with choice, and the other choice to try.
QString message(Kind kind, const SettingsStore::CookieSettings &choice);

} // namespace CookieFailure

// Reads a run's output as it arrives and keeps the first cookie failure.
class CookieFailureWatch
{
public:
    void reset();
    void feed(const QByteArray &chunk);
    // The run ended: its last, unfinished line counts too.
    void finish();
    // A start that was refused for the cookies' sake.
    void setKind(CookieFailure::Kind kind);
    CookieFailure::Kind kind() const { return m_kind; }

private:
    QByteArray m_pending;
    CookieFailure::Kind m_kind = CookieFailure::None;
};
