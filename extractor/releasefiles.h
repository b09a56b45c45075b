#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The rules for trusting an extractor release: where it may come from, the
// key its checksum list must be signed with and how the list is read.
namespace ReleaseFiles {

// The folder the release's files are fetched from: QUILLON_EXTRACTOR_RELEASES
// from the environment when set and not empty, else the build's default.
// Always ends in "/".
QString releaseAddress();

// https, or plain http to this computer only (loopback: tests, a local mirror).
bool addressAllowed(const QUrl &url);

// The public key that signs the extractor project's checksum lists.
struct TrustedKey
{
    QByteArray armored; // ASCII-armored OpenPGP public key
    QString fingerprint; // 40 hexadecimal digits, any case and spacing
};
// The key shipped with the program.
TrustedKey shippedKey();

// The binary key from an ASCII-armored one (what gpgv takes as a keyring);
// empty when the armor is damaged or its checksum does not match.
QByteArray dearmor(const QByteArray &armored);

// gpgv's status output ("--status-fd") says the signature is good and made
// with the key of fingerprint (the signing key or its primary key).
bool signatureGood(const QByteArray &status, const QString &fingerprint);

// The SHA-256 the checksum list gives for fileName (lines of 64 hexadecimal
// digits, blanks and a file name, "*" before a binary one), in lower case;
// empty when no line names exactly that file.
QString checksumFor(const QByteArray &list, const QString &fileName);

} // namespace ReleaseFiles
