#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests. It answers registered paths
// with fixed bodies, 404 otherwise, records every request, and can be told to
// accept connections and never answer.
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
        qint64 declaredLength = -1;
    };

    explicit LoopbackHttpServer(QObject *parent = nullptr);
    ~LoopbackHttpServer() override;

    bool listen();
    quint16 port() const;
    QUrl url(const QString &path = QString()) const;

    void route(const QByteArray &path, const QByteArray &body,
        const QByteArray &contentType = "text/plain", int status = 200);
    // Announces declaredLength bytes but sends only body, then hangs up: a
    // transfer that breaks off.
    void routeTruncated(const QByteArray &path, const QByteArray &body, qint64 declaredLength,
        const QByteArray &contentType);
    void setSilent(bool silent) { m_silent = silent; }

    const QList<Request> &requests() const { return m_requests; }

private:
    struct Response
    {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        qint64 declaredLength = -1;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_routes;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
    bool m_silent = false;
};
