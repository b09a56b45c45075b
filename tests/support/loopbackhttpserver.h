#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

// A small HTTP/1.1 server on 127.0.0.1 for tests. It answers registered paths
// with fixed bodies, 404 otherwise, and records every request. It can be told
// to accept connections and never answer, or to refuse (403) every request
// that did not come through an HTTP proxy (one without a Via header).
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    explicit LoopbackHttpServer(QObject *parent = nullptr);
    ~LoopbackHttpServer() override;

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString &path = QString()) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
    }

    void route(const QByteArray &path, const QByteArray &body,
        const QByteArray &contentType = "text/plain", int status = 200);
    // Announces declaredLength bytes but sends only body, then hangs up: a
    // transfer that breaks off.
    void routeTruncated(const QByteArray &path, const QByteArray &body, qint64 declaredLength,
        const QByteArray &contentType);
    void setSilent(bool silent) { m_silent = silent; }
    void setProxiedOnly(bool proxiedOnly) { m_proxiedOnly = proxiedOnly; }
    // Answers 403 to every request whose Cookie header lacks cookie
    // ("name=value"), as a site does to a visitor who is not signed in.
    void setRequiredCookie(const QByteArray &cookie) { m_requiredCookie = cookie; }
    // Answers every POST with 405, as a plain static web server does.
    void setRefusePost(bool refuse) { m_refusePost = refuse; }
    // Serves every file under folder at "/" + its relative path.
    void routeFolder(const QString &folder);

    const QList<Request> &requests() const { return m_requests; }

private:
    struct Response
    {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        qint64 declaredLength = -1;
    };

    void onReadyRead(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_routes;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
    bool m_silent = false;
    bool m_proxiedOnly = false;
    bool m_refusePost = false;
    QByteArray m_requiredCookie;
};
