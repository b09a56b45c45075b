#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class Downloader;

// One appcast check: reads the appcast, decides whether the platform's
// latest version is newer than the module's, and then opens the update's
// web page or downloads its installer in a Downloader.
class Updater : public QObject
{
    Q_OBJECT

public:
    explicit Updater(QObject *parent = nullptr);
    ~Updater() override;

    QString url() const { return m_url; }
    QString platformKey() const { return m_platform; }
    QString moduleName() const { return m_moduleName; }
    QString moduleVersion() const { return m_moduleVersion; }
    QString latestVersion() const { return m_latestVersion; }
    QString changelog() const { return m_changelog; }
    QString downloadUrl() const { return m_downloadUrl; }
    QString openUrl() const { return m_openUrl; }
    QString userAgentString() const { return m_userAgent; }
    bool updateAvailable() const { return m_updateAvailable; }
    bool notifyOnUpdate() const { return m_notifyOnUpdate; }
    bool notifyOnFinish() const { return m_notifyOnFinish; }
    bool mandatoryUpdate() const { return m_mandatoryUpdate; }
    bool downloaderEnabled() const { return m_downloaderEnabled; }
    bool useCustomAppcast() const { return m_customAppcast; }
    Downloader *downloader() const { return m_downloader; }

    void setUrl(const QString &url) { m_url = url; }
    void setModuleName(const QString &name) { m_moduleName = name; }
    void setNotifyOnUpdate(bool notify) { m_notifyOnUpdate = notify; }
    void setNotifyOnFinish(bool notify) { m_notifyOnFinish = notify; }
    void setUserAgentString(const QString &agent);
    void setModuleVersion(const QString &version) { m_moduleVersion = version; }
    void setDownloaderEnabled(bool enabled) { m_downloaderEnabled = enabled; }
    void setPlatformKey(const QString &platform) { m_platform = platform; }
    void setUseCustomAppcast(bool custom) { m_customAppcast = custom; }
    void setUseCustomInstallProcedures(bool custom);
    void setMandatoryUpdate(bool mandatory) { m_mandatoryUpdate = mandatory; }
    void setDialogPosition(const QPoint &position) { m_dialogPosition = position; }

    // Fetches the appcast (bounded; TLS peers verified) and decides.
    void checkForUpdates();

signals:
    void checkingFinished(const QString &url);
    void downloadFinished(const QString &url, const QString &filepath);
    void appcastDownloaded(const QString &url, const QByteArray &data);
    // A mandatory update wants the program to end.
    void quitRequested();

public slots:
    void setUpdateAvailable(bool available);

private:
    void onAppcast(const QByteArray &body, bool failed);

    QString m_url;
    QString m_userAgent;
    bool m_customAppcast = false;
    bool m_notifyOnUpdate = true;
    bool m_notifyOnFinish = false;
    bool m_updateAvailable = false;
    bool m_downloaderEnabled = true;
    bool m_mandatoryUpdate = false;
    QString m_openUrl;
    QString m_platform;
    QString m_changelog;
    QString m_moduleName;
    QString m_downloadUrl;
    QString m_moduleVersion;
    QString m_latestVersion;
    QString m_sha256;
    bool m_checkFailed = false;
    Downloader *m_downloader = nullptr;
    QPoint m_dialogPosition;
};
