#include "service/installerdownload.h"

#include "service/appcast.h"

#include <QDebug>
#include <QDir>
#include <QNetworkReply>
#include <QNetworkRequest>

InstallerDownload::InstallerDownload(QObject *parent)
    : QObject(parent)
    , m_folder(defaultFolder())
    , m_fileName(QString::fromLatin1(Appcast::FallbackFileName))
{ }

InstallerDownload::~InstallerDownload()
{
    abort();
}

QString InstallerDownload::defaultFolder()
{
    return QDir::homePath() + QStringLiteral("/Downloads/");
}

void InstallerDownload::setFolder(const QString &folder)
{
    m_folder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void InstallerDownload::setFileName(const QString &name)
{
    // Only a bare name is ever joined to the folder.
    m_fileName
        = Appcast::isBareFileName(name) ? name : QString::fromLatin1(Appcast::FallbackFileName);
}

QString InstallerDownload::filePath() const
{
    return m_folder + m_fileName;
}

double InstallerDownload::elapsedSeconds() const
{
    return m_clock.isValid() ? m_clock.elapsed() / 1000.0 : 0.0;
}

void InstallerDownload::start(const QUrl &url)
{
    abort();
    QDir().mkpath(m_folder);
    QFile::remove(filePath());
    QFile::remove(partPath());
    m_part.setFileName(partPath());
    if (!m_part.open(QIODevice::WriteOnly)) {
        qDebug() << "cannot write" << partPath();
        emit finished(Outcome::Failed, QString());
        return;
    }

    QNetworkRequest request(url);
    if (!m_userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
    // Redirects are followed, never from https down to http.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_clock.start();
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &InstallerDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &InstallerDownload::progress);
    connect(m_reply, &QNetworkReply::finished, this, &InstallerDownload::onFinished);
}

void InstallerDownload::abort()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    m_part.close();
}

void InstallerDownload::onReadyRead()
{
    if (m_reply && m_part.isOpen())
        m_part.write(m_reply->readAll());
}

void InstallerDownload::onFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    if (m_part.isOpen())
        m_part.write(reply->readAll());
    m_part.close();
    const bool failed = reply->error() != QNetworkReply::NoError;
    if (failed)
        qDebug() << "installer download failed:" << reply->errorString();
    reply->deleteLater();

    if (failed) {
        emit finished(Outcome::Failed, QString());
        return;
    }
    if (!m_digest.isEmpty() && !Appcast::fileHasDigest(partPath(), m_digest)) {
        // Whoever changed it must not get it started: nothing is kept.
        QFile::remove(partPath());
        emit finished(Outcome::Refused, QString());
        return;
    }
    QFile::remove(filePath());
    if (!QFile::rename(partPath(), filePath())) {
        emit finished(Outcome::Failed, QString());
        return;
    }
    emit finished(Outcome::Saved, filePath());
}
