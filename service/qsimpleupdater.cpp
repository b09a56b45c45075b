#include "service/qsimpleupdater.h"

#include "service/updater.h"

namespace {

QSimpleUpdater *g_instance = nullptr;

} // namespace

QSimpleUpdater::QSimpleUpdater(QObject *parent)
    : QObject(parent)
{
    g_instance = this;
}

QSimpleUpdater::~QSimpleUpdater()
{
    if (g_instance == this)
        g_instance = nullptr;
}

QSimpleUpdater *QSimpleUpdater::getInstance()
{
    return g_instance;
}

Updater *QSimpleUpdater::getUpdater(const QString &url)
{
    const int known = m_urls.indexOf(url);
    if (known >= 0)
        return m_updaters.at(known);
    auto *updater = new Updater(this);
    updater->setUrl(url);
    connect(updater, &Updater::checkingFinished, this, &QSimpleUpdater::checkingFinished);
    connect(updater, &Updater::downloadFinished, this, &QSimpleUpdater::downloadFinished);
    connect(updater, &Updater::appcastDownloaded, this, &QSimpleUpdater::appcastDownloaded);
    connect(updater, &Updater::quitRequested, this, &QSimpleUpdater::quitRequested);
    m_urls.append(url);
    m_updaters.append(updater);
    return updater;
}

void QSimpleUpdater::checkForUpdates(const QString &url)
{
    Updater *updater = getUpdater(url);
    updater->setDialogPosition(m_dialogPosition);
    updater->checkForUpdates();
}

bool QSimpleUpdater::getNotifyOnUpdate(const QString &url)
{
    return getUpdater(url)->notifyOnUpdate();
}

bool QSimpleUpdater::getNotifyOnFinish(const QString &url)
{
    return getUpdater(url)->notifyOnFinish();
}

bool QSimpleUpdater::getUpdateAvailable(const QString &url)
{
    return getUpdater(url)->updateAvailable();
}

bool QSimpleUpdater::getDownloaderEnabled(const QString &url)
{
    return getUpdater(url)->downloaderEnabled();
}

QString QSimpleUpdater::getChangelog(const QString &url)
{
    return getUpdater(url)->changelog();
}

QString QSimpleUpdater::getDownloadUrl(const QString &url)
{
    return getUpdater(url)->downloadUrl();
}

QString QSimpleUpdater::getLatestVersion(const QString &url)
{
    return getUpdater(url)->latestVersion();
}

QString QSimpleUpdater::getPlatformKey(const QString &url)
{
    return getUpdater(url)->platformKey();
}

QString QSimpleUpdater::getModuleName(const QString &url)
{
    return getUpdater(url)->moduleName();
}

QString QSimpleUpdater::getModuleVersion(const QString &url)
{
    return getUpdater(url)->moduleVersion();
}

void QSimpleUpdater::setModuleName(const QString &url, const QString &name)
{
    getUpdater(url)->setModuleName(name);
}

void QSimpleUpdater::setNotifyOnUpdate(const QString &url, bool notify)
{
    getUpdater(url)->setNotifyOnUpdate(notify);
}

void QSimpleUpdater::setNotifyOnFinish(const QString &url, bool notify)
{
    getUpdater(url)->setNotifyOnFinish(notify);
}

void QSimpleUpdater::setUserAgentString(const QString &url, const QString &agent)
{
    getUpdater(url)->setUserAgentString(agent);
}

void QSimpleUpdater::setModuleVersion(const QString &url, const QString &version)
{
    getUpdater(url)->setModuleVersion(version);
}

void QSimpleUpdater::setDownloaderEnabled(const QString &url, bool enabled)
{
    getUpdater(url)->setDownloaderEnabled(enabled);
}

void QSimpleUpdater::setPlatformKey(const QString &url, const QString &platform)
{
    getUpdater(url)->setPlatformKey(platform);
}

void QSimpleUpdater::setUseCustomAppcast(const QString &url, bool custom)
{
    getUpdater(url)->setUseCustomAppcast(custom);
}

void QSimpleUpdater::setUseCustomInstallProcedures(const QString &url, bool custom)
{
    getUpdater(url)->setUseCustomInstallProcedures(custom);
}

void QSimpleUpdater::setMandatoryUpdate(const QString &url, bool mandatory)
{
    getUpdater(url)->setMandatoryUpdate(mandatory);
}
