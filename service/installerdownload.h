#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;

// The transfer of an update installer into the download folder: written to
// the file name + ".part" as it arrives, checked against the digest the
// appcast gave (when it gave one) and only then renamed to its name. The
// name never leads out of the folder. This is a long transfer that reports
// progress, so it runs on the event loop without a bound of its own; the
// user ends it with cancel.
class InstallerDownload : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Saved, // the installer is at filePath()
        Failed, // the transfer broke off; the ".part" file stays
        Refused // the digest differs; nothing was kept
    };
    Q_ENUM(Outcome)

    explicit InstallerDownload(QObject *parent = nullptr);
    ~InstallerDownload() override;

    // The user's home folder + "/Downloads/".
    static QString defaultFolder();
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    // The name from the appcast (Appcast::installerFileName rules); empty
    // gives "QSU_Update.bin".
    void setFileName(const QString &name);
    QString fileName() const { return m_fileName; }
    QString filePath() const;
    QString partPath() const { return filePath() + QStringLiteral(".part"); }

    void setUserAgent(const QByteArray &userAgent) { m_userAgent = userAgent; }
    // Hexadecimal SHA-256 the installer must have; empty: not checked.
    void setExpectedDigest(const QString &digest) { m_digest = digest; }

    // Removes an earlier file and its ".part" and starts the transfer.
    void start(const QUrl &url);
    void abort();
    bool isRunning() const { return !m_reply.isNull(); }
    double elapsedSeconds() const;

signals:
    void progress(qint64 received, qint64 total);
    void finished(InstallerDownload::Outcome outcome, const QString &path);

private:
    void onReadyRead();
    void onFinished();

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QFile m_part;
    QElapsedTimer m_clock;
    QString m_folder;
    QString m_fileName;
    QByteArray m_userAgent;
    QString m_digest;
};
