#include "support/mediafixture.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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
    dateFiles();
    // A port taken between the probe and the server's start is tried again.
    for (int attempt = 0; attempt < 5 && !m_ready; ++attempt) {
        {
            QTcpServer probe;
            m_port = probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
        }
        m_ready = m_port != 0 && startServer();
    }
    if (!m_ready)
        m_error = QStringLiteral("the HTTP server did not start");
}

MediaFixture::~MediaFixture()
{
    for (QProcess *server : {&m_server, &m_throttled}) {
        server->kill();
        server->waitForFinished(5000);
    }
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

QString MediaFixture::startThrottled(int seconds)
{
    QObject::connect(&m_throttled, &QProcess::readyReadStandardOutput,
        [this] { throttledRequests += m_throttled.readAllStandardOutput(); });
    const qint64 rate = qMax<qint64>(4000, QFileInfo(folder() + "/plain.mp4").size() / seconds);
    m_throttled.start(QStringLiteral("python3"),
        {qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/tests/support/throttled_range_server.py",
            folder(), QString::number(rate)});
    // Its first line is its port.
    QElapsedTimer waited;
    waited.start();
    while (!throttledRequests.contains('\n') && m_throttled.state() != QProcess::NotRunning
        && waited.elapsed() < 10000)
        m_throttled.waitForReadyRead(1000);
    const QByteArray port = throttledRequests.left(throttledRequests.indexOf('\n'));
    throttledRequests.clear();
    return port.isEmpty() ? QString() : "http://127.0.0.1:" + port + "/";
}

QString MediaFixture::uploaderPageUrl()
{
    if (!QFile::exists(QDir(folder()).filePath(QStringLiteral("long.mp4")))
        && !runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=15:duration=120", "-c:v",
            "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "long.mp4"}))
        return QString();
    return page(QStringLiteral("long"), QStringLiteral("long.mp4"), QStringLiteral("Long clip"),
        QString::fromUtf8(kUploader));
}

// The extractor reads title and uploader from the page's metadata.
QString MediaFixture::page(
    const QString &name, const QString &clip, const QString &title, const QString &uploader)
{
    QJsonObject video {{"@context", "https://schema.org"}, {"@type", "VideoObject"},
        {"name", title}, {"contentUrl", url(clip)}};
    if (!uploader.isEmpty())
        video.insert("author", QJsonObject {{"name", uploader}});
    const QByteArray html = "<html><head><title>Page</title><script type=\"application/ld+json\">"
        + QJsonDocument(video).toJson(QJsonDocument::Compact) + "</script></head></html>";
    QFile file(QDir(folder()).filePath(name + ".html"));
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size())
        return QString();
    return url(name + ".html");
}

QString MediaFixture::feed(const QString &path, const QList<QPair<QString, QString>> &entries)
{
    QByteArray rss = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Feed</title>"
                     "<link>http://127.0.0.1/</link><description>d</description>";
    for (const auto &entry : entries) {
        rss += "<item>"
            + (entry.first.isEmpty() ? QByteArray() : "<title>" + entry.first.toUtf8() + "</title>")
            + "<enclosure url=\"" + entry.second.toUtf8() + "\" type=\"video/mp4\"/></item>";
    }
    rss += "</channel></rss>";
    QDir(folder()).mkpath(QFileInfo(QDir(folder()).filePath(path)).path());
    QFile file(QDir(folder()).filePath(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(rss) != rss.size())
        return QString();
    return url(path);
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

void MediaFixture::dateFiles()
{
    // The extractor turns the server's Last-Modified into "upload_date".
    const QDateTime date(QDate::fromString(kUploadDate, "yyyyMMdd"), QTime(12, 0), Qt::UTC);
    QDirIterator it(folder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(date, QFileDevice::FileModificationTime);
    }
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
