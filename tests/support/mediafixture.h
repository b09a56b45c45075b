#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Real media on loopback for runs of the real extractor (yt-dlp) and ffmpeg:
// tiny clips made with ffmpeg, served on 127.0.0.1 by "python3 -m
// http.server"; the proxy variables are dropped. One per test executable;
// check isReady(). Every file is dated kUploadDate (the extractor's
// "upload_date"). What the extractor finds:
// - plainMp4Url(): a 2 s 320x240 H.264 + AAC mp4, format "mp4", title "plain".
// - dashUrl(): a 3 s DASH manifest, title "manifest", no duration or uploader,
//   H.264 video-only "0" (256x144) and "1" (640x360), AAC audio "2" (m4a), in
//   one-second fragments.
// - missingUrl(): answers 404.
// - uploaderPageUrl(): a web page naming a 120 s 320x240 clip, titled
//   "Long clip", uploader kUploader (made on first use).
// Tests add web pages and feeds of their own with page() and feed().
class MediaFixture
{
public:
    static const char *const kUploadDate; // "20200131"
    static const char *const kUploader; // "Some Uploader"

    MediaFixture();
    ~MediaFixture();
    MediaFixture(const MediaFixture &) = delete;
    MediaFixture &operator=(const MediaFixture &) = delete;

    bool isReady() const { return m_ready; }
    QString errorString() const { return m_error; }
    // The served folder; files put here later are served too.
    QString folder() const { return m_dir.path(); }
    QString url(const QString &relativePath) const;

    QString plainMp4Url() const { return url(QStringLiteral("plain.mp4")); }
    QString dashUrl() const { return url(QStringLiteral("dash/manifest.mpd")); }
    QString missingUrl() const { return url(QStringLiteral("no-such-video.mp4")); }
    // Empty when the clip cannot be made (errorString() tells).
    QString uploaderPageUrl();
    // A web page name.html whose metadata names the served clip, a title and
    // (when not empty) an uploader; its link.
    QString page(const QString &name, const QString &clip, const QString &title,
        const QString &uploader = QString());
    // An RSS feed at path whose entries are (title, link) pairs, an empty
    // title leaving the entry untitled; its link.
    QString feed(const QString &path, const QList<QPair<QString, QString>> &entries);
    // A file's streams as ffprobe reads them, sorted: "audio video,<height>".
    static QString streams(const QString &file);
    // Runs ffmpeg in the served folder with arguments; false when it fails.
    bool runFfmpeg(const QStringList &arguments);
    // Serves the folder again, so slowly that the plain clip takes about
    // seconds (throttled_range_server.py, Range requests answered); its
    // address ("http://127.0.0.1:PORT/"), empty when it did not start.
    QString startThrottled(int seconds);
    // What the throttled server was asked: "GET <path> range=<...>" lines.
    QByteArray throttledRequests;

private:
    bool makeMedia();
    void dateFiles();
    bool startServer();

    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_throttled;
    quint16 m_port = 0;
    bool m_ready = false;
    QString m_error;
};
