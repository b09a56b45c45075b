#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running copy of the program per user. The running copy holds a lock
// file and listens on a local socket, both in the user's runtime folder; a
// later start hands its links to it over the socket and ends without touching
// the data folder, so two copies never download into the same files or undo
// each other's changes to the task list.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: where the lock and the socket live.
    explicit SingleInstance(const QString &folder = runtimeFolder(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // The user's runtime folder.
    static QString runtimeFolder();

    enum class Claim
    {
        Claimed, // this is now the running copy
        Taken, // another copy runs: hand over and end
        Unavailable, // the folder cannot be used; nothing is known
    };
    // Becomes the running copy unless another copy runs.
    Claim claim();
    // Hands links (possibly none) to the running copy, which comes to the
    // front and takes them. Returns whether the running copy confirmed.
    bool handOver(const QStringList &links, int timeoutMs = 5000);

signals:
    // A later start asked this copy to come to the front and take links.
    void linksReceived(const QStringList &links);

private:
    // The local socket's name (a path on Linux, a pipe name on Windows).
    QString serverName() const;
    void readRequest(QLocalSocket *socket);

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, QByteArray> m_pending; // requests still arriving
};
