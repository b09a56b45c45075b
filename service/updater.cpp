#include "service/updater.h"

#include "base/dialogseam.h"
#include "base/httprequest.h"
#include "service/appcast.h"
#include "service/downloader.h"
#include "service/serviceclient.h"

#include <QCoreApplication>
#include <QDebug>
#include <QUrl>

namespace {

// Only web pages are opened from an appcast, never local files or programs.
bool isWebAddress(const QUrl &url)
{
    return url.isValid()
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

} // namespace

Updater::Updater(QObject *parent)
    : QObject(parent)
    , m_platform(Appcast::platformKey())
    , m_moduleName(QCoreApplication::applicationName())
    , m_moduleVersion(QCoreApplication::applicationVersion())
    , m_downloader(new Downloader)
{
    m_userAgent = QStringLiteral("%1/%2 (Qt; QSimpleUpdater)").arg(m_moduleName, m_moduleVersion);
    m_downloader->setUserAgentString(m_userAgent);
    connect(m_downloader, &Downloader::downloadFinished, this, &Updater::downloadFinished);
    connect(m_downloader, &Downloader::quitRequested, this, &Updater::quitRequested);
}

Updater::~Updater()
{
    delete m_downloader;
}

void Updater::setUserAgentString(const QString &agent)
{
    m_userAgent = agent;
    m_downloader->setUserAgentString(agent);
}

void Updater::setUseCustomInstallProcedures(bool custom)
{
    m_downloader->setUseCustomInstallProcedures(custom);
}

void Updater::checkForUpdates()
{
    HttpRequest::Options options;
    options.userAgent = m_userAgent.toUtf8();
    options.followRedirects = true;
    options.timeoutMs = ServiceClient::TimeoutMs;
    const HttpRequest::Result result = HttpRequest::send(QUrl(m_url), options);
    if (!result.error.isEmpty())
        qDebug() << "appcast request failed:" << m_url << result.error;
    onAppcast(result.body, !result.error.isEmpty());
}

void Updater::onAppcast(const QByteArray &body, bool failed)
{
    m_checkFailed = failed;
    if (failed) {
        setUpdateAvailable(false);
        emit checkingFinished(m_url);
        return;
    }
    if (m_customAppcast) {
        emit appcastDownloaded(m_url, body);
        emit checkingFinished(m_url);
        return;
    }
    const Appcast::Entry entry = Appcast::parse(body, m_platform, QUrl(m_url));
    if (!entry.valid) {
        m_checkFailed = true;
        setUpdateAvailable(false);
        emit checkingFinished(m_url);
        return;
    }
    m_openUrl = entry.openUrl;
    m_changelog = entry.changelog;
    m_downloadUrl = entry.downloadUrl.toString();
    m_latestVersion = entry.latestVersion;
    m_sha256 = entry.sha256;
    if (entry.hasMandatory)
        m_mandatoryUpdate = entry.mandatory;
    m_downloader->setChangelog(m_changelog);
    setUpdateAvailable(Appcast::isNewer(m_latestVersion, m_moduleVersion));
    emit checkingFinished(m_url);
}

void Updater::setUpdateAvailable(bool available)
{
    m_updateAvailable = available;
    if (!available) {
        if (!m_notifyOnFinish)
            return;
        // An appcast that could not be read says nothing about the version
        // in use: it is not reported as the latest.
        if (m_checkFailed) {
            DialogSeam::warning(nullptr, tr("Updater"),
                tr("The update information could not be read. Please try again later."));
            return;
        }
        DialogSeam::information(nullptr, tr("Updater"),
            QStringLiteral("<h3>")
                + tr("Congratulations! You are running the latest version of %1").arg(m_moduleName)
                + QStringLiteral("</h3>") + tr("No updates are available for the moment"));
        return;
    }
    if (!m_notifyOnUpdate && !m_notifyOnFinish)
        return;

    if (!m_openUrl.isEmpty()) {
        if (isWebAddress(QUrl(m_openUrl)))
            DialogSeam::openUrl(QUrl(m_openUrl));
        return;
    }
    const QUrl download(m_downloadUrl);
    if (!isWebAddress(download))
        return;
    if (!m_downloaderEnabled) {
        DialogSeam::openUrl(download);
        return;
    }
    m_downloader->setUrlId(m_url);
    m_downloader->setFileName(Appcast::installerFileName(download));
    m_downloader->setMandatoryUpdate(m_mandatoryUpdate);
    m_downloader->setExpectedDigest(m_sha256);
    m_downloader->startDownload(download);
    m_downloader->setWindowModality(Qt::ApplicationModal);
    m_downloader->move(m_dialogPosition);
    m_downloader->show();
}
