#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Real media on loopback for tests that run the real extractor (yt-dlp) and
// ffmpeg. Construction makes, with ffmpeg, a handful of tiny clips in a
// temporary folder and serves that folder on 127.0.0.1 (free port) with a
// real HTTP server child process ("python3 -m http.server"); destruction
// stops the server and removes the folder. Create one per test executable,
// in initTestCase(), and check isReady() before use (errorString() says what
// is missing). Making and serving everything takes well under a second.
//
// What the extractor makes of it (its generic extractor; every served file
// is dated kUploadDate, which the extractor reports as "upload_date"):
// - plainMp4Url(): a direct mp4 link, kPlainSeconds long, kPlainWidth x
//   kPlainHeight H.264 with AAC sound; one format "mp4", title "plain".
// - dashUrl(): a DASH manifest, kDashSeconds long, title "manifest", with two
//   H.264 video-only mp4 representations (ids "0" and "1": kDashLowWidth x
//   kDashLowHeight and kDashHighWidth x kDashHighHeight) and one AAC audio
//   representation (id "2", ext "m4a"); each is cut into one-second
//   fragments, so downloads print fragment progress and "-f VIDEO+AUDIO"
//   merges with ffmpeg. No duration and no uploader are reported.
// - rssUrl(): an RSS 2.0 feed, a playlist of two entries whose links are
//   rssEntryUrls() (mp4 clips like the plain one) and titles rssEntryTitles().
// - missingUrl(): answers 404.
//
// The constructor also drops the proxy variables from this process's
// environment, so extractor runs reach 127.0.0.1 directly.
class MediaFixture
{
public:
    static constexpr int kPlainWidth = 320;
    static constexpr int kPlainHeight = 240;
    static constexpr int kPlainSeconds = 2;
    static constexpr int kDashLowWidth = 256;
    static constexpr int kDashLowHeight = 144;
    static constexpr int kDashHighWidth = 640;
    static constexpr int kDashHighHeight = 360;
    static constexpr int kDashSeconds = 3;
    static const char *const kUploadDate; // "20200131"

    MediaFixture();
    ~MediaFixture();
    MediaFixture(const MediaFixture &) = delete;
    MediaFixture &operator=(const MediaFixture &) = delete;

    bool isReady() const { return m_ready; }
    QString errorString() const { return m_error; }

    // The served folder; files put here later are served too.
    QString folder() const { return m_dir.path(); }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:<port>/" + relativePath.
    QString url(const QString &relativePath) const;

    QString plainMp4Url() const { return url(QStringLiteral("plain.mp4")); }
    QString dashUrl() const { return url(QStringLiteral("dash/manifest.mpd")); }
    QString rssUrl() const { return url(QStringLiteral("feed.rss")); }
    QStringList rssEntryUrls() const;
    QStringList rssEntryTitles() const;
    QString missingUrl() const { return url(QStringLiteral("no-such-video.mp4")); }

private:
    bool makeMedia();
    bool writeFeed();
    bool startServer();
    bool serverAnswers();
    void stopServer();
    bool runFfmpeg(const QStringList &arguments);

    QTemporaryDir m_dir;
    QProcess m_server;
    quint16 m_port = 0;
    bool m_ready = false;
    QString m_error;
};
