#pragma once

#include <QByteArray>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

// An HTTPS server on 127.0.0.1 with a self-signed certificate that no client
// trusts (made afresh by openssl): it answers every request with the same
// body once a handshake succeeded. A client that verifies its peer never
// reads that body. listenLocal() fails when no certificate could be made.
class UntrustedTlsServer : public QTcpServer
{
public:
    explicit UntrustedTlsServer(const QByteArray &body, QObject *parent = nullptr);

    bool listenLocal() { return !m_key.isNull() && listen(QHostAddress::LocalHost, 0); }
    QString url(const QString &path = QString()) const
    {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    QByteArray m_body;
    QSslCertificate m_certificate;
    QSslKey m_key;
};
