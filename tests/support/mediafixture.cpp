#include "support/mediafixture.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

const char *const MediaFixture::kUploadDate = "20200131";
const char *const MediaFixture::kUploader = "Some Uploader";

MediaFixture::MediaFixture()
{
    for (const char *name :
        {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    if (!m_dir.isValid() || !makeMedia()) {
        m_error = m_error.isEmpty() ? QStringLiteral("no temporary folder") : m_error;
        return;
    }
    // The feed names its entries by absolute links, so it is written once
    // the port is known; a port taken in between is simply tried again.
    for (int attempt = 0; attempt < 5 && !m_ready; ++attempt) {
        {
            QTcpServer probe;
            m_port = probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
        }
        m_ready = m_port != 0 && writeFeed() && startServer();
    }
    if (!m_ready)
        m_error = QStringLiteral("the HTTP server did not start");
}

MediaFixture::~MediaFixture()
{
    m_server.kill();
    m_server.waitForFinished(5000);
}

QString MediaFixture::url(const QString &relativePath) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(relativePath);
}

QString MediaFixture::streams(const QString &file)
{
    QProcess probe;
    probe.start("ffprobe",
        {"-v", "error", "-show_entries", "stream=codec_type,height", "-of", "csv=p=0", file});
    probe.waitForFinished(30000);
    QStringList found = QString(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    found.sort();
    return found.join(' ');
}

bool MediaFixture::runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setWorkingDirectory(folder());
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"),
        QStringList {"-hide_banner", "-loglevel", "error", "-y"} + arguments);
    if (ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0)
        return true;
    m_error = "ffmpeg failed: " + ffmpeg.errorString() + " " + QString::fromUtf8(ffmpeg.readAll());
    return false;
}

QString MediaFixture::uploaderPageUrl()
{
    const QString page = QDir(folder()).filePath(QStringLiteral("long.html"));
    if (!QFile::exists(page)) {
        if (!runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=15:duration=120", "-c:v",
                "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "long.mp4"}))
            return QString();
        // The extractor reads title and uploader from the page's metadata.
        const QByteArray html = "<html><head><title>Page</title>"
                                "<script "
                                "type=\"application/ld+json\">{\"@context\":\"https://"
                                "schema.org\",\"@type\":\"VideoObject\","
                                "\"name\":\"Long clip\",\"author\":{\"name\":\""
            + QByteArray(kUploader) + "\"},\"contentUrl\":\"" + url("long.mp4").toUtf8()
            + "\"}</script></head><body></body></html>";
        QFile file(page);
        if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size())
            return QString();
    }
    return url(QStringLiteral("long.html"));
}

bool MediaFixture::makeMedia()
{
    // A key frame every second, so every DASH fragment is one second long.
    const QStringList h264 {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g",
        "15", "-keyint_min", "15", "-sc_threshold", "0"};
    const QStringList aac {"-c:a", "aac", "-b:a", "32k"};
    if (!runFfmpeg(QStringList {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=15:duration=2",
                       "-f", "lavfi", "-i", "sine=frequency=440:duration=2"}
            + h264 + aac + QStringList {"-shortest", "plain.mp4"}))
        return false;
    for (const char *entry : {"clip-one.mp4", "clip-two.mp4"}) // the feed's entries
        QFile::copy(QDir(folder()).filePath("plain.mp4"), QDir(folder()).filePath(entry));
    QDir(folder()).mkpath(QStringLiteral("dash"));
    return runFfmpeg(
        QStringList {"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=15:duration=3", "-f", "lavfi",
            "-i", "sine=frequency=330:duration=3", "-map", "0:v", "-map", "0:v", "-map", "1:a"}
        + h264
        + QStringList {"-s:v:0", "256x144", "-b:v:0", "80k", "-s:v:1", "640x360", "-b:v:1", "250k"}
        + aac
        + QStringList {"-f", "dash", "-seg_duration", "1", "-use_template", "1", "-use_timeline",
            "1", "-adaptation_sets", "id=0,streams=v id=1,streams=a", "dash/manifest.mpd"});
}

bool MediaFixture::writeFeed()
{
    QByteArray rss
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n<channel>\n"
          "<title>Loopback feed</title>\n<link>"
        + url(QString()).toUtf8() + "</link>\n<description>Two clips</description>\n";
    const QStringList urls = rssEntryUrls(), titles = rssEntryTitles();
    for (int i = 0; i < urls.size(); ++i) {
        rss += "<item><title>" + titles.at(i).toUtf8() + "</title><enclosure url=\""
            + urls.at(i).toUtf8() + "\" type=\"video/mp4\"/></item>\n";
    }
    rss += "</channel>\n</rss>\n";
    QFile feed(QDir(folder()).filePath(QStringLiteral("feed.rss")));
    if (!feed.open(QIODevice::WriteOnly | QIODevice::Truncate) || feed.write(rss) != rss.size())
        return false;
    feed.close();

    // The extractor turns the server's Last-Modified into "upload_date".
    const QDateTime date(QDate::fromString(kUploadDate, "yyyyMMdd"), QTime(12, 0), Qt::UTC);
    QDirIterator it(folder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(date, QFileDevice::FileModificationTime);
    }
    return true;
}

// Starts the server and waits until it answers a request for the plain clip.
bool MediaFixture::startServer()
{
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("python3"),
        {"-m", "http.server", "--bind", "127.0.0.1", QString::number(m_port), "--directory",
            folder()});
    m_server.waitForStarted(10000);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000 && m_server.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(500) && socket.write("HEAD /plain.mp4 HTTP/1.0\r\n\r\n") > 0
            && socket.waitForReadyRead(2000) && socket.readLine().contains(" 200 "))
            return true;
        QThread::msleep(50);
    }
    m_server.kill(); // most likely the port was taken meanwhile
    m_server.waitForFinished(5000);
    return false;
}
