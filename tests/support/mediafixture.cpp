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

namespace {

const char *const kEntryFiles[] = {"clip-one.mp4", "clip-two.mp4"};
const char *const kEntryTitles[] = {"First clip", "Second clip"};

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

MediaFixture::MediaFixture()
{
    for (const char *name :
        {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);

    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (!makeMedia())
        return;
    // The feed names its entries by absolute links, so it is written once
    // the port is known; a port taken in between is simply tried again.
    for (int attempt = 0; attempt < 5 && !m_ready; ++attempt) {
        m_port = freeLoopbackPort();
        if (m_port == 0)
            continue;
        if (writeFeed() && startServer())
            m_ready = true;
    }
    if (!m_ready && m_error.isEmpty())
        m_error = QStringLiteral("the HTTP server did not start");
}

MediaFixture::~MediaFixture()
{
    stopServer();
}

QString MediaFixture::url(const QString &relativePath) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(relativePath);
}

QStringList MediaFixture::rssEntryUrls() const
{
    QStringList urls;
    for (const char *file : kEntryFiles)
        urls << url(QString::fromLatin1(file));
    return urls;
}

QStringList MediaFixture::rssEntryTitles() const
{
    QStringList titles;
    for (const char *title : kEntryTitles)
        titles << QString::fromLatin1(title);
    return titles;
}

bool MediaFixture::runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setWorkingDirectory(folder());
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"),
        QStringList {"-hide_banner", "-loglevel", "error", "-y"} + arguments);
    if (!ffmpeg.waitForStarted(10000)) {
        m_error = QStringLiteral("ffmpeg cannot be started: ") + ffmpeg.errorString();
        return false;
    }
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitStatus() != QProcess::NormalExit
        || ffmpeg.exitCode() != 0) {
        m_error = QStringLiteral("ffmpeg failed: ") + QString::fromUtf8(ffmpeg.readAll());
        return false;
    }
    return true;
}

bool MediaFixture::makeMedia()
{
    const QString plainSeconds = QString::number(kPlainSeconds);
    const QString dashSeconds = QString::number(kDashSeconds);
    const QString plainSize = QStringLiteral("%1x%2").arg(kPlainWidth).arg(kPlainHeight);
    // A key frame every second, so every DASH fragment is one second long.
    const QStringList h264 {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g",
        "15", "-keyint_min", "15", "-sc_threshold", "0"};
    const QStringList aac {"-c:a", "aac", "-b:a", "32k"};

    if (!runFfmpeg(QStringList {"-f", "lavfi", "-i",
                       "testsrc=size=" + plainSize + ":rate=15:duration=" + plainSeconds, "-f",
                       "lavfi", "-i", "sine=frequency=440:duration=" + plainSeconds}
            + h264 + aac + QStringList {"-shortest", "plain.mp4"}))
        return false;
    for (const char *file : kEntryFiles) {
        if (!QFile::copy(QDir(folder()).filePath("plain.mp4"),
                QDir(folder()).filePath(QString::fromLatin1(file)))) {
            m_error = QStringLiteral("cannot copy the feed clips");
            return false;
        }
    }

    QDir(folder()).mkpath(QStringLiteral("dash"));
    const QString high = QStringLiteral("%1x%2").arg(kDashHighWidth).arg(kDashHighHeight);
    const QString low = QStringLiteral("%1x%2").arg(kDashLowWidth).arg(kDashLowHeight);
    if (!runFfmpeg(QStringList {"-f", "lavfi", "-i",
                       "testsrc2=size=" + high + ":rate=15:duration=" + dashSeconds, "-f", "lavfi",
                       "-i", "sine=frequency=330:duration=" + dashSeconds, "-map", "0:v", "-map",
                       "0:v", "-map", "1:a"}
            + h264 + QStringList {"-s:v:0", low, "-b:v:0", "80k", "-s:v:1", high, "-b:v:1", "250k"}
            + aac
            + QStringList {"-f", "dash", "-seg_duration", "1", "-use_template", "1",
                "-use_timeline", "1", "-adaptation_sets", "id=0,streams=v id=1,streams=a",
                "dash/manifest.mpd"}))
        return false;
    return true;
}

bool MediaFixture::writeFeed()
{
    QByteArray rss
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n<channel>\n"
          "<title>Loopback feed</title>\n<link>"
        + url(QString()).toUtf8() + "</link>\n<description>Two clips</description>\n";
    const QStringList urls = rssEntryUrls();
    const QStringList titles = rssEntryTitles();
    for (int i = 0; i < urls.size(); ++i) {
        rss += "<item><title>" + titles.at(i).toUtf8() + "</title><enclosure url=\""
            + urls.at(i).toUtf8() + "\" type=\"video/mp4\"/></item>\n";
    }
    rss += "</channel>\n</rss>\n";

    QFile feed(QDir(folder()).filePath(QStringLiteral("feed.rss")));
    if (!feed.open(QIODevice::WriteOnly | QIODevice::Truncate) || feed.write(rss) != rss.size()) {
        m_error = QStringLiteral("cannot write the feed");
        return false;
    }
    feed.close();

    // Every file carries the same date; the extractor turns the server's
    // Last-Modified into "upload_date".
    const QDateTime date(
        QDate::fromString(QString::fromLatin1(kUploadDate), "yyyyMMdd"), QTime(12, 0), Qt::UTC);
    QDirIterator it(folder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(date, QFileDevice::FileModificationTime);
    }
    return true;
}

bool MediaFixture::startServer()
{
    stopServer();
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("python3"),
        {"-m", "http.server", "--bind", "127.0.0.1", QString::number(m_port), "--directory",
            folder()});
    if (!m_server.waitForStarted(10000)) {
        m_error = QStringLiteral("python3 cannot be started: ") + m_server.errorString();
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000) {
        if (m_server.state() != QProcess::Running)
            return false; // most likely the port was taken meanwhile
        if (serverAnswers())
            return true;
        QThread::msleep(50);
    }
    stopServer();
    return false;
}

// True when our server answers a request for the plain clip with 200.
bool MediaFixture::serverAnswers()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_port);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("HEAD /plain.mp4 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray reply;
    while (!reply.contains("\r\n") && socket.waitForReadyRead(2000))
        reply += socket.readAll();
    return reply.startsWith("HTTP/1.0 200") || reply.startsWith("HTTP/1.1 200");
}

void MediaFixture::stopServer()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.kill();
    m_server.waitForFinished(5000);
}
