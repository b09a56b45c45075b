#pragma once

#include "extractor/releasefiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QNetworkReply;
class QTemporaryDir;

// "Update extractor": fetches the newest release from the release address,
// and installs it as the updated copy (ToolProcess::updatedCopyPath()) only
// when the checksum list is signed with the trusted key, the program file has
// the checksum the list gives for its name, and the file answered "--version"
// from where it is installed. Every failure leaves the extractor in use
// unchanged: the previous copy is replaced by one rename at the very end.
// Nothing fetched runs before it was verified.
class ExtractorUpdate : public QObject
{
    Q_OBJECT

public:
    enum class Step
    {
        Checksums, // fetching the checksum list and its signature
        Signature, // checking the signature
        Program, // fetching the program file (progress() reports it)
        Trying, // asking the new copy for its version
    };
    Q_ENUM(Step)

    explicit ExtractorUpdate(QObject *parent = nullptr);
    ~ExtractorUpdate() override;

    // Defaults: ReleaseFiles::releaseAddress(), ToolProcess::updatedCopyPath(),
    // ReleaseFiles::shippedKey().
    void setReleaseAddress(const QString &address);
    void setTarget(const QString &path) { m_target = path; }
    QString target() const { return m_target; }
    // For tests only: a release signed with a key the test made.
    void setTrustedKey(const ReleaseFiles::TrustedKey &key) { m_key = key; }
    // How many downloads run now; the update refuses to start while any do.
    void setRunningDownloads(std::function<int()> count) { m_runningDownloads = std::move(count); }

    // Starts an update. False, with refusal() saying why, when it cannot start:
    // one runs already, downloads run, the address is not allowed, no gpgv.
    bool start();
    QString refusal() const { return m_refusal; }
    // Ends a running update; finished() follows with cancelled.
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void stepChanged(ExtractorUpdate::Step step);
    void progress(qint64 received, qint64 total);
    // ok: installed, version is what it answered; message says so (and names
    // a tool.exe that is found before the update). Otherwise message says
    // what went wrong (empty when the user cancelled); nothing was changed.
    void finished(bool ok, const QString &message, const QString &version);

private:
    void fetch(const QString &name, qint64 limit, bool toFile);
    void onReadyRead();
    void onFetched();
    void checkSignature();
    void onSignatureChecked();
    void installCopy();
    void onTrialFinished();
    void succeed(const QString &version);
    void fail(const QString &reason);
    void stop();
    QString workPath(const QString &name) const;

    QString m_address;
    QString m_target;
    ReleaseFiles::TrustedKey m_key;
    std::function<int()> m_runningDownloads;
    QString m_refusal;
    bool m_running = false;

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QString m_fetching; // release file name of the running transfer
    QString m_refusedRedirect; // where an unsafe redirect wanted to go
    qint64 m_limit = 0;
    qint64 m_received = 0;
    QByteArray m_buffer; // small files
    QFile m_file; // the program file
    QCryptographicHash m_hash {QCryptographicHash::Sha256};
    QByteArray m_sums;
    QString m_expected; // the listed SHA-256 of the program file
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_candidate; // the copy being tried beside the target
    QProcess m_child; // gpgv, then the new copy
    QTimer m_childLimit;
};
