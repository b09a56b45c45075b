#include "app/singleinstance.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

// A request is the header line, one link per line, then an empty line; the
// answer is "ok". A link never holds a line break: the parts of one are
// handed over as links of their own, which link intake then judges.
const QByteArray Header = "quillon-links";
const QByteArray Answer = "ok\n";
// A request larger than this is not from a copy of the program.
constexpr int MaxRequest = 1 << 20;

QByteArray encodeRequest(const QStringList &links)
{
    QByteArray request = Header + '\n';
    for (const QString &link : links) {
        const QStringList lines = link.split(QRegExp(QStringLiteral("[\r\n]")));
        for (const QString &line : lines)
            if (!line.trimmed().isEmpty())
                request += line.toUtf8() + '\n';
    }
    return request + '\n';
}

} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
{ }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::runtimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return Claim::Unavailable;
    m_lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/quillon.lock"));
    // The lock is held for the whole run: only a dead holder makes it stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        const bool taken = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        return taken ? Claim::Taken : Claim::Unavailable;
    }
    // Holding the lock, any socket left behind belongs to a copy that died.
    QLocalServer::removeServer(serverName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(serverName()))
        qDebug() << "cannot listen for later starts:" << m_server->errorString();
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(
                socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                m_pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
    return Claim::Claimed;
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    QByteArray &request = m_pending[socket];
    request += socket->readAll();
    if (request.size() > MaxRequest) {
        m_pending.remove(socket);
        socket->abort();
        return;
    }
    if (!request.endsWith("\n\n"))
        return;
    QList<QByteArray> lines = request.split('\n');
    m_pending.remove(socket);
    if (lines.isEmpty() || lines.takeFirst() != Header) {
        socket->abort();
        return;
    }
    QStringList links;
    for (const QByteArray &line : lines)
        if (!line.isEmpty())
            links << QString::fromUtf8(line);
    socket->write(Answer);
    socket->flush();
    emit linksReceived(links);
}

bool SingleInstance::handOver(const QStringList &links, int timeoutMs)
{
    const QByteArray request = encodeRequest(links);
    QElapsedTimer clock;
    clock.start();
    // The running copy may have taken the lock a moment ago and not listen
    // yet; it is asked again until the time is up.
    do {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(500)) {
            socket.write(request);
            QByteArray answer;
            while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
                answer += socket.readAll();
            return answer == Answer;
        }
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return false;
}
