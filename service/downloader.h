#pragma once

#include "service/installerdownload.h"

#include <QWidget>

namespace Ui {
class Downloader;
}

// The download dialog of an update: progress, sizes, the time left and the
// changelog, then the button that starts the installer. A mandatory update
// ends the program when the installer is started or the download cancelled.
class Downloader : public QWidget
{
    Q_OBJECT

public:
    explicit Downloader(QWidget *parent = nullptr);
    ~Downloader() override;

    void setUrlId(const QString &url) { m_urlId = url; }
    // The name the installer is saved under (see InstallerDownload).
    void setFileName(const QString &file);
    void setUserAgentString(const QString &agent);
    void setUseCustomInstallProcedures(bool custom) { m_useCustomInstallProcedures = custom; }
    void setMandatoryUpdate(bool mandatory) { m_mandatoryUpdate = mandatory; }
    void setChangelog(const QString &changelog);
    // Hexadecimal SHA-256 the installer must have; empty: not checked.
    void setExpectedDigest(const QString &digest);
    void setDownloadDir(const QString &folder);

    InstallerDownload *transfer() { return &m_transfer; }
    bool isFinished() const { return m_finished; }
    QString filePath() const { return m_transfer.filePath(); }

signals:
    void downloadFinished(const QString &url, const QString &filepath);
    // A mandatory update wants the program to end.
    void quitRequested();

public slots:
    void startDownload(const QUrl &url);
    void openDownload();
    void cancelDownload();

private:
    void updateProgress(qint64 received, qint64 total);
    void calculateSizes(qint64 received, qint64 total);
    void updateTimeRemaining(qint64 received, qint64 total);
    void finished(InstallerDownload::Outcome outcome, const QString &path);
    void installUpdate();

    Ui::Downloader *ui;
    InstallerDownload m_transfer;
    QString m_urlId;
    bool m_useCustomInstallProcedures = false;
    bool m_mandatoryUpdate = false;
    bool m_finished = false;
    bool m_saved = false;
};
