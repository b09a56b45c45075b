#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class Updater;

// The front of the update checker: one Updater per appcast address, settings
// forwarded by address. One exists at a time; its owner (the main window)
// creates it, and getInstance() finds it.
class QSimpleUpdater : public QObject
{
    Q_OBJECT

public:
    explicit QSimpleUpdater(QObject *parent = nullptr);
    ~QSimpleUpdater() override;

    static QSimpleUpdater *getInstance();

    bool getNotifyOnUpdate(const QString &url);
    bool getNotifyOnFinish(const QString &url);
    bool getUpdateAvailable(const QString &url);
    bool getDownloaderEnabled(const QString &url);
    QString getChangelog(const QString &url);
    QString getDownloadUrl(const QString &url);
    QString getLatestVersion(const QString &url);
    QString getPlatformKey(const QString &url);
    QString getModuleName(const QString &url);
    QString getModuleVersion(const QString &url);

    void setModuleName(const QString &url, const QString &name);
    void setNotifyOnUpdate(const QString &url, bool notify);
    void setNotifyOnFinish(const QString &url, bool notify);
    void setUserAgentString(const QString &url, const QString &agent);
    void setModuleVersion(const QString &url, const QString &version);
    void setDownloaderEnabled(const QString &url, bool enabled);
    void setPlatformKey(const QString &url, const QString &platform);
    void setUseCustomAppcast(const QString &url, bool custom);
    void setUseCustomInstallProcedures(const QString &url, bool custom);
    void setMandatoryUpdate(const QString &url, bool mandatory);
    // Where the download dialog appears.
    void setDialogPosition(const QPoint &position) { m_dialogPosition = position; }

    // The updater for url, made and wired on first use.
    Updater *getUpdater(const QString &url);

signals:
    void checkingFinished(const QString &url);
    void downloadFinished(const QString &url, const QString &filepath);
    void appcastDownloaded(const QString &url, const QByteArray &data);
    void quitRequested();

public slots:
    void checkForUpdates(const QString &url);

private:
    QList<QString> m_urls;
    QList<Updater *> m_updaters;
    QPoint m_dialogPosition;
};
