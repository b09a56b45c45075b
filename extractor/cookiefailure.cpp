#include "extractor/cookiefailure.h"

#include "extractor/cookieoptions.h"
#include "extractor/runreport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace CookieFailure {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CookieFailure", text);
}

} // namespace

Kind inLine(const QByteArray &line)
{
    // Only the extractor's error and warning lines and the last line of a
    // traceback speak: progress lines hold file names, which hold anything.
    static const QRegularExpression speaks(
        QStringLiteral("^(error:|warning:|yt-dlp: error:|[a-z0-9_.]*(error|exception): )"));
    const QByteArray text = line.trimmed().toLower();
    if (!speaks.match(QString::fromUtf8(text)).hasMatch())
        return None;
    const auto has = [&text](const char *piece) { return text.contains(piece); };
    // The extractor's own words, in the releases users run.
    if (has("unsupported browser"))
        return Unsupported;
    if ((has("could not find") && has("cookies database")) || has("does not support profiles")
        || has("safari cookies database not found") || has("could not find firefox container"))
        return NotFound;
    if (has("could not copy chrome cookie database") || has("database is locked"))
        return Locked;
    if (has("keyring") || has("kwallet") || has("secretstorage not available") || has("local state")
        || has("decrypt with dpapi") || has("cannot decrypt v1") || has("failed to decrypt cookie")
        || has("networkwallet"))
        return Keyring;
    if (has("netscape format") || has("cookies file must be netscape")
        || has("skipping cookie file entry"))
        return BadFile;
    if (has("failed to load cookies") || has("cannot extract cookies from"))
        return Other;
    return None;
}

QString rowText()
{
    return failedStatusText(int(FailReason::CookiesUnreadable));
}

QString title()
{
    return tr("Cookies for sign-in");
}

QString message(Kind kind, const SettingsStore::CookieSettings &choice)
{
    if (choice.source == 2) {
        const QString file = QDir::toNativeSeparators(choice.file);
        QString reason;
        switch (kind) {
        case Unreadable:
            reason = tr("The cookies file %1 cannot be read.").arg(file);
            break;
        case BadFile:
            reason = tr("The file %1 is not a cookies file in Netscape format.").arg(file);
            break;
        default:
            reason = tr("The cookies in %1 could not be read.").arg(file);
            break;
        }
        return reason + QStringLiteral("\n\n")
            + tr("Export the cookies again (in Netscape format), or choose your browser under "
                 "\"Cookies for sign-in\" in the settings.");
    }

    const QString browser = CookieOptions::browserLabel(choice.browser);
    QString reason;
    switch (kind) {
    case NotFound:
        reason = choice.profile.isEmpty()
            ? tr("The cookies of %1 were not found on this computer.").arg(browser)
            : tr("The cookies of %1 (profile \"%2\") were not found on this computer.")
                  .arg(browser, choice.profile);
        break;
    case Unsupported:
        reason = tr("The extractor cannot read the cookies of %1.").arg(browser);
        break;
    case Locked:
        reason = tr("%1 keeps its cookies locked while it runs.").arg(browser);
        break;
    case Keyring:
        reason = tr("The cookies of %1 could not be decrypted: the system keyring did not give "
                    "the key.")
                     .arg(browser);
        break;
    default:
        reason = tr("The cookies of %1 could not be read.").arg(browser);
        break;
    }
    return reason + QStringLiteral("\n\n")
        + tr("Close %1 and try again, or export its cookies to a file and choose \"Cookies "
             "file\" under \"Cookies for sign-in\" in the settings.")
              .arg(browser);
}

} // namespace CookieFailure

void CookieFailureWatch::reset()
{
    m_pending.clear();
    m_kind = CookieFailure::None;
}

void CookieFailureWatch::feed(const QByteArray &chunk)
{
    m_pending += chunk;
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        if (m_kind == CookieFailure::None)
            m_kind = CookieFailure::inLine(m_pending.left(end));
        m_pending.remove(0, end + 1);
    }
    // A video document is one long line; its start is enough to tell it.
    if (m_pending.size() > 8192)
        m_pending.truncate(8192);
}

void CookieFailureWatch::finish()
{
    if (m_kind == CookieFailure::None)
        m_kind = CookieFailure::inLine(m_pending);
    m_pending.clear();
}

void CookieFailureWatch::setKind(CookieFailure::Kind kind)
{
    m_kind = kind;
}
