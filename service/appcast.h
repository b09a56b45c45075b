#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The update appcast: a JSON object whose "updates" object holds one entry
// per platform key with "latest-version", "download-url", "open-url",
// "changelog", "mandatory-update" and, optionally, "sha256" (the installer's
// digest in hexadecimal).
namespace Appcast {

// "windows" on Windows, "linux" elsewhere.
QString platformKey();

// a is newer than b: compared part by part at ".", numbers as decimal
// integers (anything else counts as 0); with all common parts equal, the one
// with more parts is newer (2.6.1 and 2.6.0 are newer than 2.6).
bool isNewer(const QString &a, const QString &b);

struct Entry
{
    bool valid = false; // the answer was a JSON object
    QString latestVersion;
    QUrl downloadUrl; // resolved against the appcast's own address
    QString openUrl;
    QString changelog;
    bool mandatory = false;
    bool hasMandatory = false;
    QString sha256; // lower case; empty when the appcast gives none
};

// The entry for platform; a relative "download-url" is taken relative to
// appcastUrl, so a vendor folder can be published anywhere.
Entry parse(const QByteArray &json, const QString &platform, const QUrl &appcastUrl);

// The file name the installer is saved under: the last part of the download
// address's path. Whatever would not stay inside the download folder (a
// path, "..", a drive, an empty name) gives "QSU_Update.bin".
QString installerFileName(const QUrl &downloadUrl);
constexpr const char *FallbackFileName = "QSU_Update.bin";
// A name that names a file inside whatever folder it is joined to.
bool isBareFileName(const QString &name);

// Whether digest (hexadecimal, any case) is the SHA-256 of the file at path.
bool fileHasDigest(const QString &path, const QString &digest);

// "%1 bytes", "%1 KB", "%1 MB" in the shortest general form (1536 gives 1.5 KB).
QString sizeText(qint64 bytes);
// The remaining time of a transfer as a sentence ("about 2 hours",
// "3 minutes", "1 second"); empty while less than a second has passed or
// nothing has arrived.
QString timeRemainingText(qint64 received, qint64 total, double elapsedSeconds);

} // namespace Appcast
