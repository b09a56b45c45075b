#include "support/loopbackhttpserver.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTcpSocket>

// Routes are matched with runs of "/" collapsed, as many servers do.
static QByteArray collapseSlashes(QByteArray path)
{
    while (path.contains("//"))
        path.replace("//", "/");
    return path;
}

LoopbackHttpServer::LoopbackHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    // Open connections die with the server; they must not call back into
    // members that are already gone.
    const auto sockets = m_server.findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets)
        socket->disconnect(this);
}

void LoopbackHttpServer::route(
    const QByteArray &path, const QByteArray &body, const QByteArray &contentType, int status)
{
    m_routes.insert(collapseSlashes(path), Response {status, contentType, body});
}

void LoopbackHttpServer::routeTruncated(const QByteArray &path, const QByteArray &body,
    qint64 declaredLength, const QByteArray &contentType)
{
    m_routes.insert(collapseSlashes(path), Response {200, contentType, body, declaredLength});
}

void LoopbackHttpServer::routeFolder(const QString &folder)
{
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            route("/" + root.relativeFilePath(file.fileName()).toUtf8(), file.readAll(),
                "application/octet-stream");
    }
}

void LoopbackHttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (const QByteArray &line : lines.mid(1)) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            request.headers.insert(
                line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    const int length = request.headers.value("content-length", "0").toInt();
    if (buffer.size() < headerEnd + 4 + length)
        return; // body not complete yet
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.clear();
    m_requests.append(request);

    if (m_silent)
        return;
    Response response
        = m_routes.value(collapseSlashes(request.path), {404, "text/plain", "not found"});
    if (m_proxiedOnly && !request.headers.contains("via"))
        response = {403, "text/plain", "forbidden"};
    if (!m_requiredCookie.isEmpty()) {
        const QList<QByteArray> sent = request.headers.value("cookie").split(';');
        bool signedIn = false;
        for (const QByteArray &cookie : sent)
            signedIn = signedIn || cookie.trimmed() == m_requiredCookie;
        if (!signedIn)
            response = {403, "text/plain", "sign in first"};
    }
    if (m_refusePost && request.method == "POST")
        response = {405, "text/plain", "method not allowed"};
    const qint64 announced
        = response.declaredLength >= 0 ? response.declaredLength : response.body.size();
    socket->write("HTTP/1.1 " + QByteArray::number(response.status)
        + " X\r\nContent-Type: " + response.contentType
        + "\r\nContent-Length: " + QByteArray::number(announced) + "\r\nConnection: close\r\n\r\n"
        + (request.method == "HEAD" ? QByteArray() : response.body));
    socket->disconnectFromHost();
}
